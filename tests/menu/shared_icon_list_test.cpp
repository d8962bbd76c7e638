#include "menu/SharedIconList.h"

#include "menu/ColorBlend.h"
#include "menu/IconToBitmap.h"
#include "icon_canvas.h"
#include "menu_fixture.h"

#include <gtest/gtest.h>

namespace {

using menu_test::Canvas;
using menu_test::DesktopOf;
using menu_test::StartDesktop;

const COLORREF kTransparent = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// Source images: a square of the colour at (4..11, 4..10) on a transparent ground.
class SourceIcons {
public:
    SourceIcons() {
        m_hList = ImageList_Create(kMenuIconWidth, kMenuIconHeight, ILC_MASK | ILC_COLORDDB, 1, 1);
        for (COLORREF colour : {kRed, kBlue}) {
            Canvas picture(kMenuIconWidth, kMenuIconHeight);
            picture.Fill(kTransparent);
            for (int x = 4; x < 12; ++x) {
                for (int y = 4; y < 11; ++y) {
                    picture.Set(x, y, colour);
                }
            }
            ImageList_AddMasked(m_hList, picture.Bitmap(), kTransparent);
        }
    }
    ~SourceIcons() { ImageList_Destroy(m_hList); }
    HIMAGELIST Get() const { return m_hList; }

private:
    HIMAGELIST m_hList = NULL;
};

// Image index of the store drawn on green: its pixel inside the square and one outside.
struct Sample {
    COLORREF inside;
    COLORREF outside;
};
Sample SampleStored(int index) {
    Canvas canvas(kMenuIconWidth, kMenuIconHeight);
    canvas.Fill(kGreen);
    EXPECT_TRUE(ImageList_Draw(SharedIconImages(), index, canvas.Dc(), 0, 0, ILD_TRANSPARENT));
    return Sample{canvas.Get(6, 6), canvas.Get(1, 1)};
}

void SetThemeFile(const char* path) {
    HKEY key = NULL;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, NULL, 0,
                    KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                   static_cast<DWORD>(strlen(path) + 1));
    RegCloseKey(key);
}

class SharedIconListTest : public ::testing::Test {
protected:
    void TearDown() override { ReleaseSharedIcons(); }
};

TEST_F(SharedIconListTest, ClassicStyleHoldsOneImagePerCommandAndReplacesItInPlace) {
    StartDesktop(DesktopOf("2000"));
    SourceIcons source;
    EXPECT_EQ(SharedIconIndex(500), -1);
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 0, 500), 0);
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 1, 501), 1);
    EXPECT_EQ(SharedIconCount(), 2);
    EXPECT_EQ(SharedIconIndex(501), 1);
    EXPECT_FALSE(HasIconVariants(0));
    EXPECT_EQ(SampleStored(0).inside, kRed);
    EXPECT_EQ(SampleStored(0).outside, kGreen);

    // The same command again: same index, no growth, the new image.
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 1, 500), 0);
    EXPECT_EQ(SharedIconCount(), 2);
    EXPECT_EQ(ImageList_GetImageCount(SharedIconImages()), 2);
    EXPECT_EQ(SampleStored(0).inside, kBlue);
}

TEST_F(SharedIconListTest, XPStyleStoresTheIconWithItsFadedShadowAndDisabledVariants) {
    StartDesktop(DesktopOf("xp"));
    SourceIcons source;
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 0, 500), 0);
    EXPECT_EQ(SharedIconCount(), 4);
    EXPECT_EQ(ImageList_GetImageCount(SharedIconImages()), 4);
    EXPECT_TRUE(HasIconVariants(0));
    EXPECT_FALSE(HasIconVariants(2));
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 1, 501), 4);
    EXPECT_EQ(SharedIconCount(), 8);
    EXPECT_FALSE(HasIconVariants(3));
    EXPECT_TRUE(HasIconVariants(4));

    EXPECT_EQ(SampleStored(0).inside, kRed);
    EXPECT_EQ(BlendToWhite(kRed, 0.3), SampleStored(1).inside);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), SampleStored(2).inside);
    // Red is as bright as a dark grey: (255 + 0 + 0) / 3 = 85.
    EXPECT_EQ(BlendToWhite(GetSysColor(COLOR_BTNSHADOW), 85 / 255.0), SampleStored(3).inside);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(SampleStored(i).outside, kGreen) << i;
    }

    // Registering again replaces the icon and its variants, in place.
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 1, 500), 0);
    EXPECT_EQ(SharedIconCount(), 8);
    EXPECT_EQ(SampleStored(0).inside, kBlue);
    EXPECT_EQ(BlendToWhite(kBlue, 0.3), SampleStored(1).inside);
    EXPECT_EQ(SampleStored(1).outside, kGreen);
}

TEST_F(SharedIconListTest, AnIconStoredUnderTheClassicStyleNeverGainsVariants) {
    StartDesktop(DesktopOf("xp", true));
    SourceIcons source;
    ASSERT_FALSE(UsesXPStyle());
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 0, 500), 0);

    SetThemeFile("C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
    ForgetMenuStyle();
    ASSERT_TRUE(UsesXPStyle());
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 1, 500), 0);
    EXPECT_EQ(SharedIconCount(), 1);
    EXPECT_FALSE(HasIconVariants(0));
    EXPECT_EQ(SampleStored(0).inside, kBlue);
    // A new command under the XP style has its variants.
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 0, 501), 1);
    EXPECT_EQ(SharedIconCount(), 5);
    EXPECT_TRUE(HasIconVariants(1));
}

TEST_F(SharedIconListTest, AnImageThatCannotBeTakenAddsNothing) {
    StartDesktop(DesktopOf("xp"));
    SourceIcons source;
    EXPECT_EQ(RegisterSharedIcon(source.Get(), 7, 500), -1);
    EXPECT_EQ(RegisterSharedIcon(NULL, 0, 500), -1);
    EXPECT_EQ(SharedIconCount(), 0);
    EXPECT_EQ(SharedIconIndex(500), -1);
    EXPECT_FALSE(HasIconVariants(0));
    EXPECT_FALSE(HasIconVariants(-1));
}

} // namespace
