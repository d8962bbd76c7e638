#include "user/user_state.h"

#include "core/areas.h"
#include "user/combo_box_state.h"
#include "user/dialog_state.h"
#include "user/events.h"
#include "user/mouse_tracking.h"

#include <winsim/sim.h>

#include <cctype>

namespace winsim::user {

Window::Window() = default;
Window::~Window() = default;

UserState& State() {
    static UserState state;
    return state;
}

Window* Find(HWND hwnd) {
    UserState& state = State();
    auto it = state.windows.find(hwnd);
    if (it == state.windows.end()) {
        return nullptr;
    }
    if (hwnd == state.desktop) {
        // The screen size is a setting of the running desktop.
        it->second->rect = RECT{0, 0, Config().screenWidth, Config().screenHeight};
    }
    return it->second.get();
}

Window* FindOrFail(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return w;
}

Thread& ThreadOf(DWORD id) {
    Thread& thread = State().threads[id];
    thread.id = id;
    return thread;
}

Thread& ProgramThread() {
    Thread& thread = ThreadOf(kProgramThread);
    thread.process = kProgramProcess;
    return thread;
}

HWND NewHandle() {
    // Handles of Windows are small even numbers; they are never reused within one desktop.
    UserState& state = State();
    state.nextHandle += 4;
    return reinterpret_cast<HWND>(state.nextHandle);
}

bool IsTopLevel(const Window& w) {
    return w.parent == State().desktop;
}

bool IsOtherProgram(const Window& w) {
    return w.process != kProgramProcess;
}

HWND RootOf(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->parent && w->parent != State().desktop) {
        hwnd = w->parent;
        w = Find(hwnd);
    }
    return hwnd;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->parent) {
        if (w->parent == ancestor) {
            return true;
        }
        w = Find(w->parent);
    }
    return false;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w || !w->proc) {
        return 0;
    }
    return w->proc(hwnd, msg, wParam, lParam);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace winsim::user

namespace winsim::internal {

void ResetUser() {
    using namespace winsim::user;
    UserState& state = State();
    ResetMenus();
    // Windows go with their dialogs and controls; their procedures are not called any more,
    // the program that owned them is gone.
    state.windows.clear();
    state.classes.clear();
    state.threads.clear();
    state.registeredMessages.clear();
    state.foreground = nullptr;
    // Handles go on counting from the last desktop: a handle that a stopped program or a test
    // kept from it never names a window of the new one (a procedure behind it may point to
    // objects that are gone).
    // They stay below the range of menu handles, starting over only after half a million.
    if (state.nextHandle == 0 || state.nextHandle >= 0x00200000) {
        state.nextHandle = 0x00010000;
    }
    state.nextOtherThread = 0x1000;
    state.nextClassAtom = 0xC100;
    ResetClock();
    ResetHotKeysAndAtoms();
    ResetInput();
    ResetMouseTracking();
    ResetEvents();
    ProgramThread();

    // The desktop window: the parent of every top-level window, as large as the screen.
    auto desktop = std::make_unique<Window>();
    desktop->handle = NewHandle();
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    desktop->text = "";
    desktop->thread = 0;
    desktop->process = 0;
    state.desktop = desktop->handle;
    state.windows[desktop->handle] = std::move(desktop);
    RegisterSystemClasses();
    state.windows[state.desktop]->proc = DefWindowProcA;
}

} // namespace winsim::internal
