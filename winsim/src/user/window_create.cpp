// Creating and destroying windows, with the messages that Windows sends on the way.
#include "core/window_destroying.h"
#include "user/activation.h"
#include "user/dialog_state.h"
#include "user/geometry.h"
#include "user/mouse_tracking.h"
#include "user/user_state.h"
#include "user/window_internal.h"

#include <winsim/sim.h>

#include <algorithm>

namespace winsim::user {
namespace {

void LinkIntoParent(Window& w, Window& parent) {
    if (!IsTopLevel(w)) {
        // Child windows are added at the bottom of the z-order, so that GW_CHILD and
        // GW_HWNDNEXT visit them in the order of creation (the tab order of a dialog).
        parent.children.push_back(w.handle);
        return;
    }
    // A top-level window goes to the top of its band: topmost windows stay above the others.
    auto& list = parent.children;
    auto it = list.begin();
    if (!(w.exStyle & WS_EX_TOPMOST)) {
        while (it != list.end()) {
            Window* other = Find(*it);
            if (!other || !(other->exStyle & WS_EX_TOPMOST)) {
                break;
            }
            ++it;
        }
    }
    list.insert(it, w.handle);
}

void Unlink(Window& w) {
    if (Window* parent = Find(w.parent)) {
        auto& list = parent->children;
        list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    }
}

void NotifyParents(HWND hwnd, UINT event) {
    Window* w = Find(hwnd);
    if (!w || IsTopLevel(*w) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) {
        return;
    }
    WPARAM wParam = MAKEWPARAM(event, static_cast<WORD>(w->id));
    HWND parent = w->parent;
    while (Window* p = Find(parent)) {
        if (parent == State().desktop) {
            break;
        }
        Send(parent, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(hwnd));
        if (IsTopLevel(*p) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) {
            break;
        }
        parent = p->parent;
    }
}

void SendDestroy(HWND hwnd) {
    internal::SystemWindowDestroying(hwnd);
    if (!Find(hwnd)) {
        return;
    }
    Send(hwnd, WM_DESTROY, 0, 0);
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (Window* c = Find(child)) {
            c->destroying = true;
            SendDestroy(child);
        }
    }
}

void SendNcDestroyAndFree(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        SendNcDestroyAndFree(child);
    }
    Send(hwnd, WM_NCDESTROY, 0, 0);
    w = Find(hwnd);
    if (!w) {
        return;
    }
    KillWindowTimers(hwnd);
    ReleaseWindowHotKeys(hwnd);
    ForgetWindowInInput(hwnd);
    ForgetMouseTracking(hwnd);
    UserState& state = State();
    for (auto& [id, thread] : state.threads) {
        if (thread.focus == hwnd) {
            thread.focus = nullptr;
        }
        if (thread.active == hwnd) {
            thread.active = nullptr;
        }
        if (thread.capture == hwnd) {
            thread.capture = nullptr;
        }
    }
    if (state.foreground == hwnd) {
        state.foreground = nullptr;
    }
    // Owned windows are gone by now; windows that named this one as owner lose it.
    for (auto& [h, other] : state.windows) {
        if (other->owner == hwnd) {
            other->owner = nullptr;
        }
    }
    if (w->cls) {
        --w->cls->windowCount;
    }
    Unlink(*w);
    state.windows.erase(hwnd);
}

POINT DefaultPosition() {
    // Overlapped windows without a position cascade from the top left corner of the screen.
    static const int kStep = 26;
    int count = 0;
    for (auto& [h, w] : State().windows) {
        if (IsTopLevel(*w) && !(w->style & WS_POPUP)) {
            ++count;
        }
    }
    int offset = kStep * (1 + count % 8);
    return POINT{offset, offset};
}

// The window's parent (the desktop for a top-level window) and owner (the root of the parent
// given to a top-level window). False, with the error set, when the parent is not acceptable.
bool ResolveParentAndOwner(DWORD dwStyle, HWND hWndParent, HWND& parent, HWND& owner) {
    UserState& state = State();
    if (hWndParent == HWND_MESSAGE) {
        // Message-only windows are not offered by this desktop.
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    parent = state.desktop;
    owner = nullptr;
    if (dwStyle & WS_CHILD) {
        if (!hWndParent) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return false;
        }
        if (!FindOrFail(hWndParent)) {
            return false;
        }
        parent = hWndParent;
    } else if (hWndParent && hWndParent != state.desktop) {
        if (!FindOrFail(hWndParent)) {
            return false;
        }
        owner = RootOf(hWndParent);
    }
    return true;
}

