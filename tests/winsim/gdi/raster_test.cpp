#include "gdi_fixture.h"

namespace {

class AtEveryDepth : public testing::TestWithParam<Depth> {
protected:
    void SetUp() override { ResetAtDepth(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Depths, AtEveryDepth, testing::ValuesIn(kAllDepths), DepthName);

// The colour white reads back as at each depth: 16-bit channels keep their low bits clear.
COLORREF WhiteAsRendered(const Depth& d) {
    if (d.bits == 16) {
        return d.is565 ? RGB(248, 252, 248) : RGB(248, 248, 248);
    }
    return RGB(255, 255, 255);
}

TEST_P(AtEveryDepth, BlackAndWhiteReadBackAsTheDisplayRendersThem) {
    Canvas c(4, 4);
    EXPECT_EQ(SetPixel(c.dc, 1, 1, RGB(255, 255, 255)), WhiteAsRendered(GetParam()));
    EXPECT_EQ(GetPixel(c.dc, 1, 1), WhiteAsRendered(GetParam()));
    EXPECT_EQ(SetPixel(c.dc, 2, 1, RGB(0, 0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc, -1, 0), CLR_INVALID);
}

TEST_P(AtEveryDepth, ReferenceFillMatchesPixelsDrawnInTheSameColour) {
    // The background test of the menu icon effects: a scratch bitmap filled with the reference
    // colour, pixel (1, 1) read back, compared with pixels of an image drawn in that colour.
    const COLORREF face = RGB(212, 208, 200);
    Canvas scratch(16, 15);
    scratch.Fill(face);
    const COLORREF reference = GetPixel(scratch.dc, 1, 1);
    Canvas image(16, 15);
    image.Fill(RGB(0, 0, 0));
    SetPixel(image.dc, 3, 4, face);
    EXPECT_EQ(GetPixel(image.dc, 3, 4), reference);
    EXPECT_NE(GetPixel(image.dc, 0, 0), reference);
}

TEST_P(AtEveryDepth, WhitenessBlacknessAndDestinationInvert) {
    Canvas c(8, 8);
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, WHITENESS));
    EXPECT_EQ(GetPixel(c.dc, 7, 7), WhiteAsRendered(GetParam()));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 4, 8, BLACKNESS));
    EXPECT_EQ(GetPixel(c.dc, 3, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 4, 0), WhiteAsRendered(GetParam()));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 1, DSTINVERT));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), WhiteAsRendered(GetParam()));
    EXPECT_EQ(GetPixel(c.dc, 7, 0), RGB(0, 0, 0));
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 8, 8, SRCCOPY)); // needs a source
}

