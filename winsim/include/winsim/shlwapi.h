// Path helpers of the shell's light-weight utility library.
#pragma once

#include "wintypes.h"

BOOL WINAPI PathFileExistsA(LPCSTR pszPath);
