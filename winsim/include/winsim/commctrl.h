// Common controls: the hot-key control and image lists.
#pragma once

#include "wintypes.h"
#include "imagelist.h"
#include "hotkeyctrl.h"

// Makes sure the common controls' window classes are registered. On the simulated desktop they
// are registered with the desktop itself, so there is nothing left to do.
void WINAPI InitCommonControls(void);
