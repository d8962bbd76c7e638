// The scenario expectations on what captures leave behind: clipboard text, capture images and
// their folder, the capture sound.
#include "../player/scenario_fixture.h"

#include <winsim/crtfile.h>
#include <winsim/windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace player {
namespace {

const char kFolder[] = "C:\\Program Files\\Verbacap\\tmp";

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* file = win32_fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
    std::fclose(file);
}

// The markers of a JPEG file: start of image, a JFIF segment (or another APPn), a frame header
// of the given kind and size, a scan, end of image (when `complete`).
std::vector<unsigned char> JpegBytes(unsigned char frameMarker, int width, int height,
                                     bool jfif = true, bool complete = true) {
    const auto high = [](int value) { return static_cast<unsigned char>(value >> 8); };
    const auto low = [](int value) { return static_cast<unsigned char>(value); };
    const unsigned char app = jfif ? 0xE0 : 0xE1;
    // Byte by byte: ranges inserted into a short vector trip GCC 12's bounds warning.
    std::vector<unsigned char> bytes;
    bytes.reserve(64);
    const auto append = [&bytes](std::initializer_list<int> values) {
        for (int value : values) {
            bytes.push_back(static_cast<unsigned char>(value));
        }
    };
    append({0xFF, 0xD8, 0xFF, app, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    append({0xFF, frameMarker, 0x00, 0x0B, 8, high(height), low(height), high(width), low(width), 1,
            1, 0x11, 0});
    append({0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 0x3F, 0, 0x12});
    if (complete) {
        bytes.push_back(0xFF);
        bytes.push_back(0xD9);
    }
    return bytes;
}

class CaptureVerbsTest : public ScenarioFixture {
protected:
    RunResult RunWith(const std::string& expectation, std::function<void()> setUp) {
        winsim::ResetDesktop();
        Scenario scenario = Parse("start\n");
        Add(scenario, "set up", [setUp](ScenarioRun&) { setUp(); });
        Append(scenario, expectation + "\n");
        AddQuit(scenario);
        return Run(scenario);
    }
};

TEST_F(CaptureVerbsTest, ExpectClipboardComparesTheTextExactly) {
    auto putText = [](const char* text) {
        return [text] {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::strlen(text) + 1);
            std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
            GlobalUnlock(block);
            SetClipboardData(CF_TEXT, block);
            CloseClipboard();
        };
    };
    RunResult same = RunWith("expect clipboard \"Erreur\\r\\n======\\r\\n\\r\\n  OK\\r\\n\"",
                             putText("Erreur\r\n======\r\n\r\n  OK\r\n"));
    EXPECT_TRUE(same.passed) << same.reason;
    RunResult accented = RunWith("expect clipboard 'Enregistrer ?'", putText("Enregistrer ?"));
    EXPECT_TRUE(accented.passed) << accented.reason;
    RunResult other = RunWith("expect clipboard 'Ligne 1'", putText("Ligne 2"));
    EXPECT_FALSE(other.passed);
    EXPECT_EQ(other.reason, "the clipboard holds 'Ligne 2', expected 'Ligne 1'");
    RunResult empty = RunWith("expect clipboard ''", [] {});
    EXPECT_EQ(empty.reason, "the clipboard holds no text, expected ''");
}

TEST_F(CaptureVerbsTest, ExpectJpegWantsACompleteBaselineJfifFileOfTheSize) {
    const std::string path = std::string(kFolder) + "\\36ee80.jpg";
    const std::string step = "expect jpeg '" + path + "' 300 200";
    auto write = [path](std::vector<unsigned char> bytes) {
        return [path, bytes] {
            CreateDirectoryA("C:\\Program Files\\Verbacap", nullptr);
            CreateDirectoryA(kFolder, nullptr);
            WriteFile(path, bytes);
        };
    };
    RunResult good = RunWith(step, write(JpegBytes(0xC0, 300, 200)));
    EXPECT_TRUE(good.passed) << good.reason;
    RunResult size = RunWith(step, write(JpegBytes(0xC0, 200, 300)));
    EXPECT_EQ(size.reason, path + " is 200 x 300 pixels, expected 300 x 200");
    const std::string notBaseline = path + " is no complete baseline JFIF file";
    EXPECT_EQ(RunWith(step, write(JpegBytes(0xC2, 300, 200))).reason, notBaseline);
    EXPECT_EQ(RunWith(step, write(JpegBytes(0xC0, 300, 200, false))).reason, notBaseline);
    EXPECT_EQ(RunWith(step, write(JpegBytes(0xC0, 300, 200, true, false))).reason, notBaseline);
    const std::string noJpeg = path + " is missing or no JPEG file";
    EXPECT_EQ(RunWith(step, [] {}).reason, noJpeg);
    EXPECT_EQ(RunWith(step, write({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40})).reason, noJpeg);
    EXPECT_EQ(RunWith(step, write({})).reason, noJpeg);
}

TEST_F(CaptureVerbsTest, ExpectCapturesCountsTheFilesOfTheImageFolder) {
    RunResult missing = RunWith("expect captures 0", [] {});
    EXPECT_TRUE(missing.passed) << missing.reason;
    auto twoFiles = [] {
        CreateDirectoryA("C:\\Program Files\\Verbacap", nullptr);
        CreateDirectoryA(kFolder, nullptr);
        WriteFile(std::string(kFolder) + "\\a.jpg", {1});
        WriteFile(std::string(kFolder) + "\\b.jpg", {});
        CreateDirectoryA((std::string(kFolder) + "\\sub").c_str(), nullptr);
    };
    EXPECT_TRUE(RunWith("expect captures 2", twoFiles).passed);
    EXPECT_EQ(RunWith("expect captures 1", twoFiles).reason,
              "the image folder C:\\Program Files\\Verbacap\\tmp holds 2 files, expected 1");
}

TEST_F(CaptureVerbsTest, ExpectSoundCountsTheCaptureSoundsStarted) {
    EXPECT_TRUE(RunWith("expect sound 0", [] {}).passed);
    EXPECT_EQ(RunWith("expect sound 1", [] {}).reason,
              "the capture sound started 0 times, expected 1");
}

TEST_F(CaptureVerbsTest, TheCapturePicturesAndTheClipboardTextStayInTheOutputFolder) {
    Scenario scenario = Parse("start\n");
    Add(scenario, "a capture", [](ScenarioRun&) {
        CreateDirectoryA("C:\\Program Files\\Verbacap", nullptr);
        CreateDirectoryA(kFolder, nullptr);
        WriteFile(std::string(kFolder) + "\\36ee80.jpg", JpegBytes(0xC0, 3, 2));
        WriteFile("C:\\Program Files\\Verbacap\\other.txt", {1, 2});
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const char text[] = "Ligne 1\r\nLigne 2";
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        std::memcpy(GlobalLock(block), text, sizeof text);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    });
    Add(scenario, "the program deletes its picture",
        [](ScenarioRun&) { DeleteFileA((std::string(kFolder) + "\\36ee80.jpg").c_str()); });
    AddQuit(scenario);
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    const std::filesystem::path out = OwnTestDir("out");
    EXPECT_EQ(std::filesystem::file_size(out / "36ee80.jpg"), JpegBytes(0xC0, 3, 2).size());
    EXPECT_FALSE(std::filesystem::exists(out / "other.txt"));
    std::ifstream clipboard(out / "clipboard.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(clipboard)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "Ligne 1\r\nLigne 2");
}

} // namespace
} // namespace player
