// The grab of a whole window into a JPEG file, checked against what the screen shows, at every
// display depth; and the sizes it reports when the window or the file is not as expected.
#include "framework/CWnd.h"
#include "imaging/WindowCapture.h"
#include "JpegFile.h"

#include <winsim/sim.h>
#include <winsim/sim_gdi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Saturated colours, black, white and greys: neighbouring cells differ in every channel.
const COLORREF kCellColours[] = {RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 0, 0),
                                 RGB(0, 255, 0),     RGB(0, 0, 255),   RGB(255, 255, 0),
                                 RGB(0, 255, 255),   RGB(255, 0, 255), RGB(128, 128, 128),
                                 RGB(0, 0, 128),     RGB(128, 0, 0),   RGB(192, 192, 192)};
constexpr int kCell = 32;

// Paints its client area as a grid of coloured cells; the caption and borders are the
// desktop's own.
LRESULT CALLBACK GridProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        int n = 0;
        for (int y = 0; y < client.bottom; y += kCell) {
            for (int x = 0; x < client.right; x += kCell) {
                HBRUSH brush = CreateSolidBrush(kCellColours[n++ % 12]);
                RECT cell{x, y, x + kCell, y + kCell};
                FillRect(dc, &cell, brush);
                DeleteObject(brush);
            }
            ++n; // the next row starts one colour further, so columns differ too
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

struct Depth {
    int bits;
    bool is565;
};

std::string DepthName(const testing::TestParamInfo<Depth>& info) {
    return std::to_string(info.param.bits) +
           (info.param.bits == 16 && !info.param.is565 ? "x555" : "");
}

class WindowCaptureBase : public testing::Test {
protected:
    void TearDown() override { CWnd::DeleteTempMap(); }

    static void Reset(const Depth& depth) {
        winsim::DesktopConfig config;
        config.displayBits = depth.bits;
        config.display565 = depth.is565;
        winsim::ResetDesktop(config);
        WNDCLASSA wc{};
        wc.lpfnWndProc = GridProc;
        wc.lpszClassName = "GrabTestWindow";
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
    }

    static HWND MakeWindow(int x, int y, int width, int height) {
        HWND hwnd = CreateWindowExA(0, "GrabTestWindow", "Grab me",
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, x, y, width,
                                    height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(hwnd);
        return hwnd;
    }

    static CSize Grab(HWND hwnd, const char* path = "C:\\grab.jpg") {
        return WindowCapture().CaptureWindowToFile(path, CWnd::FromHandle(hwnd));
    }

    // Compares the decoded picture with the screen under the window rectangle. Pixels whose
    // neighbourhood on the screen is one flat colour must match closely (JPEG keeps flat areas;
    // it only blurs colour across edges); over the whole picture the error stays small.
    static void ExpectScreenPixels(const DecodedImage& image, const RECT& rect) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        ASSERT_EQ(width, image.width);
        ASSERT_EQ(height, image.height);
        long long totalError = 0;
        long long compared = 0;
        int flatChecked = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int sx = rect.left + x;
                const int sy = rect.top + y;
                if (winsim::ScreenPixel(sx, sy) == CLR_INVALID) {
                    continue; // off the screen: whatever the window's DC delivers
                }
                const COLORREF expected = AsCaptured(winsim::ScreenPixel(sx, sy));
                const uint8_t* got = &image.rgb[(static_cast<size_t>(y) * width + x) * 3];
                const int errors[3] = {std::abs(got[0] - GetRValue(expected)),
                                       std::abs(got[1] - GetGValue(expected)),
                                       std::abs(got[2] - GetBValue(expected))};
                totalError += errors[0] + errors[1] + errors[2];
                compared += 3;
                if (IsFlat(sx, sy, winsim::ScreenPixel(sx, sy))) {
                    ++flatChecked;
                    for (int c = 0; c < 3; ++c) {
                        ASSERT_LE(errors[c], 6) << "channel " << c << " at (" << x << ", " << y
                                                << "), screen colour " << std::hex << expected;
                    }
                }
            }
        }
        ASSERT_GT(compared, 0);
        EXPECT_GT(flatChecked, compared / 3 / 4) << "the picture has flat areas to compare";
        EXPECT_LT(static_cast<double>(totalError) / compared, 12.0) << "mean error per sample";
    }

    // The colour a screen pixel has in the picture: 16-bit pixels reach the file as 5-5-5
    // words widened to 8 bits per channel by the program's own table.
    static COLORREF AsCaptured(COLORREF screen) {
        if (winsim::Config().displayBits != 16) {
            return screen;
        }
        const WORD word = static_cast<WORD>((GetRValue(screen) >> 3) << 10 |
                                            (GetGValue(screen) >> 3) << 5 | GetBValue(screen) >> 3);
        const DWORD wide = WindowCapture::Expand555(word);
        return RGB((wide >> 16) & 0xFF, (wide >> 8) & 0xFF, wide & 0xFF);
    }

    static bool IsFlat(int sx, int sy, COLORREF colour) {
        for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
                if (winsim::ScreenPixel(sx + dx, sy + dy) != colour) {
                    return false;
                }
            }
        }
        return true;
    }
};

