// The seam between the portable layers (program, framework, browser control) and the platform.
// On Windows it is the real API; on Linux the simulated desktop, whose declarations mirror the
// real ones (same names, values and argument order). Nothing above this header tests the target.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <mmsystem.h>
#include <shlwapi.h>
#include <olectl.h>
#include <mbstring.h>
#include <cstdio>

// Opens a file by its Windows path; on Windows that is the C runtime's fopen.
inline FILE* win32_fopen(const char* path, const char* mode) {
    return fopen(path, mode);
}

// A UTF-16 string literal of the platform's wide-character type.
#define WIDE(s) L##s
#else
#include <winsim/windows.h>

#define WIDE(s) u##s
#endif