// The window's record with its class, styles, relatives, id or menu, and thread; not yet placed
// nor linked into the tree.
std::unique_ptr<Window> NewWindowRecord(const std::shared_ptr<WindowClass>& cls, DWORD dwExStyle,
                                        DWORD dwStyle, HWND parent, HWND owner, HMENU hMenu,
                                        HINSTANCE hInstance) {
    auto window = std::make_unique<Window>();
    Window& w = *window;
    w.handle = NewHandle();
    w.cls = cls;
    w.proc = cls->proc;
    w.style = dwStyle & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w.exStyle = dwExStyle;
    w.parent = parent;
    w.owner = owner;
    w.instance = hInstance;
    w.extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    if (dwStyle & WS_CHILD) {
        w.id = static_cast<LONG_PTR>(reinterpret_cast<uintptr_t>(hMenu));
        Window* p = Find(parent);
        w.thread = p->thread;
        w.process = p->process;
    } else {
        w.menu = hMenu;
        if (!(dwStyle & WS_POPUP)) {
            // Overlapped windows always have a caption and clip their siblings.
            w.style |= WS_CAPTION | WS_CLIPSIBLINGS;
        }
        if (Window* o = Find(owner)) {
            w.thread = o->thread;
            w.process = o->process;
        }
    }
    if ((w.style & (WS_DLGFRAME | WS_THICKFRAME)) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
        w.exStyle |= WS_EX_WINDOWEDGE;
    }
    if (NeedsDialogState(*cls)) {
        w.dialog = std::make_unique<DialogState>();
    }
    return window;
}

// The position and size asked for, with CW_USEDEFAULT replaced: overlapped windows cascade and
// take three quarters of the work area, other windows start empty at the origin.
void ApplyDefaultPlacement(DWORD dwStyle, int& X, int& Y, int& nWidth, int& nHeight) {
    bool overlapped = !(dwStyle & (WS_CHILD | WS_POPUP));
    if (X == CW_USEDEFAULT) {
        POINT p = overlapped ? DefaultPosition() : POINT{0, 0};
        X = p.x;
        Y = p.y;
    }
    if (nWidth == CW_USEDEFAULT) {
        RECT work = WorkArea();
        nWidth = overlapped ? (work.right - work.left) * 3 / 4 : 0;
        nHeight = overlapped ? (work.bottom - work.top) * 3 / 4 : 0;
    }
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
}

// First an overlapped or sizable window is asked for its size limits, and it is created within
// them. False when the window is gone.
bool AskSizeLimits(HWND hwnd, DWORD dwStyle, int& nWidth, int& nHeight) {
    if (!(dwStyle & WS_THICKFRAME) && (dwStyle & (WS_POPUP | WS_CHILD))) {
        return true;
    }
    MINMAXINFO info = DefaultMinMaxInfo(*Find(hwnd));
    Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    Window* asked = Find(hwnd);
    if (!asked) {
        return false;
    }
    nWidth = std::max(std::min(nWidth, static_cast<int>(info.ptMaxTrackSize.x)),
                      static_cast<int>(info.ptMinTrackSize.x));
    nHeight = std::max(std::min(nHeight, static_cast<int>(info.ptMaxTrackSize.y)),
                       static_cast<int>(info.ptMinTrackSize.y));
    asked->rect.right = asked->rect.left + nWidth;
    asked->rect.bottom = asked->rect.top + nHeight;
    asked->normalRect = asked->rect;
    return true;
}

// WM_NCCALCSIZE between WM_NCCREATE and WM_CREATE: the window rectangle, in the parent's client
// coordinates, becomes the client area. An answer other than the frame of the window's styles
// is the window's own frame from then on.
void ComputeClientArea(HWND hwnd) {
    Window* w = Find(hwnd);
    POINT origin = IsTopLevel(*w) ? POINT{0, 0} : ClientOrigin(*Find(w->parent));
    const RECT proposed{w->rect.left - origin.x, w->rect.top - origin.y, w->rect.right - origin.x,
                        w->rect.bottom - origin.y};
    RECT client = proposed;
    Send(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    w = Find(hwnd);
    if (!w) {
        return;
    }
    // A client area outside the window rectangle is cut back to it.
    Insets answered{std::max(0, static_cast<int>(client.left - proposed.left)),
                    std::max(0, static_cast<int>(client.top - proposed.top)),
                    std::max(0, static_cast<int>(proposed.right - client.right)),
                    std::max(0, static_cast<int>(proposed.bottom - client.bottom))};
    const Insets styles = NonClientInsets(*w);
    if (answered.left != styles.left || answered.top != styles.top ||
        answered.right != styles.right || answered.bottom != styles.bottom) {
        w->ownFrame = true;
        w->ownFrameInsets = answered;
    }
}

// WM_NCCREATE, WM_NCCALCSIZE, then WM_CREATE; a window that refuses either creation message is
// destroyed. False when the window is gone.
bool SendCreationMessages(HWND hwnd, CREATESTRUCTA& cs) {
    if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (Find(hwnd)) {
            SendNcDestroyAndFree(hwnd);
        }
        return false;
    }
    if (Find(hwnd)) {
        ComputeClientArea(hwnd);
    }
    if (!Find(hwnd) || Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (Find(hwnd)) {
            DestroyWindow(hwnd);
        }
        return false;
    }
    return Find(hwnd) != nullptr;
}

