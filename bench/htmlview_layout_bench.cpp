// The browser control's layout of the main page with a capture list of N rows: rewriting the
// list (which only marks the layout out of date) against laying the page out again, and
// painting the page with its translucent rows.
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/PageLayout.h"
#include "htmlview/src/Utf.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace htmlview;
using namespace htmlview::internal;

std::string MainPage() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(104), MAKEINTRESOURCEA(23));
    HGLOBAL loaded = LoadResource(nullptr, found);
    return DecodePageBytes(static_cast<const unsigned char*>(LockResource(loaded)),
                           SizeofResource(nullptr, found));
}

WideString List(int rows) {
    std::string html = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" height=\"12pt\">"
                       "<th width=\"80px\">Capture time</th><th width=\"60%\">Text</th>"
                       "<th>Image</th></tr>";
    for (int i = 0; i < rows; ++i) {
        const std::string cls = i % 2 ? "odd" : "even";
        const std::string n = std::to_string(i);
        html += "<tr><td class=\"" + cls + "\" id=\"cat" + n + "\">12:34:56</td><td class=\"" +
                cls + "\" id=\"txt" + n + "\"><p><u>Titre</u></p>Une ligne<br/>Une autre</td>" +
                "<td class=\"" + cls + "\" id=\"img" + n + "\"><img src=\"file:///C:\\tmp\\" + n +
                ".jpg\" class=\"" + cls + "\" id=\"imt" + n +
                "\" width=\"120\" height=\"45\"/></td></tr>";
    }
    return FromUtf8(html + "</table>");
}

struct Page {
    Page() {
        winsim::ResetDesktop();
        layout = std::make_unique<PageLayout>([] {});
        bool quirks = false;
        layout->SetDocument(ParseDocument(MainPage(), &quirks), quirks);
        layout->SetViewportSize(SIZE{463, 353});
        layout->EnsureLayout();
    }
    std::unique_ptr<PageLayout> layout;
};

// What a capture costs the page: the list rewritten, nothing laid out yet.
void RewriteList(benchmark::State& state) {
    Page page;
    const WideString list = List(static_cast<int>(state.range(0)));
    DomNodePtr target = FindById(page.layout->root(), "tblTexts");
    for (auto _ : state) {
        target->SetInnerHtml(list);
    }
    state.counters["layouts"] = page.layout->layoutCount();
}
BENCHMARK(RewriteList)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// What the next paint or geometry question costs after a rewrite.
void RewriteAndLayOut(benchmark::State& state) {
    Page page;
    const WideString list = List(static_cast<int>(state.range(0)));
    DomNodePtr target = FindById(page.layout->root(), "tblTexts");
    for (auto _ : state) {
        target->SetInnerHtml(list);
        page.layout->EnsureLayout();
    }
}
BENCHMARK(RewriteAndLayOut)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// One paint of the laid-out page into an off-screen bitmap, as the window paints: the rows'
// backgrounds are mixed with the page's bitmap below them.
void PaintPage(benchmark::State& state) {
    Page page;
    FindById(page.layout->root(), "tblTexts")->SetInnerHtml(List(static_cast<int>(state.range(0))));
    page.layout->EnsureLayout();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 463, 353);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all = {0, 0, 463, 353};
    for (auto _ : state) {
        page.layout->Paint(dc, all);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(PaintPage)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
