// DrawEdge: the 3-D borders of classic Windows in the system colours.
#include "gdi/raster.h"

#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

using namespace winsim::gdi;

namespace {

struct EdgeColors {
    int topLeft;
    int bottomRight;
};

// Colours of one border line, outer or inner, by its raised or sunken style.
bool LineColors(UINT edge, bool outer, UINT flags, EdgeColors& out) {
    const UINT raised = outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const UINT sunken = outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    if (!(edge & (raised | sunken))) {
        return false;
    }
    if (flags & BF_MONO) {
        out = outer ? EdgeColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}
                    : EdgeColors{COLOR_WINDOW, COLOR_WINDOW};
    } else if (flags & BF_FLAT) {
        out = outer ? EdgeColors{COLOR_BTNSHADOW, COLOR_BTNSHADOW}
                    : EdgeColors{COLOR_BTNFACE, COLOR_BTNFACE};
    } else if (edge & raised) {
        out = outer ? EdgeColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                    : EdgeColors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    } else {
        out = outer ? EdgeColors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}
                    : EdgeColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    }
    return true;
}

void Fill(Canvas& c, const RECT& r, int sysColor) {
    FillSurfaceRect(c, r, ColorToDcPixel(*c.dc, *c.surface, GetSysColor(sysColor)),
                    RopCode(PATCOPY));
}

// Draws one line on each flagged side of r (surface coordinates): top and left first, then
// bottom and right over the corners they share.
void DrawLines(Canvas& c, const RECT& r, UINT flags, const EdgeColors& colors) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    if (flags & BF_LEFT) {
        Fill(c, RECT{r.left, r.top, r.left + 1, r.bottom}, colors.topLeft);
    }
    if (flags & BF_TOP) {
        Fill(c, RECT{r.left, r.top, r.right, r.top + 1}, colors.topLeft);
    }
    if (flags & BF_RIGHT) {
        Fill(c, RECT{r.right - 1, r.top, r.right, r.bottom}, colors.bottomRight);
    }
    if (flags & BF_BOTTOM) {
        Fill(c, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colors.bottomRight);
    }
}

RECT Deflate(const RECT& r, UINT flags) {
    return RECT{r.left + ((flags & BF_LEFT) ? 1 : 0), r.top + ((flags & BF_TOP) ? 1 : 0),
                r.right - ((flags & BF_RIGHT) ? 1 : 0), r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
}

} // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    if (!qrc || (grfFlags & 0x0010)) {
        // Diagonal edges (BF_DIAGONAL) are not offered.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    RECT r{c.X(qrc->left), c.Y(qrc->top), c.X(qrc->right), c.Y(qrc->bottom)};
    EdgeColors colors{};
    if (LineColors(edge, true, grfFlags, colors)) {
        DrawLines(c, r, grfFlags, colors);
        r = Deflate(r, grfFlags);
    }
    if (LineColors(edge, false, grfFlags, colors)) {
        DrawLines(c, r, grfFlags, colors);
        r = Deflate(r, grfFlags);
    }
    if ((grfFlags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top) {
        Fill(c, r, (grfFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    if (grfFlags & BF_ADJUST) {
        // The rectangle left inside the border, back in logical coordinates.
        const int dx = qrc->left - c.X(qrc->left), dy = qrc->top - c.Y(qrc->top);
        *qrc = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    return TRUE;
}
