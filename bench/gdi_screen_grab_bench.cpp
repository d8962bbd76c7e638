// The GDI work of one window capture at each display depth: copying a 640 x 480 window from the
// screen into a compatible bitmap, and converting that bitmap to a DIB in the display's format
// (the two steps the screen grab makes before any JPEG work).
#include <platform/win32.h>
#include <winsim/sim.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void SetUpDesktop(int bits) {
    winsim::DesktopConfig config;
    config.displayBits = bits;
    winsim::ResetDesktop(config);
    // Something other than a flat colour on the screen.
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 64; ++i) {
        HBRUSH b = CreateSolidBrush(RGB(i * 4, 255 - i * 4, (i * 37) & 255));
        RECT r{i * 10, i * 7, i * 10 + 200, i * 7 + 150};
        FillRect(screen, &r, b);
        DeleteObject(b);
    }
    ReleaseDC(nullptr, screen);
}

void BM_BlitWindowFromScreen(benchmark::State& state) {
    SetUpDesktop(static_cast<int>(state.range(0)));
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (auto _ : state) {
        BitBlt(mem, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

void BM_BitmapToDisplayFormatDib(benchmark::State& state) {
    const int bits = static_cast<int>(state.range(0));
    SetUpDesktop(bits);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, kWidth, kHeight);
    const int colours = bits <= 8 ? 1 << bits : 0;
    std::vector<uint8_t> block(40 + 4 * colours + static_cast<size_t>(kWidth) * 4 * kHeight);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    for (auto _ : state) {
        info->bmiHeader = BITMAPINFOHEADER{
            40, kWidth, kHeight, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(screen, bmp, 0, kHeight, nullptr, info, DIB_RGB_COLORS);
        benchmark::DoNotOptimize(GetDIBits(screen, bmp, 0, kHeight, block.data() + 40 + 4 * colours,
                                           info, DIB_RGB_COLORS));
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    DeleteObject(bmp);
    ReleaseDC(nullptr, screen);
}

BENCHMARK(BM_BlitWindowFromScreen)
    ->Arg(8)
    ->Arg(16)
    ->Arg(24)
    ->Arg(32)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BitmapToDisplayFormatDib)
    ->Arg(8)
    ->Arg(16)
    ->Arg(24)
    ->Arg(32)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
