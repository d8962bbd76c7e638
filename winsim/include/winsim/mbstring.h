// Double-byte-aware string functions of the C runtime (_mbsrchr, _mbscmp).
#pragma once

#include "wintypes.h"
