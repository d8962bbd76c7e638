// The start-with-Windows state: the Run value "Verbacap", read once the page has loaded.
#include "program_fixture.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void WriteRunValue(const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Verbacap", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
}

} // namespace

class AutostartStateTest : public ProgramTest {
protected:
    bool ReadStateAtStart() {
        static bool state;
        state = false;
        Step("read the state", [] { state = Dialog().IsAutostartOn(); });
        StepClose();
        RunProgram();
        return state;
    }
};

TEST_F(AutostartStateTest, OnlyTheProgramsOwnCommandReadsAsRegistered) {
    EXPECT_FALSE(ReadStateAtStart());

    // The unquoted form that earlier versions wrote, and the quoted one written now.
    WriteRunValue("C:\\Program Files\\Verbacap\\Verbacap.exe -autostart");
    EXPECT_TRUE(ReadStateAtStart());
    WriteRunValue("\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
    EXPECT_TRUE(ReadStateAtStart());

    WriteRunValue("\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart -x");
    EXPECT_FALSE(ReadStateAtStart());
    WriteRunValue("\"C:\\Program Files\\Verbacap\\Verbacap.exe -autostart");
    EXPECT_FALSE(ReadStateAtStart());
    WriteRunValue("C:\\Program Files\\Verbacap\\VERBACAP.exe -autostart");
    EXPECT_FALSE(ReadStateAtStart());
    WriteRunValue("C:\\Old\\Verbacap.exe -autostart");
    EXPECT_FALSE(ReadStateAtStart());
    // The program's own run never changes the value.
    EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"), "C:\\Old\\Verbacap.exe -autostart");
}

TEST_F(AutostartStateTest, ACommandTooLongForTheBufferReadsAsOff) {
    const std::string folder = "C:\\" + std::string(240, 'v');
    config_.exePath = folder + "\\Verbacap.exe";
    NewDesktop("");
    ASSERT_GT(config_.exePath.size() + 11, 259u);
    WriteRunValue(config_.exePath + " -autostart");
    EXPECT_FALSE(ReadStateAtStart());
}

TEST_F(AutostartStateTest, SettingItWritesAndDeletesTheValue) {
    // Windows always has the Run key; the value is what comes and goes.
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    Step("register and unregister", [] {
        Dialog().SetAutostart(true);
        EXPECT_TRUE(Dialog().IsAutostartOn());
        // A path with a blank is quoted, so that Windows cannot take "C:\\Program" for the
        // program.
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"),
                  "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
        Dialog().SetAutostart(false);
        EXPECT_FALSE(Dialog().IsAutostartOn());
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"), std::nullopt);
        EXPECT_EQ(winsim::RegistryOpenKeyCount(), 0u);
    });
    StepClose();
    RunProgram();
}

TEST_F(AutostartStateTest, APathWithoutBlanksIsWrittenUnquoted) {
    config_.exePath = "C:\\Tools\\Verbacap.exe";
    NewDesktop("");
    Step("register", [] {
        Dialog().SetAutostart(true);
        EXPECT_TRUE(Dialog().IsAutostartOn());
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"),
                  "C:\\Tools\\Verbacap.exe -autostart");
    });
    StepClose();
    RunProgram();
}

TEST_F(AutostartStateTest, AMovedProgramReadsAsOffAndTheCommandRewritesTheValue) {
    WriteRunValue("C:\\Old\\Verbacap.exe -autostart");
    Step("off, then the command", [] {
        EXPECT_FALSE(Dialog().IsAutostartOn());
        ::SendMessageA(Dialog().m_hWnd, WM_COMMAND, ID_AUTOSTART, 0);
        EXPECT_TRUE(Dialog().IsAutostartOn());
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"),
                  "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
    });
    StepClose();
    RunProgram();
}
