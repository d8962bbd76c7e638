// Transfers between surfaces of the same format copy whole rows; these tests run the same
// operations with the row copies on and off and expect the very same bytes, on random pixels
// (unused bits included) with clipping, origins and sources that run off their bitmap.
#include "gdi_fixture.h"

#include "winsim/src/gdi/row_copy.h"

#include <winsim/sim_gdi.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <vector>

namespace {

struct Format {
    int bits;
    bool bitfields565; // 16 bits: 5-6-5 masks instead of BI_RGB 5-5-5
};

std::string FormatName(const testing::TestParamInfo<Format>& info) {
    return std::to_string(info.param.bits) + (info.param.bitfields565 ? "x565" : "");
}

// A DIB section whose bytes the test fills and reads directly.
struct Dib {
    Dib(const Format& f, int w, int h, bool bottomUp, uint32_t seed) : width(w), height(h) {
        std::memset(&info, 0, sizeof(info));
        BITMAPINFOHEADER& hd = info.h;
        hd.biSize = sizeof(BITMAPINFOHEADER);
        hd.biWidth = w;
        hd.biHeight = bottomUp ? h : -h;
        hd.biPlanes = 1;
        hd.biBitCount = static_cast<WORD>(f.bits);
        hd.biCompression = f.bitfields565 ? BI_BITFIELDS : BI_RGB;
        // A grey ramp for the indexed formats: both sides of a copy get the same table.
        for (int i = 0; i < 256; ++i) {
            const BYTE v = static_cast<BYTE>(f.bits <= 8 ? i * 255 / ((1 << f.bits) - 1) % 256 : 0);
            info.colors[i] = RGBQUAD{v, v, static_cast<BYTE>(255 - v), 0};
        }
        if (f.bitfields565) {
            info.masks[0] = 0xF800;
            info.masks[1] = 0x07E0;
            info.masks[2] = 0x001F;
        }
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                  nullptr, 0);
        old = SelectObject(dc, bitmap);
        size = bits ? static_cast<size_t>(((w * f.bits + 31) / 32) * 4) * h : 0;
        EXPECT_NE(bits, nullptr);
        std::mt19937 rng(seed);
        for (size_t i = 0; i < size; ++i) {
            static_cast<uint8_t*>(bits)[i] = static_cast<uint8_t>(rng());
        }
    }
    ~Dib() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::vector<uint8_t> Bytes() const {
        const uint8_t* p = static_cast<const uint8_t*>(bits);
        return {p, p + size};
    }
    struct {
        BITMAPINFOHEADER h;
        union {
            DWORD masks[3];
            RGBQUAD colors[256];
        };
    } info;
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
    size_t size = 0;
};

class RowCopy : public testing::TestWithParam<Format> {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
    void TearDown() override { winsim::gdi::RowCopyEnabled() = true; }
};

// The blits of one run: plain, clipped to a two-rectangle region with moved origins, hanging off
// every edge of the source, mirrored, stretched, another raster operation and onto itself.
std::vector<uint8_t> RunBlits(const Format& f, bool rowCopy) {
    winsim::gdi::RowCopyEnabled() = rowCopy;
    Dib src(f, 37, 29, true, 1);
    Dib dst(f, 41, 33, false, 2);
    EXPECT_NE(src.bitmap, nullptr);
    EXPECT_NE(dst.bitmap, nullptr);
    EXPECT_TRUE(BitBlt(dst.dc, 1, 2, 20, 15, src.dc, 3, 4, SRCCOPY));
    HRGN clip = CreateRectRgn(5, 3, 30, 12);
    HRGN second = CreateRectRgn(0, 20, 17, 31);
    CombineRgn(clip, clip, second, RGN_OR);
    SelectClipRgn(dst.dc, clip);
    SetViewportOrgEx(dst.dc, 3, -2, nullptr);
    SetWindowOrgEx(src.dc, -1, 2, nullptr);
    EXPECT_TRUE(BitBlt(dst.dc, -4, -3, 50, 40, src.dc, -6, -5, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 10, 8, 30, 30, src.dc, 20, 15, SRCCOPY));
    SelectClipRgn(dst.dc, nullptr);
    SetViewportOrgEx(dst.dc, 0, 0, nullptr);
    EXPECT_TRUE(StretchBlt(dst.dc, 2, 2, 12, 12, src.dc, 5, 5, 12, 12, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc, 20, 2, -9, 7, src.dc, 1, 1, 9, 7, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc, 25, 20, 10, 10, src.dc, 0, 0, 5, 20, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 30, 1, 8, 8, src.dc, 2, 2, SRCINVERT));
    EXPECT_TRUE(BitBlt(dst.dc, 4, 6, 25, 20, dst.dc, 6, 3, SRCCOPY)); // overlapping move
    DeleteObject(clip);
    DeleteObject(second);
    return dst.Bytes();
}

