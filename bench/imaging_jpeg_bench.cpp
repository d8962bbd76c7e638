// The capture path's cost on a full-HD 32-bit screen: the row conversion alone, the whole JPEG
// file output, and, as the reference, libjpeg-turbo's own encoder (TurboJPEG, 4:2:0, quality
// 100) on the same pixels. Both file outputs include writing the file.
#include "DesktopPicture.h"
#include "TurboJpegReference.h"
#include "imaging/WindowCapture.h"

#include <winsim/sim.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::kHeight;
using bench::kWidth;
using bench::ScreenDib;

const ScreenDib& Screen() {
    static const ScreenDib screen;
    return screen;
}

void BM_DibToRgbRows(benchmark::State& state) {
    const ScreenDib& screen = Screen();
    std::vector<BYTE> samples(static_cast<size_t>(kWidth) * kHeight * 3);
    std::vector<BYTE*> rows(kHeight);
    for (LONG y = 0; y < kHeight; ++y) {
        rows[y] = samples.data() + static_cast<size_t>(y) * kWidth * 3;
    }
    std::string error;
    for (auto _ : state) {
        if (!WindowCapture().DibToRgbRows(screen.Dib(), kWidth * 3, rows.data(), &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(samples.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kWidth) * kHeight * 4);
}
BENCHMARK(BM_DibToRgbRows)->Unit(benchmark::kMillisecond);

void BM_WriteJpeg(benchmark::State& state) {
    winsim::ResetDesktop();
    const ScreenDib& screen = Screen();
    std::string error;
    for (auto _ : state) {
        if (!WindowCapture().WriteJpeg(screen.Dib(), 100, "C:\\bench.jpg", &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::FILE* file = std::fopen((winsim::RootDir() + "/bench.jpg").c_str(), "rb");
    if (file != nullptr) {
        std::fseek(file, 0, SEEK_END);
        state.counters["file_bytes"] = static_cast<double>(std::ftell(file));
        std::fclose(file);
    }
}
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);

void BM_TurboJpegReference(benchmark::State& state) {
    winsim::ResetDesktop();
    const ScreenDib& screen = Screen();
    bench::MeasureTurboJpegReference(state, screen, winsim::RootDir() + "/reference.jpg");
}
BENCHMARK(BM_TurboJpegReference)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
