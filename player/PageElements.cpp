// Elements are read through the browser control's interface.
#include "player/PageElements.h"

#include "player/ProgramWindows.h"
#include "player/Scenario.h"

#include "htmlview/HtmlView.h"

#include <vector>

namespace player {
namespace {

htmlview::ElementPtr FindOrFail(HWND view, const ElementRef& element) {
    htmlview::HtmlView* control = htmlview::HtmlViewFromWindow(view);
    htmlview::ElementPtr found =
        control ? control->FindElement(Widen(FormatElementRef(element))) : nullptr;
    if (!found) {
        throw StepFailure("the page has no element " + FormatElementRef(element));
    }
    return found;
}

std::string Lower(std::string text) {
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return text;
}

// An address as the browser reads it: without blanks and control characters, in lower case.
std::string Compact(const std::string& value) {
    std::string result;
    for (char ch : value) {
        if (static_cast<unsigned char>(ch) > 0x20 && ch != 0x7f) {
            result += ch;
        }
    }
    return Lower(result);
}

std::string Describe(const htmlview::ElementPtr& element) {
    std::string id = Narrow(element->GetId());
    return "the element <" + Lower(Narrow(element->GetTagName())) + ">" +
           (id.empty() ? "" : " with id '" + id + "'");
}

} // namespace

std::string ElementClassName(HWND view, const ElementRef& element) {
    return Narrow(FindOrFail(view, element)->GetClassName());
}

std::string ElementBackgroundColor(HWND view, const ElementRef& element) {
    return Narrow(FindOrFail(view, element)->GetBackgroundColor());
}

std::string ElementInnerHtml(HWND view, const ElementRef& element) {
    return Narrow(FindOrFail(view, element)->GetInnerHtml());
}

bool ElementChecked(HWND view, const ElementRef& element) {
    return FindOrFail(view, element)->GetChecked();
}

std::string ElementScriptFinding(HWND view, const ElementRef& element) {
    std::vector<htmlview::ElementPtr> pending = {FindOrFail(view, element)};
    while (!pending.empty()) {
        htmlview::ElementPtr current = pending.back();
        pending.pop_back();
        if (Lower(Narrow(current->GetTagName())) == "script") {
            return Describe(current) + " is a script";
        }
        for (const auto& [wideName, wideValue] : current->GetAttributes()) {
            const std::string name = Lower(Narrow(wideName));
            if (name.compare(0, 2, "on") == 0) {
                return Describe(current) + " has the event-handler attribute " + name;
            }
            const std::string value = Compact(Narrow(wideValue));
            if (value.find("javascript:") != std::string::npos ||
                value.find("vbscript:") != std::string::npos) {
                return Describe(current) + " has the script address " + name + "=\"" +
                       Narrow(wideValue) + "\"";
            }
        }
        std::vector<htmlview::ElementPtr> children = current->GetChildren();
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return std::string();
}

} // namespace player
