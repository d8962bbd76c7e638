// The program's windows as a person sees them on the desktop: its main window, the windows of
// its pages, its hot-key field; found through the desktop's window list, with no help from the
// program.
#pragma once

#include "player/ElementRef.h"

#include "htmlview/HtmlView.h"

#include <winsim/windows.h>

#include <string>

namespace player {

// The program's main window: its top-level dialog that no other window owns; NULL when the
// program shows none (not started, or ended).
HWND ProgramMainWindow();

// The program's topmost visible dialog other than its main window (a page dialog or a message
// box), or NULL when none is open.
HWND ProgramTopDialog();

// The first descendant of `parent` (depth first, in z-order) of this window class, or NULL.
HWND FindDescendantOfClass(HWND parent, const std::string& className);

// The page element as the program's windows show it: in the page of the topmost of the
// program's visible windows that shows one (an open page dialog, else the main window), asked
// through the browser control's message for scripted users. Throws StepFailure (naming the
// element) when that page does not have it.
struct PageElement {
    HWND view = nullptr;
    // The visible part of its border box, in screen coordinates (empty when nothing shows).
    RECT screen = {};
};
PageElement FindPageElement(const ElementRef& element);

// Text of the page's interface (UTF-16) to and from UTF-8.
std::u16string Widen(const std::string& text);
std::string Narrow(const std::u16string& text);

} // namespace player
