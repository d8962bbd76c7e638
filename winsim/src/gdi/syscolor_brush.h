// System-colour brushes: FillRect and FrameRect accept (HBRUSH)(COLOR_xxx + 1) in place of a
// brush, drawing in that system colour.
#pragma once

#include <winsim/wingdi.h>

namespace winsim::gdi {

// True when the handle is such a pseudo-brush; its colour is then stored in color.
bool SysColorBrushColor(HBRUSH hbr, COLORREF& color);

} // namespace winsim::gdi
