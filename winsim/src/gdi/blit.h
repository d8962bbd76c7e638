// Block transfers between surfaces: the conversion of source pixels into the destination's
// format (monochrome <-> colour by the DCs' text and background colours, as Windows does) and
// the stretching copy that BitBlt, StretchBlt and StretchDIBits share.
#pragma once

#include "gdi/raster.h"

#include <unordered_map>

namespace winsim::gdi {

class SourceMapper {
public:
    // srcDc may be null (a DIB handed in by the caller): its pixels then convert by colour.
    SourceMapper(const Surface& src, const DcObj* srcDc, const Canvas& dst);
    uint32_t Map(uint32_t pixel);
    uint32_t MapColor(COLORREF rgb);
    // Source pixel values carry over unchanged (same format, same colour table).
    bool Raw() const { return mode_ == Mode::Raw; }

private:
    enum class Mode { Raw, MonoToColor, ColorToMono, ViaColor } mode_;
    const Surface& src_;
    const Canvas& dst_;
    uint32_t zeroPixel_ = 0; // mono 0 on a colour destination: the text colour
    uint32_t onePixel_ = 0;  // mono 1: the background colour
    uint32_t srcBackground_ = 0;
    std::unordered_map<uint32_t, uint32_t> cache_;
};

// Copies (and stretches, mirrors for negative sizes) a source rectangle onto a destination
// rectangle, both in surface coordinates, combining with the ternary raster operation. Pixels
// whose source lies outside the source surface are left alone.
void StretchSurface(Canvas& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                    int sw, int sh, DWORD rop, SourceMapper& mapper);

} // namespace winsim::gdi
