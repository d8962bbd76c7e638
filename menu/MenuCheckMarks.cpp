#include "menu/MenuCheckMarks.h"

#include "menu/ColorBlend.h"
#include "platform/GdiHandles.h"
#include "menu/MenuPaint.h"
#include "menu/MenuStyle.h"

#include <algorithm>

void DrawTick(HDC dc, int x, int y, COLORREF colour, bool shortForm) {
    static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    static const int kBottom[7] = {5, 6, 7, 6, 5, 4, 3};
    OwnedGdiObject pen(CreatePen(PS_SOLID, 0, colour));
    if (!pen) {
        return;
    }
    ScopedSelection selected(dc, pen.Get());
    const int shorten = shortForm ? 1 : 0;
    for (int i = 0; i < 7; ++i) {
        // A line leaves out its end point: rows top to bottom - 1 are painted.
        MoveToEx(dc, x + i, y + kTop[i], NULL);
        LineTo(dc, x + i, y + kBottom[i] - shorten);
    }
}

void DrawBullet(HDC dc, int x, int y, COLORREF colour) {
    OwnedGdiObject brush(CreateSolidBrush(colour));
    OwnedGdiObject pen(CreatePen(PS_SOLID, 0, colour));
    if (!brush || !pen) {
        return;
    }
    ScopedSelection brushSelected(dc, brush.Get());
    ScopedSelection penSelected(dc, pen.Get());
    Ellipse(dc, x, y, x + 6, y + 6);
}

void DrawClassicCheck(HDC dc, const RECT& box, bool selected, bool radio) {
    const COLORREF menu = ClassicMenuColour();
    FillSolid(dc, box, selected ? menu : BlendToWhite(menu, 0.6));
    if (HasNewShell()) {
        RECT edge = box;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    if (radio) {
        DrawBullet(dc, box.left + 5, box.top + 4, ink);
    } else {
        DrawTick(dc, box.left + 4, box.top + 4, ink, false);
    }
}

void DrawXPCheck(HDC dc, const RECT& cell, bool selected, bool radio) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    FillSolid(dc, cell, BlendToWhite(highlight, selected ? 0.55 : 0.85));
    FrameSolid(dc, cell, highlight);
    const int ox = std::max(0, static_cast<int>((cell.right - cell.left) >> 1) - 3);
    const int oy = std::max(0, static_cast<int>((cell.bottom - cell.top) >> 1) - 3);
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    if (radio) {
        DrawBullet(dc, cell.left + ox, cell.top + oy, ink);
    } else {
        DrawTick(dc, cell.left + ox, cell.top + oy, ink, true);
    }
}