TEST_P(RowCopy, BlitsGiveTheSameBytesAsThePixelPath) {
    const std::vector<uint8_t> fast = RunBlits(GetParam(), true);
    const std::vector<uint8_t> slow = RunBlits(GetParam(), false);
    EXPECT_EQ(fast, slow);
}

// GetDIBits of a DIB section into its own format and into the others, both row orders, a wider
// request than the bitmap and a part of the lines.
std::vector<uint8_t> RunGetDIBits(const Format& f, const Format& out, bool rowCopy) {
    winsim::gdi::RowCopyEnabled() = rowCopy;
    Dib src(f, 23, 17, true, 3);
    std::vector<uint8_t> all;
    for (int bottomUp = 0; bottomUp < 2; ++bottomUp) {
        for (int width : {23, 26}) {
            Dib shape(out, width, 17, bottomUp != 0, 4);
            std::vector<uint8_t> bytes(shape.size + 64, 0xAB);
            HDC screen = GetDC(nullptr);
            const int lines = GetDIBits(screen, src.bitmap, 0, 17, bytes.data(),
                                        reinterpret_cast<BITMAPINFO*>(&shape.info), DIB_RGB_COLORS);
            EXPECT_EQ(lines, 17);
            const int part = GetDIBits(screen, src.bitmap, 5, 40, bytes.data() + 8,
                                       reinterpret_cast<BITMAPINFO*>(&shape.info), DIB_RGB_COLORS);
            EXPECT_EQ(part, 12);
            ReleaseDC(nullptr, screen);
            all.insert(all.end(), bytes.begin(), bytes.end());
        }
    }
    return all;
}

