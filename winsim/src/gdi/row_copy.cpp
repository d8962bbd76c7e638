// Plain row copies between surfaces of the same format.
#include "gdi/row_copy.h"

#include <cstring>

namespace winsim::gdi {

bool& RowCopyEnabled() {
    static bool enabled = true;
    return enabled;
}

void CopyPixelSpan(uint8_t* dst, const uint8_t* src, size_t count, int bits, bool clearUnused) {
    const size_t bytesPerPixel = static_cast<size_t>(bits / 8);
    std::memcpy(dst, src, count * bytesPerPixel);
    if (!clearUnused) {
        return;
    }
    if (bits == 32) {
        for (size_t i = 0; i < count; ++i) {
            dst[4 * i + 3] = 0;
        }
    } else if (bits == 16) {
        for (size_t i = 0; i < count; ++i) {
            dst[2 * i + 1] &= 0x7F; // the high byte of the little-endian word
        }
    }
}

} // namespace winsim::gdi
