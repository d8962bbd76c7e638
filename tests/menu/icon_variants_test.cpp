#include "menu/ColorBlend.h"
#include "menu/IconVariants.h"

#include "icon_canvas.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

using menu_test::Canvas;

const COLORREF kLightGrey = RGB(192, 192, 192);

class IconVariants : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        winsim::DesktopConfig config;
        config.displayBits = GetParam();
        winsim::ResetDesktop(config);
        face = GetSysColor(COLOR_BTNFACE);
        shadow = GetSysColor(COLOR_BTNSHADOW);
    }
    COLORREF face = 0;
    COLORREF shadow = 0;
};

TEST_P(IconVariants, ReplaceBackgroundTurnsOnlyLightGreyIntoButtonFace) {
    Canvas icon(5, 3);
    icon.Fill(kLightGrey);
    icon.Set(1, 1, RGB(200, 0, 0));
    icon.Set(3, 2, RGB(0, 0, 128));
    const COLORREF red = icon.Get(1, 1);
    const COLORREF blue = icon.Get(3, 2);

    ASSERT_TRUE(ReplaceBackground(icon.Bitmap()));

    const COLORREF faceRendered = icon.Rendered(face);
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 3; ++y) {
            if (x == 1 && y == 1) {
                EXPECT_EQ(red, icon.Get(x, y));
            } else if (x == 3 && y == 2) {
                EXPECT_EQ(blue, icon.Get(x, y));
            } else {
                EXPECT_EQ(faceRendered, icon.Get(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_P(IconVariants, APixelOneStepFromTheBackgroundIsIcon) {
    Canvas icon(3, 3);
    icon.Fill(face);
    // The closest colour the display keeps apart from the button face: one unit at 32 bits, one
    // 5-bit step at 16, the next palette entry at 8.
    COLORREF nearFace = face;
    for (int step = 1; step < 256 && icon.Rendered(nearFace) == icon.Rendered(face); ++step) {
        const int red = GetRValue(face) >= step ? GetRValue(face) - step : GetRValue(face) + step;
        nearFace = RGB(red, GetGValue(face), GetBValue(face));
    }
    icon.Set(2, 1, nearFace);
    const COLORREF nearRendered = icon.Get(2, 1);
    ASSERT_NE(icon.Get(0, 0), nearRendered);
    ASSERT_NE(icon.Rendered(face), icon.Rendered(shadow));

    ASSERT_TRUE(MakeShadowImage(icon.Bitmap()));

    EXPECT_EQ(icon.Rendered(shadow), icon.Get(2, 1));
    EXPECT_EQ(icon.Rendered(face), icon.Get(1, 1));
}

TEST_P(IconVariants, FadedTintsIconPixelsAndKeepsTheBackground) {
    Canvas icon(2, 2);
    icon.Fill(face);
    icon.Set(0, 1, RGB(0, 0, 0));
    icon.Set(1, 0, RGB(100, 50, 200));
    const COLORREF coloured = icon.Get(1, 0);

    ASSERT_TRUE(MakeFadedImage(icon.Bitmap()));

    EXPECT_EQ(icon.Rendered(RGB(76, 76, 76)), icon.Get(0, 1));
    EXPECT_EQ(icon.Rendered(BlendToWhite(coloured, 0.3)), icon.Get(1, 0));
    EXPECT_EQ(icon.Rendered(face), icon.Get(0, 0));
    EXPECT_EQ(icon.Rendered(face), icon.Get(1, 1));
}

TEST_P(IconVariants, DisabledRendersBrightnessFromButtonShadowToWhite) {
    Canvas icon(4, 2);
    icon.Fill(face);
    icon.Set(0, 0, RGB(255, 255, 255));
    icon.Set(1, 0, RGB(0, 0, 0));
    icon.Set(2, 0, RGB(128, 64, 255));
    COLORREF expected[3];
    for (int x = 0; x < 3; ++x) {
        const COLORREF read = icon.Get(x, 0);
        const int brightness = (GetRValue(read) + GetGValue(read) + GetBValue(read)) / 3;
        expected[x] = icon.Rendered(BlendToWhite(shadow, brightness / 255.0));
    }
    if (icon.Get(0, 0) == RGB(255, 255, 255)) {
        EXPECT_EQ(icon.Rendered(RGB(255, 255, 255)), expected[0]);
    }
    EXPECT_EQ(icon.Rendered(shadow), expected[1]);

    ASSERT_TRUE(MakeDisabledImage(icon.Bitmap(), RGB(10, 200, 30)));

    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(expected[x], icon.Get(x, 0)) << x;
    }
    EXPECT_EQ(icon.Rendered(RGB(10, 200, 30)), icon.Get(3, 0));
    EXPECT_EQ(icon.Rendered(RGB(10, 200, 30)), icon.Get(3, 1));
}

TEST_P(IconVariants, DisabledWithBlackBackgroundKeepsTheButtonFace) {
    Canvas icon(2, 2);
    icon.Fill(face);
    icon.Set(0, 0, RGB(0, 0, 0));

    ASSERT_TRUE(MakeDisabledImage(icon.Bitmap(), 0));

    EXPECT_EQ(icon.Rendered(shadow), icon.Get(0, 0));
    EXPECT_EQ(icon.Rendered(face), icon.Get(1, 0));
    EXPECT_EQ(icon.Rendered(face), icon.Get(1, 1));
}

TEST_P(IconVariants, ASinglePixelColumnStillFindsItsBackground) {
    Canvas icon(1, 3);
    icon.Fill(face);
    icon.Set(0, 2, RGB(0, 0, 0));

    ASSERT_TRUE(MakeShadowImage(icon.Bitmap()));

    EXPECT_EQ(icon.Rendered(face), icon.Get(0, 0));
    EXPECT_EQ(icon.Rendered(face), icon.Get(0, 1));
    EXPECT_EQ(icon.Rendered(shadow), icon.Get(0, 2));
}

TEST_P(IconVariants, ABitmapThatCannotBeSelectedIsRefusedUnchanged) {
    EXPECT_FALSE(ReplaceBackground(NULL));
    EXPECT_FALSE(MakeDisabledImage(NULL, 0));

    Canvas icon(2, 2);
    icon.Fill(RGB(0, 0, 0));
    HBITMAP bitmap = icon.Bitmap();
    HDC other = CreateCompatibleDC(NULL);
    HGDIOBJ replaced = SelectObject(other, bitmap);
    ASSERT_NE(nullptr, replaced);

    EXPECT_FALSE(MakeShadowImage(bitmap));

    SelectObject(other, replaced);
    DeleteDC(other);
    EXPECT_EQ(icon.Get(1, 1), RGB(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, IconVariants, ::testing::Values(8, 16, 32));

} // namespace
