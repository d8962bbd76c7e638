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
        // Eight pixels a step: a block of fixed length that the compiler unrolls, so that a
        // row of a large picture takes an eighth of the steps (each step is counted in the
        // instrumented builds).
        constexpr size_t kBlock = 8;
        size_t i = 0;
        for (; i + kBlock <= count; i += kBlock) {
            uint32_t block[kBlock];
            std::memcpy(block, src + 4 * i, sizeof block);
            for (uint32_t& pixel : block) {
                pixel &= 0x00FFFFFFu;
            }
            std::memcpy(dst + 4 * i, block, sizeof block);
        }
        for (; i < count; ++i) {
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
