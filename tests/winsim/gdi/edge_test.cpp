#include "gdi_fixture.h"

namespace {

COLORREF Sys(int index) {
    return GetSysColor(index);
}

TEST(DrawEdge, EtchedTopLineIsShadowOverHighlight) {
    winsim::ResetDesktop();
    Canvas c(10, 6);
    c.Fill(RGB(1, 2, 3));
    RECT r{0, 2, 10, 6};
    EXPECT_TRUE(DrawEdge(c.dc, &r, EDGE_ETCHED, BF_TOP));
    EXPECT_EQ(GetPixel(c.dc, 0, 2), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 9, 2), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 5, 3), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(c.dc, 5, 4), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(c.dc, 5, 1), RGB(1, 2, 3));
}

TEST(DrawEdge, RaisedRectangleOwnsItsCornersLikeAButton) {
    winsim::ResetDesktop();
    Canvas c(8, 8);
    c.Fill(RGB(1, 2, 3));
    RECT r{0, 0, 8, 8};
    EXPECT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(GetPixel(c.dc, 7, 0), Sys(COLOR_3DDKSHADOW)) << "top-right belongs to the right";
    EXPECT_EQ(GetPixel(c.dc, 0, 7), Sys(COLOR_3DDKSHADOW)) << "bottom-left to the bottom";
    EXPECT_EQ(GetPixel(c.dc, 1, 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(c.dc, 6, 6), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 3, 3), Sys(COLOR_BTNFACE));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 6);
}

TEST(DrawEdge, SunkenOuterBorderAroundACheckBox) {
    winsim::ResetDesktop();
    Canvas c(6, 6);
    c.Fill(RGB(1, 2, 3));
    RECT r{1, 1, 5, 5};
    EXPECT_TRUE(DrawEdge(c.dc, &r, BDR_SUNKENOUTER, BF_RECT));
    EXPECT_EQ(GetPixel(c.dc, 1, 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 4, 4), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(c.dc, 2, 2), RGB(1, 2, 3));
    EXPECT_FALSE(DrawEdge(c.dc, nullptr, EDGE_RAISED, BF_RECT));
}

TEST(SystemColourBrushes, ColourIndexPlusOneFillsInThatSystemColour) {
    winsim::ResetDesktop();
    Canvas c(4, 4);
    RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)), 1);
    EXPECT_EQ(GetPixel(c.dc, 3, 3), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillRect(c.dc, &r, GetSysColorBrush(COLOR_BTNFACE)), 1);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), Sys(COLOR_BTNFACE));
}

TEST(AnsiText, WindowsCodePageCharactersMeasureLikeTheirUnicodeForms) {
    winsim::ResetDesktop();
    Canvas c(4, 4);
    SIZE a{}, w{};
    GetTextExtentPoint32A(c.dc, "Cr\xe9\xe9 \x80", 6, &a);
    GetTextExtentPoint32W(c.dc, u"Cr\u00e9\u00e9 \u20ac", 6, &w);
    EXPECT_EQ(a.cx, w.cx);
}

} // namespace

namespace {

TEST(DrawFrameControl, CheckBoxShowsItsTickOnlyWhenChecked) {
    winsim::ResetDesktop();
    Canvas c(16, 16);
    c.Fill(RGB(1, 2, 3));
    RECT r{0, 0, 16, 16};
    EXPECT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK));
    // 13 pixels square, centred vertically at the left: top at 1.
    EXPECT_EQ(GetPixel(c.dc, 0, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(c.dc, 6, 7), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(c.dc, 14, 7), RGB(1, 2, 3));
    EXPECT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(GetPixel(c.dc, 3 + 2, 1 + 3 + 4), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_FALSE(DrawFrameControl(c.dc, &r, DFC_MENU, 0));
}

TEST(DrawFrameControl, CaptionCloseButtonIsARaisedFaceWithACross) {
    winsim::ResetDesktop();
    Canvas c(16, 14);
    RECT r{0, 0, 16, 14};
    EXPECT_TRUE(DrawFrameControl(c.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(GetPixel(c.dc, 15, 13), GetSysColor(COLOR_3DDKSHADOW));
    int ink = 0;
    for (int y = 2; y < 12; ++y) {
        for (int x = 2; x < 14; ++x) {
            ink += GetPixel(c.dc, x, y) == GetSysColor(COLOR_BTNTEXT);
        }
    }
    EXPECT_GT(ink, 10);
}

} // namespace
