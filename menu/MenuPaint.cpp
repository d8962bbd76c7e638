#include "menu/MenuPaint.h"

#include "platform/GdiHandles.h"
#include "menu/MenuStyle.h"

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    OwnedGdiObject brush(CreateSolidBrush(colour));
    if (brush) {
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
    }
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour) {
    OwnedGdiObject brush(CreateSolidBrush(colour));
    if (brush) {
        FrameRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
    }
}

void Frame3d(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    FillSolid(dc, RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

COLORREF ClassicMenuColour() {
    return GetSysColor(IsXPThemeActive() ? COLOR_BTNFACE : COLOR_MENU);
}
