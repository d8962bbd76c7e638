#include "gdi/color.h"

namespace winsim::gdi {
namespace {

constexpr PALETTEENTRY E(int r, int g, int b) {
    return PALETTEENTRY{static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), 0};
}

constexpr std::array<PALETTEENTRY, 20> kStatic = {
    E(0, 0, 0),       E(128, 0, 0),     E(0, 128, 0),     E(128, 128, 0),   E(0, 0, 128),
    E(128, 0, 128),   E(0, 128, 128),   E(192, 192, 192), E(192, 220, 192), E(166, 202, 240),
    E(255, 251, 240), E(160, 160, 164), E(128, 128, 128), E(255, 0, 0),     E(0, 255, 0),
    E(255, 255, 0),   E(0, 0, 255),     E(255, 0, 255),   E(0, 255, 255),   E(255, 255, 255),
};

constexpr RGBQUAD Q(int r, int g, int b) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

constexpr std::array<RGBQUAD, 16> kVga = {
    Q(0, 0, 0),       Q(128, 0, 0),   Q(0, 128, 0),   Q(128, 128, 0),
    Q(0, 0, 128),     Q(128, 0, 128), Q(0, 128, 128), Q(192, 192, 192),
    Q(128, 128, 128), Q(255, 0, 0),   Q(0, 255, 0),   Q(255, 255, 0),
    Q(0, 0, 255),     Q(255, 0, 255), Q(0, 255, 255), Q(255, 255, 255),
};

std::array<PALETTEENTRY, 256> MakeDefaultSystemPalette() {
    std::array<PALETTEENTRY, 256> p{};
    for (int i = 0; i < 10; ++i) {
        p[i] = kStatic[i];
        p[246 + i] = kStatic[10 + i];
    }
    int n = 10;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                p[n++] = E(r * 51, g * 51, b * 51);
            }
        }
    }
    // 20 greys strictly between black and white, none equal to a cube level.
    for (int i = 0; i < 20; ++i) {
        const int v = 8 + i * 12;
        p[n++] = E(v, v, v);
    }
    return p;
}

int Distance(int r1, int g1, int b1, COLORREF c) {
    const int dr = r1 - GetRValue(c);
    const int dg = g1 - GetGValue(c);
    const int db = b1 - GetBValue(c);
    return dr * dr + dg * dg + db * db;
}

int NearestStaticSystemIndex(COLORREF rgb) {
    const int k = NearestIndex(kStatic.data(), 20, rgb);
    return k < 10 ? k : 236 + k;
}

} // namespace

const std::array<PALETTEENTRY, 20>& StaticColors() {
    return kStatic;
}

const std::array<RGBQUAD, 16>& Vga16Colors() {
    return kVga;
}

const std::array<PALETTEENTRY, 256>& DefaultSystemPalette() {
    static const std::array<PALETTEENTRY, 256> table = MakeDefaultSystemPalette();
    return table;
}

std::array<PALETTEENTRY, 256>& SystemPalette() {
    static std::array<PALETTEENTRY, 256> live = DefaultSystemPalette();
    return live;
}

int NearestIndex(const PALETTEENTRY* entries, int count, COLORREF rgb) {
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const int d = Distance(entries[i].peRed, entries[i].peGreen, entries[i].peBlue, rgb);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

int NearestIndex(const RGBQUAD* entries, int count, COLORREF rgb) {
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const int d = Distance(entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue, rgb);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

COLORREF PixelToColor(const Surface& s, uint32_t v) {
    switch (s.model) {
    case ColorModel::Mono:
        return v ? RGB(255, 255, 255) : RGB(0, 0, 0);
    case ColorModel::Vga16:
        return ToColor(kVga[v & 15]);
    case ColorModel::SystemPalette:
        return ToColor(SystemPalette()[v & 255]);
    case ColorModel::Table:
        return v < s.table.size() ? ToColor(s.table[v]) : RGB(0, 0, 0);
    case ColorModel::Rgb565:
        return RGB(((v >> 11) & 31) << 3, ((v >> 5) & 63) << 2, (v & 31) << 3);
    case ColorModel::Rgb555:
        return RGB(((v >> 10) & 31) << 3, ((v >> 5) & 31) << 3, (v & 31) << 3);
    case ColorModel::Rgb888:
        return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
    }
    return 0;
}

uint32_t RgbToPixel(const Surface& s, COLORREF c) {
    const uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    switch (s.model) {
    case ColorModel::Mono:
        return (r + g + b) >= 383 ? 1u : 0u;
    case ColorModel::Vga16:
        return static_cast<uint32_t>(NearestIndex(kVga.data(), 16, c));
    case ColorModel::SystemPalette:
        return static_cast<uint32_t>(NearestStaticSystemIndex(c));
    case ColorModel::Table: {
        const int k = NearestIndex(s.table.data(), static_cast<int>(s.table.size()), c);
        return k < 0 ? 0u : static_cast<uint32_t>(k);
    }
    case ColorModel::Rgb565:
        return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    case ColorModel::Rgb555:
        return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case ColorModel::Rgb888:
        return (r << 16) | (g << 8) | b;
    }
    return 0;
}

} // namespace winsim::gdi
