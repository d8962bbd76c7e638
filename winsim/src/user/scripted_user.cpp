// The scripted person: key combinations, clicks on windows and caption buttons, answers to
// message boxes, and what tests and transcripts inspect on the desktop.
#include "user/activation.h"
#include "user/dialog_state.h"
#include "user/events.h"
#include "user/geometry.h"
#include "user/hotkeys_internal.h"
#include "user/input_internal.h"
#include "user/message_box_internal.h"
#include "user/window_internal.h"

#include <winsim/sim_user.h>

#include <cctype>
#include <stdexcept>

namespace winsim::user {
namespace {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

std::string Lower(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

bool KeyByName(const std::string& rawName, UINT* vk) {
    std::string name = Lower(rawName);
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') {
            *vk = static_cast<UINT>(c - 'a' + 'A');
            return true;
        }
        if (c >= '0' && c <= '9') {
            *vk = static_cast<UINT>(c);
            return true;
        }
        switch (c) {
        case '.':
            *vk = 0xBE;
            return true;
        case ',':
            *vk = 0xBC;
            return true;
        case '-':
            *vk = 0xBD;
            return true;
        case '=':
            *vk = 0xBB;
            return true;
        default:
            return false;
        }
    }
    if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 24) {
            *vk = static_cast<UINT>(VK_F1 + n - 1);
            return true;
        }
        return false;
    }
    static const struct {
        const char* name;
        UINT vk;
    } kNames[] = {{"esc", VK_ESCAPE},     {"escape", VK_ESCAPE},
                  {"enter", VK_RETURN},   {"return", VK_RETURN},
                  {"tab", VK_TAB},        {"space", VK_SPACE},
                  {"backspace", VK_BACK}, {"back", VK_BACK},
                  {"insert", VK_INSERT},  {"ins", VK_INSERT},
                  {"delete", VK_DELETE},  {"del", VK_DELETE},
                  {"home", VK_HOME},      {"end", VK_END},
                  {"pageup", VK_PRIOR},   {"pgup", VK_PRIOR},
                  {"prior", VK_PRIOR},    {"pagedown", VK_NEXT},
                  {"pgdn", VK_NEXT},      {"next", VK_NEXT},
                  {"up", VK_UP},          {"down", VK_DOWN},
                  {"left", VK_LEFT},      {"right", VK_RIGHT},
                  {"pause", VK_PAUSE},    {"printscreen", VK_SNAPSHOT},
                  {"apps", VK_APPS},      {"capslock", VK_CAPITAL}};
    for (const auto& entry : kNames) {
        if (name == entry.name) {
            *vk = entry.vk;
            return true;
        }
    }
    return false;
}

bool ModifierByName(const std::string& rawName, UINT* vk) {
    std::string name = Lower(rawName);
    if (name == "ctrl" || name == "control") {
        *vk = VK_CONTROL;
    } else if (name == "alt") {
        *vk = VK_MENU;
    } else if (name == "shift") {
        *vk = VK_SHIFT;
    } else if (name == "win") {
        *vk = VK_LWIN;
    } else {
        return false;
    }
    return true;
}

HWND RequireWindow(HWND hwnd) {
    if (!Find(hwnd)) {
        throw std::runtime_error("the window to act on does not exist");
    }
    return hwnd;
}

} // namespace

void ResetEvents() {
    Events().clear();
}

void RecordEvent(const std::string& line) {
    Events().push_back(line);
}

void NotifyWindowShown(HWND hwnd, bool shown) {
    Window* w = Find(hwnd);
    if (!w || !IsTopLevel(*w) || IsOtherProgram(*w) || (w->cls && w->cls->name == "#32768")) {
        return;
    }
    RecordEvent("window '" + w->text + "' " + (shown ? "shown" : "hidden"));
}

} // namespace winsim::user

namespace winsim {

using namespace winsim::user;

bool ParseKeyCombo(const std::string& text, KeyCombo* combo) {
    KeyCombo result;
    std::vector<std::string> parts;
    size_t start = 0;
    // "+" alone or at the end names the plus key only as "Plus"; '+' separates the parts.
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '+') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.empty()) {
        return false;
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        UINT vk;
        if (!ModifierByName(parts[i], &vk)) {
            return false;
        }
        result.modifiers.push_back(vk);
    }
    const std::string& last = parts.back();
    if (last.empty()) {
        return false;
    }
    if (!KeyByName(last, &result.key)) {
        UINT modifier;
        if (!ModifierByName(last, &modifier)) {
            return false;
        }
        result.key = modifier;
    }
    if (combo) {
        *combo = result;
    }
    return true;
}

void PressKeys(const KeyCombo& combo) {
    for (UINT vk : combo.modifiers) {
        KeyDown(vk);
    }
    KeyDown(combo.key);
    KeyUp(combo.key);
    for (auto it = combo.modifiers.rbegin(); it != combo.modifiers.rend(); ++it) {
        KeyUp(*it);
    }
}

void PressKeys(const std::string& text) {
    KeyCombo combo;
    if (!ParseKeyCombo(text, &combo)) {
        throw std::invalid_argument("unknown key combination '" + text + "'");
    }
    PressKeys(combo);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        KeyCombo combo;
        if (std::isupper(static_cast<unsigned char>(c))) {
            combo.modifiers.push_back(VK_SHIFT);
            combo.key = static_cast<UINT>(c);
        } else if (c == ' ') {
            combo.key = VK_SPACE;
        } else if (!KeyByName(std::string(1, c), &combo.key)) {
            throw std::invalid_argument(std::string("cannot type the character '") + c + "'");
        }
        PressKeys(combo);
    }
}

