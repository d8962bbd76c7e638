// Invalid regions of windows and the WM_PAINT cycle. The update region is kept as one
// rectangle per window (the union of what was invalidated), in client coordinates.
#include "core/shell.h"
#include "user/geometry.h"
#include "user/paint_internal.h"
#include "user/window_internal.h"

#include <algorithm>

namespace winsim::user {
namespace {

bool Intersects(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void AddToUpdate(Window& w, const RECT& clientRect, bool erase) {
    RECT c = ClientRectOnScreen(w);
    RECT whole{0, 0, c.right - c.left, c.bottom - c.top};
    RECT r{std::max(clientRect.left, whole.left), std::max(clientRect.top, whole.top),
           std::min(clientRect.right, whole.right), std::min(clientRect.bottom, whole.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) {
        return;
    }
    if (w.needsPaint) {
        w.updateRect =
            RECT{std::min(w.updateRect.left, r.left), std::min(w.updateRect.top, r.top),
                 std::max(w.updateRect.right, r.right), std::max(w.updateRect.bottom, r.bottom)};
    } else {
        w.updateRect = r;
    }
    w.needsPaint = true;
    w.needsErase = w.needsErase || erase;
}

void InvalidateChildren(Window& w, const RECT* screenArea) {
    for (HWND h : w.children) {
        Window* c = Find(h);
        if (!c || !(c->style & WS_VISIBLE)) {
            continue;
        }
        if (screenArea && !Intersects(*screenArea, c->rect)) {
            continue;
        }
        RECT client = ClientRectOnScreen(*c);
        RECT local = screenArea
                         ? RECT{screenArea->left - client.left, screenArea->top - client.top,
                                screenArea->right - client.left, screenArea->bottom - client.top}
                         : RECT{0, 0, client.right - client.left, client.bottom - client.top};
        AddToUpdate(*c, local, true);
        c->needsFramePaint = true;
        InvalidateChildren(*c, screenArea);
    }
}

Window* FindPaintable(Window& w, DWORD thread) {
    if (!(w.style & WS_VISIBLE)) {
        return nullptr;
    }
    if (w.thread == thread && w.needsFramePaint && !w.needsPaint && !w.inPaint) {
        // A frame alone is drawn at once, without WM_PAINT.
        Send(w.handle, WM_NCPAINT, 1, 0);
        if (Window* again = Find(w.handle)) {
            again->needsFramePaint = false;
        }
    }
    if (w.thread == thread && w.needsPaint && !w.inPaint) {
        return &w;
    }
    for (HWND h : w.children) {
        if (Window* c = Find(h)) {
            if (Window* found = FindPaintable(*c, thread)) {
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace

void ScreenAreaChanged(const RECT& screen) {
    internal::ShellAreaChanged(screen);
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (!w || !(w->style & WS_VISIBLE) || !Intersects(screen, w->rect)) {
            continue;
        }
        RECT client = ClientRectOnScreen(*w);
        AddToUpdate(*w,
                    RECT{screen.left - client.left, screen.top - client.top,
                         screen.right - client.left, screen.bottom - client.top},
                    true);
        w->needsFramePaint = true;
        InvalidateChildren(*w, &screen);
    }
}

void InvalidateWindowTree(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    RECT client = ClientRectOnScreen(*w);
    AddToUpdate(*w, RECT{0, 0, client.right - client.left, client.bottom - client.top}, true);
    w->needsFramePaint = true;
    InvalidateChildren(*w, nullptr);
}

bool IsShownOnScreenForPaint(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w) {
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) {
            return false;
        }
        if (IsTopLevel(*w)) {
            return true;
        }
        w = Find(w->parent);
    }
    return false;
}

HWND NextWindowToPaint(DWORD thread, HWND filter) {
    if (!WindowPaintingAvailable()) {
        return nullptr;
    }
    std::vector<HWND> roots;
    if (filter && filter != reinterpret_cast<HWND>(-1)) {
        roots.push_back(filter);
    } else {
        roots = Find(State().desktop)->children;
    }
    // Bottom windows first, so that what lies on top paints last.
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        if (Window* w = Find(*it)) {
            if (Window* found = FindPaintable(*w, thread)) {
                return found->handle;
            }
        }
    }
    return nullptr;
}

} // namespace winsim::user

using namespace winsim::user;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (!hWnd) {
        // The whole screen: every window paints again.
        ScreenAreaChanged(Find(State().desktop)->rect);
        return TRUE;
    }
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    RECT client = ClientRectOnScreen(*w);
    RECT r = lpRect ? *lpRect : RECT{0, 0, client.right - client.left, client.bottom - client.top};
    AddToUpdate(*w, r, bErase != FALSE);
    // Children without WS_CLIPCHILDREN on the parent are covered by the parent's update.
    if (!(w->style & WS_CLIPCHILDREN)) {
        RECT screen{r.left + client.left, r.top + client.top, r.right + client.left,
                    r.bottom + client.top};
        InvalidateChildren(*w, &screen);
    }
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    // With one rectangle per window, validating a part that covers the update clears it.
    if (!lpRect ||
        (lpRect->left <= w->updateRect.left && lpRect->top <= w->updateRect.top &&
         lpRect->right >= w->updateRect.right && lpRect->bottom >= w->updateRect.bottom)) {
        w->needsPaint = false;
        w->needsErase = false;
        w->updateRect = RECT{};
    }
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    (void)bErase;
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (lpRect) {
        *lpRect = w->needsPaint ? w->updateRect : RECT{};
    }
    return w->needsPaint;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (!WindowPaintingAvailable()) {
        return TRUE;
    }
    std::vector<HWND> order{hWnd};
    for (size_t i = 0; i < order.size(); ++i) {
        if (Window* x = Find(order[i])) {
            order.insert(order.end(), x->children.rbegin(), x->children.rend());
        }
    }
    for (HWND h : order) {
        Window* x = Find(h);
        if (x && IsShownOnScreen(h) && x->needsFramePaint && !x->needsPaint && !x->inPaint) {
            Send(h, WM_NCPAINT, 1, 0);
            if (Window* again = Find(h)) {
                again->needsFramePaint = false;
            }
        }
        x = Find(h);
        if (x && IsShownOnScreen(h) && x->needsPaint && !x->inPaint) {
            Send(h, WM_PAINT, 0, 0);
        }
    }
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    (void)hrgnUpdate;
    HWND target = hWnd ? hWnd : State().desktop;
    Window* w = FindOrFail(target);
    if (!w) {
        return FALSE;
    }
    if (flags & RDW_INVALIDATE) {
        InvalidateRect(target, lprcUpdate, (flags & RDW_ERASE) ? TRUE : FALSE);
        if (flags & RDW_FRAME) {
            w->needsFramePaint = true;
        }
        if (flags & RDW_ALLCHILDREN) {
            InvalidateWindowTree(target);
        }
    }
    if (flags & RDW_VALIDATE) {
        ValidateRect(target, lprcUpdate);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        UpdateWindow(target);
    }
    return TRUE;
}
