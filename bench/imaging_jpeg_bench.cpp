// The capture path's cost on a full-HD 32-bit screen: the row conversion alone, the whole JPEG
// file output, and, as the reference, libjpeg-turbo's own encoder (TurboJPEG, 4:2:0, quality
// 100) on the same pixels. Both file outputs include writing the file.
#include "imaging/WindowCapture.h"

#include <winsim/sim.h>

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr LONG kWidth = 1920;
constexpr LONG kHeight = 1080;

// A packed 32-bit DIB that looks like a desktop: a gradient background, overlapping windows
// with gradient title bars, light client areas with lines of small dark glyphs, and buttons.
class ScreenDib {
public:
    ScreenDib() : words_(sizeof(BITMAPINFOHEADER) / 4 + static_cast<size_t>(kWidth) * kHeight) {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = kWidth;
        header.biHeight = kHeight;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biSizeImage = kWidth * kHeight * 4;
        std::memcpy(words_.data(), &header, sizeof header);
        Paint();
    }

    const BITMAPINFOHEADER* Dib() const {
        return reinterpret_cast<const BITMAPINFOHEADER*>(words_.data());
    }
    // The stored rows, bottom row first.
    const BYTE* Pixels() const {
        return reinterpret_cast<const BYTE*>(words_.data()) + sizeof(BITMAPINFOHEADER);
    }

private:
    DWORD& At(LONG x, LONG y) { // y from the top
        return words_[sizeof(BITMAPINFOHEADER) / 4 + static_cast<size_t>(kHeight - 1 - y) * kWidth +
                      x];
    }
    void Rect(LONG left, LONG top, LONG right, LONG bottom, DWORD colour) {
        for (LONG y = top; y < bottom && y < kHeight; ++y) {
            for (LONG x = left; x < right && x < kWidth; ++x) {
                At(x, y) = colour;
            }
        }
    }
    uint32_t Next() { return seed_ = seed_ * 1664525u + 1013904223u; }

    void Window(LONG left, LONG top, LONG right, LONG bottom) {
        Rect(left, top, right, bottom, 0xD4D0C8);
        for (LONG x = left + 3; x < right - 3; ++x) {
            const DWORD blue = 0x80 + 0x7F * (x - left) / (right - left);
            const DWORD colour =
                (0x0A << 16) | (0x24 + (x - left) * 0x60 / (right - left)) << 8 | blue;
            for (LONG y = top + 3; y < top + 22; ++y) {
                At(x, y) = colour;
            }
        }
        Rect(left + 6, top + 26, right - 6, bottom - 40, 0xFFFFFF);
        // Lines of text: glyph cells of 7 x 12 with a few dark strokes each.
        for (LONG line = top + 32; line + 12 < bottom - 44; line += 16) {
            const LONG lineEnd = left + 12 + static_cast<LONG>(Next() % (right - left - 24));
            for (LONG cell = left + 12; cell + 7 < lineEnd; cell += 7) {
                if (Next() % 6 == 0) {
                    continue; // a blank between words
                }
                for (int stroke = 0; stroke < 9; ++stroke) {
                    const uint32_t r = Next();
                    At(cell + static_cast<LONG>(r % 6), line + static_cast<LONG>((r >> 8) % 11)) =
                        0x202020 + (r >> 24) % 0x30 * 0x010101;
                }
            }
        }
        for (LONG b = 0; b < 2; ++b) {
            const LONG bl = right - 180 + b * 88;
            Rect(bl, bottom - 34, bl + 80, bottom - 10, 0x404040);
            Rect(bl + 1, bottom - 33, bl + 79, bottom - 11, 0xE8E4DC);
        }
    }

    void Paint() {
        for (LONG y = 0; y < kHeight; ++y) {
            for (LONG x = 0; x < kWidth; ++x) {
                At(x, y) = (0x3A + y * 0x30 / kHeight) << 16 | (0x6E + x * 0x20 / kWidth) << 8 |
                           (0xA5 + (x + y) * 0x30 / (kWidth + kHeight));
            }
        }
        Window(80, 60, 1100, 800);
        Window(700, 240, 1780, 1000);
        Window(300, 500, 900, 760);
        Rect(0, kHeight - 30, kWidth, kHeight, 0xD4D0C8); // task bar
    }

    std::vector<DWORD> words_;
    uint32_t seed_ = 12345;
};

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
    const std::string path = winsim::RootDir() + "/reference.jpg";
    tjhandle encoder = tjInitCompress();
    unsigned long size = 0;
    for (auto _ : state) {
        unsigned char* jpeg = nullptr;
        size = 0;
        if (tjCompress2(encoder, screen.Pixels(), kWidth, kWidth * 4, kHeight, TJPF_BGRX, &jpeg,
                        &size, TJSAMP_420, 100, TJFLAG_BOTTOMUP) != 0) {
            state.SkipWithError(tjGetErrorStr2(encoder));
            tjFree(jpeg);
            break;
        }
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(jpeg, 1, size, file);
        std::fclose(file);
        tjFree(jpeg);
    }
    state.counters["file_bytes"] = static_cast<double>(size);
    tjDestroy(encoder);
}
BENCHMARK(BM_TurboJpegReference)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
