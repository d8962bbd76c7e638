// Plain row copies between surfaces of the same format.
#include "gdi/row_copy.h"

#include <cstdint>
#include <cstring>

namespace winsim::gdi {

bool& RowCopyEnabled() {
    static bool enabled = true;
    return enabled;
}

void CopyPixelSpan(uint8_t* dst, const uint8_t* src, size_t count, int bits, bool clearUnused) {
    // With the unused bits cleared on the way, each pixel is touched once: the spans are rows
    // of whole screens.
    if (clearUnused && bits == 32) {
        for (size_t i = 0; i < count; ++i) {
            uint32_t pixel;
            std::memcpy(&pixel, src + 4 * i, 4);
            pixel &= 0x00FFFFFFu; // the fourth byte of the little-endian pixel
            std::memcpy(dst + 4 * i, &pixel, 4);
        }
        return;
    }
    if (clearUnused && bits == 16) {
        for (size_t i = 0; i < count; ++i) {
            uint16_t pixel;
            std::memcpy(&pixel, src + 2 * i, 2);
            pixel &= 0x7FFFu; // the top bit of the 5-5-5 word
            std::memcpy(dst + 2 * i, &pixel, 2);
        }
        return;
    }
    const size_t bytesPerPixel = static_cast<size_t>(bits / 8);
    std::memcpy(dst, src, count * bytesPerPixel);
}

} // namespace winsim::gdi
