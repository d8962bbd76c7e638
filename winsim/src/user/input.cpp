// The keyboard and the pointer of the simulated person: key states, the cursor position, the
// mouse capture, and the key and mouse messages that input produces.
#include "user/activation.h"
#include "user/hotkeys_internal.h"
#include "user/input_internal.h"
#include "user/mouse_tracking.h"
#include "user/window_internal.h"

#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <array>

namespace winsim::user {
namespace {

struct InputState {
    std::array<bool, 256> down{};
    // The key state as of the last input message taken from a queue (GetKeyState).
    std::array<bool, 256> syncDown{};
    std::array<bool, 256> toggled{};
    POINT cursor{};
    int beeps = 0;
};

InputState& Input() {
    static InputState state;
    return state;
}

bool IsExtendedKey(UINT vk) {
    switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_SNAPSHOT:
        return true;
    default:
        return false;
    }
}

UINT ScanCode(UINT vk) {
    // Scan codes of the US keyboard layout (set 1).
    static const char* kLetters = "QWERTYUIOPASDFGHJKLZXCVBNM";
    static const UINT kLetterCodes[26] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                                          0x19, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                                          0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
    for (int i = 0; i < 26; ++i) {
        if (vk == static_cast<UINT>(kLetters[i])) {
            return kLetterCodes[i];
        }
    }
    if (vk >= '1' && vk <= '9') {
        return 0x02 + (vk - '1');
    }
    if (vk >= VK_F1 && vk <= VK_F10) {
        return 0x3B + (vk - VK_F1);
    }
    switch (vk) {
    case '0':
        return 0x0B;
    case VK_ESCAPE:
        return 0x01;
    case VK_BACK:
        return 0x0E;
    case VK_TAB:
        return 0x0F;
    case VK_RETURN:
        return 0x1C;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return 0x1D;
    case VK_SHIFT:
    case VK_LSHIFT:
        return 0x2A;
    case VK_RSHIFT:
        return 0x36;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return 0x38;
    case VK_SPACE:
        return 0x39;
    case VK_CAPITAL:
        return 0x3A;
    case VK_F11:
        return 0x57;
    case VK_F12:
        return 0x58;
    case VK_HOME:
        return 0x47;
    case VK_UP:
        return 0x48;
    case VK_PRIOR:
        return 0x49;
    case VK_LEFT:
        return 0x4B;
    case VK_RIGHT:
        return 0x4D;
    case VK_END:
        return 0x4F;
    case VK_DOWN:
        return 0x50;
    case VK_NEXT:
        return 0x51;
    case VK_INSERT:
        return 0x52;
    case VK_DELETE:
        return 0x53;
    case VK_LWIN:
        return 0x5B;
    case VK_RWIN:
        return 0x5C;
    case VK_APPS:
        return 0x5D;
    default:
        return 0;
    }
}

bool IsModifier(UINT vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN || vk == VK_RWIN;
}

UINT HeldModifiers() {
    InputState& in = Input();
    UINT mods = 0;
    if (in.down[VK_MENU]) {
        mods |= MOD_ALT;
    }
    if (in.down[VK_CONTROL]) {
        mods |= MOD_CONTROL;
    }
    if (in.down[VK_SHIFT]) {
        mods |= MOD_SHIFT;
    }
    if (in.down[VK_LWIN] || in.down[VK_RWIN]) {
        mods |= MOD_WIN;
    }
    return mods;
}

bool IsMenuWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && w->cls && w->cls->name == "#32768";
}

// The window of a thread that receives keyboard input now: the focus window, or the active
// window when nothing has the focus (then keys arrive as WM_SYSKEY* messages).
bool KeyboardTargetOf(Thread& t, HWND* target, bool* noFocus) {
    *noFocus = t.focus == nullptr || !Find(t.focus);
    *target = !*noFocus ? t.focus : (Find(t.active) ? t.active : nullptr);
    return *target != nullptr;
}

