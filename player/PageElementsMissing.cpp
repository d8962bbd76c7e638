// The browser control's window does not run on the simulated desktop in this build: steps that
// read what an element holds say so before the scenario runs.
#include "player/PageElements.h"

#include "player/Scenario.h"

namespace player {

bool PageElementsReadable() {
    return false;
}

namespace {

[[noreturn]] void CannotRead(const ElementRef& element) {
    throw StepFailure("cannot read the element " + FormatElementRef(element) +
                      ": the browser control does not run on the simulated desktop yet");
}

} // namespace

std::string ElementClassName(HWND, const ElementRef& element) {
    CannotRead(element);
}

std::string ElementBackgroundColor(HWND, const ElementRef& element) {
    CannotRead(element);
}

std::string ElementInnerHtml(HWND, const ElementRef& element) {
    CannotRead(element);
}

bool ElementChecked(HWND, const ElementRef& element) {
    CannotRead(element);
}

std::string ElementScriptFinding(HWND, const ElementRef& element) {
    CannotRead(element);
}

} // namespace player