TEST_P(AtEveryDepth, EmbossedDrawingGivesShadowSilhouetteWithHighlightEdge) {
    // A disabled icon drawn the classic way: mask by background colour, then DSPDxax blits.
    const COLORREF face = RGB(192, 192, 192), shadow = RGB(128, 128, 128),
                   highlight = RGB(255, 255, 255);
    Canvas icon(6, 6);
    icon.Fill(face);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    RECT square{2, 2, 4, 4};
    FillRect(icon.dc, &square, black);
    DeleteObject(black);

    HDC maskDc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(6, 6, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    PatBlt(maskDc, 0, 0, 6, 6, WHITENESS);
    SetBkColor(icon.dc, face);
    BitBlt(maskDc, 0, 0, 6, 6, icon.dc, 0, 0, SRCCOPY);
    SetBkColor(icon.dc, highlight);
    BitBlt(maskDc, 0, 0, 6, 6, icon.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(GetPixel(maskDc, 2, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(maskDc, 0, 0), RGB(255, 255, 255));

    icon.Fill(face);
    SetBkColor(icon.dc, RGB(0, 0, 0));
    SetTextColor(icon.dc, RGB(255, 255, 255));
    HBRUSH hi = CreateSolidBrush(highlight), sh = CreateSolidBrush(shadow);
    HGDIOBJ oldBrush = SelectObject(icon.dc, hi);
    BitBlt(icon.dc, 1, 1, 6, 6, maskDc, 0, 0, 0x00E20746);
    SelectObject(icon.dc, sh);
    BitBlt(icon.dc, 0, 0, 6, 6, maskDc, 0, 0, 0x00E20746);

    Canvas expected(1, 1);
    auto rendered = [&](COLORREF c) { return SetPixel(expected.dc, 0, 0, c); };
    EXPECT_EQ(GetPixel(icon.dc, 2, 2), rendered(shadow));
    EXPECT_EQ(GetPixel(icon.dc, 3, 3), rendered(shadow));
    EXPECT_EQ(GetPixel(icon.dc, 4, 4), rendered(highlight));
    EXPECT_EQ(GetPixel(icon.dc, 4, 3), rendered(highlight));
    EXPECT_EQ(GetPixel(icon.dc, 4, 2), rendered(face));
    EXPECT_EQ(GetPixel(icon.dc, 1, 1), rendered(face));
    EXPECT_EQ(GetPixel(icon.dc, 5, 5), rendered(face));

    SelectObject(icon.dc, oldBrush);
    DeleteObject(hi);
    DeleteObject(sh);
    SelectObject(maskDc, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
}

TEST_P(AtEveryDepth, CompatibleBitmapOfAFreshMemoryDcIsMonochrome) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(dc, 5, 3);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(mono, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
    GetObjectA(colour, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, GetParam().bits);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), GetParam().bits);
    EXPECT_EQ((GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0, GetParam().bits == 8);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    DeleteObject(mono);
    DeleteObject(colour);
    DeleteDC(dc);
}

TEST(Rop3, EveryOperationFollowsItsTruthTableBitByBit) {
    winsim::ResetDesktop();
    // Monochrome pixels: the eight combinations of pattern, source and destination lie side
    // by side, so the result row spells the operation's index byte.
    HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
    HBITMAP sb = CreateBitmap(8, 1, 1, 1, nullptr), db = CreateBitmap(8, 1, 1, 1, nullptr);
    SelectObject(src, sb);
    SelectObject(dst, db);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int code = 0; code < 256; ++code) {
        const DWORD rop = static_cast<DWORD>(code) << 16;
        for (int i = 0; i < 8; ++i) {
            SetPixel(src, i, 0, (i & 2) ? RGB(255, 255, 255) : RGB(0, 0, 0));
            SetPixel(dst, i, 0, (i & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0));
        }
        for (int i = 0; i < 8; ++i) {
            SelectObject(dst, (i & 4) ? white : black);
            BitBlt(dst, i, 0, 1, 1, src, i, 0, rop);
        }
        for (int i = 0; i < 8; ++i) {
            const bool expected = (code >> i) & 1;
            ASSERT_EQ(GetPixel(dst, i, 0), expected ? RGB(255, 255, 255) : RGB(0, 0, 0))
                << "rop " << code << " combination " << i;
        }
    }
    DeleteDC(src);
    DeleteDC(dst);
    DeleteObject(sb);
    DeleteObject(db);
}

TEST(Rop3, TrueColourOperationsCombineTheChannelBits) {
    winsim::ResetDesktop();
    Canvas s(1, 1), d(1, 1);
    const COLORREF sc = RGB(0xF0, 0x0F, 0x33), dc = RGB(0x3C, 0x55, 0xA5),
                   pc = RGB(0x0F, 0xFF, 0x99);
    auto run = [&](DWORD rop) {
        SetPixel(s.dc, 0, 0, sc);
        SetPixel(d.dc, 0, 0, dc);
        HBRUSH b = CreateSolidBrush(pc);
        HGDIOBJ old = SelectObject(d.dc, b);
        BitBlt(d.dc, 0, 0, 1, 1, s.dc, 0, 0, rop);
        SelectObject(d.dc, old);
        DeleteObject(b);
        return GetPixel(d.dc, 0, 0);
    };
    EXPECT_EQ(run(SRCPAINT), sc | dc);
    EXPECT_EQ(run(SRCAND), sc & dc);
    EXPECT_EQ(run(SRCINVERT), sc ^ dc);
    EXPECT_EQ(run(NOTSRCCOPY), ~sc & 0xFFFFFF);
    EXPECT_EQ(run(MERGECOPY), sc & pc);
    EXPECT_EQ(run(PATINVERT), pc ^ dc);
    EXPECT_EQ(run(0x00E20746), dc ^ (sc & (pc ^ dc)));
}

TEST(MonoConversion, ColourToMonoByBackgroundAndBackByTextAndBackgroundColours) {
    winsim::ResetDesktop();
    Canvas colour(3, 1);
    SetPixel(colour.dc, 0, 0, RGB(10, 20, 30));
    SetPixel(colour.dc, 1, 0, RGB(255, 255, 255));
    SetPixel(colour.dc, 2, 0, RGB(10, 20, 31));
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP mb = CreateCompatibleBitmap(mono, 3, 1);
    SelectObject(mono, mb);
    SetBkColor(colour.dc, RGB(10, 20, 30));
    BitBlt(mono, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(255, 255, 255)); // equals the background: white
    EXPECT_EQ(GetPixel(mono, 1, 0), RGB(0, 0, 0));       // white but not the background
    EXPECT_EQ(GetPixel(mono, 2, 0), RGB(0, 0, 0));       // one step away: not background

    SetTextColor(colour.dc, RGB(200, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 200));
    BitBlt(colour.dc, 0, 0, 3, 1, mono, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(colour.dc, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(colour.dc, 1, 0), RGB(200, 0, 0));
    DeleteDC(mono);
    DeleteObject(mb);
}

TEST(PaletteDisplay, PlainColoursMapToTheStaticColoursAndPaletteColoursToTheRealisedPalette) {
    winsim::DesktopConfig config;
    config.displayBits = 8;
    winsim::ResetDesktop(config);
    Canvas c(2, 1);
    EXPECT_EQ(SetPixel(c.dc, 0, 0, RGB(250, 5, 5)), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(c.dc, 0, 0, RGB(128, 128, 128)), RGB(128, 128, 128));

    LOGPALETTE pal{0x300, 1, {{10, 200, 90, 0}}};
    HPALETTE hpal = CreatePalette(&pal);
    HDC screen = GetDC(nullptr);
    HPALETTE previous = SelectPalette(screen, hpal, FALSE);
    EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(screen), 1u);
    PALETTEENTRY sys[256];
    ASSERT_EQ(GetSystemPaletteEntries(screen, 0, 256, sys), 256u);
    EXPECT_EQ(sys[10].peRed, 10);
    EXPECT_EQ(sys[10].peGreen, 200);
    EXPECT_EQ(sys[255].peRed, 255);
    EXPECT_EQ(SetPixel(screen, 0, 0, PALETTEINDEX(0)), RGB(10, 200, 90));
    EXPECT_EQ(SetPixel(screen, 0, 0, PALETTERGB(12, 199, 88)), RGB(10, 200, 90));
    EXPECT_EQ(SetPixel(screen, 0, 0, RGB(12, 199, 88)), RGB(0, 128, 128)) << "static colours only";
    SelectPalette(screen, previous, FALSE);
    ReleaseDC(nullptr, screen);
    DeleteObject(hpal);
}

TEST(PaletteDisplay, TrueColourDisplaysHaveNoSystemPalette) {
    winsim::ResetDesktop();
    HDC screen = GetDC(nullptr);
    PALETTEENTRY e[4];
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 4, e), 0u);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
    ReleaseDC(nullptr, screen);
}

