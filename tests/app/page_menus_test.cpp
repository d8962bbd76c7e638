// The page's menu titles "Fonctions" and "Aide", their popups and the commands they carry.
#include "page_dialog.h"
#include "tests/support/geometry.h"

#include <algorithm>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Class names are plain ASCII.
std::string ClassOf(const char* id) {
    std::string name;
    for (auto ch : ProgramTest::Dialog().GetElement(id)->GetClassName()) {
        name += static_cast<char>(ch);
    }
    return name;
}

// The title's centre on the screen.
POINT TitleCentre(const char* id) {
    CRect rect = ProgramTest::Dialog().GetElementRect(id);
    ProgramTest::Dialog().ClientToScreen(&rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

const winsim::MenuItemView* Item(const std::vector<winsim::MenuItemView>& items, UINT id) {
    auto found = std::find_if(items.begin(), items.end(),
                              [id](const winsim::MenuItemView& item) { return item.id == id; });
    return found == items.end() ? nullptr : &*found;
}

bool Checked(UINT id) {
    std::vector<winsim::MenuItemView> items = winsim::MenuItems();
    const winsim::MenuItemView* item = Item(items, id);
    return item != nullptr && item->checked;
}

// The popup window that shows the open menu.
HWND MenuWindow() {
    for (HWND window : winsim::TopLevelWindows()) {
        if (winsim::ClassNameOf(window) == "#32768") {
            return window;
        }
    }
    return nullptr;
}

} // namespace

class PageMenusTest : public ProgramTest {
protected:
    // Queues a click on a title, then `inMenu` while its popup is open.
    void OpenAndThen(const char* title, std::function<void()> inMenu) {
        Step("click the title", [title] { winsim::Click(TitleCentre(title)); });
        Step("in the menu", std::move(inMenu));
    }
};

TEST_F(PageMenusTest, HoverAndEscLeaveFunctionsAtRestAndRunNothing) {
    static int menusBefore;
    Step("hover Fonctions", [] { winsim::MovePointer(TitleCentre("menu")); });
    Step("lit, then move away", [] {
        EXPECT_EQ(ClassOf("menu"), "menu_over");
        EXPECT_EQ(ClassOf("menuHelp"), "menu_out");
        menusBefore = winsim::MenusOpened();
        winsim::MovePointer(TitleCentre("tblTexts"));
    });
    Step("at rest", [] { EXPECT_EQ(ClassOf("menu"), "menu_out"); });
    OpenAndThen("menu", [] {
        EXPECT_EQ(winsim::MenusOpened(), menusBefore + 1);
        EXPECT_TRUE(Dialog().IsMenuOpen());
        // Lit while open, even with the pointer elsewhere.
        EXPECT_EQ(ClassOf("menu"), "menu_over");
        // The popup hangs from the title's bottom left corner.
        CRect title = Dialog().GetElementRect("menu");
        Dialog().ClientToScreen(&title);
        RECT popup = {};
        ::GetWindowRect(MenuWindow(), &popup);
        EXPECT_EQ((POINT{popup.left, popup.top}), (POINT{title.left, title.bottom}));
        winsim::PressKeys("Esc");
    });
    Step("after Esc", [] {
        EXPECT_FALSE(winsim::IsMenuOpen());
        EXPECT_FALSE(Dialog().IsMenuOpen());
        EXPECT_EQ(ClassOf("menu"), "menu_out");
        EXPECT_FALSE(Dialog().IsMinimizeToTrayOn());
        EXPECT_FALSE(Dialog().IsAutostartOn());
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(PageMenusTest, CheckMarksShowTheStateOfEachOpening) {
    Step("turn two options on", [] {
        ChooseCommand(ID_MINIMIZE_TO_TRAY);
        ::PostMessageA(Dialog().m_hWnd, WM_COMMAND, ID_AUTOCAPTURE, 0);
    });
    Step("start auto-capture", [] { ClickElement(*OpenPageDialog(), "ButtonOK"); });
    OpenAndThen("menu", [] {
        EXPECT_TRUE(Checked(ID_AUTOCAPTURE));
        EXPECT_TRUE(Checked(ID_MINIMIZE_TO_TRAY));
        EXPECT_FALSE(Checked(ID_AUTOSTART));
        EXPECT_FALSE(Checked(ID_APP_QUIT));
        winsim::ChooseMenuItem("Minimiser dans la barre de tray");
    });
    Step("the option went off", [] {
        EXPECT_FALSE(Dialog().IsMinimizeToTrayOn());
        ChooseCommand(ID_AUTOCAPTURE); // stops it
    });
    OpenAndThen("menu", [] {
        EXPECT_FALSE(Checked(ID_AUTOCAPTURE));
        EXPECT_FALSE(Checked(ID_MINIMIZE_TO_TRAY));
        winsim::CloseMenu();
    });
    // With the option off, the close box ends the program.
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ReadSetting("MinimizeToTray"), "0");
}

TEST_F(PageMenusTest, AutostartTwiceReturnsToTheFirstStateAndTheMarkFollows) {
    OpenAndThen("menu", [] { winsim::ChooseMenuItem(ID_AUTOSTART); });
    Step("registered", [] {
        EXPECT_TRUE(Dialog().IsAutostartOn());
        // The default path has a blank: it is quoted.
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"),
                  "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
    });
    OpenAndThen("menu", [] {
        EXPECT_TRUE(Checked(ID_AUTOSTART));
        winsim::ChooseMenuItem("D\xe9marrer Verbacap avec Windows");
    });
    Step("unregistered", [] {
        EXPECT_FALSE(Dialog().IsAutostartOn());
        EXPECT_EQ(winsim::RegistryString(kRunKey, "Verbacap"), std::nullopt);
    });
    OpenAndThen("menu", [] {
        EXPECT_FALSE(Checked(ID_AUTOSTART));
        winsim::ChooseMenuItem("&Quitter");
    });
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(PageMenusTest, AFailedRegistrationLeavesTheMarkOff) {
    // Without the Run key nothing can be written.
    ASSERT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, kRunKey), ERROR_SUCCESS);
    OpenAndThen("menu", [] { winsim::ChooseMenuItem(ID_AUTOSTART); });
    Step("still off", [] { EXPECT_FALSE(Dialog().IsAutostartOn()); });
    OpenAndThen("menu", [] {
        EXPECT_FALSE(Checked(ID_AUTOSTART));
        winsim::ChooseMenuItem(ID_APP_QUIT);
    });
    EXPECT_EQ(RunProgram(), 0);
}
