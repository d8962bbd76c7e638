// The shell's share of the screen: the desktop background and the taskbar along the bottom of
// the screen with the notification area at its right end. The system side paints them; the
// window manager and the desktop's start tell it when to.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::internal {

// A part of the screen changed (a window appeared, moved or went away): the desktop background
// where no window covers it, and the taskbar where no topmost window covers it, paint again.
void ShellAreaChanged(const RECT& screenArea);

// A fresh desktop: the whole shell paints.
void ShellStarted();

} // namespace winsim::internal
