// Windows, messages, dialogs, input, timers, hot-keys, menus, clipboard and system metrics.
#pragma once

#include "wintypes.h"
