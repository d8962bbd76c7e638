#include "gdi_fixture.h"
#include "tests/support/geometry.h"

#include <winsim/sim_gdi.h>

#include <filesystem>

namespace {

TEST(Shapes, FillAndFrameExcludeTheRightAndBottomEdges) {
    winsim::ResetDesktop();
    Canvas c(10, 10);
    c.Fill(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{2, 2, 5, 5};
    EXPECT_EQ(FillRect(c.dc, &r, red), 1);
    EXPECT_EQ(GetPixel(c.dc, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 5, 4), RGB(255, 255, 255));
    c.Fill(RGB(255, 255, 255));
    EXPECT_EQ(FrameRect(c.dc, &r, red), 1);
    EXPECT_EQ(GetPixel(c.dc, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 4, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(FillRect(c.dc, &r, nullptr), 0);
    DeleteObject(red);
}

TEST(Shapes, LinesLeaveOutTheEndPoint) {
    winsim::ResetDesktop();
    Canvas c(10, 10);
    c.Fill(RGB(255, 255, 255));
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(c.dc, pen);
    MoveToEx(c.dc, 3, 2, nullptr);
    LineTo(c.dc, 3, 5);
    EXPECT_EQ(GetPixel(c.dc, 3, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, 3, 4), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, 3, 5), RGB(255, 255, 255));
    POINT p{};
    MoveToEx(c.dc, 0, 0, &p);
    EXPECT_EQ(p, (POINT{3, 5}));
    SetROP2(c.dc, R2_XORPEN);
    MoveToEx(c.dc, 3, 3, nullptr);
    LineTo(c.dc, 4, 3);
    EXPECT_EQ(GetPixel(c.dc, 3, 3), RGB(0, 0, 0)) << "blue xor blue";
    SelectObject(c.dc, old);
    DeleteObject(pen);
}

TEST(Shapes, RectangleAndEllipseDrawOutlineWithPenAndInsideWithBrush) {
    winsim::ResetDesktop();
    Canvas c(12, 12);
    c.Fill(RGB(255, 255, 255));
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HGDIOBJ oldBrush = SelectObject(c.dc, green);
    Rectangle(c.dc, 1, 1, 5, 5);
    EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 4, 4), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 2, 2), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(c.dc, 5, 5), RGB(255, 255, 255));

    c.Fill(RGB(255, 255, 255));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Ellipse(c.dc, 0, 0, 6, 6);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.dc, 3, 3), RGB(0, 255, 0));
    // Symmetric in both directions.
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(GetPixel(c.dc, x, y), GetPixel(c.dc, 5 - x, y));
            EXPECT_EQ(GetPixel(c.dc, x, y), GetPixel(c.dc, x, 5 - y));
        }
    }
    EXPECT_EQ(GetPixel(c.dc, 6, 3), RGB(255, 255, 255));
    SelectObject(c.dc, oldBrush);
    DeleteObject(green);
}

TEST(Clipping, RectangleRegionsLimitDrawingAndCanBeRemoved) {
    winsim::ResetDesktop();
    Canvas c(10, 10);
    c.Fill(RGB(0, 0, 0));
    HRGN rgn = CreateRectRgn(2, 2, 4, 4);
    EXPECT_EQ(SelectClipRgn(c.dc, rgn), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(c.dc, 3, 0, 10, 10), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.right, 4);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT all{0, 0, 10, 10};
    FillRect(c.dc, &all, white);
    EXPECT_EQ(GetPixel(c.dc, 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.dc, 2, 2), CLR_INVALID) << "outside the clip region";
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(GetPixel(c.dc, 2, 2), RGB(0, 0, 0));
    // The region handle stays the caller's and its later changes do not reach the DC.
    SelectClipRgn(c.dc, rgn);
    SetRectRgn(rgn, 0, 0, 10, 10);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), CLR_INVALID);
    ExcludeClipRect(c.dc, 2, 2, 3, 3);
    EXPECT_EQ(GetPixel(c.dc, 2, 2), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc, 3, 2), RGB(255, 255, 255));
    DeleteObject(rgn);
}

TEST(Clipping, RegionsCombine) {
    winsim::ResetDesktop();
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15),
         out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    RECT box{};
    GetRgnBox(out, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(out, 1, 9));
    EXPECT_FALSE(PtInRegion(out, 6, 6));
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(out, 12, 12));
    EXPECT_FALSE(PtInRegion(out, 7, 7));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(out);
}

TEST(Screen, ScreenDcDrawsOnTheScreenThatScreenshotsShow) {
    winsim::DesktopConfig config;
    config.screenWidth = 64;
    config.screenHeight = 48;
    winsim::ResetDesktop(config);
    EXPECT_EQ(winsim::ScreenWidth(), 64);
    EXPECT_EQ(winsim::ScreenPixel(0, 0), RGB(0, 128, 128)) << "the desktop background";
    HDC screen = GetDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{10, 10, 20, 20};
    FillRect(screen, &r, red);
    EXPECT_EQ(winsim::ScreenPixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(64, 0), CLR_INVALID);
    DeleteObject(red);
    ReleaseDC(nullptr, screen);
    const std::string path = testing::TempDir() + "winsim_screen.png";
    ASSERT_TRUE(winsim::SaveScreenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 50u);
    EXPECT_FALSE(winsim::SaveScreenshot("/nonexistent-dir/x.png"));
}

} // namespace

namespace {

TEST(Brushes, PatternBrushesTileFromTheBrushOriginAndMonoPatternsTakeTheDcColours) {
    winsim::ResetDesktop();
    // A 2 x 1 monochrome pattern: black then white.
    const WORD bits[1] = {0x40};
    HBITMAP tile = CreateBitmap(2, 1, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(tile);
    ASSERT_NE(brush, nullptr);
    DeleteObject(tile); // the brush keeps its own copy
    Canvas c(4, 2);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    RECT r{0, 0, 4, 2};
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, 2, 1), RGB(255, 0, 0));
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 255));
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_PATTERN));
    DeleteObject(brush);
    EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
}

} // namespace

namespace {

TEST(Shapes, FocusRectangleIsDottedAndVanishesWhenDrawnTwice) {
    winsim::ResetDesktop();
    Canvas c(8, 8);
    c.Fill(RGB(255, 255, 255));
    RECT r{1, 1, 7, 7};
    EXPECT_TRUE(DrawFocusRect(c.dc, &r));
    EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 2, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.dc, 3, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 3, 3), RGB(255, 255, 255));
    DrawFocusRect(c.dc, &r);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(GetPixel(c.dc, x, y), RGB(255, 255, 255));
        }
    }
}

} // namespace
