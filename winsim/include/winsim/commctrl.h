// Common controls: the hot-key control and image lists.
#pragma once

#include "wintypes.h"
#include "imagelist.h"
#include "hotkeyctrl.h"
