// The steps of the person at the keyboard and the pointer, and of the other programs on the
// desktop: message boxes and dialogs, keys, time, the page's elements, the main window's
// commands, and what the program's windows show.
#include "player/VerbSupport.h"

#include "player/AsPerson.h"
#include "player/DesktopObserver.h"
#include "player/DesktopText.h"
#include "player/ElementRef.h"
#include "player/KeyCombo.h"
#include "player/PageElements.h"
#include "player/ProgramWindows.h"
#include "player/ScenarioRun.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <cmath>
#include <stdexcept>

namespace player {
namespace {

const char kHotKeyClass[] = "msctls_hotkey32";

winsim::KeyCombo ToDesktopKeys(const KeyCombo& combo) {
    winsim::KeyCombo keys;
    if (combo.ctrl) {
        keys.modifiers.push_back(VK_CONTROL);
    }
    if (combo.shift) {
        keys.modifiers.push_back(VK_SHIFT);
    }
    if (combo.alt) {
        keys.modifiers.push_back(VK_MENU);
    }
    if (combo.win) {
        keys.modifiers.push_back(VK_LWIN);
    }
    keys.key = combo.vk;
    return keys;
}

KeyCombo ParsedKeys(const std::string& text) {
    KeyCombo combo;
    std::string error;
    ParseKeyCombo(text, combo, error); // checked when the file was read
    return combo;
}

HWND RequireMainWindow() {
    HWND main = ProgramMainWindow();
    if (!main) {
        throw StepFailure("the program shows no main window");
    }
    return main;
}

HWND RequireVisibleMainWindow() {
    HWND main = RequireMainWindow();
    if (!IsWindowVisible(main)) {
        throw StepFailure("the main window is not visible");
    }
    return main;
}

POINT Centre(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

// The element's visible centre on the screen; fails when nothing of it shows.
PageElement VisibleElement(const ElementRef& ref) {
    PageElement page = FindPageElement(ref);
    if (page.screen.right <= page.screen.left || page.screen.bottom <= page.screen.top) {
        throw StepFailure("the element " + FormatElementRef(ref) + " is not visible");
    }
    return page;
}

// Presses a combination as a person does: the modifiers and the key go down, and only once the
// program has handled the key (and read which modifiers are held) do they come up again.
void PressHeld(ScenarioRun& run, const winsim::KeyCombo& keys) {
    AsPerson([&] {
        for (UINT modifier : keys.modifiers) {
            winsim::KeyDown(modifier);
        }
        winsim::KeyDown(keys.key);
    });
    run.FollowUp([keys] {
        AsPerson([&] {
            winsim::KeyUp(keys.key);
            for (auto it = keys.modifiers.rbegin(); it != keys.modifiers.rend(); ++it) {
                winsim::KeyUp(*it);
            }
        });
    });
}

// Reads the texts of a `dialog` step: `{` and `}` make the preceding control their parent. The
// levels are kept in a list of their own, not on the call stack, so a file cannot overflow it.
std::vector<winsim::ChildControl> DialogControls(const std::vector<Token>& args, size_t first) {
    std::vector<winsim::ChildControl> controls;
    std::vector<std::vector<winsim::ChildControl>*> levels{&controls};
    for (size_t i = first; i < args.size(); ++i) {
        const Token& token = args[i];
        if (!token.quoted && token.text == "}") {
            levels.pop_back();
        } else if (!token.quoted && token.text == "{") {
            levels.push_back(&levels.back()->back().children);
        } else {
            levels.back()->push_back(winsim::ChildControl{token.text, {}});
        }
    }
    return controls;
}

// The same tree with every text in the desktop's code page, walked level by level.
std::vector<winsim::ChildControl> InAnsi(const std::vector<winsim::ChildControl>& controls) {
    std::vector<winsim::ChildControl> converted = controls;
    std::vector<std::vector<winsim::ChildControl>*> pending{&converted};
    while (!pending.empty()) {
        std::vector<winsim::ChildControl>* level = pending.back();
        pending.pop_back();
        for (winsim::ChildControl& control : *level) {
            control.text = ToAnsi(control.text);
            pending.push_back(&control.children);
        }
    }
    return converted;
}

} // namespace

bool BuildHotkeyTaken(BuildContext& c) {
    if (!KeyArg(c, 0)) {
        return false;
    }
    KeyCombo combo = ParsedKeys(c.Arg(0));
    std::string text = c.Arg(0);
    c.step.run = [combo, text](ScenarioRun&) {
        UINT modifiers = (combo.alt ? MOD_ALT : 0) | (combo.ctrl ? MOD_CONTROL : 0) |
                         (combo.shift ? MOD_SHIFT : 0) | (combo.win ? MOD_WIN : 0);
        if (!winsim::TakeHotKeyAsOtherProgram(modifiers, combo.vk)) {
            throw StepFailure("the hot-key " + text + " is held already");
        }
    };
    return true;
}

bool BuildMsgbox(BuildContext& c) {
    std::string title = c.Arg(0);
    std::string text = c.Arg(1);
    c.step.run = [title, text](ScenarioRun& run) {
        std::string ansiTitle = ToAnsi(title);
        std::string ansiText = ToAnsi(text);
        run.NoteOpened(winsim::ShowOtherProgramMessageBox(ansiTitle, ansiText));
    };
    return true;
}

// Far deeper than any real dialog. The desktop tells every ancestor about each new window, as
// Windows does, so showing a tree costs time in the square of its depth.
constexpr int kMaxDialogDepth = 1000;

bool BuildDialog(BuildContext& c) {
    // Braces group the texts that follow as children of the text before them.
    int depth = 0;
    bool textBefore = false;
    for (size_t i = 1; i < c.args.size(); ++i) {
        const Token& token = c.args[i];
        if (!token.quoted && token.text == "{") {
            if (!textBefore) {
                return c.Fail("'{' must follow the text of the control that is the parent");
            }
            if (++depth > kMaxDialogDepth) {
                return c.Fail("controls nested deeper than " + std::to_string(kMaxDialogDepth) +
                              " levels");
            }
            textBefore = false;
        } else if (!token.quoted && token.text == "}") {
            if (depth == 0) {
                return c.Fail("'}' without its '{'");
            }
            --depth;
            textBefore = false;
        } else {
            textBefore = true;
        }
    }
    if (depth != 0) {
        return c.Fail("'{' not closed by '}'");
    }
    std::string title = c.Arg(0);
    std::vector<winsim::ChildControl> controls = DialogControls(c.args, 1);
    c.step.run = [title, controls](ScenarioRun& run) {
        std::string ansiTitle = ToAnsi(title);
        std::vector<winsim::ChildControl> ansiControls = InAnsi(controls);
        run.NoteOpened(winsim::ShowOtherProgramDialog(ansiTitle, ansiControls));
    };
    return true;
}

bool BuildForeground(BuildContext& c) {
    if (!OneOf(c, 0, {"main", "none", "last"})) {
        return false;
    }
    std::string which = c.Arg(0);
    c.step.run = [which](ScenarioRun& run) {
        if (which == "none") {
            winsim::SetNoForegroundWindow();
            return;
        }
        HWND window = which == "main" ? RequireVisibleMainWindow() : run.LastOpened();
        if (!window || !IsWindow(window)) {
            throw StepFailure("no window opened by a step is open");
        }
        if (!SetForegroundWindow(window)) {
            throw StepFailure("the window cannot become the foreground window");
        }
    };
    return true;
}

bool BuildKey(BuildContext& c) {
    if (!KeyArg(c, 0)) {
        return false;
    }
    winsim::KeyCombo keys = ToDesktopKeys(ParsedKeys(c.Arg(0)));
    c.step.run = [keys](ScenarioRun& run) { PressHeld(run, keys); };
    return true;
}

bool BuildHotkeyField(BuildContext& c) {
    if (!KeyArg(c, 0)) {
        return false;
    }
    winsim::KeyCombo keys = ToDesktopKeys(ParsedKeys(c.Arg(0)));
    c.step.run = [keys](ScenarioRun& run) {
        HWND main = RequireVisibleMainWindow();
        HWND field = FindDescendantOfClass(main, kHotKeyClass);
        if (!field || !IsWindowVisible(field)) {
            throw StepFailure("the main window shows no hot-key field");
        }
        RECT fieldRect = {};
        GetWindowRect(field, &fieldRect);
        if (fieldRect.right <= fieldRect.left || fieldRect.bottom <= fieldRect.top) {
            throw StepFailure("the hot-key field has no size");
        }
        HWND view = FindDescendantOfClass(main, htmlview::kHtmlViewClassName);
        if (!view) {
            throw StepFailure("the main window shows no page");
        }
        // Each part once the program has handled the one before: the keys go to the field only
        // when its click has given it the focus.
        AsPerson([&] { winsim::ClickWindow(field); });
        run.FollowUp([&run, keys] { PressHeld(run, keys); });
        run.FollowUp([view] {
            // Then a click on the page, on an empty spot near its bottom right corner.
            RECT page = {};
            GetClientRect(view, &page);
            AsPerson([&] { winsim::ClickWindowAt(view, POINT{page.right - 4, page.bottom - 4}); });
        });
    };
    return true;
}

bool BuildWait(BuildContext& c) {
    double seconds = 0;
    if (!ParseSeconds(c.Arg(0), seconds)) {
        return c.Fail("'" + c.Arg(0) + "' is not a number of seconds");
    }
    DWORD milliseconds = static_cast<DWORD>(std::lround(seconds * 1000));
    c.step.run = [milliseconds](ScenarioRun&) { winsim::LetTimePass(milliseconds); };
    return true;
}

bool BuildPointer(BuildContext& c, const std::string& verb) {
    if (!ElementArg(c, 0)) {
        return false;
    }
    ElementRef ref;
    ParseElementRef(c.Arg(0), ref, c.error);
    c.step.run = [ref, verb](ScenarioRun&) {
        PageElement page = VisibleElement(ref);
        POINT centre = Centre(page.screen);
        if (verb == "hover") {
            AsPerson([&] { winsim::MovePointer(centre); });
            return;
        }
        if (verb == "click") {
            AsPerson([&] { winsim::Click(centre); });
            return;
        }
        // leave: onto the nearest point of the page around the element.
        RECT view = {};
        GetWindowRect(page.view, &view);
        const RECT& r = page.screen;
        for (POINT outside : {POINT{r.left - 2, centre.y}, POINT{r.right + 1, centre.y},
                              POINT{centre.x, r.top - 2}, POINT{centre.x, r.bottom + 1}}) {
            if (Contains(view, outside)) {
                AsPerson([&] { winsim::MovePointer(outside); });
                return;
            }
        }
        // The element fills the page: leave the page altogether.
        AsPerson([&] { winsim::MovePointer(POINT{view.right + 1, view.bottom + 1}); });
    };
    return true;
}

bool BuildCheck(BuildContext& c) {
    if (!ElementArg(c, 0) || !OneOf(c, 1, {"on", "off"})) {
        return false;
    }
    ElementRef ref;
    ParseElementRef(c.Arg(0), ref, c.error);
    const bool wanted = c.Arg(1) == "on";
    c.step.run = [ref, wanted](ScenarioRun& run) {
        PageElement page = VisibleElement(ref);
        if (ElementChecked(page.view, ref) == wanted) {
            return;
        }
        AsPerson([&] { winsim::Click(Centre(page.screen)); });
        // The page answers the click once the program has handled it.
        run.FollowUp([ref, wanted] {
            if (ElementChecked(FindPageElement(ref).view, ref) != wanted) {
                throw StepFailure("the click did not " + std::string(wanted ? "check " : "clear ") +
                                  FormatElementRef(ref));
            }
        });
    };
    return true;
}

bool BuildWindowCommand(BuildContext& c, const std::string& command) {
    c.step.run = [command](ScenarioRun&) {
        HWND main = RequireVisibleMainWindow();
        if (command == "restore") {
            if (IsZoomed(main)) {
                AsPerson([&] { winsim::ClickCaptionButton(main, HTMAXBUTTON); });
            } else if (IsIconic(main)) {
                // As the taskbar button does.
                PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
            } else {
                throw StepFailure("the main window is neither minimized nor maximized");
            }
            return;
        }
        int hit = command == "close" ? HTCLOSE : command == "minimize" ? HTMINBUTTON : HTMAXBUTTON;
        if (command == "maximize" && IsZoomed(main)) {
            throw StepFailure("the main window is maximized already");
        }
        if (IsIconic(main)) {
            throw StepFailure("the main window is minimized");
        }
        AsPerson([&] { winsim::ClickCaptionButton(main, hit); });
    };
    return true;
}

bool BuildAnswer(BuildContext& c) {
    if (!OneOf(c, 0, {"ok", "cancel", "yes", "no"})) {
        return false;
    }
    const std::string& word = c.Arg(0);
    int button = word == "ok" ? IDOK : word == "cancel" ? IDCANCEL : word == "yes" ? IDYES : IDNO;
    c.step.run = [button](ScenarioRun&) {
        if (!winsim::OpenMessageBox()) {
            throw StepFailure("no message box is open");
        }
        AsPerson([&] { winsim::AnswerMessageBox(button); });
    };
    return true;
}

bool BuildExpectVisible(BuildContext& c) {
    if (!OneOf(c, 0, {"yes", "no"})) {
        return false;
    }
    bool wanted = c.Arg(0) == "yes";
    c.step.run = [wanted](ScenarioRun&) {
        HWND main = ProgramMainWindow();
        bool visible = main && IsWindowVisible(main);
        if (visible != wanted) {
            throw StepFailure(visible ? "the main window is visible"
                                      : "the main window is not visible");
        }
    };
    return true;
}

bool BuildExpectClass(BuildContext& c) {
    if (!ElementArg(c, 0)) {
        return false;
    }
    ElementRef ref;
    ParseElementRef(c.Arg(0), ref, c.error);
    std::string wanted = c.Arg(1);
    c.step.run = [ref, wanted](ScenarioRun&) {
        std::string actual = ElementClassName(FindPageElement(ref).view, ref);
        if (actual != wanted) {
            throw StepFailure("the class of " + FormatElementRef(ref) + " is " + Shown(actual) +
                              ", expected " + Shown(wanted));
        }
    };
    return true;
}

} // namespace player
