// Colour meaning of pixel values: the display's palettes (monochrome, the 16 VGA colours, the
// 256-entry system palette with its 20 static colours) and the conversions between COLORREF and
// the raw pixel values of each surface model.
#pragma once

#include "gdi/surface.h"

#include <array>

namespace winsim::gdi {

// The 20 static colours: system palette entries 0-9 and 246-255.
const std::array<PALETTEENTRY, 20>& StaticColors();

// The 16 colours of a 4-bit display, in the order of its pixel values.
const std::array<RGBQUAD, 16>& Vga16Colors();

// The colour table that stands for "an 8-bit palette" when no palette says otherwise: the
// static colours at both ends, a 6 x 6 x 6 colour cube and a grey ramp in between. The system
// palette starts out as this table.
const std::array<PALETTEENTRY, 256>& DefaultSystemPalette();

// The live system palette of the palette display (8 bits per pixel).
std::array<PALETTEENTRY, 256>& SystemPalette();

// The colour (0x00BBGGRR) a raw pixel value of the surface stands for. 16-bit channels come
// back with their low bits clear (white at 5-6-5 reads as RGB(248, 252, 248)), the way display
// drivers report them.
COLORREF PixelToColor(const Surface& s, uint32_t pixel);

// The raw pixel value of a plain RGB colour on the surface: exact quantisation for 16, 24 and
// 32 bits; for palette models the nearest colour among the candidates (on SystemPalette
// surfaces the static colours only, as for a DC that holds the default palette).
uint32_t RgbToPixel(const Surface& s, COLORREF rgb);

// Index of the nearest entry (squared distance, first wins on a tie); -1 for an empty range.
int NearestIndex(const PALETTEENTRY* entries, int count, COLORREF rgb);
int NearestIndex(const RGBQUAD* entries, int count, COLORREF rgb);

inline COLORREF ToColor(const PALETTEENTRY& e) {
    return RGB(e.peRed, e.peGreen, e.peBlue);
}
inline COLORREF ToColor(const RGBQUAD& q) {
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

} // namespace winsim::gdi
