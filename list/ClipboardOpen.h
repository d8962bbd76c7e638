// Opening the clipboard when another program may hold it for a moment.
#pragma once

#include "platform/win32.h"

// Opens the clipboard for hWnd. Other programs open it for a moment after every change
// (clipboard managers, remote desktop clients): an attempt that finds it held tries again, for
// about a quarter of a second in all, before it gives up and returns false.
bool OpenClipboardRetrying(HWND hWnd);