TEST(Blits, OverlappingMoveWithinOneBitmapReadsTheOriginalPixels) {
    winsim::ResetDesktop();
    Canvas c(6, 1);
    for (int x = 0; x < 6; ++x) {
        SetPixel(c.dc, x, 0, RGB(x * 10, 0, 0));
    }
    BitBlt(c.dc, 1, 0, 5, 1, c.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x) {
        EXPECT_EQ(GetPixel(c.dc, x, 0), RGB((x - 1) * 10, 0, 0));
    }
}

TEST(Blits, StretchDoublesMirrorsAndHalftoneAverages) {
    winsim::ResetDesktop();
    Canvas src(2, 1), dst(4, 2);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 0, 255));
    StretchBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc, 2, 0), RGB(0, 0, 255));
    StretchBlt(dst.dc, 3, 0, -4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dst.dc, 3, 0), RGB(255, 0, 0));
    SetStretchBltMode(dst.dc, HALFTONE);
    StretchBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(128, 0, 128));
}

TEST(Objects, SelectionRulesAndDeletion) {
    winsim::ResetDesktop();
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(2, 2, 1, 1, nullptr);
    HGDIOBJ first = SelectObject(a, bmp);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(SelectObject(b, bmp), nullptr) << "a bitmap lives in one DC at a time";
    EXPECT_FALSE(DeleteObject(bmp)) << "selected bitmaps cannot be deleted";
    SelectObject(a, first);
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_EQ(GetObjectType(bmp), 0u);

    HDC screen = GetDC(nullptr);
    HBITMAP other = CreateBitmap(2, 2, 1, 24, nullptr);
    EXPECT_EQ(SelectObject(a, other), nullptr) << "colour DDBs must match the display (32)";
    EXPECT_EQ(SelectObject(screen, first), nullptr) << "bitmaps go into memory DCs only";
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(a), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
    LOGBRUSH lb{};
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GetObjectA(brush, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectA(brush, 0, nullptr), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(CreateBitmap(2, 2, 1, 2, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(16384, 16384, 1, 32, nullptr), nullptr) << "1 GB of pixels";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(BitBlt(reinterpret_cast<HDC>(brush), 0, 0, 1, 1, a, 0, 0, SRCCOPY), FALSE);
    DeleteObject(brush);
    DeleteObject(other);
    ReleaseDC(nullptr, screen);
    DeleteDC(a);
    DeleteDC(b);
}

TEST(Objects, SaveAndRestoreBringBackColoursOriginsAndClipping) {
    winsim::ResetDesktop();
    Canvas c(10, 10);
    SetTextColor(c.dc, RGB(1, 1, 1));
    const int level = SaveDC(c.dc);
    EXPECT_EQ(level, 1);
    SetTextColor(c.dc, RGB(2, 2, 2));
    SetWindowOrgEx(c.dc, 5, 5, nullptr);
    IntersectClipRect(c.dc, 5, 5, 6, 6);
    EXPECT_EQ(SetPixel(c.dc, 5, 5, RGB(255, 0, 0)), RGB(255, 0, 0)); // device (0, 0)
    EXPECT_EQ(SetPixel(c.dc, 6, 6, RGB(255, 0, 0)), CLR_INVALID);
    EXPECT_TRUE(RestoreDC(c.dc, -1));
    EXPECT_EQ(GetTextColor(c.dc), RGB(1, 1, 1));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(c.dc, 1, 1, RGB(0, 255, 0)), RGB(0, 255, 0));
    EXPECT_FALSE(RestoreDC(c.dc, 1));
}

} // namespace
