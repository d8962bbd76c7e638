// The capture list as the browser control loads and lays it out, with one captured text in
// it: any text gives a page laid out in bounded time, with the list's table whole.
#include "htmlview/src/DomNode.h"
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/PageLayout.h"
#include "list/CaptureListHtml.h"

#include <winsim/sim.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The control keeps one layout (fonts, master style sheet, picture store) for every page it
// shows, and the list keeps its older entries: both are made once and serve every input. They
// are never destroyed, so that nothing of them outlives the desktop at exit.
htmlview::internal::PageLayout* gLayout = nullptr;
CaptureEntry* gOlderEntry = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::ResetDesktop();
    gLayout = new htmlview::internal::PageLayout([] {});
    gLayout->SetViewportSize(SIZE{463, 353});
    gOlderEntry = new CaptureEntry("after", "C:\\tmp\\2.jpg", 400, 150);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size && data[i] != 0; ++i) {
        text += static_cast<char>(data[i]);
    }
    CaptureEntry entry(text.c_str(), "C:\\tmp\\1.jpg", 400, 150);
    std::vector<CaptureEntry*> entries{&entry, gOlderEntry};
    const std::string page = "<html><body><div id=\"tblTexts\">" +
                             BuildCaptureListHtml(entries).str() + "</div></body></html>";
    htmlview::internal::PageLayout& layout = *gLayout;
    bool quirks = false;
    layout.SetDocument(htmlview::internal::ParseDocument(page, &quirks), quirks);
    layout.EnsureLayout();
    // The row behind the captured text is still a row of the same table, and the text cell
    // holds nothing of the list's own structure.
    const htmlview::internal::DomNodePtr first =
        htmlview::internal::FindById(layout.root(), "txt0");
    const htmlview::internal::DomNodePtr after =
        htmlview::internal::FindById(layout.root(), "txt1");
    if (!first || !after || first->tag() != "td" || after->tag() != "td" || !first->parent() ||
        !after->parent() || !first->parent()->parent() ||
        first->parent()->parent() != after->parent()->parent()) {
        std::abort();
    }
    return 0;
}
