// TrackMouseEvent: WM_MOUSELEAVE when the pointer leaves the tracked area, WM_MOUSEHOVER when it
// rests there. Both are one-shot: a program asks again after each notification.
#include "user/mouse_tracking.h"

#include "user/geometry.h"
#include "user/input_internal.h"
#include "user/window_internal.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace winsim::user {
namespace {

// The defaults of SPI_GETMOUSEHOVERTIME, SPI_GETMOUSEHOVERWIDTH and SPI_GETMOUSEHOVERHEIGHT.
constexpr DWORD kDefaultHoverTime = 400;
constexpr int kHoverWidth = 4;
constexpr int kHoverHeight = 4;

struct Tracking {
    HWND hwnd = nullptr;
    DWORD flags = 0; // TME_HOVER, TME_LEAVE, TME_NONCLIENT
    DWORD hoverTime = 0;
    ULONGLONG hoverStart = 0;
    POINT hoverOrigin{};
};

std::map<DWORD, Tracking>& Trackings() {
    static std::map<DWORD, Tracking> trackings;
    return trackings;
}

bool Watching(const Tracking& t) {
    return t.hwnd && (t.flags & (TME_HOVER | TME_LEAVE)) != 0;
}

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The pointer is over the tracked part of the window: its client area, or its frame when the
// non-client area is tracked. A child window over the point hides its parent, as does any
// window above it in the z-order.
bool InTrackedArea(HWND hwnd, DWORD flags, POINT p) {
    Window* w = Find(hwnd);
    if (!w || !IsShownOnScreen(hwnd) || WindowAtScreenPoint(p) != hwnd) {
        return false;
    }
    w = Find(hwnd);
    if (!w) {
        return false;
    }
    bool inClient = Inside(ClientRectOnScreen(*w), p);
    return (flags & TME_NONCLIENT) ? !inClient : inClient;
}

bool InHoverRectangle(const Tracking& t, POINT p) {
    return std::abs(p.x - t.hoverOrigin.x) <= kHoverWidth / 2 &&
           std::abs(p.y - t.hoverOrigin.y) <= kHoverHeight / 2;
}

void PostLeave(DWORD thread, HWND hwnd, DWORD flags) {
    // In the input queue, so that the leave comes after the mouse moves that the window got
    // before it and before those of the window the pointer went to.
    PostInput(thread, hwnd, (flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

DWORD HoverTimeFrom(DWORD asked) {
    if (asked == HOVER_DEFAULT || asked == 0) {
        return kDefaultHoverTime;
    }
    return std::max<DWORD>(asked, USER_TIMER_MINIMUM);
}

} // namespace

void UpdateMouseTracking() {
    std::vector<DWORD> threads;
    for (const auto& [thread, t] : Trackings()) {
        if (Watching(t)) {
            threads.push_back(thread);
        }
    }
    for (DWORD thread : threads) {
        Tracking before = Trackings()[thread];
        POINT p = CursorPosition();
        bool over = InTrackedArea(before.hwnd, before.flags, p);
        Tracking& t = Trackings()[thread];
        if (t.hwnd != before.hwnd || t.flags != before.flags) {
            continue; // a hit-test handler changed the tracking; its own call decided
        }
        if (!over) {
            if (t.flags & TME_LEAVE) {
                PostLeave(thread, t.hwnd, t.flags);
            }
            t = Tracking{};
            continue;
        }
        if ((t.flags & TME_HOVER) && !InHoverRectangle(t, p)) {
            t.hoverOrigin = p;
            t.hoverStart = GetTickCount64();
        }
    }
}

void PostDueMouseHover(DWORD thread) {
    auto it = Trackings().find(thread);
    if (it == Trackings().end() || !it->second.hwnd || !(it->second.flags & TME_HOVER)) {
        return;
    }
    Tracking& t = it->second;
    if (GetTickCount64() < t.hoverStart + t.hoverTime) {
        return;
    }
    HWND hwnd = t.hwnd;
    DWORD flags = t.flags;
    t.flags &= ~TME_HOVER;
    if (!(t.flags & TME_LEAVE)) {
        t = Tracking{};
    }
    POINT p = CursorPosition();
    if (flags & TME_NONCLIENT) {
        LRESULT hit =
            Send(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        if (Find(hwnd)) {
            PostToThread(thread, hwnd, WM_NCMOUSEHOVER, static_cast<WPARAM>(hit),
                         MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        }
        return;
    }
    ScreenToClient(hwnd, &p);
    PostToThread(thread, hwnd, WM_MOUSEHOVER, MouseKeyFlags(),
                 MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

ULONGLONG NextMouseHoverTick() {
    ULONGLONG next = 0;
    for (const auto& [thread, t] : Trackings()) {
        if (t.hwnd && (t.flags & TME_HOVER)) {
            ULONGLONG due = t.hoverStart + t.hoverTime;
            next = next == 0 ? due : std::min(next, due);
        }
    }
    return next;
}

void ForgetMouseTracking(HWND hwnd) {
    for (auto& [thread, t] : Trackings()) {
        if (t.hwnd == hwnd) {
            t = Tracking{};
        }
    }
}

void ResetMouseTracking() {
    Trackings().clear();
}

} // namespace winsim::user

using namespace winsim::user;

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD flags = lpEventTrack->dwFlags;
    if (flags & TME_QUERY) {
        // What the calling thread tracks now; nothing once a notification ended the tracking.
        Tracking current = Trackings()[kProgramThread];
        if (!Watching(current)) {
            current = Tracking{};
        }
        lpEventTrack->dwFlags = current.flags;
        lpEventTrack->hwndTrack = current.hwnd;
        lpEventTrack->dwHoverTime = current.hoverTime;
        return TRUE;
    }
    HWND hwnd = lpEventTrack->hwndTrack;
    Window* w = FindOrFail(hwnd);
    if (!w) {
        return FALSE;
    }
    const DWORD thread = w->thread;
    const DWORD asked = flags & (TME_HOVER | TME_LEAVE);
    Tracking& t = Trackings()[thread];
    if (flags & TME_CANCEL) {
        if (t.hwnd == hwnd && (t.flags & TME_NONCLIENT) == (flags & TME_NONCLIENT)) {
            t.flags &= ~asked;
            if (!Watching(t)) {
                t = Tracking{};
            }
        }
        return TRUE;
    }
    if (!asked) {
        return TRUE;
    }
    Tracking next;
    next.hwnd = hwnd;
    next.flags = asked | (flags & TME_NONCLIENT);
    const bool sameArea = t.hwnd == hwnd && (t.flags & TME_NONCLIENT) == (flags & TME_NONCLIENT);
    if (sameArea) {
        next.flags |= t.flags & (TME_HOVER | TME_LEAVE);
        next.hoverTime = t.hoverTime;
        next.hoverStart = t.hoverStart;
        next.hoverOrigin = t.hoverOrigin;
    }
    if (asked & TME_HOVER) {
        next.hoverTime = HoverTimeFrom(lpEventTrack->dwHoverTime);
        next.hoverStart = GetTickCount64();
        next.hoverOrigin = CursorPosition();
    }
    Tracking previous = t;
    if (previous.hwnd && !sameArea && (previous.flags & TME_LEAVE) &&
        !InTrackedArea(previous.hwnd, previous.flags, CursorPosition())) {
        // The window tracked so far was left before this call replaced its tracking.
        PostLeave(thread, previous.hwnd, previous.flags);
    }
    if (!InTrackedArea(hwnd, next.flags, CursorPosition())) {
        // Not over the window or area: the leave notification comes at once, and nothing is
        // tracked any further.
        if (next.flags & TME_LEAVE) {
            PostLeave(thread, hwnd, next.flags);
        }
        Trackings()[thread] = Tracking{};
        return TRUE;
    }
    Trackings()[thread] = next;
    return TRUE;
}
