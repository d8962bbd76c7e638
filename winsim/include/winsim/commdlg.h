// The save-file dialog.
#pragma once

#include "wintypes.h"
