// Start-up, the settings file and the end of a run, seen from the desktop.
#include "program_fixture.h"

namespace {

bool CopyAllChecked() {
    CHtmlElementPtr box = ProgramTest::Dialog().GetElement("chkCopyAll");
    return box != nullptr && box->GetChecked();
}

// The desktop's record of what the person saw includes a window appearing.
bool AnyWindowShown(const std::vector<std::string>& events) {
    for (const std::string& event : events) {
        if (event.find("' shown") != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST_F(ProgramTest, FirstStartWithoutIniShowsDefaultsAndWritesThemAtTheEnd) {
    Step("look at the main window", [] {
        CQuilloryTextDlg& dialog = Dialog();
        EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd));
        EXPECT_EQ(HotKeyOf(dialog.GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('C', HOTKEYF_ALT)));
        EXPECT_FALSE(dialog.IsCopyAllOn());
        EXPECT_FALSE(CopyAllChecked());
        EXPECT_FALSE(dialog.IsMinimizeToTrayOn());
        EXPECT_TRUE(winsim::TrayIcons().empty());
        // Alt+C is ours now.
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
        EXPECT_NE(::GlobalFindAtomA("QuilloryHotKey"), 0);
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);

    EXPECT_EQ(ReadSetting("VK"), "67");
    EXPECT_EQ(ReadSetting("Mod"), "4");
    EXPECT_EQ(ReadSetting("CopyAll"), "0");
    EXPECT_EQ(ReadSetting("MinimizeToTray"), "0");
    // Everything the run held is given back.
    EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    EXPECT_EQ(::GlobalFindAtomA("QuilloryHotKey"), 0);
    EXPECT_TRUE(winsim::TopLevelWindows().empty());
}

TEST_F(ProgramTest, OptionsAreOnOnlyWhenStoredAsExactlyOne) {
    WriteSetting("CopyAll", "2");
    WriteSetting("MinimizeToTray", "-1");
    Step("look at the options", [] {
        EXPECT_FALSE(Dialog().IsCopyAllOn());
        EXPECT_FALSE(CopyAllChecked());
        EXPECT_FALSE(Dialog().IsMinimizeToTrayOn());
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("CopyAll"), "0");
    EXPECT_EQ(ReadSetting("MinimizeToTray"), "0");
}

// A hot-key setting outside its range would leave the control without a usable key, and be
// written back so that it stayed broken.
TEST_F(ProgramTest, HotKeySettingsOutOfRangeReadAsAltC) {
    WriteSetting("VK", "99999");
    WriteSetting("Mod", "255");
    Step("look at the hot-key", [] {
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('C', HOTKEYF_ALT)));
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), "67");
    EXPECT_EQ(ReadSetting("Mod"), "4");
}

TEST_F(ProgramTest, HotKeySettingsAtTheEndsOfTheirRangesStayAndBelowThemReadAsDefaults) {
    WriteSetting("VK", "-1");
    WriteSetting("Mod", "15");
    Step("look at the hot-key", [] {
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()), static_cast<DWORD>(MAKEWORD('C', 15)));
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), "67");
    EXPECT_EQ(ReadSetting("Mod"), "15");
}

TEST_F(ProgramTest, StoredSettingsComeBackAndTheCheckboxChangesTheOption) {
    WriteSetting("CopyAll", "1");
    WriteSetting("VK", "88");
    WriteSetting("Mod", "3");
    Step("look at the stored settings", [] {
        EXPECT_TRUE(Dialog().IsCopyAllOn());
        EXPECT_TRUE(CopyAllChecked());
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT)));
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL | MOD_SHIFT, 'X'));
    });
    Step("uncheck 'Copier tout le dialogue'", [] {
        RECT box = {};
        Dialog().GetHtmlView()->GetElementScreenRect(Dialog().GetElement("chkCopyAll"), &box);
        winsim::Click({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    });
    Step("look at the option", [] {
        EXPECT_FALSE(CopyAllChecked());
        EXPECT_FALSE(Dialog().IsCopyAllOn());
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("CopyAll"), "0");
    EXPECT_EQ(ReadSetting("VK"), "88");
    EXPECT_EQ(ReadSetting("Mod"), "3");
}

TEST_F(ProgramTest, WithTheTrayOptionTheCloseBoxHidesTheWindowAndQuitEndsTheRun) {
    WriteSetting("MinimizeToTray", "1");
    StepClose();
    Step("look at the desktop", [] {
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        ASSERT_EQ(winsim::TrayIcons().size(), 1u);
        EXPECT_EQ(winsim::TrayIcons()[0].tip, "Verbacap");
        EXPECT_EQ(winsim::TrayIcons()[0].callbackMessage, WM_TRAYNOTIFY);
        // The hot-key stays registered while the window is hidden.
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    });
    Step("quit", [] { Dialog().SendMessage(WM_COMMAND, ID_APP_QUIT); });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(winsim::TrayIcons().empty());
    EXPECT_EQ(ReadSetting("MinimizeToTray"), "1");
}

TEST_F(ProgramTest, AutostartSwitchAtTheVeryEndStartsHiddenInTheTray) {
    NewDesktop("\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
    winsim::TakeUserEvents();
    Step("look at the desktop", [] {
        // Not even for a moment: neither the template nor the dialog loop's first idle.
        EXPECT_FALSE(AnyWindowShown(winsim::TakeUserEvents()));
        EXPECT_FALSE(Dialog().IsShown());
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_NE(::GetForegroundWindow(), Dialog().m_hWnd);
        ASSERT_EQ(winsim::TrayIcons().size(), 1u);
        EXPECT_EQ(winsim::TrayIcons()[0].window, Dialog().m_hWnd);
        EXPECT_EQ(winsim::TrayIcons()[0].id, 100u);
        // Whoever else shows it, it stays in the tray.
        ::ShowWindow(Dialog().m_hWnd, SW_SHOWNORMAL);
        ::SetWindowPos(Dialog().m_hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        winsim::ClickTrayIcon(Dialog().m_hWnd, 100, 0);
    });
    Step("restored by the icon", [] {
        EXPECT_TRUE(Dialog().IsShown());
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_EQ(::GetForegroundWindow(), Dialog().m_hWnd);
        EXPECT_TRUE(winsim::TrayIcons().empty());
        Dialog().HideToTray();
    });
    Step("quit", [] { Dialog().SendMessage(WM_COMMAND, ID_APP_QUIT); });
    RunProgram();
    // Quitting removes the icon even though the tray option is off.
    EXPECT_TRUE(winsim::TrayIcons().empty());
}

class AutostartVariantTest : public ProgramTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(AutostartVariantTest, StartsShown) {
    NewDesktop(GetParam());
    Step("look at the desktop", [] {
        EXPECT_TRUE(Dialog().IsShown());
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_TRUE(winsim::TrayIcons().empty());
    });
    StepClose();
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(
    AnythingButTheExactEnd, AutostartVariantTest,
    ::testing::Values("\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart ",
                      "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -AUTOSTART",
                      "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart -x", "V.exe"));
