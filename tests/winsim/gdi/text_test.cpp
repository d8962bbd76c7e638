#include "gdi_fixture.h"

#include <cstring>

namespace {

HFONT MakeFont(const char* face, LONG height, LONG weight = FW_NORMAL, BYTE underline = 0) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline;
    std::strcpy(lf.lfFaceName, face);
    return CreateFontIndirectA(&lf);
}

struct TextCanvas : Canvas {
    TextCanvas(int w, int h, HFONT f) : Canvas(w, h), font(f) {
        Fill(RGB(255, 255, 255));
        oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() {
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    // The box around every pixel that is not white; empty when there is none.
    RECT Ink(int w, int h) {
        RECT r{w, h, 0, 0};
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
            }
        }
        return r;
    }
    HFONT font;
    HGDIOBJ oldFont;
};

TEST(Fonts, MetricsAreConsistentAndTheSameForEveryMappedFace) {
    winsim::ResetDesktop();
    TEXTMETRICA tahoma{}, shell{};
    {
        TextCanvas c(4, 4, MakeFont("Tahoma", -11));
        ASSERT_TRUE(GetTextMetricsA(c.dc, &tahoma));
    }
    {
        TextCanvas c(4, 4, MakeFont("MS Shell Dlg", -11));
        ASSERT_TRUE(GetTextMetricsA(c.dc, &shell));
    }
    EXPECT_EQ(std::memcmp(&tahoma, &shell, sizeof(tahoma)), 0);
    EXPECT_EQ(tahoma.tmHeight, tahoma.tmAscent + tahoma.tmDescent);
    EXPECT_EQ(tahoma.tmInternalLeading, tahoma.tmHeight - 11);
    EXPECT_GT(tahoma.tmAveCharWidth, 3);
    EXPECT_LT(tahoma.tmAveCharWidth, 9);
    EXPECT_EQ(tahoma.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
    // A positive height asks for the cell height.
    TextCanvas cell(4, 4, MakeFont("Tahoma", 20));
    TEXTMETRICA tm{};
    GetTextMetricsA(cell.dc, &tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);
}

TEST(Fonts, ExtentsAddUpAndBoldIsWider) {
    winsim::ResetDesktop();
    SIZE a{}, b{}, ab{}, empty{}, bold{};
    {
        TextCanvas c(4, 4, MakeFont("Tahoma", -11));
        GetTextExtentPoint32A(c.dc, "Copier", 6, &a);
        GetTextExtentPoint32A(c.dc, " tout", 5, &b);
        GetTextExtentPoint32A(c.dc, "Copier tout", 11, &ab);
        GetTextExtentPoint32W(c.dc, u"", 0, &empty);
        SIZE wide{};
        GetTextExtentPoint32W(c.dc, u"Copier", 6, &wide);
        EXPECT_EQ(wide.cx, a.cx);
    }
    {
        TextCanvas c(4, 4, MakeFont("Tahoma", -11, FW_BOLD));
        GetTextExtentPoint32A(c.dc, "Copier", 6, &bold);
    }
    EXPECT_GT(a.cx, 20);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, a.cy);
    EXPECT_GT(bold.cx, a.cx);
}

TEST(DrawText, CalcRectMeasuresWithoutDrawingAndDropsPrefixes) {
    winsim::ResetDesktop();
    TextCanvas c(100, 40, MakeFont("Tahoma", -11));
    SIZE plain{};
    GetTextExtentPoint32A(c.dc, "Fichier", 7, &plain);
    RECT r{5, 5, 6, 6};
    const int h = DrawTextA(c.dc, "&Fichier", -1, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.right - r.left, plain.cx);
    EXPECT_EQ(r.bottom - r.top, plain.cy);
    EXPECT_EQ(h, plain.cy);
    EXPECT_EQ(c.Ink(100, 40).right, 0) << "nothing drawn";
    RECT two{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(c.dc, "a\nb", -1, &two, DT_CALCRECT), 2 * plain.cy);
}

