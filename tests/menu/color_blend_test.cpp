#include "menu/ColorBlend.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const COLORREF kSample = RGB(10, 128, 250);

TEST(ColorBlend, FactorsOutsideTheUnitIntervalLeaveTheColourUnchanged) {
    for (double factor : {0.0, -0.5, -1.0, 1.0000001, 2.0, std::nan("")}) {
        EXPECT_EQ(BlendToWhite(kSample, factor), kSample) << factor;
        EXPECT_EQ(BlendToBlack(kSample, factor), kSample) << factor;
    }
}

TEST(ColorBlend, FactorOneGivesWhiteOrBlack) {
    EXPECT_EQ(BlendToWhite(kSample, 1.0), RGB(255, 255, 255));
    EXPECT_EQ(BlendToWhite(RGB(0, 0, 0), 1.0), RGB(255, 255, 255));
    EXPECT_EQ(BlendToBlack(kSample, 1.0), RGB(0, 0, 0));
    EXPECT_EQ(BlendToBlack(RGB(255, 255, 255), 1.0), RGB(0, 0, 0));
}

TEST(ColorBlend, ChannelsAreTruncatedTowardZero) {
    // 0 + 0.3 * 255 = 76.5 and 255 - 0.02 * 255 = 249.9.
    EXPECT_EQ(BlendToWhite(RGB(0, 0, 0), 0.3), RGB(76, 76, 76));
    EXPECT_EQ(BlendToBlack(RGB(255, 255, 255), 0.02), RGB(249, 249, 249));
}

TEST(ColorBlend, EachChannelIsBlendedOnItsOwn) {
    // Red 10 + 0.5 * 245 = 132.5, green 128 + 0.5 * 127 = 191.5, blue 250 + 0.5 * 5 = 252.5.
    EXPECT_EQ(BlendToWhite(kSample, 0.5), RGB(132, 191, 252));
    // Red 10 - 5 = 5, green 128 - 64 = 64, blue 250 - 125 = 125.
    EXPECT_EQ(BlendToBlack(kSample, 0.5), RGB(5, 64, 125));
}

} // namespace