// WM_SIZE and WM_MOVE with the new window's client size and position.
void SendFirstSizeAndMove(HWND hwnd) {
    Window* created = Find(hwnd);
    RECT client = ClientRectOnScreen(*created);
    Send(hwnd, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(client.right - client.left, client.bottom - client.top));
    if (Window* again = Find(hwnd)) {
        POINT pos{again->rect.left, again->rect.top};
        if (!IsTopLevel(*again)) {
            POINT o = ClientOrigin(*Find(again->parent));
            pos = POINT{pos.x - o.x, pos.y - o.y};
        } else {
            RECT c = ClientRectOnScreen(*again);
            pos = POINT{c.left, c.top};
        }
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(pos.x, pos.y));
    }
}

// A window created with WS_VISIBLE is shown the way its styles ask for.
void ShowIfCreatedVisible(HWND hwnd, DWORD dwStyle) {
    if (Find(hwnd) && (dwStyle & WS_VISIBLE)) {
        int show = (dwStyle & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                   : (dwStyle & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                             : SW_SHOWNORMAL;
        if (dwStyle & WS_CHILD) {
            show = SW_SHOW;
        }
        ShowWindow(hwnd, show);
    }
}

} // namespace

bool NeedsDialogState(const WindowClass& cls) {
    return cls.proc == DefDlgProcA;
}

} // namespace winsim::user

using namespace winsim::user;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
    UserState& state = State();
    if (!lpClassName) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    auto cls = FindClass(lpClassName, hInstance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND parent = nullptr;
    HWND owner = nullptr;
    if (!ResolveParentAndOwner(dwStyle, hWndParent, parent, owner)) {
        return nullptr;
    }

    auto window = NewWindowRecord(cls, dwExStyle, dwStyle, parent, owner, hMenu, hInstance);
    Window& w = *window;
    ApplyDefaultPlacement(dwStyle, X, Y, nWidth, nHeight);
    POINT origin{0, 0};
    if (dwStyle & WS_CHILD) {
        origin = ClientOrigin(*Find(parent));
    }
    w.rect = RECT{origin.x + X, origin.y + Y, origin.x + X + nWidth, origin.y + Y + nHeight};
    w.normalRect = w.rect;

    HWND hwnd = w.handle;
    ++cls->windowCount;
    state.windows[hwnd] = std::move(window);
    LinkIntoParent(*Find(hwnd), *Find(parent));
    if (!AskSizeLimits(hwnd, dwStyle, nWidth, nHeight)) {
        return nullptr;
    }

    CREATESTRUCTA cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.x = X;
    cs.y = Y;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;

    if (!SendCreationMessages(hwnd, cs)) {
        return nullptr;
    }
    SendFirstSizeAndMove(hwnd);
    NotifyParents(hwnd, WM_CREATE);
    ShowIfCreatedVisible(hwnd, dwStyle);
    return Find(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (hWnd == State().desktop) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) {
        return TRUE;
    }
    w->destroying = true;
    NotifyParents(hWnd, WM_DESTROY);
    if (!Find(hWnd)) {
        return TRUE;
    }
    // A visible window is hidden first; an active top-level window passes the activation on.
    if (Find(hWnd)->style & WS_VISIBLE) {
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    if (Window* still = Find(hWnd); still && IsTopLevel(*still)) {
        ActivateOtherThan(hWnd);
    }
    // Owned windows are destroyed before their owner.
    std::vector<HWND> owned;
    for (auto& [h, other] : State().windows) {
        if (other->owner == hWnd) {
            owned.push_back(h);
        }
    }
    for (HWND h : owned) {
        if (Find(h)) {
            DestroyWindow(h);
        }
    }
    if (!Find(hWnd)) {
        return TRUE;
    }
    // A focus window inside the tree that goes away leaves its thread without focus.
    Thread& thread = ThreadOf(Find(hWnd)->thread);
    if (thread.focus && (thread.focus == hWnd || IsDescendant(hWnd, thread.focus))) {
        thread.focus = nullptr;
    }
    SendDestroy(hWnd);
    SendNcDestroyAndFree(hWnd);
    return TRUE;
}
