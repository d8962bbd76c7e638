// Window rectangles, moving, sizing, z-order and show states.
#include "user/activation.h"
#include "user/geometry.h"
#include "user/mouse_tracking.h"
#include "user/paint_internal.h"
#include "user/window_internal.h"
#include "user/user_state.h"

#include <algorithm>

namespace winsim::user {
namespace {

void OffsetTree(Window& w, int dx, int dy) {
    for (HWND h : w.children) {
        if (Window* c = Find(h)) {
            c->rect.left += dx;
            c->rect.right += dx;
            c->rect.top += dy;
            c->rect.bottom += dy;
            OffsetTree(*c, dx, dy);
        }
    }
}

// The origin that a window's x and y are measured from: the parent's client area for child
// windows, the screen for top-level windows.
POINT ParentOrigin(const Window& w) {
    if (IsTopLevel(w)) {
        return POINT{0, 0};
    }
    Window* parent = Find(w.parent);
    return parent ? ClientOrigin(*parent) : POINT{0, 0};
}

void PlaceInZOrder(Window& w, HWND after) {
    Window* parent = Find(w.parent);
    if (!parent) {
        return;
    }
    auto& list = parent->children;
    if (IsTopLevel(w)) {
        if (after == HWND_TOPMOST) {
            w.exStyle |= WS_EX_TOPMOST;
            BringToTop(w.handle);
            return;
        }
        if (after == HWND_NOTOPMOST) {
            w.exStyle &= ~WS_EX_TOPMOST;
            BringToTop(w.handle);
            return;
        }
        if (after == HWND_TOP) {
            BringToTop(w.handle);
            return;
        }
    } else if (after == HWND_TOPMOST || after == HWND_NOTOPMOST || after == HWND_TOP) {
        list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
        list.insert(list.begin(), w.handle);
        return;
    }
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    if (after == HWND_BOTTOM) {
        w.exStyle &= ~WS_EX_TOPMOST;
        list.push_back(w.handle);
        return;
    }
    auto it = std::find(list.begin(), list.end(), after);
    list.insert(it == list.end() ? list.end() : it + 1, w.handle);
}

void SendSizeAndMove(HWND hwnd, const WINDOWPOS& wp) {
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    if (!(wp.flags & SWP_NOMOVE)) {
        POINT origin = IsTopLevel(*w) ? POINT{0, 0} : ParentOrigin(*w);
        RECT client = ClientRectOnScreen(*w);
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(client.left - origin.x, client.top - origin.y));
    }
    w = Find(hwnd);
    if (w && !(wp.flags & SWP_NOSIZE)) {
        WPARAM type = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                      : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
        RECT client = ClientRectOnScreen(*w);
        Send(hwnd, WM_SIZE, type,
             MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
}

bool Visible(const Window* w) {
    while (w) {
        if (!(w->style & WS_VISIBLE)) {
            return false;
        }
        if (IsTopLevel(*w)) {
            return true;
        }
        w = Find(w->parent);
    }
    return false;
}

} // namespace

void MoveDefaultMessages(HWND hwnd, const WINDOWPOS& wp) {
    SendSizeAndMove(hwnd, wp);
}

bool IsShownOnScreen(HWND hwnd) {
    return Visible(Find(hwnd));
}

} // namespace winsim::user

using namespace winsim::user;

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (!lpRect) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    *lpRect = w->rect;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (!lpRect) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    RECT c = ClientRectOnScreen(*w);
    *lpRect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (!(dwStyle & (WS_CHILD | WS_POPUP))) {
        dwStyle |= WS_CAPTION;
    }
    Insets in = NonClientInsets(dwStyle, dwExStyle, bMenu != FALSE);
    lpRect->left -= in.left;
    lpRect->top -= in.top;
    lpRect->right += in.right;
    lpRect->bottom += in.bottom;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (hWnd == State().desktop) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (hWndInsertAfter && hWndInsertAfter != HWND_TOPMOST && hWndInsertAfter != HWND_NOTOPMOST &&
        hWndInsertAfter != HWND_BOTTOM && !(uFlags & SWP_NOZORDER) && !Find(hWndInsertAfter)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    POINT origin = ParentOrigin(*w);
    WINDOWPOS wp{hWnd, hWndInsertAfter, X, Y, std::max(cx, 0), std::max(cy, 0), uFlags};
    if (wp.flags & SWP_NOMOVE) {
        wp.x = w->rect.left - origin.x;
        wp.y = w->rect.top - origin.y;
    }
    if (wp.flags & SWP_NOSIZE) {
        wp.cx = w->rect.right - w->rect.left;
        wp.cy = w->rect.bottom - w->rect.top;
    }
    if ((wp.flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE)) {
        wp.flags &= ~SWP_SHOWWINDOW;
    }
    if ((wp.flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) {
        wp.flags &= ~SWP_HIDEWINDOW;
    }
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        Send(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        w = Find(hWnd);
        if (!w) {
            return FALSE;
        }
    }
    RECT before = w->rect;
    bool wasShown = IsShownOnScreen(hWnd);
    RECT after{origin.x + wp.x, origin.y + wp.y, origin.x + wp.x + wp.cx, origin.y + wp.y + wp.cy};
    if (after.left == before.left && after.top == before.top) {
        wp.flags |= SWP_NOMOVE;
    }
    if (after.right - after.left == before.right - before.left &&
        after.bottom - after.top == before.bottom - before.top) {
        wp.flags |= SWP_NOSIZE;
    }
    w->rect = after;
    OffsetTree(*w, after.left - before.left, after.top - before.top);
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        w->normalRect = after;
    }
    if (!(wp.flags & SWP_NOZORDER)) {
        PlaceInZOrder(*w, wp.hwndInsertAfter);
    }
    if (wp.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        NotifyWindowShown(hWnd, true);
    }
    if (wp.flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
        NotifyWindowShown(hWnd, false);
    }
    bool nowShown = IsShownOnScreen(hWnd);
    if (wasShown || nowShown) {
        ScreenAreaChanged(before);
        ScreenAreaChanged(w->rect);
        if (nowShown) {
            InvalidateWindowTree(hWnd);
        }
    }
    if ((wp.flags & SWP_HIDEWINDOW) && IsTopLevel(*w)) {
        ActivateOtherThan(hWnd);
    } else if (!(wp.flags & SWP_NOACTIVATE) && IsTopLevel(*w) && (w->style & WS_VISIBLE) &&
               !(w->style & WS_MINIMIZE)) {
        Window* fresh = Find(hWnd);
        if (fresh && (State().foreground != hWnd || ThreadOf(fresh->thread).active != hWnd)) {
            Activate(hWnd);
        }
    }
    if (Find(hWnd)) {
        Send(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    }
    if (wasShown || nowShown) {
        // The window may have left the pointer, or come between it and a tracked window.
        UpdateMouseTracking();
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL WINAPI BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool topLevel = IsTopLevel(*w);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    RECT target = w->rect;
    bool activate = false;
    bool activateOther = false;
    bool changeRect = false;

    switch (nCmdShow) {
    case SW_HIDE:
        if (!wasVisible) {
            return FALSE;
        }
        Send(hWnd, WM_SHOWWINDOW, FALSE, 0);
        if (!Find(hWnd)) {
            return TRUE;
        }
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        if (!(w->style & WS_MINIMIZE)) {
            if (!(w->style & WS_MAXIMIZE)) {
                w->normalRect = w->rect;
            }
            w->style |= WS_MINIMIZE;
            target =
                RECT{kMinimizedPosition, kMinimizedPosition, kMinimizedPosition + kMinimizedWidth,
                     kMinimizedPosition + kMinimizedHeight};
            changeRect = true;
        }
        activate = nCmdShow == SW_SHOWMINIMIZED;
        activateOther = nCmdShow == SW_MINIMIZE || nCmdShow == SW_FORCEMINIMIZE;
        break;
    case SW_MAXIMIZE: {
        if (!(w->style & WS_MAXIMIZE)) {
            if (!(w->style & WS_MINIMIZE)) {
                w->normalRect = w->rect;
            }
            w->style &= ~WS_MINIMIZE;
            w->style |= WS_MAXIMIZE;
            // The frame of a maximised window lies just outside the work area.
            RECT work = WorkArea();
            Insets in = NonClientInsets(w->style & ~WS_CAPTION, w->exStyle, false);
            target = topLevel ? RECT{work.left - in.left, work.top - in.top, work.right + in.right,
                                     work.bottom + in.bottom}
                              : ClientRectOnScreen(*Find(w->parent));
            changeRect = true;
        }
        activate = true;
        break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            target = w->normalRect;
            changeRect = true;
        }
        activate = true;
        break;
    case SW_SHOW:
        activate = true;
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!wasVisible) {
        Send(hWnd, WM_SHOWWINDOW, TRUE, 0);
        w = Find(hWnd);
        if (!w) {
            return FALSE;
        }
        flags |= SWP_SHOWWINDOW;
    }
    if (changeRect) {
        flags |= SWP_FRAMECHANGED;
    } else {
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    }
    POINT origin = ParentOrigin(*w);
    SetWindowPos(hWnd, nullptr, target.left - origin.x, target.top - origin.y,
                 target.right - target.left, target.bottom - target.top, flags);
    if (!Find(hWnd) || !topLevel) {
        return wasVisible;
    }
    if (activateOther) {
        ActivateOtherThan(hWnd);
    } else if (activate && (Find(hWnd)->style & WS_VISIBLE)) {
        // A window that refused the show in WM_WINDOWPOSCHANGING stays hidden and inactive.
        Activate(hWnd);
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    return IsShownOnScreen(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL WINAPI GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (!lpwndpl) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    lpwndpl->flags = 0;
    lpwndpl->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    lpwndpl->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpPoint) {
        return FALSE;
    }
    POINT o = ClientOrigin(*w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpPoint) {
        return FALSE;
    }
    POINT o = ClientOrigin(*w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    POINT from{0, 0};
    POINT to{0, 0};
    if (hWndFrom) {
        Window* w = FindOrFail(hWndFrom);
        if (!w) {
            return 0;
        }
        from = ClientOrigin(*w);
    }
    if (hWndTo) {
        Window* w = FindOrFail(hWndTo);
        if (!w) {
            return 0;
        }
        to = ClientOrigin(*w);
    }
    int dx = from.x - to.x;
    int dy = from.y - to.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    Window* w = FindOrFail(hWndParent);
    if (!w) {
        return nullptr;
    }
    POINT o = ClientOrigin(*w);
    POINT screen{Point.x + o.x, Point.y + o.y};
    RECT client = ClientRectOnScreen(*w);
    if (hWndParent != State().desktop && !(screen.x >= w->rect.left && screen.x < w->rect.right &&
                                           screen.y >= w->rect.top && screen.y < w->rect.bottom)) {
        return nullptr;
    }
    (void)client;
    for (HWND h : w->children) {
        Window* c = Find(h);
        if (c && screen.x >= c->rect.left && screen.x < c->rect.right && screen.y >= c->rect.top &&
            screen.y < c->rect.bottom) {
            return h;
        }
    }
    return hWndParent;
}

HWND WINAPI WindowFromPoint(POINT Point) {
    return WindowAtScreenPoint(Point);
}
