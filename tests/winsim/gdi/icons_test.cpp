#include "gdi_fixture.h"

#include <res/resource.h>

namespace {

class ProgramResources : public testing::TestWithParam<Depth> {
protected:
    void SetUp() override { ResetAtDepth(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Depths, ProgramResources, testing::ValuesIn(kAllDepths), DepthName);

TEST_P(ProgramResources, ToolbarBitmapLoadsAsADisplayBitmapWithItsLightGreyKey) {
    HBITMAP bmp = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TOOLBAR_ENTRY));
    ASSERT_NE(bmp, nullptr);
    BITMAP bm{};
    GetObjectA(bmp, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 80);
    EXPECT_EQ(bm.bmHeight, 15);
    EXPECT_EQ(bm.bmBitsPixel, GetParam().bits);
    // Its key colour reads back as the display shows light grey.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    Canvas reference(1, 1);
    const COLORREF grey = SetPixel(reference.dc, 0, 0, RGB(192, 192, 192));
    int keyed = 0;
    for (int x = 0; x < 80; ++x) {
        keyed += GetPixel(dc, x, 0) == grey;
    }
    EXPECT_GT(keyed, 10);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    EXPECT_EQ(LoadBitmapA(GetModuleHandleA(nullptr), "NOSUCHBITMAP"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_P(ProgramResources, ProgramIconLoadsAtStandardSizeAndDrawsThroughItsMask) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
    // The mask decides which pixels keep the background.
    HDC maskDc = CreateCompatibleDC(nullptr);
    SelectObject(maskDc, info.hbmMask);
    Canvas c(32, 32);
    c.Fill(RGB(255, 0, 255));
    EXPECT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    Canvas reference(1, 1);
    const COLORREF magenta = SetPixel(reference.dc, 0, 0, RGB(255, 0, 255));
    int shown = 0, through = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (GetPixel(maskDc, x, y) == RGB(255, 255, 255)) {
                ++through;
                EXPECT_EQ(GetPixel(c.dc, x, y), magenta);
            } else {
                ++shown;
            }
        }
    }
    EXPECT_GT(shown, 50);
    EXPECT_GT(through, 10);
    // A flicker-free brush fills the transparent parts instead.
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    c.Fill(RGB(255, 0, 255));
    DrawIconEx(c.dc, 0, 0, icon, 16, 16, 0, green, DI_NORMAL);
    const COLORREF greenShown = SetPixel(reference.dc, 0, 0, RGB(0, 255, 0));
    int greens = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (GetParam().bits > 1) { // black and white cannot tell magenta from the icon
                EXPECT_NE(GetPixel(c.dc, x, y), magenta);
            }
            greens += GetPixel(c.dc, x, y) == greenShown;
        }
    }
    EXPECT_GT(greens, 0);
    EXPECT_EQ(GetPixel(c.dc, 16, 16), magenta);
    DeleteObject(green);
    DeleteDC(maskDc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}

TEST_P(ProgramResources, MaskedImageListDrawsTransparentlyAndRoundTripsIcons) {
    HIMAGELIST list = ImageList_Create(16, 15, ILC_MASK | ILC_COLORDDB, 1, 1);
    ASSERT_NE(list, nullptr);
    HBITMAP bmp = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TOOLBAR_ENTRY));
    EXPECT_EQ(ImageList_AddMasked(list, bmp, RGB(192, 192, 192)), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    DeleteObject(bmp);

    // On a black-and-white display blue would look like the icon's dark pixels: use white.
    const COLORREF back = GetParam().bits == 1 ? RGB(255, 255, 255) : RGB(0, 0, 255);
    Canvas c(16, 15);
    c.Fill(back);
    Canvas reference(1, 1);
    const COLORREF blue = SetPixel(reference.dc, 0, 0, back);
    EXPECT_TRUE(ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT));
    int background = 0, drawn = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x) {
            (GetPixel(c.dc, x, y) == blue ? background : drawn)++;
        }
    }
    EXPECT_GT(background, 20) << "the light grey key shows the background";
    EXPECT_GT(drawn, 20);

    // The image taken as an icon and appended again draws the same pixels.
    HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 5);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 2, icon), 2);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 9, icon), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 6);
    Canvas again(16, 15);
    again.Fill(back);
    ImageList_Draw(list, 5, again.dc, 0, 0, ILD_NORMAL);
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(GetPixel(again.dc, x, y), GetPixel(c.dc, x, y)) << x << "," << y;
        }
    }
    // With a background colour, ILD_NORMAL fills the masked parts with it.
    ImageList_SetBkColor(list, RGB(255, 255, 255));
    ImageList_Draw(list, 5, again.dc, 0, 0, ILD_NORMAL);
    Canvas white(1, 1);
    const COLORREF shownWhite = SetPixel(white.dc, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(again.dc, 0, 0) == shownWhite, GetPixel(c.dc, 0, 0) == blue);
    DestroyIcon(icon);
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

TEST(Icons, CreateIconIndirectKeepsColourAndMask) {
    winsim::ResetDesktop();
    Canvas colour(2, 1);
    SetPixel(colour.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(colour.dc, 1, 0, RGB(0, 0, 0));
    SelectObject(colour.dc, colour.old);
    const BYTE maskBits[2] = {0x40, 0x00}; // pixel 1 transparent
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskBits);
    ICONINFO info{TRUE, 0, 0, mask, colour.bitmap};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);
    Canvas c(2, 1);
    c.Fill(RGB(0, 255, 0));
    DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(0, 255, 0));
    DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE);
    EXPECT_FALSE(DrawIconEx(c.dc, 0, 0, icon, 100000, 100000, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(0, 0, 0));
    SelectObject(colour.dc, colour.bitmap);
    DestroyIcon(icon);
    EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
}

} // namespace

namespace {

TEST(Icons, StandardIconsAreSharedAndDrawn) {
    winsim::ResetDesktop();
    HICON hand = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32513)), hand);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    Canvas c(32, 32);
    c.Fill(RGB(0, 255, 0));
    DrawIconEx(c.dc, 0, 0, hand, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 255, 0)) << "corners stay transparent";
    EXPECT_EQ(GetPixel(c.dc, 4, 16), RGB(255, 0, 0));
    for (int id = 32512; id <= 32517; ++id) {
        EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCEA(id)), nullptr) << id;
    }
}

} // namespace
