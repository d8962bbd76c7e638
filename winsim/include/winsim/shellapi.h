// The notification area (Shell_NotifyIconA).
#pragma once

#include "wintypes.h"
