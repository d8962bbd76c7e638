// What a page element holds (its class name), read from the browser control that shows it.
#pragma once

#include "player/ElementRef.h"

#include <winsim/windows.h>

#include <string>

namespace player {

// Whether this build can read elements of the program's pages.
bool PageElementsReadable();

// The class attribute of the element in the page shown by `view`. Throws StepFailure when the
// page has no such element.
std::string ElementClassName(HWND view, const ElementRef& element);

} // namespace player
