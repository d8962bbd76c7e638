// Activation, the foreground window and the keyboard focus.
#include "user/activation.h"
#include "user/paint_internal.h"

#include <algorithm>

namespace winsim::user {
namespace {

bool IsMinimized(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

void Deactivate(HWND hwnd, HWND newActive) {
    if (!Find(hwnd)) {
        return;
    }
    Send(hwnd, WM_NCACTIVATE, FALSE, 0);
    Send(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsMinimized(hwnd) ? 1 : 0),
         reinterpret_cast<LPARAM>(newActive));
}

void SendActivateApp(DWORD thread, bool active, DWORD otherThread) {
    std::vector<HWND> tops;
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (w && w->thread == thread) {
            tops.push_back(h);
        }
    }
    for (HWND h : tops) {
        Send(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
    }
}

bool CanTakeActivation(const Window& w, HWND losing) {
    return w.handle != losing && (w.style & WS_VISIBLE) && !(w.style & WS_DISABLED) &&
           !(w.style & WS_MINIMIZE) && !(w.cls && w.cls->name == "#32768") &&
           !IsDescendant(losing, w.handle);
}

} // namespace

void BringToTop(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || !IsTopLevel(*w)) {
        return;
    }
    auto& list = Find(State().desktop)->children;
    const auto before = std::find(list.begin(), list.end(), hwnd);
    const size_t placeBefore = static_cast<size_t>(before - list.begin());
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    auto it = list.begin();
    if (!(w->exStyle & WS_EX_TOPMOST)) {
        while (it != list.end()) {
            Window* other = Find(*it);
            if (!other || !(other->exStyle & WS_EX_TOPMOST)) {
                break;
            }
            ++it;
        }
    }
    const size_t place = static_cast<size_t>(it - list.begin());
    list.insert(it, hwnd);
    // Raised above windows that covered it: what they hid shows again, so it is painted anew.
    if (place < placeBefore && (w->style & WS_VISIBLE)) {
        InvalidateWindowTree(hwnd);
    }
    // Owned windows stay above their owner.
    std::vector<HWND> owned;
    for (HWND h : list) {
        Window* o = Find(h);
        if (o && o->owner == hwnd) {
            owned.push_back(h);
        }
    }
    for (auto rit = owned.rbegin(); rit != owned.rend(); ++rit) {
        BringToTop(*rit);
    }
}

HWND ChangeFocus(DWORD threadId, HWND hwnd) {
    Thread& thread = ThreadOf(threadId);
    HWND old = thread.focus;
    if (old == hwnd) {
        return old;
    }
    if (old && Find(old)) {
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd && !Find(hwnd)) {
        return old;
    }
    ThreadOf(threadId).focus = hwnd;
    if (hwnd) {
        Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

void Activate(HWND hwnd, bool mouse) {
    UserState& state = State();
    if (hwnd) {
        hwnd = RootOf(hwnd);
    }
    Window* w = Find(hwnd);
    if (hwnd && (!w || hwnd == state.desktop)) {
        return;
    }
    HWND oldForeground = state.foreground;
    Window* oldWindow = Find(oldForeground);
    DWORD oldThread = oldWindow ? oldWindow->thread : 0;
    DWORD newThread = w ? w->thread : 0;
    HWND previousActive = w ? ThreadOf(newThread).active : nullptr;
    if (hwnd && oldForeground == hwnd && previousActive == hwnd) {
        BringToTop(hwnd);
        return;
    }
    // The thread that loses the foreground loses its active window and its focus.
    if (oldWindow && oldThread != newThread) {
        HWND oldActive = ThreadOf(oldThread).active;
        if (oldActive) {
            Deactivate(oldActive, hwnd);
        }
        ChangeFocus(oldThread, nullptr);
        ThreadOf(oldThread).active = nullptr;
        SendActivateApp(oldThread, false, newThread);
    }
    state.foreground = hwnd;
    if (!w) {
        return;
    }
    if (previousActive && previousActive != hwnd && Find(previousActive)) {
        Deactivate(previousActive, hwnd);
    }
    ThreadOf(newThread).active = hwnd;
    if (oldThread != newThread) {
        SendActivateApp(newThread, true, oldThread);
    }
    BringToTop(hwnd);
    if (!Find(hwnd)) {
        return;
    }
    Send(hwnd, WM_NCACTIVATE, TRUE, 0);
    Send(hwnd, WM_ACTIVATE,
         MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsMinimized(hwnd) ? 1 : 0),
         reinterpret_cast<LPARAM>(previousActive));
}

void ActivateOtherThan(HWND hwnd) {
    UserState& state = State();
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    bool active = ThreadOf(w->thread).active == hwnd;
    if (!active && state.foreground != hwnd) {
        return;
    }
    if (Window* owner = Find(w->owner); owner && CanTakeActivation(*owner, hwnd)) {
        Activate(owner->handle);
        return;
    }
    for (HWND h : Find(state.desktop)->children) {
        Window* other = Find(h);
        if (other && CanTakeActivation(*other, hwnd) && other->owner != hwnd) {
            Activate(h);
            return;
        }
    }
    // Nothing else can be active: the window keeps no activation, and none is in front.
    if (state.foreground == hwnd || active) {
        state.foreground = hwnd;
        ThreadOf(w->thread).active = hwnd;
        Deactivate(hwnd, nullptr);
        ChangeFocus(w->thread, nullptr);
        ThreadOf(w->thread).active = nullptr;
        state.foreground = nullptr;
    }
}

} // namespace winsim::user

using namespace winsim::user;

HWND WINAPI GetForegroundWindow() {
    return State().foreground;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    if (!FindOrFail(hWnd) || hWnd == State().desktop) {
        return FALSE;
    }
    Activate(hWnd);
    return TRUE;
}

HWND WINAPI GetActiveWindow() {
    return ProgramThread().active;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    HWND previous = ProgramThread().active;
    if (!hWnd) {
        Activate(nullptr);
        return previous;
    }
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return nullptr;
    }
    if (w->thread != kProgramThread) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    Activate(hWnd);
    return previous;
}

HWND WINAPI GetFocus() {
    return ProgramThread().focus;
}

HWND WINAPI SetFocus(HWND hWnd) {
    if (!hWnd) {
        return ChangeFocus(kProgramThread, nullptr);
    }
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return nullptr;
    }
    DWORD thread = w->thread;
    HWND root = RootOf(hWnd);
    if (ThreadOf(thread).active != root) {
        Activate(root);
        if (!Find(hWnd)) {
            return nullptr;
        }
    }
    return ChangeFocus(thread, hWnd);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (bEnable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        Send(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        Send(hWnd, WM_CANCELMODE, 0, 0);
        if (Window* again = Find(hWnd)) {
            again->style |= WS_DISABLED;
            Thread& thread = ThreadOf(again->thread);
            if (thread.focus && (thread.focus == hWnd || IsDescendant(hWnd, thread.focus))) {
                ChangeFocus(again->thread, nullptr);
            }
            Send(hWnd, WM_ENABLE, FALSE, 0);
        }
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    return w && !(w->style & WS_DISABLED);
}
