#include "gdi_fixture.h"

#include <winsim/sim_gdi.h>

#include <filesystem>

namespace {

LRESULT CALLBACK QuietProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Paints nothing of its own: the tests draw through the window's DCs.
    if (msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCPAINT) {
        PAINTSTRUCT ps;
        if (msg == WM_PAINT) {
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
        }
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class WindowDcs : public testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        WNDCLASSA wc{};
        wc.lpfnWndProc = QuietProc;
        wc.lpszClassName = "GdiTestWindow";
        wc.hInstance = GetModuleHandleA(nullptr);
        ASSERT_NE(RegisterClassA(&wc), 0);
        screenBlack_ = GetDC(nullptr);
        RECT all{0, 0, winsim::ScreenWidth(), winsim::ScreenHeight()};
        FillRect(screenBlack_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(nullptr, screenBlack_);
    }
    HWND Make(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_BORDER | WS_VISIBLE,
              HWND parent = nullptr) {
        return CreateWindowExA(0, "GdiTestWindow", "t", style, x, y, w, h, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    static void Paint(HDC dc, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{-1000, -1000, 3000, 3000};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    HDC screenBlack_ = nullptr;
};

TEST_F(WindowDcs, ClientAndWindowDcsHaveTheirOriginsAndStayInsideTheWindow) {
    HWND w = Make(100, 50, 80, 60);
    ASSERT_NE(w, nullptr);
    RECT wr{}, cr{};
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    POINT client{0, 0};
    ClientToScreen(w, &client);

    HDC windowDc = GetWindowDC(w);
    ASSERT_NE(windowDc, nullptr);
    EXPECT_EQ(WindowFromDC(windowDc), w);
    Paint(windowDc, RGB(255, 0, 0));
    SetPixel(windowDc, 0, 0, RGB(0, 255, 0));
    ReleaseDC(w, windowDc);
    EXPECT_EQ(winsim::ScreenPixel(wr.left, wr.top), RGB(0, 255, 0));
    EXPECT_EQ(winsim::ScreenPixel(wr.right - 1, wr.bottom - 1), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(wr.right, wr.bottom - 1), RGB(0, 0, 0)) << "nothing outside";

    HDC clientDc = GetDC(w);
    Paint(clientDc, RGB(0, 0, 255));
    SetPixel(clientDc, 0, 0, RGB(255, 255, 0));
    EXPECT_EQ(GetPixel(clientDc, cr.right, 0), CLR_INVALID) << "outside the client area";
    ReleaseDC(w, clientDc);
    EXPECT_EQ(winsim::ScreenPixel(client.x, client.y), RGB(255, 255, 0));
    EXPECT_EQ(winsim::ScreenPixel(client.x + cr.right - 1, client.y + cr.bottom - 1),
              RGB(0, 0, 255));
    if (client.x > wr.left) {
        EXPECT_EQ(winsim::ScreenPixel(client.x - 1, client.y), RGB(255, 0, 0)) << "the border";
    }
}

TEST_F(WindowDcs, WindowsAboveCoverAndHiddenWindowsDrawNothing) {
    HWND below = Make(10, 10, 100, 100);
    HWND above = Make(50, 50, 100, 100);
    ASSERT_NE(above, nullptr);
    SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HDC dc = GetWindowDC(below);
    Paint(dc, RGB(255, 0, 0));
    ReleaseDC(below, dc);
    EXPECT_EQ(winsim::ScreenPixel(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(60, 60), RGB(0, 0, 0)) << "covered by the window above";

    // Reading through a window DC sees what the screen shows, covered parts included.
    HDC read = GetWindowDC(below);
    HDC mem = CreateCompatibleDC(read);
    HBITMAP bmp = CreateCompatibleBitmap(read, 100, 100);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, 100, 100, read, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mem, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 50, 50), RGB(0, 0, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(below, read);

    ShowWindow(below, SW_HIDE);
    HDC hidden = GetDC(below);
    ASSERT_NE(hidden, nullptr);
    Paint(hidden, RGB(0, 255, 0));
    ReleaseDC(below, hidden);
    EXPECT_EQ(winsim::ScreenPixel(20, 20), RGB(0, 128, 128)) << "the desktop shows again";

    DestroyWindow(below);
    EXPECT_EQ(GetDC(below), nullptr);
}

TEST_F(WindowDcs, ChildrenStayInsideTheirParentAndClipChildrenLeavesThemAlone) {
    HWND parent = Make(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND child = Make(150, 150, 100, 100, WS_CHILD | WS_VISIBLE, parent);
    ASSERT_NE(child, nullptr);
    HDC childDc = GetDC(child);
    Paint(childDc, RGB(0, 0, 255));
    ReleaseDC(child, childDc);
    EXPECT_EQ(winsim::ScreenPixel(160, 160), RGB(0, 0, 255));
    EXPECT_NE(winsim::ScreenPixel(210, 210), RGB(0, 0, 255)) << "outside the parent";
    HDC parentDc = GetDC(parent);
    Paint(parentDc, RGB(255, 0, 0));
    ReleaseDC(parent, parentDc);
    EXPECT_EQ(winsim::ScreenPixel(160, 160), RGB(0, 0, 255));
    EXPECT_EQ(winsim::ScreenPixel(140, 140), RGB(255, 0, 0));
}

TEST_F(WindowDcs, ClipSiblingsLeavesTheSiblingsAboveAlone) {
    HWND parent = Make(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    // Children are stacked in creation order: the first one lies on top.
    HWND above = Make(50, 50, 40, 40, WS_CHILD | WS_VISIBLE, parent);
    HWND below = Make(0, 0, 200, 200, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, parent);
    HWND plain = Make(0, 0, 200, 200, WS_CHILD | WS_VISIBLE, parent);
    ASSERT_TRUE(above && below && plain);
    HDC aboveDc = GetDC(above);
    Paint(aboveDc, RGB(0, 0, 255));
    ReleaseDC(above, aboveDc);

    HDC belowDc = GetDC(below);
    Paint(belowDc, RGB(255, 0, 0));
    ReleaseDC(below, belowDc);
    EXPECT_EQ(winsim::ScreenPixel(60, 60), RGB(0, 0, 255)) << "the sibling above stays";
    EXPECT_EQ(winsim::ScreenPixel(10, 10), RGB(255, 0, 0));

    HDC plainDc = GetDC(plain);
    Paint(plainDc, RGB(0, 255, 0));
    ReleaseDC(plain, plainDc);
    EXPECT_EQ(winsim::ScreenPixel(60, 60), RGB(0, 255, 0)) << "without the style siblings overlap";
}

TEST_F(WindowDcs, WindowScreenshotIsTheWholeWindowRectangle) {
    HWND w = Make(30, 40, 120, 90);
    HDC dc = GetWindowDC(w);
    Paint(dc, RGB(255, 0, 0));
    ReleaseDC(w, dc);
    const std::string path = testing::TempDir() + "winsim_window.png";
    ASSERT_TRUE(winsim::SaveWindowScreenshot(w, path));
    EXPECT_GT(std::filesystem::file_size(path), 50u);
    EXPECT_FALSE(winsim::SaveWindowScreenshot(nullptr, path));
}

} // namespace
