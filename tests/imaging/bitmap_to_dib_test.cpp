// The packed DIB made from a bitmap in the display's format: header, colour table and rows in
// one fixed global block, at every display depth.
#include "framework/CGdiObject.h"
#include "imaging/WindowCapture.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void ResetAtDepth(int bits, bool is565 = true) {
    winsim::DesktopConfig config;
    config.displayBits = bits;
    config.display565 = is565;
    winsim::ResetDesktop(config);
}

// A bitmap compatible with the screen, painted pixel by pixel and then selected nowhere.
void MakeScreenBitmap(CBitmap& bitmap, int width, int height,
                      const std::vector<std::pair<POINT, COLORREF>>& pixels,
                      COLORREF background = RGB(0, 0, 0)) {
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(bitmap.Attach(CreateCompatibleBitmap(screen, width, height)));
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap.m_hObject);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    for (const auto& p : pixels) {
        SetPixel(memory, p.first.x, p.first.y, p.second);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

struct Dib {
    explicit Dib(BITMAPINFOHEADER* block) : header(block) {}
    ~Dib() {
        if (header != nullptr) {
            GlobalFree(header);
        }
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    const BYTE* Table() const { return reinterpret_cast<const BYTE*>(header) + 40; }
    const BYTE* Rows(size_t tableEntries) const { return Table() + 4 * tableEntries; }

    BITMAPINFOHEADER* header;
};

TEST(BitmapToDib, ThirtyTwoBitsHasNoColourTableAndStoresTheBottomRowFirst) {
    ResetAtDepth(32);
    CBitmap bitmap;
    MakeScreenBitmap(bitmap, 5, 3,
                     {{{0, 2}, RGB(0x11, 0x22, 0x33)}, {{4, 0}, RGB(0xA0, 0xB0, 0xC0)}});
    Dib dib(WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr));
    ASSERT_NE(dib.header, nullptr);

    const BITMAPINFOHEADER& h = *dib.header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 5);
    EXPECT_EQ(h.biHeight, 3) << "positive: bottom row first";
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 60u);
    EXPECT_EQ(40u + 60u, GlobalSize(dib.header)) << "header and rows, nothing more";

    const BYTE* rows = dib.Rows(0);
    EXPECT_EQ(rows[0], 0x33) << "the bottom-left pixel right behind the header: blue";
    EXPECT_EQ(rows[1], 0x22);
    EXPECT_EQ(rows[2], 0x11);
    const BYTE* top = rows + 2 * 20;
    EXPECT_EQ(top[16], 0xC0);
    EXPECT_EQ(top[17], 0xB0);
    EXPECT_EQ(top[18], 0xA0);
}

TEST(BitmapToDib, TwentyFourBitRowsArePaddedToWholeDwords) {
    ResetAtDepth(24);
    CBitmap bitmap;
    MakeScreenBitmap(bitmap, 3, 2, {{{2, 1}, RGB(1, 2, 3)}, {{0, 0}, RGB(7, 8, 9)}});
    Dib dib(WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr));
    ASSERT_NE(dib.header, nullptr);
    EXPECT_EQ(dib.header->biBitCount, 24);
    EXPECT_EQ(dib.header->biSizeImage, 24u) << "two rows of 9 pixel bytes and 3 fill bytes";
    EXPECT_EQ(40u + 24u, GlobalSize(dib.header));
    const BYTE* rows = dib.Rows(0);
    EXPECT_EQ(rows[6], 3); // bottom row, pixel 2
    EXPECT_EQ(rows[8], 1);
    EXPECT_EQ(rows[12], 9); // top row, pixel 0
    EXPECT_EQ(rows[14], 7);
}

TEST(BitmapToDib, SixteenBitDisplaysGiveFiveFiveFivePixels) {
    for (bool is565 : {true, false}) {
        ResetAtDepth(16, is565);
        CBitmap bitmap;
        MakeScreenBitmap(
            bitmap, 3, 1,
            {{{0, 0}, RGB(255, 0, 0)}, {{1, 0}, RGB(0, 255, 0)}, {{2, 0}, RGB(0, 0, 255)}});
        Dib dib(WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr));
        ASSERT_NE(dib.header, nullptr);
        EXPECT_EQ(dib.header->biBitCount, 16);
        EXPECT_EQ(dib.header->biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(dib.header->biSizeImage, 8u) << "6 pixel bytes and 2 fill bytes";
        WORD words[3];
        std::memcpy(words, dib.Rows(0), sizeof words);
        EXPECT_EQ(words[0], 0x7C00) << "565 display: " << is565;
        EXPECT_EQ(words[1], 0x03E0);
        EXPECT_EQ(words[2], 0x001F);
    }
}

