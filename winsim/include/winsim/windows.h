// The Win32 API of the simulated desktop: what <windows.h>, <commctrl.h>, <shellapi.h>,
// <mmsystem.h>, <shlwapi.h> and <olectl.h> declare on Windows, for the names the program and
// its framework use. Names, values and argument order are those of the real headers.
#pragma once

#include "wintypes.h"
#include "winerror.h"
#include "winbase.h"
#include "wintime.h"
#include "winatom.h"
#include "winres.h"
#include "wingdi.h"
#include "winuser.h"
#include "winuser_system.h"
#include "winreg.h"
#include "commctrl.h"
#include "commdlg.h"
#include "shellapi.h"
#include "shlwapi.h"
#include "mmsystem.h"
#include "olectl.h"
#include "mbstring.h"
#include "crtfile.h"
