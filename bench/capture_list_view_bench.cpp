// What the person waits for while the main window is on the screen: from the hot-key to the
// main window repainted with the new row, and from the delete command to the list repainted
// without the entry, and from the pointer moving onto another row to the rows repainted in their
// new colours, for lists of 0, 1,000 and 10,000 entries. The list stays scrolled as the
// program leaves it (at the top). Counters give the heap that the list holds once it is shown
// (its first layout measures every row), the heap after the measured actions, and the process's
// peak resident memory.
//
// The captured window is another program's small message box beside the main window, so the
// main window stays visible and really paints.
#include "ListFill.h"
#include "app/QuilloryTextApp.h"
#include "htmlview/HtmlView.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

LRESULT CALLBACK MessageBoxLikeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        static const char kText[] = "Le fichier a \xE9t\xE9 enregistr\xE9.";
        TextOutA(dc, 12, 20, kText, static_cast<int>(std::strlen(kText)));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Another program's message box, in the lower right corner, clear of the main window.
HWND ShowMessageBoxLike() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MessageBoxLikeProc;
    wc.lpszClassName = "BenchMessageBox";
    wc.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&wc);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = CreateWindowExA(0, "BenchMessageBox", "Enregistrement",
                                WS_POPUP | WS_CAPTION | WS_VISIBLE, width - 330, height - 200, 300,
                                140, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    return hwnd;
}

// The browser control that shows the main page.
HWND PageView(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (htmlview::HtmlViewFromWindow(child) != nullptr) {
            return child;
        }
    }
    return nullptr;
}

double HeapMegabytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The process's peak resident memory (VmHWM), in megabytes.
double PeakResidentMegabytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return 0;
    }
    char line[256];
    double megabytes = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        unsigned long kilobytes = 0;
        if (std::sscanf(line, "VmHWM: %lu kB", &kilobytes) == 1) {
            megabytes = static_cast<double>(kilobytes) / 1024.0;
        }
    }
    std::fclose(status);
    return megabytes;
}

enum class Action { Capture, Delete, Hover };