// Keys go to the queue of the foreground thread; which of its windows gets them is settled
// when the thread reads them.
bool KeyboardTarget(HWND* target, DWORD* thread, bool* noFocus) {
    Window* fg = Find(State().foreground);
    if (!fg) {
        return false;
    }
    *thread = fg->thread;
    Thread& t = ThreadOf(fg->thread);
    bool found = KeyboardTargetOf(t, target, noFocus);
    if (IsMenuWindow(t.capture)) {
        // A key pressed while a menu is open belongs to the menu. Keys pressed before it opened
        // (the Alt of the hot-key that opened it) stay with the focus window.
        *target = t.capture;
        return true;
    }
    return found;
}

void KeyEvent(UINT vk, bool down) {
    InputState& in = Input();
    bool wasDown = in.down[vk];
    in.down[vk] = down;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) {
        in.down[VK_SHIFT] = down;
    }
    if (vk == VK_SHIFT) {
        in.down[VK_LSHIFT] = down;
    }
    if (vk == VK_CONTROL) {
        in.down[VK_LCONTROL] = down;
    }
    if (vk == VK_MENU) {
        in.down[VK_LMENU] = down;
    }
    if (down && !wasDown && (vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL)) {
        in.toggled[vk] = !in.toggled[vk];
    }
    if (down && !IsModifier(vk) && DeliverHotKey(HeldModifiers(), vk)) {
        return;
    }
    HWND target = nullptr;
    DWORD thread = 0;
    bool noFocus = false;
    if (!KeyboardTarget(&target, &thread, &noFocus)) {
        return;
    }
    bool alt = in.down[VK_MENU];
    bool ctrl = in.down[VK_CONTROL];
    // Without a focus window the keys become system keys too; that is decided when the key
    // is read (ResolveKeyboardMessage), as the focus may change before.
    bool sys = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !ctrl);
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(ScanCode(vk)) << 16);
    if (IsExtendedKey(vk)) {
        lParam |= LPARAM{1} << 24;
    }
    if (alt && sys) {
        lParam |= LPARAM{1} << 29;
    }
    if (!down || wasDown) {
        lParam |= LPARAM{1} << 30;
    }
    if (!down) {
        lParam |= LPARAM{1} << 31;
    }
    lParam &= 0xFFFFFFFF;
    PostInput(thread, target, msg, vk, lParam);
}

// The window that gets a mouse message at the cursor: the capture window of the foreground
// thread, or the window under the pointer.
HWND MouseTarget(bool* captured) {
    *captured = false;
    if (Window* fg = Find(State().foreground)) {
        HWND capture = ThreadOf(fg->thread).capture;
        if (capture && Find(capture)) {
            *captured = true;
            return capture;
        }
    }
    return WindowAtScreenPoint(Input().cursor);
}

