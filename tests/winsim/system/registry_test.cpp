// The registry of the current user.
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY Create(const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

LONG SetString(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("winsim-registry-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        config_.rootDir = root_.string();
        winsim::ResetDesktop(config_);
    }
    void TearDown() override {
        winsim::ResetDesktop();
        std::filesystem::remove_all(root_);
    }
    std::filesystem::path root_;
    winsim::DesktopConfig config_;
};

TEST_F(Registry, StringValuesCountTheirZeroAndReportShortBuffers) {
    HKEY key = Create(kRun);
    std::string command = "C:\\Program Files\\Verbacap\\Verbacap.exe -autostart";
    ASSERT_EQ(SetString(key, "Verbacap", command), ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Verbacap", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, command.size() + 1);

    char small[10];
    size = sizeof(small);
    EXPECT_EQ(
        RegQueryValueExA(key, "Verbacap", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, command.size() + 1);

    char buffer[261] = {};
    size = 260;
    EXPECT_EQ(
        RegQueryValueExA(key, "VERBACAP", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer), command);
    EXPECT_EQ(
        RegQueryValueExA(key, "Other", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(winsim::RegistryOpenKeyCount(), 0u);
}

TEST_F(Registry, TheAccessAskedForIsEnforced) {
    RegCloseKey(Create(kRun));
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_QUERY_VALUE, &reader), ERROR_SUCCESS);
    EXPECT_EQ(SetString(reader, "Verbacap", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "Verbacap"), ERROR_ACCESS_DENIED);
    RegCloseKey(reader);

    HKEY writer = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_SET_VALUE, &writer), ERROR_SUCCESS);
    EXPECT_EQ(SetString(writer, "Verbacap", "x"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(writer, "Verbacap", nullptr, nullptr, nullptr, &size),
              ERROR_ACCESS_DENIED);
    // Making a subkey needs KEY_CREATE_SUB_KEY, which KEY_WRITE has and KEY_SET_VALUE lacks.
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(writer, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(writer);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_WRITE, &writer), ERROR_SUCCESS);
    DWORD disposition = 0;
    EXPECT_EQ(
        RegCreateKeyExA(writer, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &child, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(child);
    RegCloseKey(writer);
}

TEST_F(Registry, AFreshProfileHasTheRunKeyToSetAValueIn) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, "Verbacap", "C:\\V.exe -autostart"), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(Registry, MissingKeysValuesAndHandlesFailWithTheirCodes) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nothing", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x7777)), ERROR_INVALID_HANDLE);
    key = Create("Software\\Test");
    EXPECT_EQ(RegDeleteValueA(key, "none"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Test"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\test", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Verbacap", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
}

TEST_F(Registry, ValuesOutliveTheDesktopInItsFolder) {
    HKEY key = Create("Software\\Other Tool\\Current");
    ASSERT_EQ(SetString(key, nullptr, "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"),
              ERROR_SUCCESS);
    const BYTE binary[] = {0, '%', ' ', '\n', 0xFF};
    ASSERT_EQ(RegSetValueExA(key, "odd name %", 0, REG_BINARY, binary, sizeof(binary)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    HKEY scratch = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                    nullptr, &scratch, nullptr);
    RegCloseKey(scratch);

    winsim::ResetDesktop(config_);
    EXPECT_EQ(winsim::RegistryString("software\\other tool\\current", ""),
              "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme");
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Other Tool\\Current", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    BYTE read[16] = {};
    DWORD size = sizeof(read);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "ODD NAME %", nullptr, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, sizeof(binary));
    EXPECT_EQ(std::memcmp(read, binary, sizeof(binary)), 0);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Volatile", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ADamagedFileLosesOnlyWhatCannotBeRead) {
    {
        std::FILE* file = std::fopen((root_ / "registry.txt").c_str(), "wb");
        std::fputs("winsim registry 1\nK Software\\A\nV name 1 ok%00\nV broken\ngarbage\n"
                   "V bad 1 %G1\nK \nV x 1 y%00\n",
                   file);
        std::fclose(file);
    }
    winsim::ResetDesktop(config_);
    EXPECT_EQ(winsim::RegistryString("Software\\A", "name"), "ok");
    EXPECT_EQ(winsim::RegistryString("Software\\A", "bad"), std::nullopt);
}

} // namespace
