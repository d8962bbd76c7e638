// The C runtime's file opening behind the seam: a Windows path mapped to the host.
#pragma once

#include "wintypes.h"
