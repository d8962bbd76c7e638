// Geometry of display DCs that belong to a window, read through the window manager's public
// functions: windows paint straight onto the screen, so a window's DC is the screen seen
// through the window's visible part.
#include "gdi/dc.h"

#include <winsim/winuser.h>
#include <winsim/winuser_system.h>

namespace winsim::gdi {
namespace {

bool IsChild(HWND hwnd) {
    return (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & WS_CHILD) != 0;
}

bool Shows(HWND hwnd) {
    return IsWindowVisible(hwnd) && !IsIconic(hwnd);
}

// The client area of a window in screen coordinates.
RECT ClientOnScreen(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// Takes the visible windows that lie above `hwnd` among its siblings out of the region.
void ExcludeWindowsAbove(HWND hwnd, Region& visible) {
    for (HWND above = GetWindow(hwnd, GW_HWNDFIRST); above && above != hwnd;
         above = GetWindow(above, GW_HWNDNEXT)) {
        RECT r{};
        if (Shows(above) && GetWindowRect(above, &r)) {
            visible.Subtract(r);
        }
    }
}

// The taskbar is the part of the screen below the work area.
void ExcludeTaskbar(Region& visible) {
    RECT work{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        visible.Subtract(RECT{0, work.bottom, Screen().width, Screen().height});
    }
}

} // namespace

bool WindowScreenRect(HWND hwnd, RECT& rect) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    return GetWindowRect(hwnd, &rect) != FALSE;
}

bool WindowDcGeometry(HWND hwnd, bool windowDc, POINT& origin, Region& visible) {
    const Surface& screen = Screen();
    if (hwnd == GetDesktopWindow()) {
        origin = POINT{0, 0};
        visible = Region(RECT{0, 0, screen.width, screen.height});
        return true;
    }
    RECT window{};
    if (!WindowScreenRect(hwnd, window)) {
        return false;
    }
    const RECT area = windowDc ? window : ClientOnScreen(hwnd);
    origin = POINT{area.left, area.top};
    visible = Region(area);
    visible.Intersect(RECT{0, 0, screen.width, screen.height});
    if (!Shows(hwnd)) {
        visible = Region();
        return true;
    }
    // A child shows only inside its parents' client areas, and only while they show; one with
    // WS_CLIPSIBLINGS (itself or an ancestor) also leaves the siblings above it alone.
    HWND top = hwnd;
    while (IsChild(top)) {
        if (static_cast<DWORD>(GetWindowLongA(top, GWL_STYLE)) & WS_CLIPSIBLINGS) {
            ExcludeWindowsAbove(top, visible);
        }
        HWND parent = GetParent(top);
        if (!parent) {
            break;
        }
        if (!Shows(parent)) {
            visible = Region();
            return true;
        }
        visible.Intersect(ClientOnScreen(parent));
        top = parent;
    }
    // Top-level windows above this one in z-order cover it, and the taskbar covers every
    // window that is not topmost.
    ExcludeWindowsAbove(top, visible);
    if (!(static_cast<DWORD>(GetWindowLongA(top, GWL_EXSTYLE)) & WS_EX_TOPMOST)) {
        ExcludeTaskbar(visible);
    }
    // A window with WS_CLIPCHILDREN leaves its visible children alone.
    if (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & WS_CLIPCHILDREN) {
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            if (Shows(child) && GetWindowRect(child, &r)) {
                visible.Subtract(r);
            }
        }
    }
    return true;
}

} // namespace winsim::gdi
