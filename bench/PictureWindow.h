// The capture benchmarks' stage: a fresh full-HD 32-bit desktop and a borderless window covering
// it that paints the desktop-like picture.
#pragma once

#include "DesktopPicture.h"

#include <winsim/sim.h>

namespace bench {

inline const ScreenDib& Picture() {
    static const ScreenDib picture;
    return picture;
}

inline LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        const ScreenDib& picture = Picture();
        SetDIBitsToDevice(dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, picture.Pixels(),
                          reinterpret_cast<const BITMAPINFO*>(picture.Dib()), DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

inline void ResetFullHdDesktop() {
    winsim::DesktopConfig config;
    config.displayBits = 32;
    config.screenWidth = kWidth;
    config.screenHeight = kHeight;
    winsim::ResetDesktop(config);
}

// Another program's window covering the screen, showing the picture, in front and painted.
inline HWND ShowPictureWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PictureProc;
    wc.lpszClassName = "BenchPicture";
    wc.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "BenchPicture", "Picture", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    return hwnd;
}

} // namespace bench
