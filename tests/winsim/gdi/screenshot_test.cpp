#include "gdi_fixture.h"

#include <res/resource.h>
#include <winsim/sim_gdi.h>

#include <png.h>

#include <cstdio>
#include <cstring>

namespace {

// Reads a PNG back: its size and one pixel.
bool ReadPng(const std::string& path, int& width, int& height, int x, int y, COLORREF& pixel) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    pixel = RGB(p[0], p[1], p[2]);
    return true;
}

// Paints something that looks like a dialog straight onto the screen: frame, caption, text,
// an etched line, a sunken field and the program's icon.
void PaintDialog(HDC dc) {
    RECT frame{20, 20, 300, 160};
    FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
    RECT caption{23, 23, 297, 41};
    FillRect(dc, &caption, GetSysColorBrush(COLOR_ACTIVECAPTION));
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Tahoma");
    HFONT bold = CreateFontIndirectA(&lf);
    lf.lfWeight = FW_NORMAL;
    HFONT normal = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, bold);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    RECT title{28, 23, 290, 41};
    DrawTextA(dc, "Verbacap - capture", -1, &title, DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, normal);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    DrawIconEx(dc, 32, 52, icon, 32, 32, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    RECT text{76, 52, 290, 90};
    DrawTextA(dc, "Copier tout le &dialogue\navec le titre et les \xe9l\xe9ments", -1, &text, 0);
    RECT line{30, 96, 290, 98};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    RECT field{30, 106, 200, 126};
    FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
    RECT inField{34, 106, 196, 126};
    DrawTextA(dc, "Alt + C", -1, &inField, DT_SINGLELINE | DT_VCENTER);
    RECT button{210, 104, 290, 128};
    FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
    DrawTextA(dc, "OK", -1, &button, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, old);
    DeleteObject(bold);
    DeleteObject(normal);
}

class ScreenshotAtEveryDepth : public testing::TestWithParam<Depth> {
protected:
    void SetUp() override { ResetAtDepth(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Depths, ScreenshotAtEveryDepth, testing::ValuesIn(kAllDepths), DepthName);

TEST_P(ScreenshotAtEveryDepth, ScreenRectangleWritesAsThePixelsTheScreenShows) {
    HDC screen = GetDC(nullptr);
    PaintDialog(screen);
    ReleaseDC(nullptr, screen);
    const std::string path = testing::TempDir() + "winsim_dialog_" +
                             std::to_string(GetParam().bits) + (GetParam().is565 ? "" : "x555") +
                             ".png";
    ASSERT_TRUE(winsim::SaveScreenRect(RECT{10, 10, 310, 170}, path));
    int w = 0, h = 0;
    COLORREF pixel = 0;
    ASSERT_TRUE(ReadPng(path, w, h, 20 - 10, 30 - 10, pixel));
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 160);
    EXPECT_EQ(winsim::ScreenPixel(20, 30), pixel);
}

TEST(WindowScreenshot, AWindowPaintedThroughItsWindowDcIsWrittenWhole) {
    winsim::ResetDesktop();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "GdiShotWindow";
    wc.hInstance = GetModuleHandleA(nullptr);
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND w = CreateWindowExA(0, "GdiShotWindow", "shot", WS_POPUP | WS_VISIBLE, 100, 80, 280, 140,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    HDC dc = GetWindowDC(w);
    SetWindowOrgEx(dc, 20, 20, nullptr); // the dialog's corner at the window's
    PaintDialog(dc);
    ReleaseDC(w, dc);
    const std::string path = testing::TempDir() + "winsim_window_dialog.png";
    ASSERT_TRUE(winsim::SaveWindowScreenshot(w, path));
    int width = 0, height = 0;
    COLORREF corner = 0;
    ASSERT_TRUE(ReadPng(path, width, height, 0, 0, corner));
    EXPECT_EQ(width, 280);
    EXPECT_EQ(height, 140);
    EXPECT_EQ(corner, GetSysColor(COLOR_3DLIGHT));
    COLORREF caption = 0;
    ASSERT_TRUE(ReadPng(path, width, height, 5, 5, caption));
    EXPECT_EQ(caption, GetSysColor(COLOR_ACTIVECAPTION));
    DestroyWindow(w);
}

} // namespace
