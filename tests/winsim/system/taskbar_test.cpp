// The taskbar at the bottom of the screen: the notification area's icons as the screen shows
// them, the taskbar above ordinary windows, and the desktop showing again where a window went.
#include "test_windows.h"

#include <winsim/sim.h>
#include <winsim/sim_gdi.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kDesktop = RGB(0, 128, 128);

// An icon of one colour all over, so that the screen shows where it is drawn.
HICON SolidIcon(COLORREF color) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP colorBits = CreateCompatibleBitmap(screen, 32, 32);
    HBITMAP maskBits = CreateBitmap(32, 32, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(memory, colorBits);
    RECT all{0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(memory, &all, brush);
    SelectObject(memory, maskBits);
    PatBlt(memory, 0, 0, 32, 32, BLACKNESS); // opaque everywhere
    SelectObject(memory, old);
    ICONINFO info{TRUE, 0, 0, maskBits, colorBits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(brush);
    DeleteObject(colorBits);
    DeleteObject(maskBits);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return icon;
}

NOTIFYICONDATAA IconData(HWND window, UINT id, HICON icon) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 0x0DCD;
    data.hIcon = icon;
    return data;
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

COLORREF PixelAt(POINT p) {
    return winsim::ScreenPixel(p.x, p.y);
}

void PaintWindow(HWND window, COLORREF color) {
    HDC dc = GetWindowDC(window);
    RECT r{};
    GetWindowRect(window, &r);
    RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &local, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

TEST(Taskbar, LiesBelowTheWorkAreaWithTheNotificationAreaAtItsRightEnd) {
    for (const char* version : {"95", "2000", "xp", "7", "10"}) {
        winsim::DesktopConfig config;
        config.windowsVersion = version;
        winsim::ResetDesktop(config);
        RECT work{};
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
        RECT bar = winsim::TaskbarRect();
        EXPECT_EQ(bar.top, work.bottom) << version;
        EXPECT_EQ(winsim::ScreenHeight(), bar.bottom) << version;
        EXPECT_EQ(winsim::ScreenWidth(), bar.right) << version;
        RECT area = winsim::NotificationAreaRect();
        EXPECT_EQ(area.right, bar.right) << version;
        EXPECT_GT(area.left, bar.left) << version;
        // The taskbar is drawn from the start: it does not show the desktop's colour.
        EXPECT_NE(winsim::ScreenPixel(bar.left + 100, (bar.top + bar.bottom) / 2), kDesktop)
            << version;
    }
}

TEST(Taskbar, ShowsEachIconWhereItsPlaceIsAndForgetsItWhenRemoved) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("main");
    HICON red = SolidIcon(RGB(255, 0, 0));
    HICON blue = SolidIcon(RGB(0, 0, 255));
    NOTIFYICONDATAA first = IconData(window, 100, red);
    NOTIFYICONDATAA second = IconData(window, 101, blue);
    RECT emptyArea = winsim::NotificationAreaRect();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &first));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &second));

    std::vector<winsim::TrayIcon> icons = winsim::TrayIcons();
    ASSERT_EQ(icons.size(), 2u);
    RECT redPlace = icons[0].place, bluePlace = icons[1].place;
    EXPECT_EQ(redPlace.right - redPlace.left, 16);
    EXPECT_EQ(redPlace.bottom - redPlace.top, 16);
    // The first icon sits at the right end; a later one comes to its left; both in the area,
    // which grew to hold them.
    EXPECT_LE(bluePlace.right, redPlace.left);
    RECT area = winsim::NotificationAreaRect();
    EXPECT_LT(area.left, emptyArea.left);
    EXPECT_GE(bluePlace.left, area.left);
    EXPECT_LE(redPlace.right, area.right);
    RECT bar = winsim::TaskbarRect();
    EXPECT_GE(redPlace.top, bar.top);
    EXPECT_LE(redPlace.bottom, bar.bottom);
    EXPECT_EQ(PixelAt(Centre(redPlace)), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(Centre(bluePlace)), RGB(0, 0, 255));
    EXPECT_EQ(winsim::ScreenPixel(redPlace.left, redPlace.top), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(redPlace.right - 1, redPlace.bottom - 1), RGB(255, 0, 0));

    // A new icon handle shows at once.
    first.uFlags = NIF_ICON;
    first.hIcon = blue;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &first));
    EXPECT_EQ(PixelAt(Centre(redPlace)), RGB(0, 0, 255));

    // Removing the first moves the second to the right end, and its old place is taskbar again.
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &first));
    icons = winsim::TrayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].place.left, redPlace.left);
    EXPECT_EQ(PixelAt(Centre(redPlace)), RGB(0, 0, 255));
    COLORREF leftBehind = PixelAt(Centre(bluePlace));
    EXPECT_NE(leftBehind, RGB(0, 0, 255));
    EXPECT_NE(leftBehind, kDesktop);
    EXPECT_EQ(leftBehind, winsim::ScreenPixel(bar.left + 100, Centre(bluePlace).y));
    DestroyIcon(red);
    DestroyIcon(blue);
}

TEST(Taskbar, AHiddenWindowLeavesTheDesktopAndItsIconShows) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("main");
    ShowWindow(window, SW_SHOW);
    PaintWindow(window, RGB(0, 255, 0));
    RECT r{};
    GetWindowRect(window, &r);
    ASSERT_EQ(PixelAt(Centre(r)), RGB(0, 255, 0));
    HICON red = SolidIcon(RGB(255, 0, 0));
    NOTIFYICONDATAA data = IconData(window, 100, red);
    ShowWindow(window, SW_HIDE);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(PixelAt(Centre(r)), kDesktop);
    EXPECT_EQ(PixelAt(Centre(winsim::TrayIcons()[0].place)), RGB(255, 0, 0));
    DestroyIcon(red);
}

TEST(Taskbar, StaysAboveOrdinaryWindowsButNotAboveTopmostOnes) {
    winsim::ResetDesktop();
    RECT bar = winsim::TaskbarRect();
    HWND window = test::MakeWindow("main");
    ASSERT_TRUE(
        SetWindowPos(window, nullptr, 100, bar.top - 50, 300, 120, SWP_NOZORDER | SWP_SHOWWINDOW));
    PaintWindow(window, RGB(0, 255, 0));
    COLORREF barColor = winsim::ScreenPixel(50, bar.top + 10);
    EXPECT_EQ(winsim::ScreenPixel(200, bar.top - 10), RGB(0, 255, 0));
    EXPECT_EQ(winsim::ScreenPixel(200, bar.top + 10), barColor);

    ASSERT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    PaintWindow(window, RGB(0, 255, 0));
    EXPECT_EQ(winsim::ScreenPixel(200, bar.top + 10), RGB(0, 255, 0));
    // An icon added meanwhile does not draw over the topmost window.
    HICON red = SolidIcon(RGB(255, 0, 0));
    NOTIFYICONDATAA data = IconData(window, 100, red);
    ASSERT_TRUE(SetWindowPos(window, nullptr, winsim::ScreenWidth() - 200, bar.top - 50, 300, 120,
                             SWP_NOZORDER));
    PaintWindow(window, RGB(0, 255, 0));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(PixelAt(Centre(winsim::TrayIcons()[0].place)), RGB(0, 255, 0));
    // When the window goes, the taskbar and the icon show again.
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(PixelAt(Centre(winsim::TrayIcons()[0].place)), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(200, bar.top + 10), barColor);
    DestroyIcon(red);
}

} // namespace
