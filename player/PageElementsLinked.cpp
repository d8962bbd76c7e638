// The browser control runs on the simulated desktop: elements are read through its interface.
#include "player/PageElements.h"

#include "player/ProgramWindows.h"
#include "player/Scenario.h"

#include "htmlview/HtmlView.h"

namespace player {

bool PageElementsReadable() {
    return true;
}

std::string ElementClassName(HWND view, const ElementRef& element) {
    htmlview::HtmlView* control = htmlview::HtmlViewFromWindow(view);
    htmlview::ElementPtr found =
        control ? control->FindElement(Widen(FormatElementRef(element))) : nullptr;
    if (!found) {
        throw StepFailure("the page has no element " + FormatElementRef(element));
    }
    return Narrow(found->GetClassName());
}

} // namespace player
