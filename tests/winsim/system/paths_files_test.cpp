// Paths on the simulated drives, the file functions, the seam's fopen, and the module's path.
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

void WriteHostFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Files : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
    fs::path Root() const { return winsim::RootDir(); }
};

TEST_F(Files, NamesAreFoundWithoutRegardToCaseAndWithWindowsSeparators) {
    WriteHostFile(Root() / "Data" / "Report.TXT", "x");
    EXPECT_TRUE(PathFileExistsA("C:\\data\\report.txt"));
    EXPECT_TRUE(PathFileExistsA("c:/DATA/REPORT.txt"));
    EXPECT_TRUE(PathFileExistsA("C:\\Data\\.\\..\\..\\data\\report.txt..  "));
    EXPECT_FALSE(PathFileExistsA("C:\\data\\report.tx"));
    EXPECT_FALSE(PathFileExistsA("C:\\data\\report.txt2"));
    // Letters beyond ASCII too (code page 1252 on the Windows side, UTF-8 on the host).
    WriteHostFile(Root() / "Data" / "\xC3\x89t\xC3\xA9.TXT", "x");
    EXPECT_TRUE(PathFileExistsA("C:\\data\\\xE9T\xC9.txt"));
    EXPECT_FALSE(PathFileExistsA("C:\\data\\other.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(PathFileExistsA("C:\\nothere\\other.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\DATA"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

// The names of a folder are kept once read: a change made behind the program's back, at once
// after a look-up, must be seen by the next one.
TEST_F(Files, NamesChangedOnTheHostAreSeenAtOnce) {
    WriteHostFile(Root() / "Shots" / "Capture1.JPG", "x");
    EXPECT_TRUE(PathFileExistsA("C:\\shots\\capture1.jpg"));
    fs::rename(Root() / "Shots" / "Capture1.JPG", Root() / "Shots" / "Renamed.JPG");
    EXPECT_FALSE(PathFileExistsA("C:\\shots\\capture1.jpg"));
    EXPECT_TRUE(PathFileExistsA("C:\\shots\\RENAMED.jpg"));
    fs::remove(Root() / "Shots" / "Renamed.JPG");
    EXPECT_FALSE(PathFileExistsA("C:\\shots\\renamed.jpg"));
    // A file the program writes under another case opens the one there.
    WriteHostFile(Root() / "Shots" / "Note.TXT", "host");
    FILE* file = win32_fopen("C:\\shots\\note.txt", "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(ReadHostFile(Root() / "Shots" / "Note.TXT"), "");
    EXPECT_FALSE(fs::exists(Root() / "Shots" / "note.txt"));
    // The folder replaced by another of the same name.
    fs::remove_all(Root() / "Shots");
    WriteHostFile(Root() / "Shots" / "Other.TXT", "y");
    EXPECT_FALSE(PathFileExistsA("C:\\shots\\note.txt"));
    EXPECT_TRUE(PathFileExistsA("C:\\shots\\other.txt"));
}

TEST_F(Files, AttributeDataGivesLengthAndWriteTime) {
    WriteHostFile(Root() / "tmp" / "a.jpg", "12345");
    fs::last_write_time(Root() / "tmp" / "a.jpg",
                        fs::last_write_time(Root() / "tmp" / "a.jpg") - std::chrono::seconds(5));
    WIN32_FILE_ATTRIBUTE_DATA first = {};
    ASSERT_TRUE(GetFileAttributesExA("C:\\TMP\\A.JPG", GetFileExInfoStandard, &first));
    EXPECT_EQ(first.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(first.nFileSizeLow, 5u);
    EXPECT_EQ(first.nFileSizeHigh, 0u);
    // Some time after 1601: a write time of today is past 2020 (0x01D5C0... in 100 ns units).
    EXPECT_GT(first.ftLastWriteTime.dwHighDateTime, 0x01D5C000u);

    WriteHostFile(Root() / "tmp" / "a.jpg", "abcde");
    WIN32_FILE_ATTRIBUTE_DATA second = {};
    ASSERT_TRUE(GetFileAttributesExA("C:\\tmp\\a.jpg", GetFileExInfoStandard, &second));
    EXPECT_EQ(second.nFileSizeLow, 5u);
    const auto units = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    EXPECT_GT(units(second.ftLastWriteTime), units(first.ftLastWriteTime)) << "rewritten";

    WIN32_FILE_ATTRIBUTE_DATA folder = {};
    ASSERT_TRUE(GetFileAttributesExA("C:\\tmp", GetFileExInfoStandard, &folder));
    EXPECT_EQ(folder.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(folder.nFileSizeLow, 0u);

    EXPECT_FALSE(GetFileAttributesExA("C:\\tmp\\b.jpg", GetFileExInfoStandard, &folder));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(GetFileAttributesExA("C:\\tmp\\a.jpg", GetFileExMaxInfoLevel, &folder));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Files, PathsOutsideTheDrivesFailAsOnWindows) {
    EXPECT_FALSE(PathFileExistsA("D:\\file.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryA("\\\\server\\share\\dir", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_NETPATH));
    EXPECT_FALSE(CreateDirectoryA("C:\\bad|name", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    errno = 0;
    EXPECT_EQ(win32_fopen("D:\\file.txt", "wb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    // ".." never climbs above a drive's root, so nothing outside the root folder is reached.
    EXPECT_EQ(winsim::HostPath("C:\\..\\..\\etc"), (Root() / "etc").string());

    fs::path other = Root() / "other-drive";
    fs::create_directories(other);
    winsim::MapDrive('d', other.string());
    EXPECT_TRUE(CreateDirectoryA("D:\\Folder", nullptr));
    EXPECT_TRUE(fs::is_directory(other / "Folder"));
}

TEST_F(Files, CreateDirectoryReportsExistingAndMissingParents) {
    EXPECT_TRUE(CreateDirectoryA("C:\\New", nullptr));
    EXPECT_FALSE(CreateDirectoryA("C:\\new", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\Missing\\Child", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryA("C:\\", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(Files, CopyFileHonoursFailIfExistsAndReportsMissingPieces) {
    WriteHostFile(Root() / "a.jpg", "first");
    WriteHostFile(Root() / "b.jpg", "second");
    EXPECT_FALSE(CopyFileA("C:\\a.jpg", "C:\\B.JPG", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadHostFile(Root() / "b.jpg"), "second");
    EXPECT_TRUE(CopyFileA("C:\\a.jpg", "C:\\B.JPG", FALSE));
    EXPECT_EQ(ReadHostFile(Root() / "b.jpg"), "first");
    EXPECT_FALSE(fs::exists(Root() / "B.JPG")); // the existing name was reused

    EXPECT_FALSE(CopyFileA("C:\\none.jpg", "C:\\c.jpg", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileA("C:\\a.jpg", "C:\\nofolder\\c.jpg", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CopyFileA("C:\\a.jpg", "C:\\A.jpg", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadHostFile(Root() / "a.jpg"), "first");
}

TEST_F(Files, DeleteFileRemovesFilesOnly) {
    WriteHostFile(Root() / "tmp" / "ff.jpg", "x");
    EXPECT_FALSE(DeleteFileA("C:\\tmp"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileA("C:\\TMP\\FF.jpg"));
    EXPECT_FALSE(fs::exists(Root() / "tmp" / "ff.jpg"));
    EXPECT_FALSE(DeleteFileA("C:\\tmp\\ff.jpg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Files, CurrentDirectoryStartsInTheProgramFolderAndResolvesRelativeNames) {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Verbacap");
    EXPECT_EQ(length, std::string(buffer).size());
    char tiny[4];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof(tiny), tiny), length + 1);

    // The program's folder exists, so a folder can be made beside the executable.
    EXPECT_TRUE(CreateDirectoryA("tmp", nullptr));
    EXPECT_TRUE(fs::is_directory(Root() / "Program Files" / "Verbacap" / "tmp"));

    EXPECT_TRUE(CreateDirectoryA("C:\\Saved", nullptr));
    EXPECT_TRUE(SetCurrentDirectoryA("C:\\saved"));
    WriteHostFile(Root() / "x.jpg", "data");
    EXPECT_TRUE(CopyFileA("C:\\x.jpg", "copy.jpg", FALSE));
    EXPECT_EQ(ReadHostFile(Root() / "Saved" / "copy.jpg"), "data");
    EXPECT_TRUE(CopyFileA("\\x.jpg", "..\\rooted.jpg", FALSE));
    EXPECT_TRUE(fs::exists(Root() / "rooted.jpg"));

    EXPECT_FALSE(SetCurrentDirectoryA("C:\\x.jpg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\none"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    LPSTR name = nullptr;
    GetFullPathNameA("sub\\file.txt", MAX_PATH, buffer, &name);
    EXPECT_STREQ(buffer, "C:\\saved\\sub\\file.txt");
    EXPECT_STREQ(name, "file.txt");
}

TEST_F(Files, FopenMapsThePathAndChecksTheMode) {
    FILE* file = win32_fopen("C:\\Program Files\\VERBACAP\\out.jpg", "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("\xff\xd8 binary\n", file);
    std::fclose(file);
    EXPECT_EQ(ReadHostFile(Root() / "Program Files" / "Verbacap" / "out.jpg"), "\xff\xd8 binary\n");

    errno = 0;
    EXPECT_EQ(win32_fopen("C:\\Program Files", "rb"), nullptr);
    EXPECT_EQ(errno, EACCES);
    errno = 0;
    EXPECT_EQ(win32_fopen("C:\\x.jpg", "q"), nullptr);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(win32_fopen("C:\\nofolder\\x.jpg", "wb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

// Binary streams carry a large buffer of their own; what goes through it must come out whole
// and in place, whichever way the file is opened again.
TEST_F(Files, BinaryStreamsKeepEveryByteAndPosition) {
    std::string bytes;
    for (size_t i = 0; i < 600000; ++i) {
        bytes += static_cast<char>((i * 7) % 251);
    }
    FILE* file = win32_fopen("C:\\big.bin", "wb");
    ASSERT_NE(file, nullptr);
    for (size_t at = 0; at < bytes.size(); at += 4096) {
        const size_t piece = std::min<size_t>(4096, bytes.size() - at);
        ASSERT_EQ(std::fwrite(bytes.data() + at, 1, piece, file), piece);
    }
    EXPECT_EQ(std::ftell(file), static_cast<long>(bytes.size()));
    ASSERT_EQ(std::fclose(file), 0);
    EXPECT_EQ(ReadHostFile(Root() / "big.bin"), bytes);

    file = win32_fopen("C:\\big.bin", "ab");
    ASSERT_NE(file, nullptr);
    std::fputs("\r\nend", file);
    std::fclose(file);

    file = win32_fopen("C:\\big.bin", "r+b");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fseek(file, 300000, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(file), static_cast<unsigned char>(bytes[300000]));
    ASSERT_EQ(std::fseek(file, -5, SEEK_END), 0);
    EXPECT_EQ(std::ftell(file), static_cast<long>(bytes.size()));
    char tail[8] = {};
    EXPECT_EQ(std::fread(tail, 1, sizeof tail, file), 5u);
    EXPECT_STREQ(tail, "\r\nend");
    EXPECT_TRUE(std::feof(file));
    ASSERT_EQ(std::fseek(file, 0, SEEK_SET), 0);
    std::fputc('X', file);
    std::fclose(file);
    const std::string written = ReadHostFile(Root() / "big.bin");
    EXPECT_EQ(written.size(), bytes.size() + 5);
    EXPECT_EQ(written[0], 'X');
    EXPECT_EQ(written.substr(1, bytes.size() - 1), bytes.substr(1));
}

TEST_F(Files, TextModeTranslatesLineEndsAsTheWindowsRuntimeDoes) {
    FILE* file = win32_fopen("C:\\notes.txt", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("one\ntwo\n", file);
    std::fclose(file);
    EXPECT_EQ(ReadHostFile(Root() / "notes.txt"), "one\r\ntwo\r\n");

    WriteHostFile(Root() / "notes.txt", "a\r\nb\rc\x1Aignored");
    file = win32_fopen("C:\\notes.txt", "rt");
    ASSERT_NE(file, nullptr);
    char buffer[32] = {};
    size_t read = std::fread(buffer, 1, sizeof(buffer), file);
    std::fclose(file);
    EXPECT_EQ(std::string(buffer, read), "a\nb\rc");

    errno = 0;
    EXPECT_EQ(win32_fopen("C:\\notes.txt", "rbt"), nullptr);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(win32_fopen("C:\\notes.txt", "r, ccs=UTF-8"), nullptr);
    EXPECT_EQ(errno, EINVAL);
}

TEST(DoubleBytePaths, TrailBytesThatLookLikeBackslashesStayInTheName) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    std::string name = "C:\\\x95\x5c.txt"; // 表.txt
    FILE* file = win32_fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(fs::exists(fs::path(winsim::RootDir()) / "\xe8\xa1\xa8.txt"));
    EXPECT_TRUE(PathFileExistsA(name.c_str()));
}

TEST(Module, FileNameAndCommandLineComeFromTheConfiguration) {
    winsim::DesktopConfig config;
    config.exePath = "C:\\Tools\\Verbacap.exe";
    winsim::ResetDesktop(config);
    char buffer[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, MAX_PATH), 21u);
    EXPECT_STREQ(buffer, "C:\\Tools\\Verbacap.exe");
    EXPECT_STREQ(GetCommandLineA(), "\"C:\\Tools\\Verbacap.exe\"");
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, MAX_PATH), 21u);

    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), 8u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(small, "C:\\Tool");
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x4321), buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    config.commandLine = "C:\\Tools\\Verbacap.exe -autostart";
    winsim::ResetDesktop(config);
    EXPECT_STREQ(GetCommandLineA(), "C:\\Tools\\Verbacap.exe -autostart");
}

} // namespace
