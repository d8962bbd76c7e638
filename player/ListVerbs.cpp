// The expectations on the capture list: its entries and their stored texts, and what the rows
// of the main page show (colours, markup, nothing that could run script).
#include "player/VerbSupport.h"

#include "player/CaptureList.h"
#include "player/DesktopObserver.h"
#include "player/DesktopText.h"
#include "player/PageElements.h"
#include "player/ProgramWindows.h"

namespace player {
namespace {

std::string Lower(std::string text) {
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return text;
}

// The element of the first argument.
bool PageElementArg(BuildContext& c, ElementRef& ref) {
    if (!ElementArg(c, 0)) {
        return false;
    }
    ParseElementRef(c.Arg(0), ref, c.error);
    return true;
}

} // namespace

bool BuildExpectEntries(BuildContext& c) {
    long wanted = 0;
    if (!CountArg(c, 0, wanted)) {
        return false;
    }
    c.step.run = [wanted](ScenarioRun&) {
        const size_t count = ReadCaptureList().size();
        if (count != static_cast<size_t>(wanted)) {
            throw StepFailure("the capture list has " + std::to_string(count) +
                              " entries, expected " + std::to_string(wanted));
        }
    };
    return true;
}

bool BuildExpectEntry(BuildContext& c) {
    long index = 0;
    if (!CountArg(c, 0, index) || !OneOf(c, 1, {"text"})) {
        return false;
    }
    std::string wanted = c.Arg(2);
    c.step.run = [index, wanted](ScenarioRun&) {
        const std::vector<std::string> texts = ReadCaptureList();
        if (static_cast<size_t>(index) >= texts.size()) {
            throw StepFailure("the capture list has no entry " + std::to_string(index) +
                              " (it has " + std::to_string(texts.size()) + ")");
        }
        const std::string& actual = texts[static_cast<size_t>(index)];
        if (actual != ToAnsi(wanted)) {
            throw StepFailure("the text of entry " + std::to_string(index) + " is " +
                              Shown(FromAnsi(actual)) + ", expected " + Shown(wanted));
        }
    };
    return true;
}

bool BuildExpectColor(BuildContext& c) {
    ElementRef ref;
    if (!PageElementArg(c, ref)) {
        return false;
    }
    std::string wanted = c.Arg(1);
    c.step.run = [ref, wanted](ScenarioRun&) {
        std::string actual = ElementBackgroundColor(FindPageElement(ref).view, ref);
        // Colours are compared as CSS reads them: "#D0F1C5" is "#d0f1c5".
        if (Lower(actual) != Lower(wanted)) {
            throw StepFailure("the colour of " + FormatElementRef(ref) + " is " + Shown(actual) +
                              ", expected " + Shown(wanted));
        }
    };
    return true;
}

bool BuildExpectMarkup(BuildContext& c) {
    ElementRef ref;
    if (!PageElementArg(c, ref)) {
        return false;
    }
    std::string wanted = c.Arg(1);
    c.step.run = [ref, wanted](ScenarioRun&) {
        std::string html = ElementInnerHtml(FindPageElement(ref).view, ref);
        if (html.find(wanted) == std::string::npos) {
            throw StepFailure("the markup of " + FormatElementRef(ref) + " is " + Shown(html) +
                              ", which does not contain " + Shown(wanted));
        }
    };
    return true;
}

bool BuildExpectNoScript(BuildContext& c) {
    ElementRef ref;
    if (!PageElementArg(c, ref)) {
        return false;
    }
    c.step.run = [ref](ScenarioRun&) {
        std::string finding = ElementScriptFinding(FindPageElement(ref).view, ref);
        if (!finding.empty()) {
            throw StepFailure("inside " + FormatElementRef(ref) + ", " + finding);
        }
    };
    return true;
}

} // namespace player
