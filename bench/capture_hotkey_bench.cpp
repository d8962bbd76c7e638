// One whole capture, from the hot-key to the clipboard, of a 1920 x 1080 window on a 32-bit
// display, with an empty capture list and with 10,000 entries in it (and the new ones after
// them), beside the reference encoding of the very same pixels by libjpeg-turbo's own encoder
// (TurboJPEG, 4:2:0, quality 100, file written). The program runs on the simulated desktop; the
// hot-key message reaches its main dialog while the dialog waits for input. A counter gives the
// grab alone, to show where the time goes.
//
// Both sides are bound by memory, and on a shared machine its speed drifts within seconds:
// compare a capture with the reference on repetitions that alternate, and take the medians:
//   capture_hotkey_bench --benchmark_repetitions=8 --benchmark_enable_random_interleaving=true
// Not right after the list benchmark either: for a minute after it, while the machine gives back
// what that one took, a capture measures up to a fifth slower against the reference.
#include "ListFill.h"
#include "PictureWindow.h"
#include "TurboJpegReference.h"
#include "app/QuilloryTextApp.h"
#include "imaging/WindowCapture.h"
#include "list/CaptureEntry.h"
#include "ui/QuilloryTextDlg.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <string>

namespace {

using bench::kHeight;
using bench::kWidth;
using bench::ScreenDib;

using bench::Picture;
using bench::ResetFullHdDesktop;
using bench::ShowPictureWindow;

// Entries as earlier captures of small message boxes leave them: a text of two lines and a
// picture file of their own (a small JPEG, copied once per entry).
void Prefill(CQuilloryTextDlg& dialog, int count) {
    if (count == 0) {
        return;
    }
    const std::string prefix = bench::PrefillPathPrefix();

    HWND small = CreateWindowExA(0, "BenchPicture", "Small", WS_POPUP | WS_VISIBLE, 0, 0, 240, 120,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(small);
    const std::string seed = prefix + "-seed.jpg";
    CWnd smallWindow(small);
    WindowCapture().CaptureWindowToFile(seed.c_str(), &smallWindow);
    smallWindow.m_hWnd = nullptr;
    DestroyWindow(small);

    std::vector<CaptureEntry*> entries;
    for (int i = 0; i < count; ++i) {
        const std::string path = prefix + std::to_string(i) + ".jpg";
        CopyFileA(seed.c_str(), path.c_str(), FALSE);
        const std::string text = "Le fichier " + std::to_string(i) +
                                 " a \xE9t\xE9 enregistr\xE9.\nVoulez-vous continuer ?";
        entries.push_back(new CaptureEntry(text.c_str(), path.c_str(), 240, 120));
    }
    DeleteFileA(seed.c_str());
    dialog.AppendEntries(std::move(entries));
}

// The processor time of this thread that `work` takes, in seconds, measured as the benchmark
// library measures its CPU time: the machine is shared, so wall-clock time says little.
double ThreadCpuSeconds() {
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work> double CpuSecondsOf(Work work) {
    const double start = ThreadCpuSeconds();
    work();
    return ThreadCpuSeconds() - start;
}

// Runs the program; once its main dialog waits for input, fills the list, puts the picture
// window in front and measures one hot-key press per iteration. An empty list gets its new
// entry taken out again (untimed), so every capture meets an empty list. A long list keeps its
// new entries and grows by one per capture, as it does in use: taking an entry out of it would
// make the browser control parse the whole table anew, which no capture does, and would leave
// its traces in the caches for the next capture.
void MeasureWholeCapture(benchmark::State& state, int entries) {
    ResetFullHdDesktop();
    winsim::ScriptPush("capture the picture window", [&state, entries] {
        CQuilloryTextDlg* dialog = DYNAMIC_DOWNCAST(CQuilloryTextDlg, AfxGetMainWnd());
        if (dialog == nullptr) {
            state.SkipWithError("the main dialog is not running");
            return;
        }
        Prefill(*dialog, entries);
        HWND picture = ShowPictureWindow();
        const bool keepNewEntries = entries > 0;
        size_t expected = static_cast<size_t>(entries) + 1;
        double grabSeconds = 0;
        for (auto _ : state) {
            // The platform's message for the pressed hot-key (Alt+C), handled at once.
            SendMessageA(dialog->m_hWnd, WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, 'C'));
            state.PauseTiming();
            const int count = dialog->GetEntryCount();
            if (static_cast<size_t>(count) != expected ||
                dialog->GetEntryAt(count - 1)->m_nWidth != kWidth) {
                state.SkipWithError("the capture made no full-HD entry");
                state.ResumeTiming();
                break;
            }
            if (keepNewEntries) {
                ++expected;
            } else {
                dialog->SelectEntry(count - 1);
                dialog->RemoveSelectedEntry();
            }
            // Where the time goes: the grab alone once more, outside the measured time; the
            // rest of a capture is mostly the list.
            const std::string spare = "C:\\spare" + std::to_string(state.iterations()) + ".jpg";
            grabSeconds += CpuSecondsOf([&] {
                WindowCapture().CaptureWindowToFile(spare.c_str(), CWnd::FromHandle(picture));
            });
            DeleteFileA(spare.c_str());
            state.ResumeTiming();
        }
        state.counters["entries"] = entries;
        state.counters["entries_at_end"] = static_cast<double>(dialog->GetEntryCount());
        if (state.iterations() > 0) {
            const double n = static_cast<double>(state.iterations());
            state.counters["grab_cpu_ms"] = grabSeconds * 1000 / n;
        }
        // The picture window covers the main window's close box.
        DestroyWindow(picture);
        winsim::ClickCaptionButton(dialog->m_hWnd, HTCLOSE);
    });
    try {
        VerbacapRun();
    } catch (const winsim::ScriptExhausted& e) {
        state.SkipWithError(e.what());
    }
    winsim::ScriptClear();
}

void BM_WholeCaptureEmptyList(benchmark::State& state) {
    MeasureWholeCapture(state, 0);
}
BENCHMARK(BM_WholeCaptureEmptyList)->Unit(benchmark::kMillisecond);

void BM_WholeCapture10000Entries(benchmark::State& state) {
    MeasureWholeCapture(state, 10000);
}
BENCHMARK(BM_WholeCapture10000Entries)->Unit(benchmark::kMillisecond);

void BM_TurboJpegReference(benchmark::State& state) {
    ResetFullHdDesktop();
    const ScreenDib& picture = Picture();
    bench::MeasureTurboJpegReference(state, picture, winsim::RootDir() + "/reference.jpg");
}
BENCHMARK(BM_TurboJpegReference)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
