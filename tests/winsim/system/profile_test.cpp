// Profile (INI) files.
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }

    fs::path IniHostPath() const {
        return fs::path(winsim::RootDir()) / "WINDOWS" / "Verbacap.INI";
    }

    void WriteIni(const std::string& content) const {
        fs::create_directories(IniHostPath().parent_path());
        std::ofstream(IniHostPath(), std::ios::binary) << content;
    }

    std::string ReadIni() const {
        std::ifstream in(IniHostPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string Get(const char* section, const char* key, const char* fallback = "",
                    DWORD size = 256) const {
        std::string buffer(size, '\x7f');
        DWORD length =
            GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, "Verbacap.INI");
        return buffer.substr(0, length);
    }
};

TEST_F(Profile, AMissingFileGivesTheDefaults) {
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 67, "Verbacap.INI"), 67u);
    EXPECT_EQ(Get("Settings", "AsFreq", "5  "), "5");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(fs::exists(IniHostPath()));
}

// The file is read in blocks: a line that straddles a block boundary, and one far behind it,
// are read whole.
TEST_F(Profile, AFileLargerThanOneReadBlockIsReadWhole) {
    std::string content = "[Filler]\r\n";
    while (content.size() < 65536 - 10) {
        content += "k=v\r\n";
    }
    content += "[Settings]\r\nVK=123\r\n";
    while (content.size() < 200000) {
        content += "Pad=xxxxxxxxxxxxxxxxxxxxxxxx\r\n";
    }
    content += "Last=end";
    WriteIni(content);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 0, "Verbacap.INI"), 123u);
    EXPECT_EQ(Get("Settings", "Last"), "end");
}

// A file another program filled with a section of endless blank lines is read in one pass
// over it for every look-up, not once per line; names are still found without regard to case,
// accented ones too.
TEST_F(Profile, AHugeSectionIsReadInOnePass) {
    std::string content = "[Settings]\r\n";
    content.append(200000, '\n');
    content += "\xc9t\xe9=1\r\nVK=88\r\n[Other]\r\nx=2\r\n";
    WriteIni(content);
    EXPECT_EQ(GetPrivateProfileIntA("settings", "vk", 67, "Verbacap.INI"), 88u);
    EXPECT_EQ(Get("Settings", nullptr), std::string("\xc9t\xe9\0VK\0", 7));
    EXPECT_EQ(Get("SETTINGS", "\xe9T\xc9"), "1");
    EXPECT_EQ(Get("Settings", "x", "none"), "none");
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "vk", nullptr, "Verbacap.INI"));
    EXPECT_EQ(Get("Settings", "VK", "gone"), "gone");
    EXPECT_EQ(Get("Other", "X"), "2");
}

// Every read goes to the file: another program may rewrite it between two reads, in the same
// instant and to the same length, and the second read gives what is there now.
TEST_F(Profile, AFileChangedBetweenReadsIsReadAnew) {
    WriteIni("[Settings]\r\nVK=67\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 0, "Verbacap.INI"), 67u);
    WriteIni("[Settings]\r\nVK=88\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 0, "Verbacap.INI"), 88u);
    WriteIni("[settings]\r\nvk=88\r\n");
    EXPECT_EQ(Get("Settings", nullptr), std::string("vk\0", 3));
    // Another file with the same bytes, then the first one gone.
    ASSERT_TRUE(WritePrivateProfileStringA("settings", "vk", "88", "Other.INI"));
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 0, "Other.INI"), 88u);
    fs::remove(IniHostPath());
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 5, "Verbacap.INI"), 5u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 5, "Other.INI"), 88u);
}

TEST_F(Profile, AFileNamedWithoutFolderLivesInTheWindowsFolder) {
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "VK", "88", "Verbacap.INI"));
    EXPECT_EQ(ReadIni(), "[Settings]\r\nVK=88\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("settings", "vk", 67, "C:\\windows\\verbacap.ini"), 88u);
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    EXPECT_STREQ(folder, "C:\\WINDOWS");
}

