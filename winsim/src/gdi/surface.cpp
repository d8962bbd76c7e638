#include "gdi/surface.h"

#include "gdi/row_copy.h"

#include <winsim/sim.h>

#include <algorithm>
#include <cstring>

namespace winsim::gdi {

namespace {

uint8_t* AllocateOrThrow(size_t size) {
    auto* bytes = static_cast<uint8_t*>(std::malloc(size));
    if (bytes == nullptr) {
        throw std::bad_alloc();
    }
    return bytes;
}

} // namespace

PixelBytes::PixelBytes(size_t size) {
    if (size != 0) {
        bytes_ = AllocateOrThrow(size);
        size_ = size;
        zerosPending_ = true;
    }
}

PixelBytes::PixelBytes(const PixelBytes& other) {
    if (other.size_ != 0) {
        bytes_ = AllocateOrThrow(other.size_);
        std::memcpy(bytes_, other.data(), other.size_);
        size_ = other.size_;
    }
}

PixelBytes& PixelBytes::operator=(const PixelBytes& other) {
    if (this != &other) {
        PixelBytes(other).swap(*this);
    }
    return *this;
}

PixelBytes::~PixelBytes() {
    MakeCopiesOfThis();
    if (pending_) {
        DropPendingCopy(); // nobody reads these bytes any more
    }
    std::free(bytes_);
}

void PixelBytes::swap(PixelBytes& other) noexcept {
    // The links point at these objects, not at the bytes: both are settled first.
    Detach();
    other.Detach();
    std::swap(bytes_, other.bytes_);
    std::swap(size_, other.size_);
    std::swap(zerosPending_, other.zerosPending_);
}

bool PixelBytes::CopyRowsLater(PixelBytes& source, const PendingRowCopy& copy) {
    const size_t last =
        copy.rows == 0 ? 0 : copy.sourceOffset + (copy.rows - 1) * copy.sourceStride;
    const size_t rowBytes = copy.pixelsPerRow * static_cast<size_t>(copy.bits / 8);
    if (&source == this || copy.rows * copy.stride != size_ || rowBytes != copy.stride ||
        last + rowBytes > source.size_) {
        return false;
    }
    // Taking new content is a write: what is still to be copied from the old one is copied now.
    Detach();
    source.data(); // the source's own zeros or pending copy, settled while nothing links to it
    auto pending = std::make_unique<PendingRowCopy>(copy);
    source.copiesOfThis_.push_back(this);
    pending_ = std::move(pending);
    source_ = &source;
    zerosPending_ = false;
    return true;
}

const uint8_t* PixelBytes::BytesToCopyOut(size_t offset) const {
    if (!pending_) {
        return data() + offset;
    }
    const PendingRowCopy& p = *pending_;
    return source_->bytes_ + p.sourceOffset + (offset / p.stride) * p.sourceStride +
           offset % p.stride;
}

void PixelBytes::MakePendingCopy() const noexcept {
    const PendingRowCopy& p = *pending_;
    const uint8_t* from = source_->bytes_ + p.sourceOffset;
    for (size_t row = 0; row < p.rows; ++row) {
        CopyPixelSpan(bytes_ + row * p.stride, from + row * p.sourceStride, p.pixelsPerRow, p.bits,
                      p.clearUnused);
    }
    DropPendingCopy();
}

void PixelBytes::DropPendingCopy() const noexcept {
    std::vector<PixelBytes*>& siblings = source_->copiesOfThis_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    source_ = nullptr;
    pending_.reset();
}

void PixelBytes::MakeCopiesOfThis() noexcept {
    // Each copy unlinks itself from the list as it is made.
    while (!copiesOfThis_.empty()) {
        copiesOfThis_.back()->MakePendingCopy();
    }
}

void PixelBytes::Detach() noexcept {
    MakeCopiesOfThis();
    if (pending_) {
        MakePendingCopy();
    }
}

namespace {

uint32_t Get1(const uint8_t* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1u;
}
void Put1(uint8_t* row, int x, uint32_t v) {
    const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
    row[x >> 3] = static_cast<uint8_t>(v ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
}
uint32_t Get4(const uint8_t* row, int x) {
    return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
}
void Put4(uint8_t* row, int x, uint32_t v) {
    uint8_t& b = row[x >> 1];
    b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F))
                : static_cast<uint8_t>((b & 0x0F) | ((v & 0x0F) << 4));
}
uint32_t Get8(const uint8_t* row, int x) {
    return row[x];
}
void Put8(uint8_t* row, int x, uint32_t v) {
    row[x] = static_cast<uint8_t>(v);
}
uint32_t Get16(const uint8_t* row, int x) {
    return static_cast<uint32_t>(row[2 * x] | (row[2 * x + 1] << 8));
}
void Put16(uint8_t* row, int x, uint32_t v) {
    row[2 * x] = static_cast<uint8_t>(v);
    row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
}
// 24 and 32 bits hold blue, green, red in memory order, as DIBs do.
uint32_t Get24(const uint8_t* row, int x) {
    const uint8_t* p = row + 3 * x;
    return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
}
void Put24(uint8_t* row, int x, uint32_t v) {
    uint8_t* p = row + 3 * x;
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
}
uint32_t Get32(const uint8_t* row, int x) {
    const uint8_t* p = row + 4 * x;
    return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
}
void Put32(uint8_t* row, int x, uint32_t v) {
    uint8_t* p = row + 4 * x;
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = 0;
}

const PixelOps kOps[] = {
    {1, Get1, Put1, 0x1u},       {4, Get4, Put4, 0xFu},         {8, Get8, Put8, 0xFFu},
    {16, Get16, Put16, 0xFFFFu}, {24, Get24, Put24, 0xFFFFFFu}, {32, Get32, Put32, 0xFFFFFFu},
};

} // namespace

const PixelOps* OpsForBits(int bits) {
    for (const PixelOps& ops : kOps) {
        if (ops.bits == bits) {
            return &ops;
        }
    }
    return nullptr;
}

int StrideFor(int width, int bits) {
    return static_cast<int>(((static_cast<int64_t>(width) * bits + 31) / 32) * 4);
}

bool InitSurface(Surface& s, int width, int height, int bits, ColorModel model) {
    const PixelOps* ops = OpsForBits(bits);
    // Larger than a 16384 x 16384 picture is refused, as a display driver would.
    if (!ops || width < 0 || height < 0 || width > 16384 || height > 16384) {
        return false;
    }
    // More than 256 MB of pixels is refused as a driver out of memory would refuse it.
    if (static_cast<int64_t>(StrideFor(width, bits)) * height > (int64_t(256) << 20)) {
        return false;
    }
    s.width = width;
    s.height = height;
    s.bits = bits;
    s.model = model;
    s.ops = ops;
    s.stride = StrideFor(width, bits);
    s.pixels = PixelBytes(static_cast<size_t>(s.stride) * height); // zero, see PixelBytes
    s.table.clear();
    s.bottomUp = false;
    return true;
}

ColorModel DdbModelFor(int bits) {
    switch (bits) {
    case 1:
        return ColorModel::Mono;
    case 4:
        return ColorModel::Vga16;
    case 8:
        return ColorModel::SystemPalette;
    case 16:
        return Config().display565 ? ColorModel::Rgb565 : ColorModel::Rgb555;
    default:
        return ColorModel::Rgb888;
    }
}

} // namespace winsim::gdi
