// Cost of the menu icon pixel effects, which run every time the entry popup opens: the
// background key on the 80 x 15 toolbar strip, and the three variants of one 16 x 15 icon.
#include "menu/DisabledIcon.h"
#include "menu/IconVariants.h"

#include <winsim/sim.h>

#include <benchmark/benchmark.h>

namespace {

// A screen-compatible bitmap with a light-grey background and a dark diagonal band.
HBITMAP MakeIconStrip(int width, int height) {
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HGDIOBJ replaced = SelectObject(dc, bitmap);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const bool band = (x + y) % 16 < 6;
            SetPixel(dc, x, y, band ? RGB(40, 60, 120) : RGB(192, 192, 192));
        }
    }
    SelectObject(dc, replaced);
    DeleteDC(dc);
    return bitmap;
}

void SetUpDesktop(int displayBits) {
    winsim::DesktopConfig config;
    config.displayBits = displayBits;
    winsim::ResetDesktop(config);
}

void BM_ReplaceBackgroundOnToolbarStrip(benchmark::State& state) {
    SetUpDesktop(static_cast<int>(state.range(0)));
    HBITMAP strip = MakeIconStrip(80, 15);
    for (auto _ : state) {
        // After the first pass nothing is light grey any more; the visit costs the same.
        benchmark::DoNotOptimize(ReplaceBackground(strip));
    }
    DeleteObject(strip);
}
BENCHMARK(BM_ReplaceBackgroundOnToolbarStrip)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_ThreeVariantsOfOneIcon(benchmark::State& state) {
    SetUpDesktop(static_cast<int>(state.range(0)));
    HBITMAP faded = MakeIconStrip(16, 15);
    HBITMAP shadow = MakeIconStrip(16, 15);
    HBITMAP disabled = MakeIconStrip(16, 15);
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeFadedImage(faded));
        benchmark::DoNotOptimize(MakeShadowImage(shadow));
        benchmark::DoNotOptimize(MakeDisabledImage(disabled, 0));
    }
    DeleteObject(faded);
    DeleteObject(shadow);
    DeleteObject(disabled);
}
BENCHMARK(BM_ThreeVariantsOfOneIcon)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_DrawEmbossedIcon(benchmark::State& state) {
    SetUpDesktop(static_cast<int>(state.range(0)));
    HBITMAP icon = MakeIconStrip(16, 15);
    HBITMAP target = MakeIconStrip(40, 40);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ replaced = SelectObject(dc, target);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawEmbossed(dc, 4, 4, 16, 15, icon, GetSysColor(COLOR_MENU)));
    }
    SelectObject(dc, replaced);
    DeleteDC(dc);
    DeleteObject(target);
    DeleteObject(icon);
}
BENCHMARK(BM_DrawEmbossedIcon)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
