// The hot-key control's modifier flags (HOTKEYF_*) as RegisterHotKey's modifiers (MOD_*).
#pragma once

#include "platform/win32.h"

// Alt, Ctrl and Shift map to their MOD_ counterparts. The control marks an extended key
// (arrows, Insert, Delete, Home, End, Page Up and Down ...) with HOTKEYF_EXT, whose value 8 is
// passed on unchanged: it is MOD_WIN, so such a combination is registered with the Windows key.
UINT HotKeyFlagsToModifiers(UINT hotKeyFlags);