void Click(POINT screen, int button) {
    MovePointer(screen);
    PressButton(button);
    ReleaseButton(button);
}

void ClickWindowAt(HWND hwnd, POINT client, int button) {
    RequireWindow(hwnd);
    ClientToScreen(hwnd, &client);
    Click(client, button);
}

void ClickWindow(HWND hwnd, int button) {
    RequireWindow(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    ClickWindowAt(hwnd, POINT{r.right / 2, r.bottom / 2}, button);
}

void HoverWindow(HWND hwnd, POINT client) {
    RequireWindow(hwnd);
    ClientToScreen(hwnd, &client);
    MovePointer(client);
}

void ClickCaptionButton(HWND hwnd, int hit) {
    Window* w = Find(RequireWindow(hwnd));
    RECT r = CaptionButtonRect(*w, hit);
    if (r.right <= r.left) {
        throw std::runtime_error("the window has no such caption button");
    }
    Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, 0);
}

HWND OpenMessageBox() {
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (w && w->dialog && w->dialog->isMessageBox && (w->style & WS_VISIBLE)) {
            return h;
        }
    }
    return nullptr;
}

std::string MessageBoxCaption(HWND box) {
    Window* w = Find(box);
    return w ? w->text : std::string();
}

std::string MessageBoxText(HWND box) {
    Window* text = Find(GetDlgItem(box, 0xFFFF));
    return text ? text->text : std::string();
}

void AnswerMessageBox(int button) {
    HWND box = OpenMessageBox();
    if (!box) {
        throw std::runtime_error("no message box is open");
    }
    HWND control = GetDlgItem(box, button);
    if (!control) {
        throw std::runtime_error("the message box '" + MessageBoxCaption(box) +
                                 "' has no button with the result " + std::to_string(button));
    }
    Send(control, BM_CLICK, 0, 0);
}

void ClickDialogButton(HWND dialog, int id) {
    HWND control = GetDlgItem(RequireWindow(dialog), id);
    if (!control) {
        throw std::runtime_error("the dialog has no control " + std::to_string(id));
    }
    Send(control, BM_CLICK, 0, 0);
}

HWND ShowOtherProgramMessageBox(const std::string& title, const std::string& text) {
    UserState& state = State();
    DWORD process = state.nextOtherThread;
    DWORD thread = process + 4;
    state.nextOtherThread += 0x100;
    ThreadOf(thread).process = process;
    return CreateMessageBoxWindow(nullptr, text, title, MB_OK, thread, process);
}

namespace {

void CreateChildren(HWND parent, const std::vector<ChildControl>& controls, int* y, int depth,
                    int* nextId) {
    for (const ChildControl& control : controls) {
        int x = 10 + 12 * depth;
        HWND child = CreateWindowExA(
            0, "Static", control.text.c_str(), WS_CHILD | WS_VISIBLE, x, *y, 280 - x, 18, parent,
            reinterpret_cast<HMENU>(static_cast<uintptr_t>((*nextId)++)), nullptr, nullptr);
        *y += 20;
        if (!control.children.empty()) {
            // Children of a control lie inside it, below its own line of text, placed relative
            // to it.
            int inner = 20;
            CreateChildren(child, control.children, &inner, 0, nextId);
            SetWindowPos(child, nullptr, 0, 0, 280 - x, inner - 2,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            *y += inner - 20;
        }
    }
}

int CountControls(const std::vector<ChildControl>& controls) {
    int n = 0;
    for (const ChildControl& c : controls) {
        n += 1 + CountControls(c.children);
    }
    return n;
}

} // namespace

HWND ShowOtherProgramDialog(const std::string& title, const std::vector<ChildControl>& controls) {
    UserState& state = State();
    DWORD process = state.nextOtherThread;
    DWORD thread = process + 4;
    state.nextOtherThread += 0x100;
    ThreadOf(thread).process = process;
    int height = 20 * CountControls(controls) + 20;
    RECT r{0, 0, 300, std::max(height, 60)};
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    HWND dlg =
        CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", title.c_str(), style, 200, 150,
                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (!dlg) {
        throw std::runtime_error("the other program's dialog cannot be created");
    }
    Window* w = Find(dlg);
    w->thread = thread;
    w->process = process;
    int y = 10;
    int nextId = 100;
    CreateChildren(dlg, controls, &y, 0, &nextId);
    ShowWindow(dlg, SW_SHOWNORMAL);
    return dlg;
}

bool TakeHotKeyAsOtherProgram(UINT modifiers, UINT vk) {
    return winsim::user::TakeHotKeyForOtherProgram(modifiers, vk);
}

void SetNoForegroundWindow() {
    Activate(nullptr);
}

std::vector<HWND> TopLevelWindows() {
    return Find(State().desktop)->children;
}

std::string ClassNameOf(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && w->cls ? w->cls->name : std::string();
}

std::string TextOf(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->text : std::string();
}

bool IsOtherProgramWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && IsOtherProgram(*w);
}

std::vector<std::string> TakeUserEvents() {
    std::vector<std::string> events;
    events.swap(Events());
    return events;
}

} // namespace winsim
