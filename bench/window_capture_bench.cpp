// One window capture on a full-HD 32-bit display: a 1920 x 1080 window showing a desktop-like
// picture is grabbed into a JPEG file (CaptureWindowToFile), beside the reference encoding of
// the very same pixels by libjpeg-turbo's own encoder (TurboJPEG, 4:2:0, quality 100, file
// written). The stages of the grab are measured on their own too, to show where the time goes:
// the copy out of the window's DC, the conversion of the bitmap into a DIB, the JPEG output.
#include "PictureWindow.h"
#include "TurboJpegReference.h"
#include "framework/CGdiObject.h"
#include "framework/CWnd.h"
#include "imaging/WindowCapture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using bench::kHeight;
using bench::kWidth;
using bench::ScreenDib;

using bench::Picture;

// A fresh full-HD desktop with the picture window in front.
HWND ShowPictureWindow() {
    bench::ResetFullHdDesktop();
    return bench::ShowPictureWindow();
}

void CountFileBytes(benchmark::State& state, const std::string& hostPath) {
    if (std::FILE* file = std::fopen(hostPath.c_str(), "rb")) {
        std::fseek(file, 0, SEEK_END);
        state.counters["file_bytes"] = static_cast<double>(std::ftell(file));
        std::fclose(file);
    }
}

void BM_CaptureWindowToFile(benchmark::State& state) {
    HWND hwnd = ShowPictureWindow();
    CWnd window(hwnd);
    for (auto _ : state) {
        const CSize size = WindowCapture().CaptureWindowToFile("C:\\capture.jpg", &window);
        if (size != CSize(kWidth, kHeight)) {
            state.SkipWithError("the window was not grabbed whole");
            break;
        }
    }
    window.m_hWnd = nullptr;
    CountFileBytes(state, winsim::RootDir() + "/capture.jpg");
}
BENCHMARK(BM_CaptureWindowToFile)->Unit(benchmark::kMillisecond);

void BM_TurboJpegReference(benchmark::State& state) {
    ShowPictureWindow();
    const ScreenDib& picture = Picture();
    bench::MeasureTurboJpegReference(state, picture, winsim::RootDir() + "/reference.jpg");
}
BENCHMARK(BM_TurboJpegReference)->Unit(benchmark::kMillisecond);

// Stage 1: the window's pixels copied into a compatible bitmap.
void BM_StageBlitFromWindowDc(benchmark::State& state) {
    HWND hwnd = ShowPictureWindow();
    HDC windowDc = GetWindowDC(hwnd);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, kWidth, kHeight);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    for (auto _ : state) {
        BitBlt(memoryDc, 0, 0, kWidth, kHeight, windowDc, 0, 0, SRCCOPY);
    }
    SelectObject(memoryDc, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(hwnd, windowDc);
}
BENCHMARK(BM_StageBlitFromWindowDc)->Unit(benchmark::kMillisecond);

// Stage 2: the bitmap turned into a packed DIB in global memory.
void BM_StageBitmapToDib(benchmark::State& state) {
    HWND hwnd = ShowPictureWindow();
    HDC windowDc = GetWindowDC(hwnd);
    CBitmap bitmap;
    bitmap.Attach(CreateCompatibleBitmap(windowDc, kWidth, kHeight));
    ReleaseDC(hwnd, windowDc);
    for (auto _ : state) {
        BITMAPINFOHEADER* dib = WindowCapture().BitmapToDib(bitmap, BI_RGB, nullptr);
        if (dib == nullptr) {
            state.SkipWithError("no DIB");
            break;
        }
        GlobalFree(dib);
    }
}
BENCHMARK(BM_StageBitmapToDib)->Unit(benchmark::kMillisecond);

// Stage 3: the DIB written as a JPEG file.
void BM_StageWriteJpeg(benchmark::State& state) {
    ShowPictureWindow();
    std::string error;
    for (auto _ : state) {
        if (!WindowCapture().WriteJpeg(Picture().Dib(), 100, "C:\\stage.jpg", &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_StageWriteJpeg)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
