// Small packed DIBs with known pixels for the imaging tests: a 40-byte header, the full colour
// table for the bit count, then the stored rows (bottom row first), each padded to 4 bytes with
// a fill value that must never show up in converted output.
#pragma once

#include "platform/win32.h"

#include <cstring>
#include <vector>

class DibBuilder {
public:
    static constexpr BYTE kFill = 0xEE;

    DibBuilder(LONG width, LONG height, WORD bitCount)
        : width_(width), height_(height), bitCount_(bitCount) {
        const size_t tableBytes = bitCount <= 8 ? 4u << bitCount : 0;
        stride_ = ((static_cast<size_t>(width > 0 ? width : 0) * bitCount + 31) / 32) * 4;
        pixelOffset_ = sizeof(BITMAPINFOHEADER) + tableBytes;
        const size_t rows = height > 0 ? static_cast<size_t>(height) : 0;
        // Whole DWORDs, so the header in front stays aligned.
        words_.assign((pixelOffset_ + stride_ * rows + 3) / 4, 0);
        std::memset(Bytes() + pixelOffset_, kFill, stride_ * rows);
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = bitCount;
        header.biSizeImage = static_cast<DWORD>(stride_ * rows);
        std::memcpy(Bytes(), &header, sizeof header);
    }

    // Colour-table entry `index` as blue, green, red, reserved.
    DibBuilder& Colour(unsigned index, BYTE red, BYTE green, BYTE blue) {
        BYTE* entry = Bytes() + sizeof(BITMAPINFOHEADER) + 4 * index;
        entry[0] = blue;
        entry[1] = green;
        entry[2] = red;
        entry[3] = 0x5A;
        return *this;
    }

    // The bytes of stored row `storedRow` (0 = first in memory = bottom of the picture), from
    // its start; the rest of the row keeps the fill value.
    DibBuilder& StoredRow(LONG storedRow, std::vector<BYTE> bytes) {
        std::memcpy(Bytes() + pixelOffset_ + static_cast<size_t>(storedRow) * stride_, bytes.data(),
                    bytes.size());
        return *this;
    }

    // Every pixel of a 32-bit DIB from a function of (x, y from the top) giving 0x00RRGGBB.
    template <typename Colour> DibBuilder& Fill32(Colour colourAt) {
        for (LONG y = 0; y < height_; ++y) {
            BYTE* row = Bytes() + pixelOffset_ + static_cast<size_t>(height_ - 1 - y) * stride_;
            for (LONG x = 0; x < width_; ++x) {
                const DWORD c = colourAt(x, y);
                row[4 * x] = static_cast<BYTE>(c);
                row[4 * x + 1] = static_cast<BYTE>(c >> 8);
                row[4 * x + 2] = static_cast<BYTE>(c >> 16);
                row[4 * x + 3] = 0;
            }
        }
        return *this;
    }

    const BITMAPINFOHEADER* Dib() const {
        return reinterpret_cast<const BITMAPINFOHEADER*>(words_.data());
    }
    BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(words_.data()); }
    size_t Stride() const { return stride_; }

private:
    BYTE* Bytes() { return reinterpret_cast<BYTE*>(words_.data()); }

    LONG width_;
    LONG height_;
    WORD bitCount_;
    size_t stride_ = 0;
    size_t pixelOffset_ = 0;
    std::vector<DWORD> words_;
};

// Output rows for a conversion, pre-filled with a marker so that untouched bytes show.
class RgbRows {
public:
    static constexpr BYTE kUntouched = 0xA5;

    RgbRows(int height, int rowLength)
        : rowLength_(rowLength), bytes_(static_cast<size_t>(height) * rowLength, kUntouched) {
        for (int y = 0; y < height; ++y) {
            pointers_.push_back(bytes_.data() + static_cast<size_t>(y) * rowLength);
        }
    }

    BYTE* const* Pointers() { return pointers_.data(); }
    int RowLength() const { return rowLength_; }

    // The red, green, blue of pixel x in row y as 0xRRGGBB.
    DWORD Pixel(int x, int y) const {
        const BYTE* p = bytes_.data() + static_cast<size_t>(y) * rowLength_ + 3 * x;
        return (DWORD(p[0]) << 16) | (DWORD(p[1]) << 8) | p[2];
    }
    const std::vector<BYTE>& Bytes() const { return bytes_; }
    bool AllUntouched() const {
        for (BYTE b : bytes_) {
            if (b != kUntouched) {
                return false;
            }
        }
        return true;
    }

private:
    int rowLength_;
    std::vector<BYTE> bytes_;
    std::vector<BYTE*> pointers_;
};
