// Rectangles, frames, ellipses and lines with the selected pen and brush.
#include "gdi/raster.h"
#include "gdi/syscolor_brush.h"

#include <winsim/winerror.h>

#include <algorithm>
#include <cstdlib>

using namespace winsim::gdi;

namespace {

struct PenInfo {
    bool visible = false;
    uint32_t pixel = 0;
    int width = 1;
    UINT style = PS_SOLID;
};

PenInfo SelectedPen(const Canvas& c) {
    const PenObj* pen = Find<PenObj>(c.dc->a.pen, OBJ_PEN);
    if (!pen) {
        // A pen deleted while selected draws as the stock black pen.
        pen = Find<PenObj>(GetStockObject(BLACK_PEN), OBJ_PEN);
    }
    PenInfo info;
    info.style = pen->lp.lopnStyle;
    info.visible = info.style != PS_NULL;
    info.width = std::max<LONG>(1, pen->lp.lopnWidth.x);
    info.pixel = ColorToDcPixel(*c.dc, *c.surface, pen->lp.lopnColor);
    return info;
}

// Whether the n-th pixel of a styled line of width 1 is drawn.
bool StyleOn(UINT style, int n) {
    switch (style) {
    case PS_DASH:
        return n % 24 < 18;
    case PS_DOT:
        return n % 6 < 3;
    case PS_DASHDOT:
        return n % 30 < 18 || (n % 30 >= 24 && n % 30 < 27);
    case PS_DASHDOTDOT:
        return n % 36 < 18 || (n % 36 >= 24 && n % 36 < 27) || (n % 36 >= 30 && n % 36 < 33);
    default:
        return true;
    }
}

void PlotWide(Canvas& c, int x, int y, const PenInfo& pen) {
    if (pen.width <= 1) {
        PlotPen(c, x, y, pen.pixel);
        return;
    }
    const int half = pen.width / 2;
    for (int dy = 0; dy < pen.width; ++dy) {
        for (int dx = 0; dx < pen.width; ++dx) {
            PlotPen(c, x - half + dx, y - half + dy, pen.pixel);
        }
    }
}

// Bresenham from (x0, y0) to (x1, y1) in surface coordinates, the end point excluded.
void DrawLine(Canvas& c, int x0, int y0, int x1, int y1, const PenInfo& pen) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int n = 0;
    while (x0 != x1 || y0 != y1) {
        if (pen.width > 1 || StyleOn(pen.style, n)) {
            PlotWide(c, x0, y0, pen);
        }
        ++n;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Fills a surface rectangle with the brush through the DC's binary raster operation.
void FillWithBrushRop2(Canvas& c, const RECT& r, uint32_t pixel) {
    for (const RECT& clip : c.clip.Rects()) {
        const RECT i = Intersection(r, clip);
        for (int y = i.top; y < i.bottom; ++y) {
            for (int x = i.left; x < i.right; ++x) {
                PlotPen(c, x, y, pixel);
            }
        }
    }
}

RECT SurfaceRect(const Canvas& c, const RECT& logical) {
    return RECT{c.X(logical.left), c.Y(logical.top), c.X(logical.right), c.Y(logical.bottom)};
}

bool BrushOrSysColor(const Canvas& c, HBRUSH hbr, Pattern& pattern, bool& draws) {
    COLORREF sys;
    if (SysColorBrushColor(hbr, sys)) {
        pattern = Pattern::Solid(ColorToDcPixel(*c.dc, *c.surface, sys));
        draws = true;
        return true;
    }
    if (!Find<BrushObj>(hbr, OBJ_BRUSH)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    draws = pattern.Load(c, hbr);
    return true;
}

// Fills a surface rectangle with a pattern through the DC's binary raster operation.
void FillPatternRop2(Canvas& c, const RECT& r, const Pattern& pattern) {
    for (const RECT& clip : c.clip.Rects()) {
        const RECT i = Intersection(r, clip);
        for (int y = i.top; y < i.bottom; ++y) {
            for (int x = i.left; x < i.right; ++x) {
                PlotPen(c, x, y, pattern.At(x, y));
            }
        }
    }
}

} // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Canvas c;
    if (!lprc || !MakeCanvas(hDC, c)) {
        return 0;
    }
    Pattern pattern;
    bool draws = false;
    if (!BrushOrSysColor(c, hbr, pattern, draws)) {
        return 0;
    }
    if (draws) {
        FillSurfaceRect(c, SurfaceRect(c, *lprc), pattern, RopCode(PATCOPY));
    }
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Canvas c;
    if (!lprc || !MakeCanvas(hDC, c)) {
        return 0;
    }
    Pattern pixel;
    bool draws = false;
    if (!BrushOrSysColor(c, hbr, pixel, draws)) {
        return 0;
    }
    const RECT r = SurfaceRect(c, *lprc);
    if (!draws || r.right <= r.left || r.bottom <= r.top) {
        return 1;
    }
    const uint8_t copy = RopCode(PATCOPY);
    FillSurfaceRect(c, RECT{r.left, r.top, r.right, r.top + 1}, pixel, copy);
    FillSurfaceRect(c, RECT{r.left, r.bottom - 1, r.right, r.bottom}, pixel, copy);
    FillSurfaceRect(c, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, pixel, copy);
    FillSurfaceRect(c, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, pixel, copy);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    Canvas c;
    if (!lprc || !MakeCanvas(hDC, c)) {
        return FALSE;
    }
    FillSurfaceRect(c, SurfaceRect(c, *lprc), 0, RopCode(DSTINVERT));
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    RECT r = SurfaceRect(c, RECT{left, top, right, bottom});
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    const PenInfo pen = SelectedPen(c);
    const int w = pen.visible ? pen.width : 0;
    Pattern brush;
    if (brush.Load(c, c.dc->a.brush)) {
        FillPatternRop2(c, RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}, brush);
    }
    if (pen.visible && r.right - r.left > 0 && r.bottom - r.top > 0) {
        // The outline lies inside the rectangle; the right and bottom edges are its last
        // column and row.
        for (int i = 0; i < w; ++i) {
            const RECT edges[4] = {{r.left, r.top + i, r.right, r.top + i + 1},
                                   {r.left, r.bottom - 1 - i, r.right, r.bottom - i},
                                   {r.left + i, r.top, r.left + i + 1, r.bottom},
                                   {r.right - 1 - i, r.top, r.right - i, r.bottom}};
            Region outline;
            for (const RECT& e : edges) {
                outline.Union(Region(e));
            }
            for (const RECT& e : outline.Rects()) {
                FillWithBrushRop2(c, e, pen.pixel);
            }
        }
    }
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    RECT r = SurfaceRect(c, RECT{left, top, right, bottom});
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        return TRUE;
    }
    // A pixel belongs to the ellipse when its centre lies inside the ellipse inscribed in the
    // bounding box; it is outline when a 4-neighbour does not.
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) {
            return false;
        }
        const double ex = (2.0 * x + 1 - w) / w, ey = (2.0 * y + 1 - h) / h;
        return ex * ex + ey * ey <= 1.0;
    };
    const PenInfo pen = SelectedPen(c);
    Pattern brush;
    const bool fill = brush.Load(c, c.dc->a.brush);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            bool edge = false;
            for (int k = 1; k <= (pen.visible ? pen.width : 0) && !edge; ++k) {
                edge = !inside(x - k, y) || !inside(x + k, y) || !inside(x, y - k) ||
                       !inside(x, y + k);
            }
            if (edge) {
                PlotPen(c, r.left + x, r.top + y, pen.pixel);
            } else if (fill) {
                PlotPen(c, r.left + x, r.top + y, brush.At(r.left + x, r.top + y));
            }
        }
    }
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lppt) {
        *lppt = dc->a.current;
    }
    dc->a.current = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    const PenInfo pen = SelectedPen(c);
    const POINT from = c.dc->a.current;
    if (pen.visible) {
        DrawLine(c, c.X(from.x), c.Y(from.y), c.X(x), c.Y(y), pen);
    }
    c.dc->a.current = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
    Canvas c;
    if (!apt || cpt < 2 || !MakeCanvas(hdc, c)) {
        return FALSE;
    }
    const PenInfo pen = SelectedPen(c);
    if (pen.visible) {
        for (int i = 1; i < cpt; ++i) {
            DrawLine(c, c.X(apt[i - 1].x), c.Y(apt[i - 1].y), c.X(apt[i].x), c.Y(apt[i].y), pen);
        }
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    Canvas c;
    if (!lprc || !MakeCanvas(hDC, c)) {
        return FALSE;
    }
    // A dotted frame drawn by inverting every other pixel, so that drawing it twice removes it.
    const RECT r = SurfaceRect(c, *lprc);
    if (r.right <= r.left || r.bottom <= r.top) {
        return TRUE;
    }
    Surface& s = *c.surface;
    auto invert = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 == 0 && c.Visible(x, y)) {
            s.Put(x, y, s.Get(x, y) ^ s.ops->mask);
        }
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 > r.top) {
            invert(x, r.bottom - 1);
        }
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 > r.left) {
            invert(r.right - 1, y);
        }
    }
    return TRUE;
}
