// What a page element holds (its class name, inline background colour, inner HTML, anything
// that could run script), read from the browser control that shows it.
#pragma once

#include "player/ElementRef.h"

#include <winsim/windows.h>

#include <string>

namespace player {

// The class attribute of the element in the page shown by `view`. Throws StepFailure when the
// page has no such element.
std::string ElementClassName(HWND view, const ElementRef& element);

// The background colour of the element's inline style ("" when it has none), and its inner
// HTML (UTF-8). Throw StepFailure when the page has no such element.
std::string ElementBackgroundColor(HWND view, const ElementRef& element);
std::string ElementInnerHtml(HWND view, const ElementRef& element);
// Whether the element (a checkbox) is checked. Throws StepFailure when the page has no such
// element.
bool ElementChecked(HWND view, const ElementRef& element);

// The first thing in the element or below it that could run script: a script element, an
// event-handler attribute (on...) or a javascript:/vbscript: address, described for a person;
// empty when there is none. Throws StepFailure when the page has no such element.
std::string ElementScriptFinding(HWND view, const ElementRef& element);

} // namespace player
