#include "menu/ColorBlend.h"
#include "menu/DisabledIcon.h"

#include "icon_canvas.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

using menu_test::Canvas;

const COLORREF kUntouched = RGB(0, 0, 255);
const COLORREF kMenuBackground = RGB(255, 255, 224);

class DisabledIcon : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        winsim::DesktopConfig config;
        config.displayBits = GetParam();
        winsim::ResetDesktop(config);
    }
};

// The icon's pixels: 'X' black, 'R' red, 'H' the highlight colour, '.' button face. Highlight
// and button face count as empty.
const char* const kIcon[] = {
    ".X...",
    ".XX.H",
    "....X",
    "R....",
};
const int kIconWidth = 5;
const int kIconHeight = 4;

bool IsIconPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= kIconWidth || y >= kIconHeight) {
        return false;
    }
    return kIcon[y][x] == 'X' || kIcon[y][x] == 'R';
}

void PaintIcon(Canvas& icon) {
    for (int y = 0; y < kIconHeight; ++y) {
        for (int x = 0; x < kIconWidth; ++x) {
            COLORREF colour = GetSysColor(COLOR_BTNFACE);
            switch (kIcon[y][x]) {
            case 'X':
                colour = RGB(0, 0, 0);
                break;
            case 'R':
                colour = RGB(255, 0, 0);
                break;
            case 'H':
                colour = GetSysColor(COLOR_BTNHIGHLIGHT);
                break;
            default:
                break;
            }
            icon.Set(x, y, colour);
        }
    }
}

TEST_P(DisabledIcon, EmbossedIsAShadowSilhouetteWithAHighlightEdgeRightAndDown) {
    Canvas icon(kIconWidth, kIconHeight);
    PaintIcon(icon);
    Canvas target(12, 10);
    target.Fill(kUntouched);
    const int left = 3;
    const int top = 2;

    ASSERT_TRUE(DrawEmbossed(target.Dc(), left, top, kIconWidth, kIconHeight, icon.Bitmap(),
                             kMenuBackground));

    const COLORREF shadow = target.Rendered(GetSysColor(COLOR_BTNSHADOW));
    const COLORREF highlight = target.Rendered(GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF background = target.Rendered(kMenuBackground);
    const COLORREF untouched = target.Rendered(kUntouched);
    for (int ty = 0; ty < target.Height(); ++ty) {
        for (int tx = 0; tx < target.Width(); ++tx) {
            const int x = tx - left;
            const int y = ty - top;
            COLORREF expected = untouched;
            if (x >= 0 && y >= 0 && x < kIconWidth && y < kIconHeight) {
                expected = IsIconPixel(x, y)           ? shadow
                           : IsIconPixel(x - 1, y - 1) ? highlight
                                                       : background;
            } else if ((x == kIconWidth && y >= 1 && y <= kIconHeight) ||
                       (y == kIconHeight && x >= 1 && x <= kIconWidth)) {
                // The first copy, one pixel right and down, shows past the final rectangle.
                expected = IsIconPixel(x - 1, y - 1) ? highlight : background;
            }
            EXPECT_EQ(expected, target.Get(tx, ty)) << "at " << tx << "," << ty;
        }
    }
}

TEST_P(DisabledIcon, GreyedCopiesTheDisabledVariantToItsPlace) {
    Canvas icon(3, 2);
    icon.Fill(GetSysColor(COLOR_BTNFACE));
    icon.Set(0, 0, RGB(0, 0, 0));
    icon.Set(2, 1, RGB(255, 255, 255));
    const COLORREF white = icon.Get(2, 1);
    const int brightness = (GetRValue(white) + GetGValue(white) + GetBValue(white)) / 3;
    Canvas target(6, 4);
    target.Fill(kUntouched);

    ASSERT_TRUE(DrawGreyed(target.Dc(), 2, 1, 3, 2, icon.Bitmap(), kMenuBackground));

    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(target.Rendered(shadow), target.Get(2, 1));
    EXPECT_EQ(target.Rendered(BlendToWhite(shadow, brightness / 255.0)), target.Get(4, 2));
    EXPECT_EQ(target.Rendered(kMenuBackground), target.Get(3, 1));
    EXPECT_EQ(target.Rendered(kMenuBackground), target.Get(2, 2));
    EXPECT_EQ(target.Rendered(kUntouched), target.Get(1, 1));
    EXPECT_EQ(target.Rendered(kUntouched), target.Get(5, 2));
    EXPECT_EQ(target.Rendered(kUntouched), target.Get(2, 3));
    // The bitmap itself now holds the disabled variant.
    EXPECT_EQ(target.Get(2, 1), icon.Get(0, 0));
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, DisabledIcon, ::testing::Values(8, 16, 32));

} // namespace
