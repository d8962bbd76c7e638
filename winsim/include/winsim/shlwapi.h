// Path helpers (PathFileExistsA).
#pragma once

#include "wintypes.h"
