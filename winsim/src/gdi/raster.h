// Raster operations on raw pixel values and the fills every drawing call is made of. Pixel
// values are combined bit by bit, as Windows does, so that on palette formats the operations
// work on the indexes.
#pragma once

#include "gdi/dc.h"

namespace winsim::gdi {

// Ternary operation: the rop's index byte is the truth table over (pattern, source, destination).
inline uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
    switch (code) {
    case 0xCC:
        return s;
    case 0xF0:
        return p;
    case 0xAA:
        return d;
    case 0x00:
        return 0;
    case 0xFF:
        return ~0u;
    default:
        break;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if ((code >> i) & 1) {
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return r;
}

// Binary operation of pens (R2_BLACK .. R2_WHITE).
inline uint32_t Rop2(int rop2, uint32_t p, uint32_t d) {
    const int code = rop2 - 1;
    if (code == 12) {
        return p;
    }
    uint32_t r = 0;
    for (int i = 0; i < 4; ++i) {
        if ((code >> i) & 1) {
            r |= ((i & 2) ? p : ~p) & ((i & 1) ? d : ~d);
        }
    }
    return r;
}

inline uint8_t RopCode(DWORD rop) {
    return static_cast<uint8_t>(rop >> 16);
}
inline bool RopUsesSource(DWORD rop) {
    return (((rop >> 2) ^ rop) & 0x330000) != 0;
}
inline bool RopUsesPattern(DWORD rop) {
    return (((rop >> 4) ^ rop) & 0x0F0000) != 0;
}

// A brush as pixel values of one canvas: one value for solid brushes, a tile repeated from the
// DC's brush origin for pattern brushes.
class Pattern {
public:
    static Pattern Solid(uint32_t pixel) {
        Pattern p;
        p.solid_ = pixel;
        return p;
    }
    uint32_t At(int sx, int sy) const {
        if (tile_.empty()) {
            return solid_;
        }
        int x = (sx - originX_) % width_, y = (sy - originY_) % height_;
        x += x < 0 ? width_ : 0;
        y += y < 0 ? height_ : 0;
        return tile_[static_cast<size_t>(y) * width_ + x];
    }
    // Loads a brush for the canvas; false for the null brush.
    bool Load(const Canvas& c, HBRUSH brush);

private:
    uint32_t solid_ = 0;
    std::vector<uint32_t> tile_;
    int width_ = 1, height_ = 1, originX_ = 0, originY_ = 0;
};

// Applies a ternary operation with a pattern to a rectangle in surface coordinates, inside the
// canvas's clip region.
void FillSurfaceRect(Canvas& c, const RECT& rect, const Pattern& pattern, uint8_t rop);
inline void FillSurfaceRect(Canvas& c, const RECT& rect, uint32_t pixel, uint8_t rop) {
    FillSurfaceRect(c, rect, Pattern::Solid(pixel), rop);
}

// Sets one pixel (surface coordinates) with the DC's binary raster operation, if visible.
void PlotPen(Canvas& c, int sx, int sy, uint32_t pixel);

// Colour of a pixel converted for a blit onto the canvas: on palette displays the nearest
// colour of the DC's realised palette, elsewhere the nearest colour of the surface.
uint32_t BlitColorToPixel(const Canvas& c, COLORREF rgb);

} // namespace winsim::gdi
