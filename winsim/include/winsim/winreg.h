// The registry (HKEY_CURRENT_USER), persisted in the desktop's folder.
#pragma once

#include "wintypes.h"
