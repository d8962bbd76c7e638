// Plain row copies for transfers between surfaces of the same pixel format: BitBlt without
// stretching and GetDIBits into the bitmap's own format move whole spans of bytes instead of
// converting pixel by pixel. The results are the same as the pixel path's, byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winsim::gdi {

// On by default; tests turn it off to compare against the pixel-by-pixel path.
bool& RowCopyEnabled();

// Copies count pixels of a format with whole bytes per pixel (8, 16, 24 or 32 bits), keeping
// only the bits the format's pixel values hold: the unused fourth byte of a 32-bit pixel and
// the unused top bit of a 5-5-5 pixel come out zero when clearUnused asks for it.
void CopyPixelSpan(uint8_t* dst, const uint8_t* src, size_t count, int bits, bool clearUnused);

} // namespace winsim::gdi