class WindowCaptureTest : public WindowCaptureBase, public testing::WithParamInterface<Depth> {
protected:
    void SetUp() override { Reset(GetParam()); }
};

TEST_P(WindowCaptureTest, TheFileShowsTheWholeWindowAsTheScreenDoes) {
    HWND hwnd = MakeWindow(37, 21, 203, 157);
    ASSERT_NE(hwnd, nullptr);
    RECT rect;
    GetWindowRect(hwnd, &rect);

    EXPECT_EQ(Grab(hwnd), CSize(203, 157));
    DecodedImage image;
    ASSERT_TRUE(DecodeJpeg(ReadHostFile("grab.jpg"), &image));
    ExpectScreenPixels(image, rect);
}

TEST_P(WindowCaptureTest, APartlyOffScreenWindowKeepsItsFullSize) {
    HWND hwnd = MakeWindow(-60, -25, 180, 140);
    ASSERT_NE(hwnd, nullptr);
    RECT rect;
    GetWindowRect(hwnd, &rect);

    EXPECT_EQ(Grab(hwnd), CSize(180, 140));
    DecodedImage image;
    ASSERT_TRUE(DecodeJpeg(ReadHostFile("grab.jpg"), &image));
    ExpectScreenPixels(image, rect);
}

INSTANTIATE_TEST_SUITE_P(Depths, WindowCaptureTest,
                         testing::Values(Depth{1, true}, Depth{4, true}, Depth{8, true},
                                         Depth{16, true}, Depth{16, false}, Depth{24, true},
                                         Depth{32, true}),
                         DepthName);

using WindowCaptureOutcomeTest = WindowCaptureBase;

TEST_F(WindowCaptureOutcomeTest, TheSizeIsReturnedEvenWhenTheFileCannotBeOpened) {
    Reset(Depth{32, true});
    HWND hwnd = MakeWindow(10, 10, 120, 90);
    EXPECT_EQ(Grab(hwnd, "C:\\no such folder\\grab.jpg"), CSize(120, 90));
    EXPECT_FALSE(HostFileExists("no such folder/grab.jpg"));
    EXPECT_EQ(Grab(hwnd, ""), CSize(120, 90));
}

TEST_F(WindowCaptureOutcomeTest, NoWindowGivesNoSizeAndNoFile) {
    Reset(Depth{32, true});
    WindowCapture capture;
    EXPECT_EQ(capture.CaptureWindowToFile("C:\\none.jpg", nullptr), CSize(0, 0));
    CWnd empty;
    EXPECT_EQ(capture.CaptureWindowToFile("C:\\none.jpg", &empty), CSize(0, 0));

    HWND hwnd = MakeWindow(10, 10, 120, 90);
    CWnd gone(hwnd);
    DestroyWindow(hwnd);
    EXPECT_EQ(capture.CaptureWindowToFile("C:\\none.jpg", &gone), CSize(0, 0));
    gone.m_hWnd = nullptr;
    EXPECT_FALSE(HostFileExists("none.jpg"));
}

TEST_F(WindowCaptureOutcomeTest, AnEmptyWindowRectangleGivesNoFile) {
    Reset(Depth{32, true});
    HWND hwnd = MakeWindow(10, 10, 0, 40);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(Grab(hwnd, "C:\\empty.jpg"), CSize(0, 0));
    EXPECT_FALSE(HostFileExists("empty.jpg"));
}

} // namespace
