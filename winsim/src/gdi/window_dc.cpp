// Geometry of display DCs that belong to a window.
#include "gdi/dc.h"

namespace winsim::gdi {

bool WindowDcGeometry(HWND hwnd, bool windowDc, POINT& origin, Region& visible) {
    // Windows are not yet known to GDI: only the whole screen can be drawn on.
    (void)hwnd;
    (void)windowDc;
    origin = POINT{0, 0};
    visible = Region();
    return false;
}

bool WindowScreenRect(HWND hwnd, RECT& rect) {
    (void)hwnd;
    rect = RECT{0, 0, 0, 0};
    return false;
}

} // namespace winsim::gdi
