#include "framework/CWinApp.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class RecordingApp : public CWinApp {
public:
    explicit RecordingApp(LPCSTR name = nullptr) : CWinApp(name) {}
    std::string commandLine;
    int initCount = 0;
    BOOL InitInstance() override {
        ++initCount;
        commandLine = m_lpCmdLine;
        return FALSE;
    }
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::DesktopConfig config;
        config.commandLine = "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart";
        winsim::ResetDesktop(config);
    }
};

TEST_F(AppTest, NamesComeFromTheExecutableWhenNoneIsGiven) {
    RecordingApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_EQ(app.initCount, 1);
    EXPECT_EQ(app.commandLine, "-autostart");
    EXPECT_STREQ("Verbacap", app.m_pszExeName);
    EXPECT_STREQ("Verbacap", app.m_pszAppName);
    EXPECT_STREQ("Verbacap.INI", app.m_pszProfileName);
    EXPECT_STREQ("C:\\Program Files\\Verbacap\\Verbacap.HLP", app.m_pszHelpFilePath);
    EXPECT_STREQ("Verbacap", AfxGetAppName());
    EXPECT_EQ(GetModuleHandleA(nullptr), app.m_hInstance);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(AppTest, AGivenNameIsKept) {
    RecordingApp app("Autre");
    AfxRunApplication();
    EXPECT_STREQ("Autre", app.m_pszAppName);
    EXPECT_STREQ("Verbacap.INI", app.m_pszProfileName);
}

TEST_F(AppTest, TheProgramNameIsSkippedQuotedOrNot) {
    char quoted[] = "\"C:\\A B\\x.exe\"   -autostart";
    EXPECT_STREQ("-autostart", AfxSkipProgramName(quoted));
    char plain[] = "x.exe a b";
    EXPECT_STREQ("a b", AfxSkipProgramName(plain));
    char alone[] = "x.exe";
    EXPECT_STREQ("", AfxSkipProgramName(alone));
    char unterminated[] = "\"C:\\x.exe";
    EXPECT_STREQ("", AfxSkipProgramName(unterminated));
}

TEST_F(AppTest, ProfileRoundTripsWithDefaultsInTheWindowsFolder) {
    RecordingApp app;
    AfxRunApplication();
    EXPECT_EQ(app.GetProfileInt("Settings", "VK", 67), 67u);
    EXPECT_EQ(app.GetProfileString("Settings", "AsFreq", "5"), "5");
    EXPECT_EQ(app.GetProfileString("Settings", "AsFreq"), "");

    EXPECT_TRUE(app.WriteProfileInt("Settings", "VK", 88));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Neg", -3));
    EXPECT_TRUE(app.WriteProfileString("Settings", "AsFreq", "2.5"));
    EXPECT_EQ(app.GetProfileInt("Settings", "VK", 67), 88u);
    EXPECT_EQ(app.GetProfileInt("Settings", "Neg", 0), static_cast<UINT>(-3));
    EXPECT_EQ(app.GetProfileString("Settings", "AsFreq", "5"), "2.5");

    // The file is the executable's name with ".INI", in the Windows folder, integers as text.
    char text[32] = {};
    GetPrivateProfileStringA("Settings", "VK", "", text, sizeof text, "C:\\WINDOWS\\Verbacap.INI");
    EXPECT_STREQ("88", text);
}

} // namespace