// The processor time of this thread, in milliseconds, as the benchmark library measures it.
double ThreadCpuMilliseconds() {
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// The middle of an element of the page, in the view's client coordinates.
POINT ElementCentre(HWND view, const char* id) {
    htmlview::HtmlView* page = htmlview::HtmlViewFromWindow(view);
    RECT box = {};
    if (page != nullptr) {
        const htmlview::ElementPtr element =
            page->GetElementById(htmlview::WideString(id, id + std::strlen(id)));
        if (element) {
            page->GetElementClientRect(element, &box);
        }
    }
    return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// Runs the program with its main window shown; once the dialog waits for input, fills the list,
// paints it, makes one change untimed, and measures one action per iteration up to the
// repainted window. A capture into an empty list has its entry taken out again (untimed), so
// that every capture meets an empty list; a longer list keeps its new entries, as it does in
// use. A deletion takes out the middle entry.
void MeasureWithVisibleList(benchmark::State& state, Action action) {
    const int entries = static_cast<int>(state.range(0));
    bench::ResetDesktopForList();
    winsim::ScriptPush("act on the shown list", [&state, entries, action] {
        CQuilloryTextDlg* dialog = DYNAMIC_DOWNCAST(CQuilloryTextDlg, AfxGetMainWnd());
        HWND view = dialog != nullptr ? PageView(dialog->m_hWnd) : nullptr;
        if (view == nullptr) {
            state.SkipWithError("the main dialog does not show its page");
            return;
        }
        HWND box = ShowMessageBoxLike();
        UpdateWindow(view);
        const double heapBefore = HeapMegabytes();
        bench::FillList(*dialog, entries, box);
        UpdateWindow(view);
        const double listHeap = HeapMegabytes() - heapBefore;
        size_t expected = static_cast<size_t>(entries);
        int hovered = 0;
        // Where the time goes: the action up to the page changed, and the repaint after it.
        double actionMs = 0;
        double repaintMs = 0;
        // One capture or deletion up to the repainted window; false when it went wrong.
        const auto act = [&] {
            const double start = ThreadCpuMilliseconds();
            if (action == Action::Capture) {
                SendMessageA(dialog->m_hWnd, WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, 'C'));
                ++expected;
            } else {
                dialog->SelectEntry(dialog->GetEntryCount() / 2);
                dialog->RemoveSelectedEntry();
                --expected;
            }
            const double changed = ThreadCpuMilliseconds();
            UpdateWindow(view);
            actionMs += changed - start;
            repaintMs += ThreadCpuMilliseconds() - changed;
            return static_cast<size_t>(dialog->GetEntryCount()) == expected &&
                   !GetUpdateRect(view, nullptr, FALSE);
        };
        // What is left to do between two measured actions, untimed.
        const auto settle = [&] {
            if (action == Action::Capture && entries == 0) {
                dialog->SelectEntry(dialog->GetEntryCount() - 1);
                dialog->RemoveSelectedEntry();
                UpdateWindow(view);
                --expected;
            }
            SetForegroundWindow(box);
            // A person presses the hot-key a few times a second at most, and the program names
            // its picture files by the tick count: time passes between two captures.
            Sleep(500);
        };
        // The list was filled at once, which the program never does: the first change after
        // the fill lays out what the fill's own layout left, and is counted apart. The pointer
        // moves over a list that a capture has changed since, as it does in use.
        double firstMs = 0;
        if (entries > 0) {
            if (action == Action::Hover) {
                const double start = ThreadCpuMilliseconds();
                SendMessageA(dialog->m_hWnd, WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, 'C'));
                UpdateWindow(view);
                firstMs = ThreadCpuMilliseconds() - start;
                SetForegroundWindow(box);
            } else {
                act();
                firstMs = actionMs + repaintMs;
                actionMs = repaintMs = 0;
                settle();
            }
        }
        // The time cells: plain text with the row's class, so that the row lights up (the text
        // cells hold the entries' markup, and an element of it without a class does not).
        const POINT rows[2] = {ElementCentre(view, "cat0"), ElementCentre(view, "cat1")};
        for (auto _ : state) {
            if (action == Action::Hover) {
                // The pointer goes from one row to the next: both change colour.
                hovered = 1 - hovered;
                SendMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(rows[hovered].x, rows[hovered].y));
                const bool lit = GetUpdateRect(view, nullptr, FALSE) != FALSE;
                UpdateWindow(view);
                if (!lit) {
                    state.SkipWithError("the rows did not change colour");
                    break;
                }
                continue;
            }
            const bool done = act();
            state.PauseTiming();
            if (!done) {
                state.SkipWithError("the list did not change, or the window was not repainted");
                state.ResumeTiming();
                break;
            }
            if (action == Action::Delete && dialog->GetEntryCount() == 0) {
                state.SkipWithError("the list ran out of entries");
                state.ResumeTiming();
                break;
            }
            settle();
            state.ResumeTiming();
        }
        if (firstMs > 0) {
            state.counters["first_after_fill_ms"] = firstMs;
        }
        state.counters["entries"] = entries;
        if (action != Action::Hover && state.iterations() > 0) {
            const double n = static_cast<double>(state.iterations());
            state.counters["action_ms"] = actionMs / n;
            state.counters["repaint_ms"] = repaintMs / n;
        }
        state.counters["list_heap_mb"] = listHeap;
        // Once the list has been changed and laid out again, as it stays in use.
        state.counters["heap_after_mb"] = HeapMegabytes() - heapBefore;
        state.counters["peak_rss_mb"] = PeakResidentMegabytes();
        DestroyWindow(box);
        winsim::ClickCaptionButton(dialog->m_hWnd, HTCLOSE);
    });
    try {
        VerbacapRun();
    } catch (const winsim::ScriptExhausted& e) {
        state.SkipWithError(e.what());
    }
    winsim::ScriptClear();
}

void BM_CaptureVisibleList(benchmark::State& state) {
    MeasureWithVisibleList(state, Action::Capture);
}
BENCHMARK(BM_CaptureVisibleList)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteFromVisibleList(benchmark::State& state) {
    MeasureWithVisibleList(state, Action::Delete);
}
BENCHMARK(BM_DeleteFromVisibleList)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

// The pointer moving over the list: the rows under it light up, the one it left goes back.
void BM_HoverVisibleList(benchmark::State& state) {
    MeasureWithVisibleList(state, Action::Hover);
}
BENCHMARK(BM_HoverVisibleList)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
