// What a drawing call needs of a DC: the surface it draws on, where the DC's device origin sits
// on that surface, the pixels it may touch (clip region and, on the screen, the window's visible
// part), the mapping of logical coordinates, and its colours as pixel values of the surface.
#pragma once

#include "gdi/objects.h"

namespace winsim::gdi {

struct Canvas {
    DcObj* dc = nullptr;
    Surface* surface = nullptr;
    POINT origin{0, 0}; // device (0, 0) on the surface
    Region clip;        // surface coordinates, inside the surface

    // Logical coordinates to surface coordinates.
    int X(int lx) const { return lx - dc->a.windowOrg.x + dc->a.viewportOrg.x + origin.x; }
    int Y(int ly) const { return ly - dc->a.windowOrg.y + dc->a.viewportOrg.y + origin.y; }
    bool Visible(int sx, int sy) const { return clip.Contains(sx, sy); }
};

// Resolves the DC; false (with ERROR_INVALID_HANDLE) for a handle that is no DC.
bool MakeCanvas(HDC hdc, Canvas& canvas);

// The surface the DC draws on (the selected bitmap, or the screen), without clipping.
Surface* DcSurface(DcObj& dc);

// The raw pixel value a COLORREF has on the DC's surface, palette-relative colours
// (PALETTEINDEX, PALETTERGB) resolved through the DC's selected palette.
uint32_t ColorToDcPixel(const DcObj& dc, const Surface& s, COLORREF color);

// The colour a COLORREF is drawn in on the DC (GetNearestColor).
COLORREF NearestDcColor(DcObj& dc, COLORREF color);

// The screen surface at the configured display depth.
Surface& Screen();
void ResetScreen();

// The window geometry behind a display DC: its origin on the screen and the visible region in
// screen coordinates. False when the window does not exist.
bool WindowDcGeometry(HWND hwnd, bool windowDc, POINT& origin, Region& visible);

// A window's rectangle in screen coordinates. False when the window does not exist.
bool WindowScreenRect(HWND hwnd, RECT& rect);

} // namespace winsim::gdi
