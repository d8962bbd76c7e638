// A rectangle of pixels in one of the device formats (1, 4, 8, 16, 24 or 32 bits per pixel),
// stored top row first with rows padded to 4 bytes, and the small table of pixel primitives per
// format. Everything above this file deals in raw pixel values ("the pixel as the device holds
// it") and leaves colour meaning to colour.h.
#pragma once

#include <winsim/wingdi.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace winsim::gdi {

// Reads and writes raw pixel values in one row of a format. Values are index values for 1, 4
// and 8 bits, the packed word for 16 bits and 0x00RRGGBB for 24 and 32 bits.
struct PixelOps {
    int bits;
    uint32_t (*get)(const uint8_t* row, int x);
    void (*put)(uint8_t* row, int x, uint32_t value);
    uint32_t mask; // all bits a value of this format can hold
};

// The primitives for a bit count; nullptr for an unsupported count.
const PixelOps* OpsForBits(int bits);

// How the pixel values of a surface map to colours.
enum class ColorModel {
    Mono,          // 1 bit: 0 black, 1 white
    Vga16,         // 4 bits: the 16 standard colours
    SystemPalette, // 8 bits: indexes into the live system palette (the screen and its DDBs)
    Table,         // 1, 4 or 8 bits with a colour table of its own (DIB sections)
    Rgb565,        // 16 bits, 5-6-5
    Rgb555,        // 16 bits, 5-5-5
    Rgb888,        // 24 and 32 bits
};

// The memory of a surface's pixels. A new bitmap's pixels are zero, as the system's fresh pages
// are. The zeros are written when the memory is first looked at, so that a bitmap made only to
// be copied over whole (a window grabbed into a new bitmap on every capture) is written once,
// not twice. Bytes need no construction or destruction one by one, which a standard container
// would still loop over where the optimiser cannot see that the loop does nothing (the
// instrumented builds).
class PixelBytes {
public:
    PixelBytes() = default;
    // `size` bytes that read as zero; throws std::bad_alloc when there is no memory for them.
    explicit PixelBytes(size_t size);
    PixelBytes(const PixelBytes& other);
    PixelBytes& operator=(const PixelBytes& other);
    PixelBytes(PixelBytes&& other) noexcept { swap(other); }
    PixelBytes& operator=(PixelBytes&& other) noexcept {
        PixelBytes(std::move(other)).swap(*this);
        return *this;
    }
    ~PixelBytes() { std::free(bytes_); }

    uint8_t* data() {
        WriteZeros();
        return bytes_;
    }
    const uint8_t* data() const {
        WriteZeros();
        return bytes_;
    }
    size_t size() const { return size_; }
    // For a caller that writes every byte before anything reads them: a new bitmap's zeros
    // need not be written first.
    void SkipZeros() { zerosPending_ = false; }
    void swap(PixelBytes& other) noexcept {
        std::swap(bytes_, other.bytes_);
        std::swap(size_, other.size_);
        std::swap(zerosPending_, other.zerosPending_);
    }

private:
    void WriteZeros() const {
        if (zerosPending_) {
            std::memset(bytes_, 0, size_);
            zerosPending_ = false;
        }
    }

    uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
    mutable bool zerosPending_ = false;
};

struct Surface {
    int width = 0;
    int height = 0;
    int bits = 1;
    ColorModel model = ColorModel::Mono;
    int stride = 0;
    PixelBytes pixels;
    std::vector<RGBQUAD> table; // for ColorModel::Table
    const PixelOps* ops = nullptr;
    // DIB sections keep the bottom row first in memory, as the program sees their bits.
    bool bottomUp = false;

    size_t RowOffset(int y) const {
        return static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride;
    }
    uint8_t* Row(int y) { return pixels.data() + RowOffset(y); }
    const uint8_t* Row(int y) const { return pixels.data() + RowOffset(y); }
    uint32_t Get(int x, int y) const { return ops->get(Row(y), x); }
    void Put(int x, int y, uint32_t v) { ops->put(Row(y), x, v & ops->mask); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Padded length of one row in bytes.
int StrideFor(int width, int bits);

// A surface of the given size and format, every pixel 0. False when the size is out of range.
bool InitSurface(Surface& s, int width, int height, int bits, ColorModel model);

// The model a device-dependent bitmap of this bit count has on the current display.
ColorModel DdbModelFor(int bits);

} // namespace winsim::gdi
