// The capture list's table is rebuilt whole after every capture and every deletion: how long
// building it takes as the list grows, and what taking script out of a captured text costs.
#include "list/CaptureListHtml.h"
#include "list/MarkupNeutraliser.h"

#include <winsim/sim.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A whole-dialog capture as the list stores it: the title, then a few control texts.
std::string DialogText(int n) {
    return "<p><u>Erreur de l'application " + std::to_string(n) +
           "</u></p>Le fichier C:\\Documents and Settings\\user\\rapport.doc est introuvable."
           "<br/>V\xE9"
           "rifiez le nom du fichier et r\xE9"
           "essayez.<br/>OK<br/>Annuler<br/>Aide<br/>";
}

class EntryList {
public:
    explicit EntryList(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string path =
                "C:\\Program Files\\Verbacap\\tmp\\" + std::to_string(0x1000 + i) + ".jpg";
            entries.push_back(new CaptureEntry(DialogText(i).c_str(), path.c_str(), 640, 480));
        }
    }
    ~EntryList() {
        for (CaptureEntry* entry : entries) {
            // The files do not exist; the path is cleared so the destructor deletes nothing.
            entry->m_strImagePath.Empty();
            delete entry;
        }
    }
    std::vector<CaptureEntry*> entries;
};

void BM_BuildCaptureListHtml(benchmark::State& state) {
    winsim::ResetDesktop();
    EntryList list(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        CString html = BuildCaptureListHtml(list.entries);
        bytes = static_cast<size_t>(html.GetLength());
        benchmark::DoNotOptimize(html);
    }
    state.counters["html_bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildCaptureListHtml)->RangeMultiplier(10)->Range(1, 1000)->Complexity();

void BM_NeutraliseMarkup(benchmark::State& state) {
    winsim::ResetDesktop();
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0))) {
        text += DialogText(static_cast<int>(text.size())) +
                "<a href='javascript:x()' onclick=y()>lien</a><b>gras</b> 1 < 2 ";
    }
    const CString captured(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(NeutraliseMarkup(captured));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_NeutraliseMarkup)->Arg(256)->Arg(4096)->Arg(65536);

// Hostile texts: '<' that never closes (each could start a tag reaching to the end), and
// formatting nested without end. The time per byte must not grow with the size.
void BM_NeutraliseHostileMarkup(benchmark::State& state) {
    winsim::ResetDesktop();
    const char* const pieces[] = {"<a x", "<b><i><span style='color:red'>", "<b title=\"x"};
    const char* piece = pieces[state.range(1)];
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0))) {
        text += piece;
    }
    const CString captured(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(NeutraliseMarkup(captured));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NeutraliseHostileMarkup)
    ->ArgsProduct({{4096, 32768, 262144}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
