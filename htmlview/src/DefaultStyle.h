// The control's default style sheet: how elements look before a page styles them.
#pragma once

#include "htmlview/src/Internal.h"

namespace htmlview::internal {

extern const char kDefaultStyleSheet[];
// Applied over the page's own styles: the page as a whole scrolls in the view, so an overflow
// given to the root or the body is the view's (it does not clip them).
extern const char kPageStyleSheet[];
// Added for pages in quirks mode.
extern const char kQuirksStyleSheet[];

} // namespace htmlview::internal
