// Bitmap resources as sources of menu icons.
#pragma once

#include "platform/win32.h"

// Adds the bitmap resource bitmapId (framework resource module first, then the executable) to
// imageList, with COLOR_BTNFACE as mask colour. A 16-colour bitmap is loaded with its black,
// greys and white mapped to the button colours of the system; any other bitmap is loaded as it
// is, its light grey (192,192,192) becomes button face, and TrueColourIconsLoaded is noted.
// False when the resource is missing or unreadable or the image list refuses the bitmap.
bool AddBitmapResource(HIMAGELIST imageList, UINT bitmapId);
