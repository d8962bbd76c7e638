// What the system side does when a window is destroyed, told by the window manager before the
// window gets WM_DESTROY, while it can still answer messages.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::internal {

// The clipboard owner renders the formats it promised (WM_RENDERALLFORMATS) and gives up the
// ownership; a window holding the clipboard open lets it go.
void SystemWindowDestroying(HWND window);

} // namespace winsim::internal
