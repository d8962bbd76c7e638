#include "gdi_fixture.h"

#include <cstring>
#include <vector>

namespace {

struct Dib {
    std::vector<uint8_t> block; // header, colour table, pixels
    BITMAPINFOHEADER& Header() { return *reinterpret_cast<BITMAPINFOHEADER*>(block.data()); }
    RGBQUAD* Table() { return reinterpret_cast<RGBQUAD*>(block.data() + 40); }
};

int TableSize(int bits) {
    return bits <= 8 ? 1 << bits : 0;
}

// The two-call conversion the screen grab makes: header first, then the pixels, with an
// optional palette selected into the screen DC.
Dib ToDib(HBITMAP bmp, int bits, HPALETTE palette = nullptr) {
    Dib dib;
    const int colours = TableSize(bits);
    dib.block.assign(40 + 4 * colours, 0);
    BITMAP bm{};
    GetObjectA(bmp, sizeof(bm), &bm);
    dib.Header().biSize = 40;
    dib.Header().biWidth = bm.bmWidth;
    dib.Header().biHeight = bm.bmHeight;
    dib.Header().biPlanes = 1;
    dib.Header().biBitCount = static_cast<WORD>(bits);
    HDC screen = GetDC(nullptr);
    HPALETTE old = nullptr;
    if (palette) {
        old = SelectPalette(screen, palette, FALSE);
        RealizePalette(screen);
    }
    EXPECT_NE(GetDIBits(screen, bmp, 0, bm.bmHeight, nullptr,
                        reinterpret_cast<BITMAPINFO*>(dib.block.data()), DIB_RGB_COLORS),
              0);
    const DWORD size = dib.Header().biSizeImage;
    EXPECT_EQ(size, static_cast<DWORD>(((bm.bmWidth * bits + 31) & ~31) / 8 * bm.bmHeight));
    dib.block.resize(40 + 4 * colours + size);
    EXPECT_EQ(GetDIBits(screen, bmp, 0, bm.bmHeight, dib.block.data() + 40 + 4 * colours,
                        reinterpret_cast<BITMAPINFO*>(dib.block.data()), DIB_RGB_COLORS),
              bm.bmHeight);
    if (palette) {
        SelectPalette(screen, old, FALSE);
    }
    ReleaseDC(nullptr, screen);
    return dib;
}

class GrabAtEveryDepth : public testing::TestWithParam<Depth> {
protected:
    void SetUp() override { ResetAtDepth(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Depths, GrabAtEveryDepth, testing::ValuesIn(kAllDepths), DepthName);

TEST_P(GrabAtEveryDepth, DisplayFormatDibKeepsTheColoursOfAStaticPicture) {
    const int bits = GetParam().bits;
    // Colours every depth shows exactly (the 16 VGA colours need 4 bits or more).
    const COLORREF top = bits == 1 ? RGB(255, 255, 255) : RGB(255, 0, 0);
    const COLORREF bottom = RGB(0, 0, 0);
    Canvas c(3, 2);
    SetPixel(c.dc, 0, 0, top);
    SetPixel(c.dc, 1, 0, top);
    SetPixel(c.dc, 2, 0, top);
    for (int x = 0; x < 3; ++x) {
        SetPixel(c.dc, x, 1, bottom);
    }
    SelectObject(c.dc, c.old);

    HPALETTE palette = nullptr;
    HDC screen = GetDC(nullptr);
    if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) {
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
        lp->palVersion = 0x300;
        lp->palNumEntries =
            static_cast<WORD>(GetSystemPaletteEntries(screen, 0, 255, lp->palPalEntry));
        EXPECT_EQ(lp->palNumEntries, 255);
        palette = CreatePalette(lp);
    }
    ReleaseDC(nullptr, screen);

    Dib dib = ToDib(c.bitmap, bits, palette);
    const uint8_t* pixels = dib.block.data() + 40 + 4 * TableSize(bits);
    const int stride = ((3 * bits + 31) & ~31) / 8;
    // Bottom-up: the first stored row is the picture's bottom row.
    auto colourAt = [&](int x, int storedRow) -> COLORREF {
        const uint8_t* row = pixels + storedRow * stride;
        switch (bits) {
        case 32:
        case 24: {
            const uint8_t* p = row + x * (bits / 8);
            return RGB(p[2], p[1], p[0]);
        }
        case 16: {
            const int w = row[2 * x] | (row[2 * x + 1] << 8);
            return RGB(((w >> 10) & 31) << 3, ((w >> 5) & 31) << 3, (w & 31) << 3);
        }
        default: {
            int index = bits == 8   ? row[x]
                        : bits == 4 ? (x & 1 ? row[x / 2] & 15 : row[x / 2] >> 4)
                                    : (row[x / 8] >> (7 - x % 8)) & 1;
            const RGBQUAD q = dib.Table()[index];
            return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
        }
    };
    const COLORREF topAs16 =
        RGB(GetRValue(top) & 0xF8, GetGValue(top) & 0xF8, GetBValue(top) & 0xF8);
    EXPECT_EQ(colourAt(0, 1), bits == 16 ? topAs16 : top);
    EXPECT_EQ(colourAt(2, 1), bits == 16 ? topAs16 : top);
    EXPECT_EQ(colourAt(1, 0), bottom);
    EXPECT_EQ(dib.Header().biCompression, static_cast<DWORD>(BI_RGB));
    if (palette) {
        DeleteObject(palette);
    }
}

TEST(GetDIBits, QueryDescribesTheBitmapWithoutColourTable) {
    winsim::ResetDesktop();
    HBITMAP bmp = CreateBitmap(7, 5, 1, 32, nullptr);
    std::vector<uint8_t> block(40 + 4, 0xAB);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    std::memset(h, 0, 40);
    h->biSize = 40;
    HDC screen = GetDC(nullptr);
    EXPECT_NE(GetDIBits(screen, bmp, 0, 5, nullptr, reinterpret_cast<BITMAPINFO*>(h), 0), 0);
    EXPECT_EQ(h->biWidth, 7);
    EXPECT_EQ(h->biHeight, 5);
    EXPECT_EQ(h->biBitCount, 32);
    EXPECT_EQ(h->biSizeImage, 7u * 4 * 5);
    EXPECT_EQ(block[40], 0xAB) << "nothing written past the header";
    ReleaseDC(nullptr, screen);
    DeleteObject(bmp);
}

TEST(GetDIBits, EveryOutputDepthFromATrueColourBitmap) {
    winsim::ResetDesktop();
    Canvas c(2, 1);
    SetPixel(c.dc, 0, 0, RGB(255, 255, 255));
    SetPixel(c.dc, 1, 0, RGB(0, 0, 255));
    SelectObject(c.dc, c.old);
    {
        Dib d = ToDib(c.bitmap, 1);
        EXPECT_EQ(d.block[48], 0x80) << "white is entry 1, blue nearest to black";
        EXPECT_EQ(d.Table()[1].rgbRed, 255);
    }
    {
        Dib d = ToDib(c.bitmap, 4);
        EXPECT_EQ(d.block[40 + 64], 0xFC) << "VGA white 15, blue 12";
    }
    {
        Dib d = ToDib(c.bitmap, 8);
        const uint8_t* px = d.block.data() + 40 + 1024;
        EXPECT_EQ(d.Table()[px[0]].rgbGreen, 255);
        EXPECT_EQ(d.Table()[px[1]].rgbBlue, 255);
        EXPECT_EQ(d.Table()[px[1]].rgbRed, 0);
    }
    {
        Dib d = ToDib(c.bitmap, 16);
        EXPECT_EQ(d.block[40] | (d.block[41] << 8), 0x7FFF) << "5-5-5 white";
        EXPECT_EQ(d.block[42] | (d.block[43] << 8), 0x001F);
    }
    {
        Dib d = ToDib(c.bitmap, 24);
        EXPECT_EQ(d.block.size(), 40u + 8);
        EXPECT_EQ(d.block[43], 255) << "blue byte first";
        EXPECT_EQ(d.block[45], 0);
    }
}

TEST(GetDIBits, RefusesWhatItCannotServe) {
    winsim::ResetDesktop();
    HBITMAP bmp = CreateBitmap(2, 2, 1, 32, nullptr);
    HDC screen = GetDC(nullptr);
    std::vector<uint8_t> block(40 + 12 + 64, 0);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(block.data());
    bmi->bmiHeader.biSize = 40;
    bmi->bmiHeader.biWidth = 2;
    bmi->bmiHeader.biHeight = 2;
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = 24;
    bmi->bmiHeader.biCompression = BI_BITFIELDS;
    EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, block.data() + 52, bmi, DIB_RGB_COLORS), 0);
    bmi->bmiHeader.biBitCount = 2;
    bmi->bmiHeader.biCompression = BI_RGB;
    EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, block.data() + 52, bmi, DIB_RGB_COLORS), 0);
    // 16 bits with 5-6-5 masks is served.
    bmi->bmiHeader.biBitCount = 16;
    bmi->bmiHeader.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(block.data() + 40, masks, sizeof(masks));
    EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, block.data() + 52, bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(GetDIBits(screen, nullptr, 0, 2, block.data() + 52, bmi, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ReleaseDC(nullptr, screen);
    DeleteObject(bmp);
}

TEST(DibSections, DrawingShowsInTheBitsBottomRowFirst) {
    winsim::ResetDesktop();
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = 40;
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    SetPixel(dc, 0, 0, RGB(1, 2, 3)); // top row: stored second
    const uint8_t* p = static_cast<uint8_t*>(bits);
    EXPECT_EQ(p[8], 3);
    EXPECT_EQ(p[9], 2);
    EXPECT_EQ(p[10], 1);
    static_cast<uint8_t*>(bits)[0] = 200; // bottom-left blue
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 200));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(StretchDIBits, BottomUpPictureLandsUprightAndScaled) {
    winsim::ResetDesktop();
    Canvas c(4, 4);
    c.Fill(RGB(0, 0, 0));
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = 40;
    bmi.bmiHeader.biWidth = 1;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    const uint8_t pixels[8] = {0, 0, 255, 0, 255, 0, 0, 0}; // bottom red, top blue
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 2, 4, 0, 0, 1, 2, pixels, &bmi, DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, 1, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 2, 0), RGB(0, 0, 0));
}

} // namespace
