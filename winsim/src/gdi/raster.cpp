#include "gdi/raster.h"

#include "gdi/color.h"

namespace winsim::gdi {

namespace {

const BrushObj* BrushOrStock(HBRUSH brush) {
    const BrushObj* b = Find<BrushObj>(brush, OBJ_BRUSH);
    if (!b) {
        // A brush deleted while selected draws as the stock white brush.
        b = Find<BrushObj>(GetStockObject(WHITE_BRUSH), OBJ_BRUSH);
    }
    return b;
}

} // namespace

bool Pattern::Load(const Canvas& c, HBRUSH brush) {
    const BrushObj* b = BrushOrStock(brush);
    tile_.clear();
    if (b->lb.lbStyle == BS_NULL) {
        return false;
    }
    if (b->lb.lbStyle != BS_PATTERN) {
        solid_ = ColorToDcPixel(*c.dc, *c.surface, b->lb.lbColor);
        return true;
    }
    // Monochrome patterns take the DC's text colour for 0 and background colour for 1.
    const Surface& p = b->pattern;
    width_ = p.width;
    height_ = p.height;
    originX_ = c.origin.x + c.dc->a.brushOrg.x;
    originY_ = c.origin.y + c.dc->a.brushOrg.y;
    const bool mono = p.model == ColorModel::Mono && c.surface->model != ColorModel::Mono;
    const uint32_t zero = ColorToDcPixel(*c.dc, *c.surface, c.dc->a.textColor);
    const uint32_t one = ColorToDcPixel(*c.dc, *c.surface, c.dc->a.bkColor);
    const bool same =
        p.bits == c.surface->bits && p.model == c.surface->model && p.model != ColorModel::Table;
    tile_.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t v = p.Get(x, y);
            tile_[static_cast<size_t>(y) * width_ + x] =
                mono   ? (v ? one : zero)
                : same ? v
                       : BlitColorToPixel(c, PixelToColor(p, v));
        }
    }
    solid_ = tile_.empty() ? 0 : tile_[0];
    return true;
}

void FillSurfaceRect(Canvas& c, const RECT& rect, const Pattern& pattern, uint8_t rop) {
    Surface& s = *c.surface;
    for (const RECT& clip : c.clip.Rects()) {
        const RECT r = Intersection(rect, clip);
        for (int y = r.top; y < r.bottom; ++y) {
            uint8_t* row = s.Row(y);
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t d = s.ops->get(row, x);
                s.ops->put(row, x, Rop3(rop, pattern.At(x, y), 0, d) & s.ops->mask);
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
