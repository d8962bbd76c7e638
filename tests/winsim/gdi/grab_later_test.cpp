// A grab of the screen into a new bitmap is taken from the screen only when one of the two is
// next touched. Whatever happens first (the screen drawn over or reset, the bitmap drawn on,
// read out or deleted), the bitmap holds the screen as it was at the grab.
#include "gdi_fixture.h"

#include <winsim/sim_gdi.h>

#include <vector>

namespace {

constexpr int kW = 64, kH = 40, kX = 30, kY = 20;

class GrabLater : public testing::TestWithParam<Depth> {
protected:
    void SetUp() override {
        ResetAtDepth(GetParam());
        screen_ = GetDC(nullptr);
        // Stripes of several colours where the grabs are taken.
        for (int i = 0; i < 12; ++i) {
            HBRUSH b = CreateSolidBrush(RGB(i * 20, 255 - i * 20, (i * 97) % 256));
            RECT r{kX - 5 + i * 7, kY - 5, kX + 2 + i * 7, kY + kH + 5};
            FillRect(screen_, &r, b);
            DeleteObject(b);
        }
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                before_.push_back(GetPixel(screen_, kX + x, kY + y));
            }
        }
    }
    void TearDown() override { ReleaseDC(nullptr, screen_); }

    void Grab(HDC into) { EXPECT_TRUE(BitBlt(into, 0, 0, kW, kH, screen_, kX, kY, SRCCOPY)); }
    void PaintScreenOver(int stockBrush = BLACK_BRUSH) {
        RECT r{0, 0, 400, 300};
        FillRect(screen_, &r, static_cast<HBRUSH>(GetStockObject(stockBrush)));
    }
    // The grab as the screen showed it, pixel by pixel, except inside `drawn`.
    void ExpectBefore(HDC grab, const RECT& drawn = RECT{}) {
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (x >= drawn.left && x < drawn.right && y >= drawn.top && y < drawn.bottom) {
                    continue;
                }
                ASSERT_EQ(GetPixel(grab, x, y), before_[y * kW + x]) << x << "," << y;
            }
        }
    }
    std::vector<uint8_t> Bits(HDC dc, HBITMAP bitmap) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = kW;
        bi.bmiHeader.biHeight = kH;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<uint8_t> bytes(kW * kH * 4);
        EXPECT_EQ(GetDIBits(dc, bitmap, 0, kH, bytes.data(), &bi, DIB_RGB_COLORS), kH);
        return bytes;
    }

    HDC screen_ = nullptr;
    std::vector<COLORREF> before_;
};

TEST_P(GrabLater, TheGrabKeepsTheScreenOfItsMomentWhateverComesFirst) {
    {
        SCOPED_TRACE("read out straight, then again once taken from the screen");
        Canvas grab(kW, kH);
        Grab(grab.dc);
        const std::vector<uint8_t> straight = Bits(grab.dc, grab.bitmap);
        EXPECT_EQ(GetPixel(grab.dc, 0, 0), before_[0]);
        EXPECT_EQ(Bits(grab.dc, grab.bitmap), straight);
        ExpectBefore(grab.dc);
    }
    {
        SCOPED_TRACE("the grab drawn on: the screen stays as it is");
        Canvas grab(kW, kH);
        Grab(grab.dc);
        const RECT drawn{4, 4, 10, 9};
        FillRect(grab.dc, &drawn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(GetPixel(grab.dc, 5, 5), RGB(0, 0, 0));
        ExpectBefore(grab.dc, drawn);
        EXPECT_EQ(GetPixel(screen_, kX + 5, kY + 5), before_[5 * kW + 5]);
    }
    {
        SCOPED_TRACE("two grabs, then the screen drawn over");
        Canvas first(kW, kH), second(kW, kH);
        Grab(first.dc);
        Grab(second.dc);
        const std::vector<uint8_t> straight = [&] {
            Canvas probe(kW, kH);
            Grab(probe.dc);
            return Bits(probe.dc, probe.bitmap);
        }();
        PaintScreenOver();
        EXPECT_EQ(GetPixel(screen_, kX, kY), RGB(0, 0, 0));
        EXPECT_EQ(Bits(second.dc, second.bitmap), straight);
        ExpectBefore(first.dc);
    }
    {
        SCOPED_TRACE("the grab gone before the screen changes");
        {
            Canvas grab(kW, kH);
            Grab(grab.dc);
        }
        PaintScreenOver(WHITE_BRUSH);
        EXPECT_NE(GetPixel(screen_, kX + 1, kY + 1), RGB(0, 0, 0));
    }
}

// A DIB section's bytes are the program's to read at any time: they hold the grab at once. The
// section has the display's format where it needs no colour table.
TEST_P(GrabLater, ADibSectionHoldsTheGrabAtOnce) {
    const int depth = GetParam().bits >= 16 ? GetParam().bits : 32;
    struct {
        BITMAPINFOHEADER h;
        DWORD masks[3];
    } bi{};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = kW;
    bi.h.biHeight = -kH;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = static_cast<WORD>(depth);
    if (depth == 16 && GetParam().is565) {
        bi.h.biCompression = BI_BITFIELDS;
        bi.masks[0] = 0xF800;
        bi.masks[1] = 0x07E0;
        bi.masks[2] = 0x001F;
    }
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(screen_);
    HBITMAP dib =
        CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    Grab(dc);
    const size_t size = static_cast<size_t>((kW * depth + 31) / 32 * 4) * kH;
    const std::vector<uint8_t> atOnce(static_cast<uint8_t*>(bits),
                                      static_cast<uint8_t*>(bits) + size);
    PaintScreenOver();
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + size),
              atOnce);
    ExpectBefore(dc);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
}

// A desktop reset takes the screen and every bitmap, in whatever order: nothing is left
// pointing at either.
TEST_P(GrabLater, ADesktopResetWithAGrabPendingLeavesNothingBehind) {
    HDC dc = CreateCompatibleDC(screen_);
    HBITMAP grab = CreateCompatibleBitmap(screen_, kW, kH);
    SelectObject(dc, grab);
    Grab(dc);
    ReleaseDC(nullptr, screen_);
    ResetAtDepth(GetParam());
    screen_ = GetDC(nullptr);
    PaintScreenOver();
    EXPECT_EQ(GetPixel(screen_, kX, kY), RGB(0, 0, 0));
}

// At 8 bits and more, a grab that fills its bitmap is left in the screen; 1 and 4 bits copy at
// once, and must read the same.
INSTANTIATE_TEST_SUITE_P(Depths, GrabLater, testing::ValuesIn(kAllDepths), DepthName);

} // namespace