void PostMouse(UINT clientMsg, UINT ncMsg) {
    bool captured = false;
    HWND target = MouseTarget(&captured);
    Window* w = Find(target);
    if (!w) {
        return;
    }
    POINT p = Input().cursor;
    LRESULT hit = captured ? HTCLIENT
                           : Send(target, WM_NCHITTEST, 0,
                                  MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    if (!Find(target)) {
        return;
    }
    bool down = clientMsg == WM_LBUTTONDOWN || clientMsg == WM_RBUTTONDOWN;
    if (down && !captured) {
        HWND root = RootOf(target);
        Window* r = Find(root);
        if (r && (r->style & WS_DISABLED)) {
            ++Input().beeps;
            return;
        }
        if (r && (State().foreground != root || ThreadOf(r->thread).active != root)) {
            LRESULT how = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                               MAKELPARAM(static_cast<WORD>(hit), clientMsg));
            if (how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT || how == 0) {
                Activate(root, true);
            }
            if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT) {
                return;
            }
        }
    }
    if (!Find(target)) {
        return;
    }
    w = Find(target);
    if (hit == HTCLIENT) {
        POINT c = p;
        ScreenToClient(target, &c);
        PostInput(w->thread, target, clientMsg, MouseKeyFlags(),
                  MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
    } else if (hit != HTNOWHERE && hit != HTTRANSPARENT && hit != HTERROR) {
        PostInput(w->thread, target, ncMsg, static_cast<WPARAM>(hit),
                  MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
}

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

HWND DeepestAt(HWND hwnd, POINT p) {
    Window* w = Find(hwnd);
    for (HWND h : w->children) {
        Window* c = Find(h);
        if (!c || !(c->style & WS_VISIBLE) || !Inside(c->rect, p)) {
            continue;
        }
        if (c->style & WS_DISABLED) {
            return hwnd;
        }
        LRESULT hit =
            Send(h, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        if (hit == HTTRANSPARENT) {
            continue;
        }
        return DeepestAt(h, p);
    }
    return hwnd;
}

} // namespace

WPARAM MouseKeyFlags() {
    InputState& in = Input();
    WPARAM flags = 0;
    if (in.down[VK_LBUTTON]) {
        flags |= MK_LBUTTON;
    }
    if (in.down[VK_RBUTTON]) {
        flags |= MK_RBUTTON;
    }
    if (in.down[VK_SHIFT]) {
        flags |= MK_SHIFT;
    }
    if (in.down[VK_CONTROL]) {
        flags |= MK_CONTROL;
    }
    return flags;
}

HWND WindowAtScreenPoint(POINT p) {
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (w && (w->style & WS_VISIBLE) && Inside(w->rect, p)) {
            return DeepestAt(h, p);
        }
    }
    return State().desktop;
}

bool IsKeyboardMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
}

void ResolveKeyboardMessage(DWORD thread, MSG* msg) {
    if (IsMenuWindow(msg->hwnd)) {
        return;
    }
    HWND target = nullptr;
    bool noFocus = false;
    if (!KeyboardTargetOf(ThreadOf(thread), &target, &noFocus)) {
        // No window of the thread takes keys now: the window of the press, if it still exists.
        if (!Find(msg->hwnd)) {
            msg->hwnd = nullptr;
        }
        return;
    }
    msg->hwnd = target;
    if (noFocus && msg->message == WM_KEYDOWN) {
        msg->message = WM_SYSKEYDOWN;
    } else if (noFocus && msg->message == WM_KEYUP) {
        msg->message = WM_SYSKEYUP;
    }
}

POINT CursorPosition() {
    return Input().cursor;
}

void TakeInputMessage(const MSG& msg) {
    InputState& in = Input();
    auto set = [&](UINT vk, bool down) {
        in.syncDown[vk & 0xFF] = down;
        if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) {
            in.syncDown[VK_SHIFT] = down;
        }
        if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) {
            in.syncDown[VK_CONTROL] = down;
        }
        if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
            in.syncDown[VK_MENU] = down;
        }
    };
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        set(static_cast<UINT>(msg.wParam), true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        set(static_cast<UINT>(msg.wParam), false);
        break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        set(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        set(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        set(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        set(VK_RBUTTON, false);
        break;
    default:
        break;
    }
}

bool KeyIsDownForMessages(int vk) {
    return vk >= 0 && vk < 256 && Input().syncDown[static_cast<size_t>(vk)];
}

int CharacterForKey(UINT vk) {
    InputState& in = Input();
    bool shift = in.syncDown[VK_SHIFT];
    bool ctrl = in.syncDown[VK_CONTROL];
    bool caps = in.toggled[VK_CAPITAL];
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl && !in.syncDown[VK_MENU]) {
            return static_cast<int>(vk - 'A' + 1);
        }
        bool upper = shift != caps;
        return static_cast<int>(upper ? vk : vk - 'A' + 'a');
    }
    if (ctrl) {
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        static const char kShifted[] = ")!@#$%^&*(";
        return shift ? kShifted[vk - '0'] : static_cast<int>(vk);
    }
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return '\t';
    case 0xBE: // VK_OEM_PERIOD
        return shift ? '>' : '.';
    case 0xBC: // VK_OEM_COMMA
        return shift ? '<' : ',';
    case 0xBD: // VK_OEM_MINUS
        return shift ? '_' : '-';
    case 0xBB: // VK_OEM_PLUS
        return shift ? '+' : '=';
    default:
        return 0;
    }
}

