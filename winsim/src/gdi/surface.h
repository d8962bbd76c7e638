// A rectangle of pixels in one of the device formats (1, 4, 8, 16, 24 or 32 bits per pixel),
// stored top row first with rows padded to 4 bytes, and the small table of pixel primitives per
// format. Everything above this file deals in raw pixel values ("the pixel as the device holds
// it") and leaves colour meaning to colour.h.
#pragma once

#include <winsim/wingdi.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// A copy of whole rows from another surface's memory that is made only when one of the two is
// first touched (see PixelBytes::CopyRowsLater).
struct PendingRowCopy {
    size_t sourceOffset = 0; // the first row's first byte in the source
    size_t sourceStride = 0;
    size_t stride = 0; // of the rows copied into
    size_t rows = 0;
    size_t pixelsPerRow = 0;
    int bits = 32;
    bool clearUnused = false; // as CopyPixelSpan
};

// The memory of a surface's pixels. A new bitmap's pixels are zero, as the system's fresh pages
// are. The zeros are written when the memory is first looked at, so that a bitmap made only to
// be copied over whole (a window grabbed into a new bitmap on every capture) is written once,
// not twice. Such a grab can even be left in the screen until the bitmap or the screen is
// touched (CopyRowsLater): a grab read straight back out is then copied once, not twice.
// Bytes need no construction or destruction one by one, which a standard container would still
// loop over where the optimiser cannot see that the loop does nothing (the instrumented builds).
//
// Every write to the bytes goes through the non-const data(); a pending copy is made before
// the bytes it reads from change, move or go.
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
    ~PixelBytes();

    uint8_t* data() {
        if (!copiesOfThis_.empty()) {
            MakeCopiesOfThis();
        }
        Settle();
        return bytes_;
    }
    const uint8_t* data() const {
        Settle();
        return bytes_;
    }
    size_t size() const { return size_; }
    // For a caller that writes every byte before anything reads them: a new bitmap's zeros
    // need not be written first.
    void SkipZeros() { zerosPending_ = false; }

    // Takes rows of `source` as the whole content of this memory (copy.rows * copy.stride
    // bytes, all of it), copied when either memory is next written, or this one read. The
    // source must not be a memory whose bytes are written other than through data(). False,
    // with nothing changed, when the rows do not fill this memory or lie outside the source.
    bool CopyRowsLater(PixelBytes& source, const PendingRowCopy& copy);
    // The bytes at `offset` (a row's start) as a reader that copies them out sees them, from
    // the source while a copy is pending, without making it. Such bytes may still hold the
    // unused bits the pending copy would clear: the reader clears them itself.
    const uint8_t* BytesToCopyOut(size_t offset) const;

    void swap(PixelBytes& other) noexcept;

private:
    void Settle() const {
        if (zerosPending_) {
            std::memset(bytes_, 0, size_);
            zerosPending_ = false;
        }
        if (pending_) {
            MakePendingCopy();
        }
    }
    // The pending copy into this memory, made now and unlinked from its source.
    void MakePendingCopy() const noexcept;
    void DropPendingCopy() const noexcept;
    // The pending copies out of this memory, made now.
    void MakeCopiesOfThis() noexcept;
    // Neither a pending copy into this memory nor out of it is left.
    void Detach() noexcept;

    uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
    mutable bool zerosPending_ = false;
    // The memory this one is still to be copied from, and how.
    mutable PixelBytes* source_ = nullptr;
    mutable std::unique_ptr<PendingRowCopy> pending_;
    // The memories still to be copied from this one.
    std::vector<PixelBytes*> copiesOfThis_;
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
