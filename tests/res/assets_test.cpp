// The binary resources read back: toolbar 150 and its bitmap, the page backgrounds, icon 128,
// the capture sound WAVE 137 and the manifest.
#include "template_readers.h"

#include <res/resource.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

constexpr uint32_t kLightGrey = 0xC0C0C0;

class Assets : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(Assets, EntryToolbarNamesFiveButtonsWhoseImagesAreInBitmap150) {
    auto data = restest::ResourceData(MAKEINTRESOURCEA(IDR_TOOLBAR_ENTRY), RT_TOOLBAR);
    ASSERT_TRUE(data);
    auto toolbar = restest::ParseToolbar(*data);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->version, 1);
    EXPECT_EQ(toolbar->width, 16);
    EXPECT_EQ(toolbar->height, 15);
    EXPECT_EQ(toolbar->buttons, (std::vector<uint16_t>{130, 131, 132, 138, 139}));

    auto bits = restest::ResourceData(MAKEINTRESOURCEA(IDR_TOOLBAR_ENTRY), RT_BITMAP);
    ASSERT_TRUE(bits);
    auto dib = restest::ParseDib(*bits);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->width, 80);
    EXPECT_EQ(dib->height, 15);
    EXPECT_EQ(dib->planes, 1);
    EXPECT_EQ(dib->bitCount, 24);
    EXPECT_EQ(dib->compression, 0u);

    // Each 16 x 15 cell: light grey around an icon of its own that covers a fair part of it.
    std::set<std::vector<uint32_t>> distinct;
    for (int cell = 0; cell < 5; ++cell) {
        SCOPED_TRACE("image " + std::to_string(cell));
        std::vector<uint32_t> pixels;
        int drawn = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                const uint32_t pixel = dib->Pixel24(cell * 16 + x, y);
                pixels.push_back(pixel);
                drawn += pixel != kLightGrey;
            }
        }
        EXPECT_GT(drawn, 40);
        EXPECT_LT(drawn, 16 * 15);
        distinct.insert(pixels);
    }
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(dib->Pixel24(0, 14), kLightGrey) << "background in the bottom left corner";
}

TEST_F(Assets, PageBackgroundsAreQuietLightBitmaps) {
    for (const char* name : {"BACKGROUND", "DLGBKG"}) {
        SCOPED_TRACE(name);
        auto bits = restest::ResourceData(name, RT_BITMAP);
        ASSERT_TRUE(bits);
        auto dib = restest::ParseDib(*bits);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->bitCount, 24);
        ASSERT_GT(dib->width, 0);
        ASSERT_GT(dib->height, 0);
        // Light enough for dark 8 pt text on top: every channel of every pixel above 220.
        for (int y = 0; y < dib->height; ++y) {
            for (int x = 0; x < dib->width; ++x) {
                const uint32_t p = dib->Pixel24(x, y);
                ASSERT_GT(std::min({p >> 16, (p >> 8) & 0xFF, p & 0xFF}), 220u) << x << "," << y;
            }
        }
    }
}

TEST_F(Assets, ApplicationIconHas16And32PixelImages) {
    auto group = restest::ResourceData(MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_TRUE(group);
    auto entries = restest::ParseIconGroup(*group);
    ASSERT_TRUE(entries);
    std::set<int> sizes;
    for (const auto& entry : *entries) {
        SCOPED_TRACE("icon of " + std::to_string(entry.width));
        EXPECT_EQ(entry.width, entry.height);
        sizes.insert(entry.width);
        auto image = restest::ResourceData(MAKEINTRESOURCEA(entry.iconId), RT_ICON);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->size(), entry.bytes);
        auto dib = restest::ParseDib(*image, /*iconImage=*/true);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->width, entry.width);
        EXPECT_EQ(dib->height, 2 * entry.width) << "colour image and AND mask";
        EXPECT_EQ(dib->bitCount, entry.bitCount);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST_F(Assets, CaptureSoundIsAboutOneSecondOfStereo16BitPcmAt44100) {
    auto data = restest::ResourceData(MAKEINTRESOURCEA(IDR_WAVE_CAPTURE), "WAVE");
    ASSERT_TRUE(data);
    auto wave = restest::ParseWave(*data);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->formatTag, 1) << "PCM";
    EXPECT_EQ(wave->channels, 2);
    EXPECT_EQ(wave->samplesPerSec, 44100u);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_EQ(wave->blockAlign, 4);
    EXPECT_EQ(wave->avgBytesPerSec, 44100u * 4);
    const double seconds = wave->samples.size() / 2.0 / 44100.0;
    EXPECT_GE(seconds, 0.8);
    EXPECT_LE(seconds, 1.2);

    // Audible, not clipped, and fading to silence at the end so it does not click.
    int peak = 0;
    for (int16_t s : wave->samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32000);
    EXPECT_LT(std::abs(static_cast<int>(wave->samples.back())), 200);
}

TEST_F(Assets, ManifestAsksForCommonControls6OnX86) {
    auto data = restest::ResourceData(MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(data);
    const std::string manifest(data->begin(), data->end());
    const size_t dependency = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(dependency, std::string::npos);
    const size_t end = manifest.find("/>", dependency);
    const std::string identity = manifest.substr(dependency, end - dependency);
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("processorArchitecture=\"X86\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
}

} // namespace
