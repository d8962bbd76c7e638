#include "gdi/dib.h"

#include "gdi/color.h"

#include <cstring>

namespace winsim::gdi {

int DibTableEntries(const BITMAPINFOHEADER& h) {
    if (h.biCompression == BI_BITFIELDS) {
        return 3;
    }
    if (h.biBitCount > 8) {
        return 0;
    }
    if (h.biClrUsed != 0 && h.biClrUsed <= (1u << h.biBitCount)) {
        return static_cast<int>(h.biClrUsed);
    }
    return 1 << h.biBitCount;
}

namespace {

DWORD Mask(const BITMAPINFO* bmi, int i) {
    DWORD m;
    std::memcpy(&m, reinterpret_cast<const uint8_t*>(bmi) + bmi->bmiHeader.biSize + 4 * i, 4);
    return m;
}

} // namespace

bool Dib16Model(const BITMAPINFO* bmi, ColorModel& model) {
    if (bmi->bmiHeader.biCompression == BI_RGB) {
        model = ColorModel::Rgb555;
        return true;
    }
    if (Mask(bmi, 0) == 0x7C00 && Mask(bmi, 1) == 0x03E0 && Mask(bmi, 2) == 0x001F) {
        model = ColorModel::Rgb555;
        return true;
    }
    if (Mask(bmi, 0) == 0xF800 && Mask(bmi, 1) == 0x07E0 && Mask(bmi, 2) == 0x001F) {
        model = ColorModel::Rgb565;
        return true;
    }
    return false;
}

bool DibHeaderSupported(const BITMAPINFO* bmi) {
    if (!bmi || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (!OpsForBits(h.biBitCount) || h.biWidth < 0 || h.biPlanes != 1) {
        return false;
    }
    if (h.biCompression == BI_RGB) {
        return true;
    }
    if (h.biCompression != BI_BITFIELDS) {
        return false;
    }
    if (h.biBitCount == 16) {
        ColorModel m;
        return Dib16Model(bmi, m);
    }
    return h.biBitCount == 32 && Mask(bmi, 0) == 0xFF0000 && Mask(bmi, 1) == 0xFF00 &&
           Mask(bmi, 2) == 0xFF;
}

bool SurfaceFromDib(const BITMAPINFO* bmi, const void* bits, UINT usage, const DcObj* dc,
                    Surface& out) {
    if (!DibHeaderSupported(bmi) || !bits) {
        return false;
    }
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    ColorModel model = ColorModel::Rgb888;
    if (h.biBitCount <= 8) {
        model = ColorModel::Table;
    } else if (h.biBitCount == 16) {
        Dib16Model(bmi, model);
    }
    if (!InitSurface(out, width, height, h.biBitCount, model)) {
        return false;
    }
    if (model == ColorModel::Table) {
        const int n = DibTableEntries(h);
        const uint8_t* table = reinterpret_cast<const uint8_t*>(bmi) + h.biSize;
        const PaletteObj* pal = dc ? Find<PaletteObj>(dc->a.palette, OBJ_PAL) : nullptr;
        out.table.resize(static_cast<size_t>(1) << h.biBitCount, RGBQUAD{0, 0, 0, 0});
        for (int i = 0; i < n; ++i) {
            if (usage == DIB_PAL_COLORS) {
                WORD index;
                std::memcpy(&index, table + 2 * i, 2);
                if (pal && index < pal->entries.size()) {
                    const PALETTEENTRY& e = pal->entries[index];
                    out.table[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
                }
            } else {
                std::memcpy(&out.table[i], table + 4 * i, 4);
                out.table[i].rgbReserved = 0;
            }
        }
    }
    const uint8_t* src = static_cast<const uint8_t*>(bits);
    for (int r = 0; r < height; ++r) {
        // Positive heights store the bottom row first.
        const int y = h.biHeight > 0 ? height - 1 - r : r;
        std::memcpy(out.Row(y), src + static_cast<size_t>(r) * out.stride,
                    static_cast<size_t>(out.stride));
    }
    return true;
}

} // namespace winsim::gdi
