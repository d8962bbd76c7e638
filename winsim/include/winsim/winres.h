// Resources of a module: FindResource, LoadResource, LockResource, SizeofResource.
#pragma once

#include "wintypes.h"
