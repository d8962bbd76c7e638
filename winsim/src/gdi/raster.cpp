#include "gdi/raster.h"

#include "gdi/color.h"

namespace winsim::gdi {

bool BrushPixel(const Canvas& c, HBRUSH brush, uint32_t& pixel) {
    const BrushObj* b = Find<BrushObj>(brush, OBJ_BRUSH);
    if (!b) {
        // A brush deleted while selected draws as the stock white brush.
        b = Find<BrushObj>(GetStockObject(WHITE_BRUSH), OBJ_BRUSH);
    }
    if (b->lb.lbStyle == BS_NULL) {
        return false;
    }
    pixel = ColorToDcPixel(*c.dc, *c.surface, b->lb.lbColor);
    return true;
}

void FillSurfaceRect(Canvas& c, const RECT& rect, uint32_t pattern, uint8_t rop) {
    Surface& s = *c.surface;
    for (const RECT& clip : c.clip.Rects()) {
        const RECT r = Intersection(rect, clip);
        for (int y = r.top; y < r.bottom; ++y) {
            uint8_t* row = s.Row(y);
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t d = s.ops->get(row, x);
                s.ops->put(row, x, Rop3(rop, pattern, 0, d) & s.ops->mask);
            }
        }
    }
}

void PlotPen(Canvas& c, int sx, int sy, uint32_t pixel) {
    if (!c.Visible(sx, sy)) {
        return;
    }
    Surface& s = *c.surface;
    const uint32_t d = s.Get(sx, sy);
    s.Put(sx, sy, Rop2(c.dc->a.rop2, pixel, d));
}

uint32_t BlitColorToPixel(const Canvas& c, COLORREF rgb) {
    const Surface& s = *c.surface;
    if (s.model == ColorModel::SystemPalette) {
        const PaletteObj* pal = Find<PaletteObj>(c.dc->a.palette, OBJ_PAL);
        if (pal && !pal->entries.empty() && pal->systemIndex.size() == pal->entries.size()) {
            const int k =
                NearestIndex(pal->entries.data(), static_cast<int>(pal->entries.size()), rgb);
            return static_cast<uint32_t>(pal->systemIndex[k]);
        }
    }
    return RgbToPixel(s, rgb);
}

} // namespace winsim::gdi
