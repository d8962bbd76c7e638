// The control's default style sheet: how elements look before a page styles them.
#pragma once

namespace htmlview::internal {

extern const char kDefaultStyleSheet[];
// Added for pages in quirks mode.
extern const char kQuirksStyleSheet[];

} // namespace htmlview::internal
