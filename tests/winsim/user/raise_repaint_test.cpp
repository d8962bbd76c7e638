// A window raised above the windows that covered it paints again where it was hidden.
#include <winsim/sim.h>
#include <winsim/sim_gdi.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK SolidProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush =
            CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND ShowSolid(COLORREF colour, int x, int y) {
    HWND hwnd = CreateWindowExA(0, "RaiseRepaintSolid", "", WS_POPUP, x, y, 100, 80, nullptr,
                                nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

void PaintPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

TEST(RaiseRepaintTest, AWindowBroughtToTheTopShowsWhereItWasCovered) {
    winsim::ResetDesktop();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SolidProc;
    windowClass.lpszClassName = "RaiseRepaintSolid";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND red = ShowSolid(RGB(255, 0, 0), 100, 100);
    HWND blue = ShowSolid(RGB(0, 0, 255), 150, 120);
    PaintPending();
    ASSERT_EQ(winsim::ScreenPixel(160, 130), RGB(0, 0, 255));
    ASSERT_EQ(winsim::ScreenPixel(110, 110), RGB(255, 0, 0));

    ASSERT_TRUE(SetForegroundWindow(red));
    PaintPending();
    EXPECT_EQ(winsim::ScreenPixel(160, 130), RGB(255, 0, 0));
    EXPECT_EQ(winsim::ScreenPixel(240, 190), RGB(0, 0, 255)) << "the rest of the other stays";
    DestroyWindow(blue);
    DestroyWindow(red);
}

TEST(RaiseRepaintTest, TheLineUnderACaptionCoversWhatWasThere) {
    winsim::ResetDesktop();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SolidProc;
    windowClass.lpszClassName = "RaiseRepaintSolid";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND red = ShowSolid(RGB(255, 0, 0), 100, 100);
    PaintPending();
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "RaiseRepaintSolid", "Dlg",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 100, 80, nullptr,
                                  nullptr, nullptr, nullptr);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(RGB(0, 0, 255)));
    ShowWindow(dialog, SW_SHOW);
    PaintPending();
    POINT client = {0, 0};
    ClientToScreen(dialog, &client);
    // The row just above the client area, the last of the caption's height.
    EXPECT_EQ(winsim::ScreenPixel(150, client.y - 1), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(winsim::ScreenPixel(150, client.y), RGB(0, 0, 255));
    DestroyWindow(dialog);
    DestroyWindow(red);
}

} // namespace
