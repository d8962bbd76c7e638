// The C runtime's file opening behind the seam: the path is a Windows path, mapped to the host
// through the simulated drives (drive C: is the desktop's root folder).
#pragma once

#include <cstdio>

// Opens the file as the C runtime's fopen does on Windows. A path that leads outside the
// drives, or that no drive holds, fails with errno ENOENT; the mode is checked as the Windows
// C runtime checks it (EINVAL for an unknown mode).
FILE* win32_fopen(const char* path, const char* mode);