TEST(DrawText, PrefixUnderlinesTheNextCharacter) {
    winsim::ResetDesktop();
    RECT withPrefix, without;
    {
        TextCanvas c(80, 30, MakeFont("Tahoma", -11));
        RECT r{2, 2, 80, 30};
        DrawTextA(c.dc, "&Fichier", -1, &r, DT_SINGLELINE);
        withPrefix = c.Ink(80, 30);
    }
    {
        TextCanvas c(80, 30, MakeFont("Tahoma", -11));
        RECT r{2, 2, 80, 30};
        DrawTextA(c.dc, "Fichier", -1, &r, DT_SINGLELINE);
        without = c.Ink(80, 30);
    }
    EXPECT_LE(withPrefix.left, without.left);
    EXPECT_EQ(withPrefix.right, without.right) << "the & takes no room";
    EXPECT_GT(withPrefix.bottom, without.bottom) << "the underline lies below the baseline";
}

TEST(DrawText, RightAlignedAndVerticallyCentred) {
    winsim::ResetDesktop();
    TextCanvas c(120, 40, MakeFont("Tahoma", -11));
    RECT r{0, 0, 100, 40};
    const int h = DrawTextA(c.dc, "[Esc]", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    const RECT ink = c.Ink(120, 40);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.right, 97);
    EXPECT_GT(ink.top, 10);
    EXPECT_LT(ink.bottom, 30);
    TEXTMETRICA tm{};
    GetTextMetricsA(c.dc, &tm);
    EXPECT_EQ(h, (40 - tm.tmHeight) / 2 + tm.tmHeight);
}

TEST(DrawText, WordBreakWrapsAtSpacesAndClipsToTheRectangle) {
    winsim::ResetDesktop();
    TextCanvas c(200, 100, MakeFont("Tahoma", -11));
    SIZE one{};
    GetTextExtentPoint32A(c.dc, "Copier tout", 11, &one);
    RECT r{0, 0, one.cx + 2, 0};
    const int h = DrawTextA(c.dc, "Copier tout le dialogue", -1, &r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 2 * one.cy);
    RECT clip{0, 0, 20, 100};
    DrawTextA(c.dc, "Copier tout le dialogue", -1, &clip, DT_SINGLELINE);
    EXPECT_LE(c.Ink(200, 100).right, 20);
}

TEST(TextOut, OpaqueModeFillsTheCellAndTextColourIsExactOnPaletteDisplays) {
    winsim::DesktopConfig config;
    config.displayBits = 8;
    winsim::ResetDesktop(config);
    TextCanvas c(60, 30, MakeFont("Tahoma", -11));
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetTextColor(c.dc, RGB(255, 0, 0));
    EXPECT_TRUE(TextOutW(c.dc, 0, 0, u"Wi", 2));
    SIZE s{};
    GetTextExtentPoint32W(c.dc, u"Wi", 2, &s);
    EXPECT_EQ(GetPixel(c.dc, s.cx - 1, s.cy - 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, s.cx, 0), RGB(255, 255, 255));
    int red = 0;
    for (int y = 0; y < s.cy; ++y) {
        for (int x = 0; x < s.cx; ++x) {
            const COLORREF p = GetPixel(c.dc, x, y);
            EXPECT_TRUE(p == RGB(255, 0, 0) || p == RGB(0, 0, 255));
            red += p == RGB(255, 0, 0);
        }
    }
    EXPECT_GT(red, 10);
}

TEST(TextOut, BaselineAlignmentPutsTheBaselineOnY) {
    winsim::ResetDesktop();
    TextCanvas c(60, 40, MakeFont("Tahoma", -11));
    SetTextAlign(c.dc, TA_BASELINE);
    TextOutA(c.dc, 2, 20, "H", 1);
    const RECT ink = c.Ink(60, 40);
    EXPECT_EQ(ink.bottom, 20) << "H sits on the baseline";
    EXPECT_FALSE(TextOutA(c.dc, 0, 0, nullptr, 2));
}

} // namespace

namespace {

TEST(DrawText, NoPrefixDrawsTheAmpersandAndMeasuresIt) {
    winsim::ResetDesktop();
    TextCanvas c(100, 30, MakeFont("Tahoma", -11));
    SIZE withAmp{};
    GetTextExtentPoint32A(c.dc, "A&B", 3, &withAmp);
    RECT r{0, 0, 100, 30};
    DrawTextA(c.dc, "A&B", -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(r.right, withAmp.cx);
    RECT lines{0, 0, 100, 30};
    EXPECT_EQ(DrawTextA(c.dc, "A&B\r\nC", -1, &lines, DT_NOPREFIX | DT_CALCRECT), 2 * withAmp.cy);
}

} // namespace