TEST_F(Profile, ValuesAreReadAsWindowsReadsThem) {
    WriteIni("; settings of the program\r\n"
             "[ Settings ]\r\n"
             "  VK =  88  \r\n"
             "Mod=4 extra\r\n"
             "CopyAll=yes\r\n"
             "Neg=-3\r\n"
             "Hex=0x1F\r\n"
             "Quoted=\" padded \"\r\n"
             "no equals sign here\r\n"
             "[Other]\r\n"
             "VK=1\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("SETTINGS", "vk", 67, "Verbacap.INI"), 88u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Mod", 0, "Verbacap.INI"), 4u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "CopyAll", 7, "Verbacap.INI"), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Neg", 0, "Verbacap.INI"), static_cast<UINT>(-3));
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Hex", 0, "Verbacap.INI"), 31u);
    EXPECT_EQ(Get("Settings", "Quoted"), " padded ");
    EXPECT_EQ(Get("Settings", "no equals sign here", "dflt"), "dflt");
    EXPECT_EQ(Get("Other", "VK"), "1");
}

TEST_F(Profile, WritingChangesOnlyItsOwnLine) {
    WriteIni("; comment\r\n[Settings]\r\nVK=67\r\nMod=4\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("settings", "vk", "88", "Verbacap.INI"));
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "CopyAll", "1", "Verbacap.INI"));
    EXPECT_EQ(ReadIni(),
              "; comment\r\n[Settings]\r\nvk=88\r\nMod=4\r\nCopyAll=1\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "Mod", nullptr, "Verbacap.INI"));
    ASSERT_TRUE(WritePrivateProfileStringA("Other", nullptr, nullptr, "Verbacap.INI"));
    EXPECT_EQ(ReadIni(), "; comment\r\n[Settings]\r\nvk=88\r\nCopyAll=1\r\n\r\n");
}

TEST_F(Profile, ListsAndLongValuesAreCutAsWindowsCutsThem) {
    WriteIni("[Settings]\r\nVK=67\r\nMod=4\r\n[Second]\r\n[Third]\r\n");
    EXPECT_EQ(Get(nullptr, nullptr), std::string("Settings\0Second\0Third\0", 22));
    EXPECT_EQ(Get("Settings", nullptr), std::string("VK\0Mod\0", 7));
    // Too small: the list ends with two zeros and the count leaves them out.
    std::string buffer(8, '\x7f');
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), 8, "Verbacap.INI"), 6u);
    EXPECT_EQ(buffer, std::string("Settin\0\0", 8));
    EXPECT_EQ(Get("Settings", "VK", "", 2), "6");
}

TEST_F(Profile, DoubleByteValuesAreNotCutInsideACharacter) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    WriteIni("[S]\r\nK=a\x93\xfa\x96\x7b\r\n");
    EXPECT_EQ(Get("S", "K", "", 3), "a");
    EXPECT_EQ(Get("S", "K", "", 4), "a\x93\xfa");
    // Names are compared as characters: full-width letters without regard to case, and a byte
    // that would be a lead byte only if a trail byte followed it.
    WriteIni("[\x82\x60\x82\x62]\r\n\x93\xfa\x82\x81=1\r\nk\x93=2\r\n");
    EXPECT_EQ(Get("\x82\x81\x82\x83", "\x93\xfa\x82\x60"), "1");
    EXPECT_EQ(Get("\x82\x81\x82\x83", "K\x93"), "2");
    EXPECT_EQ(Get("\x82\x81\x82\x83", "\x93\xfa\x82"), "");
    EXPECT_EQ(Get("\x82\x60", "\x93\xfa\x82\x60"), "");
}

TEST_F(Profile, MalformedFilesReadAsFarAsTheyMakeSense) {
    const char raw[] = "\x00\xff\r\n[Settings\r\n=novalue\r\nVK=12\nMod\r\n[]\r\n\x01=\x02";
    std::string garbage(raw, sizeof(raw) - 1);
    WriteIni(garbage);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 67, "Verbacap.INI"), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Mod", 4, "Verbacap.INI"), 4u);
    EXPECT_TRUE(WritePrivateProfileStringA("Settings", "Mod", "2", "Verbacap.INI"));
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "Mod", 4, "Verbacap.INI"), 2u);
    EXPECT_EQ(ReadIni().substr(0, 2), std::string("\x00\xff", 2));
}

} // namespace
