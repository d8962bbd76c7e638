// Where the taskbar and the notification area lie on the screen.
#pragma once

#include <winsim/wintypes.h>

#include <cstddef>

namespace winsim::system {

// The strip along the bottom of the screen below the work area; empty when there is none.
RECT TaskbarRect();
// The notification area at the right end of the taskbar, as wide as the icons it shows.
RECT NotificationAreaRect();
// Where the shown icon at this position (counted among the shown icons in the order they were
// added) is drawn: the first one at the right end, each later one left of the one before.
RECT TrayIconSlot(size_t shownIndex);

// Paints the taskbar again (after its icons changed).
void PaintTaskbar();

} // namespace winsim::system
