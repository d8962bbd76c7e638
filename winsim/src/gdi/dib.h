// Device-independent bitmaps handed in by the caller (a BITMAPINFO and its bits): checking the
// header and reading the pixels into a surface.
#pragma once

#include "gdi/objects.h"

namespace winsim::gdi {

// Number of colour-table entries that follow the header (biClrUsed, or the full table for 8
// bits and less; three masks for BI_BITFIELDS).
int DibTableEntries(const BITMAPINFOHEADER& h);

// The 16-bit model of a header: Rgb555 for BI_RGB; for BI_BITFIELDS the masks must be 5-5-5 or
// 5-6-5. Returns false for masks that cannot be served.
bool Dib16Model(const BITMAPINFO* bmi, ColorModel& model);

// True for a header this GDI can read or write: 40 bytes or more, 1, 4, 8, 16, 24 or 32 bits,
// BI_RGB, or BI_BITFIELDS at 16 and 32 bits with standard masks.
bool DibHeaderSupported(const BITMAPINFO* bmi);

// Copies the DIB's pixels into a top-down surface; palette formats keep their table (palette
// indexes of DIB_PAL_COLORS are resolved through the DC's palette).
bool SurfaceFromDib(const BITMAPINFO* bmi, const void* bits, UINT usage, const DcObj* dc,
                    Surface& out);

} // namespace winsim::gdi
