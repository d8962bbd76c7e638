// Bitmaps: device-dependent bitmaps in the display's format or monochrome, DIB sections, and the
// transfers between bitmaps and device-independent pixels (GetDIBits, SetDIBits, StretchDIBits).
#include "gdi/blit.h"
#include "gdi/color.h"
#include "gdi/dib.h"
#include "gdi/row_copy.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <cstring>
#include <unordered_map>

using namespace winsim::gdi;

namespace {

HBITMAP AddBitmap(std::unique_ptr<BitmapObj> b) {
    return static_cast<HBITMAP>(AddObject(std::move(b)));
}

std::vector<RGBQUAD> OutputTable(const DcObj& dc, const Surface& s, int bits) {
    std::vector<RGBQUAD> table;
    if (s.model == ColorModel::Table && s.bits == bits) {
        return s.table;
    }
    if (bits == 1) {
        table = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    } else if (bits == 4) {
        table.assign(Vga16Colors().begin(), Vga16Colors().end());
    } else {
        const PaletteObj* pal = Find<PaletteObj>(dc.a.palette, OBJ_PAL);
        const bool stockPalette = !pal || pal->stock;
        table.assign(256, RGBQUAD{0, 0, 0, 0});
        if (!stockPalette) {
            for (size_t i = 0; i < pal->entries.size() && i < 256; ++i) {
                const PALETTEENTRY& e = pal->entries[i];
                table[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
            }
        } else {
            const auto& source =
                s.model == ColorModel::SystemPalette ? SystemPalette() : DefaultSystemPalette();
            for (int i = 0; i < 256; ++i) {
                table[i] = RGBQUAD{source[i].peBlue, source[i].peGreen, source[i].peRed, 0};
            }
        }
    }
    return table;
}

bool ValidSize(int w, int h) {
    return w >= 0 && h >= 0 && w <= 16384 && h <= 16384;
}

} // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const VOID* lpBits) {
    const int bits = static_cast<int>(nPlanes * nBitCount);
    if (!ValidSize(nWidth, nHeight) || nPlanes != 1 || !OpsForBits(bits)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0) {
        return DefaultBitmap();
    }
    auto b = std::make_unique<BitmapObj>();
    if (!InitSurface(b->surface, nWidth, nHeight, bits, DdbModelFor(bits))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpBits) {
        // Rows of device-dependent bitmaps are padded to 16 bits.
        const size_t rowBytes = static_cast<size_t>((nWidth * bits + 15) / 16 * 2);
        const uint8_t* src = static_cast<const uint8_t*>(lpBits);
        for (int y = 0; y < nHeight; ++y) {
            std::memcpy(b->surface.Row(y), src + rowBytes * y,
                        std::min(rowBytes, static_cast<size_t>(b->surface.stride)));
        }
    }
    return AddBitmap(std::move(b));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!ValidSize(cx, cy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (cx == 0 || cy == 0) {
        return DefaultBitmap();
    }
    // The format of what the DC draws on: a memory DC's selected bitmap (monochrome while it
    // holds its default bitmap), or the display.
    const Surface* model = DcSurface(*dc);
    auto b = std::make_unique<BitmapObj>();
    bool made;
    if (dc->IsMemory() && model) {
        made = InitSurface(b->surface, cx, cy, model->bits, model->model);
        b->surface.table = model->table;
        b->dibSection = model->model == ColorModel::Table;
    } else {
        const int bits = winsim::Config().displayBits;
        made = InitSurface(b->surface, cx, cy, bits, DdbModelFor(bits));
    }
    if (!made) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return AddBitmap(std::move(b));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, VOID** ppvBits,
                         HANDLE hSection, DWORD) {
    if (ppvBits) {
        *ppvBits = nullptr;
    }
    if (!DibHeaderSupported(pbmi) || hSection || pbmi->bmiHeader.biWidth == 0 ||
        pbmi->bmiHeader.biHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const DcObj* dc = FindDc(hdc);
    if (usage == DIB_PAL_COLORS && !dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    // Read the header's format by converting an empty picture of one row.
    Surface format;
    std::vector<uint8_t> zeros(static_cast<size_t>(StrideFor(h.biWidth, h.biBitCount)), 0);
    BITMAPINFO* probe = const_cast<BITMAPINFO*>(pbmi);
    const LONG savedHeight = probe->bmiHeader.biHeight;
    probe->bmiHeader.biHeight = 1;
    const bool ok = SurfaceFromDib(probe, zeros.data(), usage, dc, format);
    probe->bmiHeader.biHeight = savedHeight;
    if (!ok || !ValidSize(h.biWidth, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto b = std::make_unique<BitmapObj>();
    if (!InitSurface(b->surface, h.biWidth, height, h.biBitCount, format.model)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    b->surface.table = format.table;
    b->surface.bottomUp = h.biHeight > 0;
    b->dibSection = true;
    if (ppvBits) {
        *ppvBits = b->surface.pixels.data();
    }
    return AddBitmap(std::move(b));
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage) {
    DcObj* dc = FindDc(hdc);
    BitmapObj* bmp = FindBitmap(hbm);
    if (!dc || !bmp) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Surface& s = bmp->surface;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    uint8_t* table = reinterpret_cast<uint8_t*>(lpbmi) + h.biSize;

    if (!lpvBits && h.biBitCount == 0) {
        // The query: describe the bitmap itself, without a colour table.
        h.biWidth = s.width;
        h.biHeight = s.height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.bits);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(StrideFor(s.width, s.bits)) * s.height;
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = h.biClrImportant = 0;
        return s.height;
    }
    if (h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32)) {
        // Masks left empty by the caller are filled in with the standard ones.
        DWORD masks[3];
        std::memcpy(masks, table, sizeof(masks));
        if (masks[0] == 0 && masks[1] == 0 && masks[2] == 0) {
            const bool is565 = h.biBitCount == 16 && winsim::Config().display565;
            masks[0] = h.biBitCount == 32 ? 0xFF0000 : is565 ? 0xF800 : 0x7C00;
            masks[1] = h.biBitCount == 32 ? 0xFF00 : is565 ? 0x07E0 : 0x03E0;
            masks[2] = h.biBitCount == 32 ? 0xFF : 0x001F;
            std::memcpy(table, masks, sizeof(masks));
        }
    }
    if (!DibHeaderSupported(lpbmi) || h.biWidth <= 0 || h.biHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int bits = h.biBitCount;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const int stride = StrideFor(width, bits);
    h.biSizeImage = static_cast<DWORD>(stride) * height;

    std::vector<RGBQUAD> colors;
    if (bits <= 8) {
        colors = OutputTable(*dc, s, bits);
        for (int i = 0; i < (1 << bits); ++i) {
            if (usage == DIB_PAL_COLORS) {
                const WORD index = static_cast<WORD>(i);
                std::memcpy(table + 2 * i, &index, 2);
            } else {
                std::memcpy(table + 4 * i, &colors[i], 4);
            }
        }
    }
    if (!lpvBits) {
        return height;
    }

    ColorModel outModel = ColorModel::Rgb888;
    if (bits <= 8) {
        outModel = ColorModel::Table;
    } else if (bits == 16) {
        Dib16Model(lpbmi, outModel);
    }
    Surface out; // describes one output row
    InitSurface(out, width, 1, bits, outModel);
    out.table = colors;

    // Into the bitmap's own format (24 and 32 bits, 5-5-5), rows are plain copies.
    const bool sameFormat = RowCopyEnabled() && s.bits == bits && s.model == outModel &&
                            (bits == 24 || bits == 32 || outModel == ColorModel::Rgb555);
    const bool raw = s.model == ColorModel::Mono && bits == 1;
    std::unordered_map<uint32_t, uint32_t> cache;
    uint8_t* dst = static_cast<uint8_t*>(lpvBits);
    int copied = 0;
    for (UINT r = 0; r < cLines && start + r < static_cast<UINT>(height); ++r) {
        const int scan = static_cast<int>(start + r);
        const int y = h.biHeight > 0 ? height - 1 - scan : scan; // row in the bitmap
        uint8_t* row = dst + static_cast<size_t>(r) * stride;
        if (y >= s.height) {
            std::memset(row, 0, static_cast<size_t>(stride));
        } else if (sameFormat) {
            // Only what the copy leaves is cleared: the padding, and pixels beyond the bitmap.
            const size_t pixels = static_cast<size_t>(std::min(width, s.width));
            const size_t copied = pixels * static_cast<size_t>(bits / 8);
            // Read where the bytes are: a grab still pending in the screen is copied out once.
            CopyPixelSpan(row, s.pixels.BytesToCopyOut(s.RowOffset(y)), pixels, bits, true);
            std::memset(row + copied, 0, static_cast<size_t>(stride) - copied);
        } else {
            std::memset(row, 0, static_cast<size_t>(stride));
            for (int x = 0; x < width && x < s.width; ++x) {
                const uint32_t v = s.Get(x, y);
                uint32_t o;
                if (raw) {
                    o = v;
                } else {
                    auto it = cache.find(v);
                    if (it != cache.end()) {
                        o = it->second;
                    } else {
                        o = RgbToPixel(out, PixelToColor(s, v));
                        cache.emplace(v, o);
                    }
                }
                out.ops->put(row, x, o);
            }
        }
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const VOID* lpBits,
              const BITMAPINFO* lpbmi, UINT ColorUse) {
    DcObj* dc = FindDc(hdc);
    BitmapObj* bmp = FindBitmap(hbm);
    if (!bmp || (ColorUse == DIB_PAL_COLORS && !dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    Surface src;
    if (!SurfaceFromDib(lpbmi, lpBits, ColorUse, dc, src)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Surface& s = bmp->surface;
    const bool bottomUp = lpbmi->bmiHeader.biHeight > 0;
    int copied = 0;
    for (UINT r = 0; r < cLines && start + r < static_cast<UINT>(src.height); ++r) {
        const int scan = static_cast<int>(start + r);
        const int y = bottomUp ? src.height - 1 - scan : scan;
        if (y >= s.height) {
            continue;
        }
        for (int x = 0; x < src.width && x < s.width; ++x) {
            s.Put(x, y, RgbToPixel(s, PixelToColor(src, src.Get(x, y))));
        }
        ++copied;
    }
    return copied;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const VOID* lpBits, const BITMAPINFO* lpbmi,
                  UINT iUsage, DWORD rop) {
    Canvas dst;
    if (!MakeCanvas(hdc, dst)) {
        return 0;
    }
    Surface src;
    if (!SurfaceFromDib(lpbmi, lpBits, iUsage, dst.dc, src)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Source coordinates count from the DIB's lower-left corner for bottom-up DIBs.
    const bool bottomUp = lpbmi->bmiHeader.biHeight > 0;
    const int sy = bottomUp ? src.height - ySrc - SrcHeight : ySrc;
    SourceMapper mapper(src, nullptr, dst);
    StretchSurface(dst, dst.X(xDest), dst.Y(yDest), DestWidth, DestHeight, src, xSrc, sy, SrcWidth,
                   SrcHeight, rop, mapper);
    return SrcHeight < 0 ? -SrcHeight : SrcHeight;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const VOID* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse) {
    // Only whole pictures handed over at once are supported: the bits start at scan line 0.
    if (StartScan != 0 || !lpbmi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const LONG height =
        lpbmi->bmiHeader.biHeight < 0 ? -lpbmi->bmiHeader.biHeight : lpbmi->bmiHeader.biHeight;
    if (static_cast<LONG>(cLines) < height) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int done =
        StretchDIBits(hdc, xDest, yDest, static_cast<int>(w), static_cast<int>(h), xSrc, ySrc,
                      static_cast<int>(w), static_cast<int>(h), lpvBits, lpbmi, ColorUse, SRCCOPY);
    return done ? static_cast<int>(cLines) : 0;
}