TEST(BitmapToDib, EightBitsCarriesTheGivenPalettesColoursAndIndices) {
    ResetAtDepth(8);
    PALETTEENTRY system[256];
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetSystemPaletteEntries(screen, 0, 256, system), 256u);
    ReleaseDC(nullptr, screen);

    // The first 255 system colours in reverse order: a pixel's index tells which table was used.
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 255;
    for (int i = 0; i < 255; ++i) {
        logical->palPalEntry[i] = system[254 - i];
    }
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(logical));

    const COLORREF known = RGB(system[9].peRed, system[9].peGreen, system[9].peBlue);
    CBitmap bitmap;
    MakeScreenBitmap(bitmap, 5, 2, {{{1, 1}, known}});
    Dib dib(WindowCapture().BitmapToDib(bitmap, BI_RGB, &palette));
    ASSERT_NE(dib.header, nullptr);
    EXPECT_EQ(dib.header->biBitCount, 8);
    EXPECT_EQ(dib.header->biSizeImage, 16u) << "rows of 5 bytes padded to 8";
    EXPECT_EQ(40u + 256u * 4u + 16u, GlobalSize(dib.header));
    for (int i = 0; i < 255; ++i) {
        const BYTE* entry = dib.Table() + 4 * i;
        ASSERT_EQ(system[254 - i].peBlue, entry[0]) << i;
        ASSERT_EQ(system[254 - i].peGreen, entry[1]) << i;
        ASSERT_EQ(system[254 - i].peRed, entry[2]) << i;
    }
    const BYTE index = dib.Rows(256)[1]; // bottom row first: pixel (1, 1) is in the first row
    const BYTE* entry = dib.Table() + 4 * index;
    EXPECT_EQ(known, RGB(entry[2], entry[1], entry[0])) << "index " << int(index);
}

TEST(BitmapToDib, WithoutAPaletteTheStockPaletteGivesTheTable) {
    ResetAtDepth(8);
    CBitmap bitmap;
    MakeScreenBitmap(bitmap, 4, 4, {}, RGB(255, 255, 255));
    Dib none(WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr));
    CPalette empty; // an object that holds no palette counts as none
    Dib emptyPalette(WindowCapture().BitmapToDib(bitmap, BI_RGB, &empty));
    ASSERT_NE(none.header, nullptr);
    ASSERT_NE(emptyPalette.header, nullptr);
    EXPECT_EQ(std::memcmp(none.header, emptyPalette.header, GlobalSize(none.header)), 0);
    const BYTE* white = none.Table() + 4 * none.Rows(256)[0];
    EXPECT_EQ(RGB(white[2], white[1], white[0]), RGB(255, 255, 255));
}

TEST(BitmapToDib, FewColourDisplaysCarryAFullTable) {
    for (int bits : {1, 4}) {
        ResetAtDepth(bits);
        CBitmap bitmap;
        MakeScreenBitmap(bitmap, 10, 2, {{{9, 0}, RGB(255, 255, 255)}});
        Dib dib(WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr));
        ASSERT_NE(dib.header, nullptr) << bits;
        const size_t entries = size_t{1} << bits;
        const size_t stride = bits == 1 ? 4 : 8; // 10 pixels: 2 or 5 bytes, padded
        EXPECT_EQ(bits, dib.header->biBitCount);
        EXPECT_EQ(2 * stride, dib.header->biSizeImage) << bits;
        EXPECT_EQ(40u + 4 * entries + 2 * stride, GlobalSize(dib.header));
        // Pixel (9, 0) lies in the top row, the second one stored.
        const BYTE* top = dib.Rows(entries) + stride;
        const unsigned index = bits == 1 ? (top[1] >> 6) & 1 : top[4] & 0x0F;
        const BYTE* entry = dib.Table() + 4 * index;
        EXPECT_EQ(RGB(entry[2], entry[1], entry[0]), RGB(255, 255, 255)) << bits;
    }
}

TEST(BitmapToDib, BitFieldsAndMissingBitmapsGiveNothing) {
    ResetAtDepth(32);
    CBitmap bitmap;
    MakeScreenBitmap(bitmap, 2, 2, {});
    EXPECT_EQ(WindowCapture().BitmapToDib(bitmap, BI_BITFIELDS, nullptr), nullptr);
    CBitmap none;
    EXPECT_EQ(WindowCapture().BitmapToDib(none, BI_RGB, nullptr), nullptr);
}

} // namespace
