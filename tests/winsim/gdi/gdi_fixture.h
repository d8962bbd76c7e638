// A fresh desktop at a given display depth, and a memory DC with a compatible bitmap to draw on.
#pragma once

#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

struct Depth {
    int bits;
    bool is565;
};

inline std::string DepthName(const testing::TestParamInfo<Depth>& info) {
    return std::to_string(info.param.bits) +
           (info.param.bits == 16 && !info.param.is565 ? "x555" : "");
}

inline const Depth kAllDepths[] = {{1, true},   {4, true},  {8, true}, {16, true},
                                   {16, false}, {24, true}, {32, true}};

inline void ResetAtDepth(const Depth& d) {
    winsim::DesktopConfig config;
    config.displayBits = d.bits;
    config.display565 = d.is565;
    winsim::ResetDesktop(config);
}

// A memory DC holding a bitmap compatible with the screen.
class Canvas {
public:
    Canvas(int w, int h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, 10000, 10000};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};