void ResetInput() {
    Input() = InputState();
    Input().cursor = POINT{Config().screenWidth / 2, Config().screenHeight / 2};
}

} // namespace winsim::user

namespace winsim {

using namespace winsim::user;

void KeyDown(UINT vk) {
    KeyEvent(vk, true);
}

void KeyUp(UINT vk) {
    KeyEvent(vk, false);
}

void MovePointer(POINT screen) {
    Input().cursor = screen;
    // The window left behind hears of it before the one the pointer moved to.
    UpdateMouseTracking();
    PostMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE);
}

void PressButton(int button) {
    Input().down[button == 0 ? VK_LBUTTON : VK_RBUTTON] = true;
    PostMouse(button == 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN,
              button == 0 ? WM_NCLBUTTONDOWN : WM_NCRBUTTONDOWN);
}

void ReleaseButton(int button) {
    Input().down[button == 0 ? VK_LBUTTON : VK_RBUTTON] = false;
    PostMouse(button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP,
              button == 0 ? WM_NCLBUTTONUP : WM_NCRBUTTONUP);
}

int BeepCount() {
    return Input().beeps;
}

} // namespace winsim

using namespace winsim::user;

SHORT WINAPI GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) {
        return 0;
    }
    InputState& in = Input();
    SHORT state = in.syncDown[static_cast<size_t>(nVirtKey)] ? static_cast<SHORT>(0x8000) : 0;
    if (in.toggled[static_cast<size_t>(nVirtKey)]) {
        state |= 1;
    }
    return state;
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255) {
        return 0;
    }
    return Input().down[static_cast<size_t>(vKey)] ? static_cast<SHORT>(0x8000) : 0;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    *lpPoint = Input().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    int width = winsim::Config().screenWidth;
    int height = winsim::Config().screenHeight;
    Input().cursor =
        POINT{X < 0 ? 0 : (X >= width ? width - 1 : X), Y < 0 ? 0 : (Y >= height ? height - 1 : Y)};
    return TRUE;
}

HWND WINAPI GetCapture() {
    return ProgramThread().capture;
}

HWND WINAPI SetCapture(HWND hWnd) {
    Thread& thread = ProgramThread();
    HWND old = thread.capture;
    if (hWnd && !Find(hWnd)) {
        return old;
    }
    thread.capture = hWnd;
    if (old && old != hWnd && Find(old)) {
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    }
    return old;
}

BOOL WINAPI ReleaseCapture() {
    Thread& thread = ProgramThread();
    HWND old = thread.capture;
    thread.capture = nullptr;
    if (old && Find(old)) {
        Send(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

UINT WINAPI MapVirtualKeyA(UINT uCode, UINT uMapType) {
    switch (uMapType) {
    case MAPVK_VK_TO_VSC:
        return ScanCode(uCode);
    case MAPVK_VSC_TO_VK:
        for (UINT vk = 1; vk < 256; ++vk) {
            if (ScanCode(vk) == uCode && vk != VK_LSHIFT && vk != VK_LCONTROL && vk != VK_LMENU) {
                return vk;
            }
        }
        return 0;
    case MAPVK_VK_TO_CHAR:
        if (uCode >= 'A' && uCode <= 'Z') {
            return uCode;
        }
        if ((uCode >= '0' && uCode <= '9') || uCode == VK_SPACE) {
            return uCode;
        }
        return 0;
    default:
        return 0;
    }
}

BOOL WINAPI MessageBeep(UINT uType) {
    (void)uType;
    ++Input().beeps;
    return TRUE;
}
