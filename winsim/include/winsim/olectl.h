// OLE picture loading (OleLoadPicturePath, IPicture) and the OLE basics it needs.
#pragma once

#include "wintypes.h"
