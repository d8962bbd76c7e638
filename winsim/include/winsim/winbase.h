// Kernel services: global memory, files and paths, module, command line, code pages, version.
#pragma once

#include "wintypes.h"
