#include "dialog_template.h"
#include "scenario_fixture.h"

#include "player/ProgramWindows.h"

#include <winsim/sim_user.h>
#include <winsim/windows.h>

#include "htmlview/HtmlView.h"

#include <cstring>
#include <vector>

namespace player {
namespace {

// A program whose main window is a modal dialog with a caption, system menu, minimise and
// maximise boxes; Alt+C is its hot-key, and closing the window ends the program.
class DialogProgram {
public:
    int Run() {
        std::vector<WORD> words;
        auto dword = [&](DWORD value) {
            words.push_back(LOWORD(value));
            words.push_back(HIWORD(value));
        };
        dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE);
        dword(0);
        for (WORD value : {0, 10, 10, 200, 120, 0, 0}) { // items, x, y, cx, cy, menu, class
            words.push_back(value);
        }
        for (char c : std::string("Fake")) {
            words.push_back(static_cast<WORD>(c));
        }
        words.push_back(0);
        return static_cast<int>(DialogBoxIndirectParamA(
            GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), nullptr,
            &DialogProgram::Procedure, reinterpret_cast<LPARAM>(this)));
    }

    int hotKeys = 0;
    bool menuOnHotKey = false;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        static DialogProgram* self = nullptr;
        switch (message) {
        case WM_INITDIALOG:
            self = reinterpret_cast<DialogProgram*>(lParam);
            RegisterHotKey(dialog, 1, MOD_ALT, 'C');
            return TRUE;
        case WM_HOTKEY:
            ++self->hotKeys;
            if (self->menuOnHotKey) {
                HMENU menu = CreatePopupMenu();
                AppendMenuA(menu, MF_STRING, 130, "&Copier le texte\tCtrl+C");
                AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                AppendMenuA(menu, MF_STRING, 132, "Quitter\t[Esc]");
                TrackPopupMenu(menu, TPM_LEFTALIGN, 100, 100, 0, dialog, nullptr);
                DestroyMenu(menu);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                UnregisterHotKey(dialog, 1);
                EndDialog(dialog, 7);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

// A stand-in for the page: a window of the browser control's class that takes the focus when
// clicked, as the control does.
LRESULT CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        SetFocus(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A main window like the program's: a hot-key field laid over a page.
class HotKeyFieldProgram {
public:
    int Run() {
        WNDCLASSA page = {};
        page.lpfnWndProc = PageProcedure;
        page.hInstance = GetModuleHandleA(nullptr);
        page.lpszClassName = htmlview::kHtmlViewClassName;
        RegisterClassA(&page);
        TemplateWriter writer;
        writer.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
        writer.Dword(0);
        for (WORD value : {2, 0, 0, 300, 200, 0, 0}) { // items, x, y, cx, cy, menu, class
            writer.Word(value);
        }
        writer.Text("Verbacap");
        writer.Item(WS_BORDER, 100, 90, 80, 14, 1000, "msctls_hotkey32");
        writer.Item(0, 0, 0, 300, 200, 1001, htmlview::kHtmlViewClassName);
        return static_cast<int>(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.Get(),
                                                        nullptr, &HotKeyFieldProgram::Procedure,
                                                        reinterpret_cast<LPARAM>(this)));
    }

    LRESULT hotKey = 0;
    bool pageHadFocus = false;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        static HotKeyFieldProgram* self = nullptr;
        switch (message) {
        case WM_INITDIALOG:
            self = reinterpret_cast<HotKeyFieldProgram*>(lParam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                self->hotKey = SendDlgItemMessageA(dialog, 1000, HKM_GETHOTKEY, 0, 0);
                self->pageHadFocus = GetFocus() == GetDlgItem(dialog, 1001);
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

class UserVerbsTest : public ScenarioFixture {
protected:
    RunResult RunDialog(const Scenario& scenario) {
        RunOptions options;
        options.outDir = OwnTestDir("out");
        ProgramEntry entry = [this] { return dialogProgram.Run(); };
        RunResult result = RunScenario(scenario, options, entry, transcript);
        // A run that stopped inside the program leaves its window behind, as a process that
        // ended would not: take it down with what it holds.
        if (HWND main = ProgramMainWindow()) {
            DestroyWindow(main);
        }
        return result;
    }

    DialogProgram dialogProgram;
};

TEST_F(UserVerbsTest, WindowCommandsActOnTheProgramsMainWindow) {
    Scenario scenario = Parse("start\n"
                              "expect visible yes\n"
                              "minimize\n"
                              "restore\n"
                              "maximize\n"
                              "restore\n"
                              "close\n"
                              "expect running no\n"
                              "expect visible no\n");
    RunResult result = RunDialog(scenario);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason << "\n" << console.str();
    EXPECT_NE(console.str().find("1: start  ->  window 'Fake' shown"), std::string::npos)
        << console.str();
    // Closing tells of the window once: hidden (when the desktop says so), or closed.
    size_t closeLine = console.str().find("7: close  ->  window 'Fake' ");
    ASSERT_NE(closeLine, std::string::npos) << console.str();
    std::string line =
        console.str().substr(closeLine, console.str().find('\n', closeLine) - closeLine);
    EXPECT_EQ(line.find("'Fake'"), line.rfind("'Fake'")) << line;
}

TEST_F(UserVerbsTest, AProgramLeftWaitingFailsNamingItsLoopUnlessStatedRunning) {
    RunResult open = RunDialog(Parse("start\nkey Alt+C\n"));
    EXPECT_FALSE(open.passed);
    EXPECT_EQ(open.line, 2);
    EXPECT_NE(open.reason.find("the program waits for input in"), std::string::npos);
    EXPECT_EQ(dialogProgram.hotKeys, 1);

    winsim::ResetDesktop();
    RunResult stated = RunDialog(Parse("start\nexpect running yes\nkey Alt+C\n"));
    EXPECT_TRUE(stated.passed) << stated.reason;
    // The run stopped inside the program: its window is gone with the desktop's next reset,
    // and a new run starts afresh.
    winsim::ResetDesktop();
    RunResult again = RunDialog(Parse("start\nclose\nexpect running no\n"));
    EXPECT_TRUE(again.passed) << again.reason;
}

TEST_F(UserVerbsTest, WindowCommandsThatCannotBeDoneFail) {
    RunResult restore = RunDialog(Parse("start\nrestore\n"));
    EXPECT_EQ(restore.line, 2);
    EXPECT_EQ(restore.reason, "the main window is neither minimized nor maximized");

    winsim::ResetDesktop();
    RunResult none = RunDialog(Parse("close\n"));
    EXPECT_EQ(none.reason, "the program shows no main window");
}

TEST_F(UserVerbsTest, KeysReachTheProgramAndTakenHotKeysAreRefused) {
    Scenario scenario = Parse("start\nkey Alt+C\nkey Alt+D\nkey Alt+C\nclose\n");
    RunResult result = RunDialog(scenario);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason;
    EXPECT_EQ(dialogProgram.hotKeys, 2);

    winsim::ResetDesktop();
    RunResult taken = RunDialog(Parse("hotkey-taken Ctrl+Shift+X\nhotkey-taken ctrl+shift+x\n"));
    EXPECT_EQ(taken.line, 2);
    EXPECT_EQ(taken.reason, "the hot-key ctrl+shift+x is held already");
}

TEST_F(UserVerbsTest, TheTranscriptNamesTheItemsOfAMenuThatOpened) {
    dialogProgram.menuOnHotKey = true;
    Scenario scenario = Parse("start\nkey Alt+C\n");
    Add(scenario, "close the menu", [](ScenarioRun&) { winsim::CloseMenu(); });
    Append(scenario, "close\n");
    RunResult result = RunDialog(scenario);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason;
    EXPECT_NE(
        console.str().find(
            "2: key Alt+C  ->  menu opened: 'Copier le texte' | 'Quitter'\n3: close the menu\n"),
        std::string::npos)
        << console.str();
}

TEST_F(UserVerbsTest, MenuItemsAreNamedByIdOrTextWithOrWithoutMarksAndTabPart) {
    dialogProgram.menuOnHotKey = true;
    RunResult result = RunDialog(Parse("start\nkey Alt+C\n"
                                       "expect menu 130 unchecked\n"
                                       "expect menu 'Copier le texte' unchecked\n"
                                       "expect menu '&Copier le texte' unchecked\n"
                                       "expect menu \"&Copier le texte\\tCtrl+C\" unchecked\n"
                                       "menu Quitter\n"
                                       "expect menu 132 unchecked\n"
                                       "key Alt+C\nmenu esc\nclose\n"));
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason << "\n" << console.str();

    const char* failing[][2] = {
        {"start\nkey Alt+C\nexpect menu 'Coller' checked\n", "the menu has no item 'Coller'"},
        {"start\nkey Alt+C\nexpect menu 130 checked\n",
         "the item 'Copier le texte' is not checked"},
        {"start\nkey Alt+C\nexpect menu 130 default\n",
         "the item 'Copier le texte' is not the default item"},
        {"start\nkey Alt+C\nmenu 999\n", "the open menu has no item 999"},
        {"start\nmenu Esc\n", "no menu is open"},
        {"start\nexpect menu 130 checked\n", "no menu has been opened"},
        {"start\ntray left\n", "the program shows no tray icon"},
    };
    for (const auto& [text, reason] : failing) {
        winsim::ResetDesktop();
        RunResult failed = RunDialog(Parse(text));
        EXPECT_FALSE(failed.passed) << text;
        EXPECT_EQ(failed.reason, reason) << text;
    }
}

TEST_F(UserVerbsTest, OtherProgramsShowMessageBoxesAndDialogs) {
    Scenario scenario = Parse("msgbox Erreur \"Le fichier est introuvable.\"\n"
                              "answer ok\n"
                              "dialog Options Texte { Enfant1 Enfant2 } OK\n"
                              "foreground none\n"
                              "foreground last\n");
    HWND dialog = nullptr;
    Add(scenario, "look", [&](ScenarioRun& run) { dialog = run.LastOpened(); });
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason;
    EXPECT_NE(console.str().find("1: msgbox Erreur 'Le fichier est introuvable.'  ->  message box "
                                 "'Erreur': Le fichier est introuvable.\n2: answer ok  ->  window "
                                 "'Erreur' closed\n"),
              std::string::npos)
        << console.str();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetForegroundWindow(), dialog);
    EXPECT_EQ(winsim::TextOf(dialog), "Options");
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(winsim::TextOf(child));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Texte", "OK"}));
    HWND parent = GetWindow(dialog, GW_CHILD);
    HWND grandchild = GetWindow(parent, GW_CHILD);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(winsim::TextOf(grandchild), "Enfant1");

    winsim::ResetDesktop();
    RunResult noBox = Run(Parse("answer ok\n"));
    EXPECT_EQ(noBox.reason, "no message box is open");
    winsim::ResetDesktop();
    RunResult noLast = Run(Parse("foreground last\n"));
    EXPECT_EQ(noLast.reason, "no window opened by a step is open");
}

TEST_F(UserVerbsTest, WaitLetsTheClockRun) {
    Scenario scenario;
    DWORD before = 0;
    Add(scenario, "before", [&](ScenarioRun&) { before = GetTickCount(); });
    Append(scenario, "wait 1.5\nwait 0.25\n");
    DWORD after = 0;
    Add(scenario, "after", [&](ScenarioRun&) { after = GetTickCount(); });
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(after - before, 1750u);
}

TEST_F(UserVerbsTest, TheHotKeyFieldTakesTheCombinationAndLosesTheFocusToThePage) {
    HotKeyFieldProgram fieldProgram;
    RunOptions options;
    options.outDir = OwnTestDir("out");
    ProgramEntry entry = [&] { return fieldProgram.Run(); };
    RunResult result =
        RunScenario(Parse("start\nhotkey-field Ctrl+Shift+X\nclose\n"), options, entry, transcript);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason;
    EXPECT_EQ(fieldProgram.hotKey, MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    EXPECT_TRUE(fieldProgram.pageHadFocus);
}

TEST_F(UserVerbsTest, PageStepsNeedAPage) {
    RunResult hover = RunDialog(Parse("start\nhover menu\n"));
    EXPECT_EQ(hover.line, 2);
    EXPECT_EQ(hover.reason, "the program shows no page");
    winsim::ResetDesktop();
    RunResult field = RunDialog(Parse("start\nhotkey-field Ctrl+Shift+X\n"));
    EXPECT_EQ(field.reason, "the main window shows no hot-key field");
}

} // namespace
} // namespace player