TEST_P(RowCopy, GetDIBitsGivesTheSameBytesAsThePixelPath) {
    for (const Format out : {Format{32, false}, Format{24, false}, Format{16, false},
                             Format{16, true}, Format{8, false}}) {
        SCOPED_TRACE(out.bits * 10 + out.bitfields565);
        const std::vector<uint8_t> fast = RunGetDIBits(GetParam(), out, true);
        const std::vector<uint8_t> slow = RunGetDIBits(GetParam(), out, false);
        EXPECT_EQ(fast, slow);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RowCopy,
                         testing::Values(Format{1, false}, Format{4, false}, Format{8, false},
                                         Format{16, false}, Format{16, true}, Format{24, false},
                                         Format{32, false}),
                         FormatName);

LRESULT CALLBACK Silent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND || msg == WM_NCPAINT) {
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The screen grab of a window partly covered by another, and drawing into that window through
// its DC (the window above stays untouched), at every display depth.
class ScreenRowCopy : public testing::TestWithParam<Depth> {};

std::vector<uint8_t> RunScreen(const Depth& depth, bool rowCopy) {
    winsim::gdi::RowCopyEnabled() = rowCopy;
    ResetAtDepth(depth);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Silent;
    wc.lpszClassName = "RowCopyWindow";
    EXPECT_NE(RegisterClassA(&wc), 0);
    HWND below = CreateWindowExA(0, "RowCopyWindow", "b", WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 30,
                                 120, 90, nullptr, nullptr, nullptr, nullptr);
    HWND above = CreateWindowExA(0, "RowCopyWindow", "a", WS_POPUP | WS_VISIBLE, 100, 70, 80, 60,
                                 nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(above, nullptr);
    // Random pixels in the display's own format, drawn over both windows' areas on the screen.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP noise = CreateCompatibleBitmap(screen, 200, 160);
    HGDIOBJ old = SelectObject(mem, noise);
    std::mt19937 rng(7);
    for (int y = 0; y < 160; y += 4) {
        for (int x = 0; x < 200; x += 4) {
            HBRUSH b = CreateSolidBrush(rng() & 0xFFFFFF);
            RECT r{x, y, x + 4 + static_cast<int>(rng() % 3), y + 4};
            FillRect(mem, &r, b);
            DeleteObject(b);
        }
    }
    EXPECT_TRUE(BitBlt(screen, 20, 20, 200, 160, mem, 0, 0, SRCCOPY));
    HDC windowDc = GetWindowDC(below);
    EXPECT_TRUE(BitBlt(windowDc, 10, 10, 150, 100, mem, 30, 20, SRCCOPY));
    HBITMAP grab = CreateCompatibleBitmap(screen, 130, 100);
    SelectObject(mem, grab);
    EXPECT_TRUE(BitBlt(mem, 0, 0, 130, 100, windowDc, -5, -5, SRCCOPY));
    // A new bitmap that a grab of the screen covers whole (its zeros are never written).
    HBITMAP whole = CreateCompatibleBitmap(screen, 130, 100);
    HDC wholeDc = CreateCompatibleDC(screen);
    HGDIOBJ wholeOld = SelectObject(wholeDc, whole);
    EXPECT_TRUE(BitBlt(wholeDc, 0, 0, 130, 100, screen, 30, 25, SRCCOPY));
    SelectObject(wholeDc, wholeOld);
    DeleteDC(wholeDc);
    ReleaseDC(below, windowDc);
    ReleaseDC(nullptr, screen);
    // Read back both grabs through the pixel path, which both runs share.
    winsim::gdi::RowCopyEnabled() = false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 130;
    bi.bmiHeader.biHeight = 100;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint8_t> bytes(2 * 130 * 100 * 4);
    EXPECT_EQ(GetDIBits(mem, grab, 0, 100, bytes.data(), &bi, DIB_RGB_COLORS), 100);
    EXPECT_EQ(GetDIBits(mem, whole, 0, 100, bytes.data() + bytes.size() / 2, &bi, DIB_RGB_COLORS),
              100);
    SelectObject(mem, old);
    DeleteObject(noise);
    DeleteObject(grab);
    DeleteObject(whole);
    DeleteDC(mem);
    winsim::gdi::RowCopyEnabled() = true;
    return bytes;
}

TEST_P(ScreenRowCopy, WindowGrabGivesTheSameBytesAsThePixelPath) {
    const std::vector<uint8_t> fast = RunScreen(GetParam(), true);
    const std::vector<uint8_t> slow = RunScreen(GetParam(), false);
    EXPECT_EQ(fast, slow);
    // The grab is not trivially uniform: the noise reached it.
    std::set<std::vector<uint8_t>> pixels;
    for (size_t i = 0; i + 4 <= fast.size(); i += 4) {
        pixels.insert(std::vector<uint8_t>(fast.begin() + i, fast.begin() + i + 4));
    }
    EXPECT_GT(pixels.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Depths, ScreenRowCopy, testing::ValuesIn(kAllDepths), DepthName);

// A new bitmap is black wherever nothing was drawn, also when its memory was a white bitmap's
// before; a copy that covers it whole leaves nothing of the old memory either.
TEST_P(ScreenRowCopy, ANewBitmapIsBlackWhereNoCopyReached) {
    ResetAtDepth(GetParam());
    HDC screen = GetDC(nullptr);
    RECT band{0, 0, 200, 100};
    FillRect(screen, &band, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    for (const bool whole : {false, true}) {
        for (int round = 0; round < 3; ++round) {
            Canvas old(64, 32);
            PatBlt(old.dc, 0, 0, 64, 32, WHITENESS);
        }
        Canvas fresh(64, 32);
        const int x = whole ? 0 : 10, y = whole ? 0 : 8;
        EXPECT_TRUE(
            BitBlt(fresh.dc, x, y, whole ? 64 : 20, whole ? 32 : 10, screen, 7, 7, SRCCOPY));
        const COLORREF grey = GetPixel(screen, 20, 20);
        EXPECT_NE(grey, RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(fresh.dc, 63, 31), whole ? grey : RGB(0, 0, 0)) << whole;
        EXPECT_EQ(GetPixel(fresh.dc, 0, 0), whole ? grey : RGB(0, 0, 0)) << whole;
        EXPECT_EQ(GetPixel(fresh.dc, 12, 10), grey) << whole;
    }
    ReleaseDC(nullptr, screen);
}

} // namespace
