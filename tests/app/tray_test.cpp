// The main window in the notification area: minimise to the tray, the icon's clicks, the tray
// menu and its commands.
#include "page_dialog.h"

#include <algorithm>

namespace {

const char kAutostartLine[] = "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart";

std::vector<winsim::TrayIcon> Icons() {
    return winsim::TrayIcons();
}

void ClickIcon(int button) {
    std::vector<winsim::TrayIcon> icons = Icons();
    ASSERT_EQ(icons.size(), 1u);
    winsim::ClickTrayIcon(icons[0].window, icons[0].id, button);
}

const winsim::MenuItemView* Item(const std::vector<winsim::MenuItemView>& items, UINT id) {
    auto found = std::find_if(items.begin(), items.end(),
                              [id](const winsim::MenuItemView& item) { return item.id == id; });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

class TrayTest : public ProgramTest {};

TEST_F(TrayTest, MinimiseHidesInTheTrayOnlyWithTheOptionOn) {
    Step("minimise with the option off",
         [] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTMINBUTTON); });
    Step("on the taskbar, no icon", [] {
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_TRUE(::IsIconic(Dialog().m_hWnd));
        EXPECT_TRUE(Icons().empty());
        EXPECT_TRUE(Dialog().IsShown());
        ::ShowWindow(Dialog().m_hWnd, SW_RESTORE);
        ChooseCommand(ID_MINIMIZE_TO_TRAY);
    });
    Step("minimise with the option on",
         [] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTMINBUTTON); });
    Step("hidden, with the icon", [] {
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_FALSE(Dialog().IsShown());
        std::vector<winsim::TrayIcon> icons = Icons();
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_EQ(icons[0].tip, "Verbacap");
        EXPECT_EQ(icons[0].window, Dialog().m_hWnd);
    });
    Step("left click on the icon", [] { ClickIcon(0); });
    Step("back in front, no icon", [] {
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_FALSE(::IsIconic(Dialog().m_hWnd));
        EXPECT_TRUE(Dialog().IsShown());
        EXPECT_TRUE(Icons().empty());
        EXPECT_EQ(::GetForegroundWindow(), Dialog().m_hWnd);
        EXPECT_EQ(::GetWindowLongA(Dialog().m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        ChooseCommand(ID_MINIMIZE_TO_TRAY);
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(TrayTest, TheTrayMenuShowsTheStateAndTurningTheOptionOffKeepsTheWindowHidden) {
    Step("turn two options on", [] {
        ChooseCommand(ID_MINIMIZE_TO_TRAY);
        ::PostMessageA(Dialog().m_hWnd, WM_COMMAND, ID_AUTOCAPTURE, 0);
    });
    Step("start auto-capture", [] { ClickElement(*OpenPageDialog(), "ButtonOK"); });
    Step("hide in the tray", [] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTCLOSE); });
    Step("right click on the icon", [] { ClickIcon(1); });
    Step("in the tray menu", [] {
        ASSERT_TRUE(winsim::IsMenuOpen());
        std::vector<winsim::MenuItemView> items = winsim::MenuItems();
        ASSERT_EQ(items.size(), 7u);
        EXPECT_EQ(items[0].id, static_cast<UINT>(ID_TRAY_SHOW));
        EXPECT_TRUE(items[0].isDefault);
        EXPECT_TRUE(Item(items, ID_AUTOCAPTURE)->checked);
        EXPECT_TRUE(Item(items, ID_MINIMIZE_TO_TRAY)->checked);
        EXPECT_FALSE(Item(items, ID_AUTOSTART)->checked);
        EXPECT_FALSE(Item(items, ID_APP_QUIT)->isDefault);
        // Its right edge at the pointer.
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        for (HWND window : winsim::TopLevelWindows()) {
            if (winsim::ClassNameOf(window) == "#32768") {
                RECT rect = {};
                ::GetWindowRect(window, &rect);
                EXPECT_EQ(rect.right, cursor.x);
            }
        }
        ChooseCommand(ID_AUTOCAPTURE); // stops it
        winsim::ChooseMenuItem(ID_MINIMIZE_TO_TRAY);
    });
    Step("the option is off, the window still hidden", [] {
        EXPECT_FALSE(Dialog().IsMinimizeToTrayOn());
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_EQ(Icons().size(), 1u);
        ClickIcon(1);
    });
    Step("the marks of now", [] {
        std::vector<winsim::MenuItemView> items = winsim::MenuItems();
        EXPECT_FALSE(Item(items, ID_AUTOCAPTURE)->checked);
        EXPECT_FALSE(Item(items, ID_MINIMIZE_TO_TRAY)->checked);
        winsim::ChooseMenuItem("&Afficher Verbacap");
    });
    Step("shown again", [] {
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_TRUE(Icons().empty());
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(TrayTest, OtherMouseMessagesOfTheIconAreIgnored) {
    Step("hide in the tray", [] { Dialog().HideToTray(); });
    Step("moves, releases and double clicks", [] {
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK}) {
            ::SendMessageA(Dialog().m_hWnd, WM_TRAYNOTIFY, 100, message);
        }
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_FALSE(winsim::IsMenuOpen());
        EXPECT_EQ(Icons().size(), 1u);
        Dialog().RestoreFromTray();
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(TrayTest, QuittingFromTheTrayAfterAnAutostartRemovesTheIconAndThePictures) {
    NewDesktop(kAutostartLine);
    static CString picture;
    Step("another program's message box, and the hot-key", [] {
        EXPECT_FALSE(::IsWindowVisible(Dialog().m_hWnd));
        EXPECT_EQ(Icons().size(), 1u);
        winsim::ShowOtherProgramMessageBox("Erreur", "Disque plein");
        winsim::PressKeys("Alt+C");
    });
    Step("captured while hidden", [] {
        ASSERT_EQ(Dialog().GetEntryCount(), 1);
        picture = Dialog().GetEntryAt(0)->m_strImagePath;
        EXPECT_TRUE(::PathFileExistsA(picture));
        ClickIcon(1);
    });
    Step("quit", [] { winsim::ChooseMenuItem("&Quitter"); });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(Icons().empty());
    EXPECT_FALSE(::PathFileExistsA(picture));
}
