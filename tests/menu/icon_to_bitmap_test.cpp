#include "menu/IconToBitmap.h"

#include "icon_canvas.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

using menu_test::Canvas;

const COLORREF kTransparent = RGB(255, 0, 255);

class IconToBitmapTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        winsim::DesktopConfig config;
        config.displayBits = GetParam();
        winsim::ResetDesktop(config);
        list = ImageList_Create(kMenuIconWidth, kMenuIconHeight, ILC_MASK | ILC_COLORDDB, 1, 1);
        ASSERT_NE(nullptr, list);
        // One icon: transparent except a red left half of the top row and a black last column.
        Canvas picture(kMenuIconWidth, kMenuIconHeight);
        picture.Fill(kTransparent);
        for (int x = 0; x < 8; ++x) {
            picture.Set(x, 0, RGB(255, 0, 0));
        }
        for (int y = 0; y < kMenuIconHeight; ++y) {
            picture.Set(kMenuIconWidth - 1, y, RGB(0, 0, 0));
        }
        ASSERT_EQ(ImageList_AddMasked(list, picture.Bitmap(), kTransparent), 0);
    }
    void TearDown() override { ImageList_Destroy(list); }

    HIMAGELIST list = NULL;
};

TEST_P(IconToBitmapTest, TransparentPartsBecomeButtonFace) {
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = NULL;
    ASSERT_TRUE(IconToBitmap(screen, list, 0, bitmap));
    ReleaseDC(NULL, screen);
    ASSERT_NE(nullptr, bitmap);

    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(bitmap, sizeof(info), &info));
    EXPECT_EQ(info.bmWidth, kMenuIconWidth);
    EXPECT_EQ(info.bmHeight, kMenuIconHeight);

    Canvas reference(1, 1);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ replaced = SelectObject(dc, bitmap);
    EXPECT_EQ(reference.Rendered(RGB(255, 0, 0)), GetPixel(dc, 3, 0));
    EXPECT_EQ(reference.Rendered(RGB(0, 0, 0)), GetPixel(dc, kMenuIconWidth - 1, 7));
    const COLORREF face = reference.Rendered(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(face, GetPixel(dc, 8, 0));
    EXPECT_EQ(face, GetPixel(dc, 0, 1));
    EXPECT_EQ(face, GetPixel(dc, 7, kMenuIconHeight - 1));
    SelectObject(dc, replaced);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_P(IconToBitmapTest, AMissingImageGivesNoBitmap) {
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(1);
    EXPECT_FALSE(IconToBitmap(screen, list, 1, bitmap));
    EXPECT_EQ(bitmap, nullptr);
    EXPECT_FALSE(IconToBitmap(screen, NULL, 0, bitmap));
    ReleaseDC(NULL, screen);
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, IconToBitmapTest, ::testing::Values(8, 16, 32));

} // namespace
