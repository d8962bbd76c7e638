// A bitmap in the display's own format turned into a packed device-independent bitmap: header,
// colour table and pixel rows in one fixed block of global memory.
#include "imaging/WindowCapture.h"

#include "framework/CGdiObject.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// The screen's DC with a palette selected as a foreground palette and realised; the previous
// palette goes back and the DC is released when the conversion ends, whichever way it ends.
class ScreenDcWithPalette {
public:
    explicit ScreenDcWithPalette(HPALETTE palette) : dc_(::GetDC(nullptr)) {
        if (dc_ != nullptr) {
            previous_ = ::SelectPalette(dc_, palette, FALSE);
            ::RealizePalette(dc_);
        }
    }
    ~ScreenDcWithPalette() {
        if (dc_ != nullptr) {
            if (previous_ != nullptr) {
                ::SelectPalette(dc_, previous_, FALSE);
            }
            ::ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDcWithPalette(const ScreenDcWithPalette&) = delete;
    ScreenDcWithPalette& operator=(const ScreenDcWithPalette&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
};

// A fixed global block that is freed unless it is handed on. Growing it may move it: the
// block's handle is its address and changes with it.
class FixedBlock {
public:
    explicit FixedBlock(SIZE_T bytes) : block_(::GlobalAlloc(GMEM_FIXED, bytes)) {}
    ~FixedBlock() {
        if (block_ != nullptr) {
            ::GlobalFree(block_);
        }
    }
    FixedBlock(const FixedBlock&) = delete;
    FixedBlock& operator=(const FixedBlock&) = delete;

    BYTE* Bytes() const { return static_cast<BYTE*>(block_); }
    // On failure the block stays as it was (and is still freed at the end).
    bool Grow(SIZE_T bytes) {
        HGLOBAL grown = ::GlobalReAlloc(block_, bytes, GMEM_MOVEABLE);
        if (grown == nullptr) {
            return false;
        }
        block_ = grown;
        return true;
    }
    void* Release() {
        void* block = block_;
        block_ = nullptr;
        return block;
    }

private:
    HGLOBAL block_;
};

// Bytes of the pixel rows of an uncompressed DIB: each row padded to whole DWORDs. Zero when
// the size is out of range.
uint64_t UncompressedImageBytes(const BITMAPINFOHEADER& header) {
    if (header.biWidth <= 0 || header.biHeight <= 0) {
        return 0;
    }
    const uint64_t rowBytes =
        ((static_cast<uint64_t>(header.biWidth) * header.biBitCount + 31) & ~uint64_t{31}) / 8;
    return rowBytes * static_cast<uint64_t>(header.biHeight);
}

} // namespace

BITMAPINFOHEADER* WindowCapture::BitmapToDib(CBitmap& bitmap, DWORD dwCompression,
                                             CPalette* pPalette) const {
    if (dwCompression == BI_BITFIELDS) {
        return nullptr;
    }
    HPALETTE palette = pPalette != nullptr ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr;
    if (palette == nullptr) {
        palette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    }

    BITMAP description = {};
    if (bitmap.GetBitmap(&description) == 0) {
        return nullptr;
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(description.bmPlanes * description.bmBitsPixel);
    header.biCompression = dwCompression;

    const SIZE_T colours = header.biBitCount <= 8 ? SIZE_T{1} << header.biBitCount : 0;
    const SIZE_T headerAndTable = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);

    ScreenDcWithPalette screen(palette);
    if (screen.Get() == nullptr) {
        return nullptr;
    }
    FixedBlock block(headerAndTable);
    if (block.Bytes() == nullptr) {
        return nullptr;
    }
    std::memcpy(block.Bytes(), &header, sizeof header);
    // Without a pixel buffer the platform only completes the header (and the colour table).
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(header.biHeight), nullptr,
                reinterpret_cast<BITMAPINFO*>(block.Bytes()), DIB_RGB_COLORS);
    std::memcpy(&header, block.Bytes(), sizeof header);

    if (header.biCompression == BI_RGB) {
        // The rows are written at the size they need: a size reported too small (or not at all)
        // must not let the platform write beyond the block.
        const uint64_t needed = UncompressedImageBytes(header);
        if (needed == 0 || needed > std::numeric_limits<DWORD>::max() ||
            needed > std::numeric_limits<SIZE_T>::max() - headerAndTable) {
            return nullptr;
        }
        if (header.biSizeImage < needed) {
            header.biSizeImage = static_cast<DWORD>(needed);
        }
    } else if (header.biSizeImage == 0) {
        return nullptr; // a compressed format whose size the platform did not say
    }
    std::memcpy(block.Bytes(), &header, sizeof header);

    if (!block.Grow(headerAndTable + header.biSizeImage)) {
        return nullptr;
    }
    BYTE* pixels = block.Bytes() + headerAndTable;
    if (::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(header.biHeight), pixels,
                    reinterpret_cast<BITMAPINFO*>(block.Bytes()), DIB_RGB_COLORS) == 0) {
        return nullptr;
    }
    return static_cast<BITMAPINFOHEADER*>(block.Release());
}
