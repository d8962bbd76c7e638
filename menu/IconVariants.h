// Pixel effects on menu icon bitmaps: the key colour of resource bitmaps, and the faded, shadow
// and disabled variants of an icon. Each changes a device-dependent bitmap in place; the bitmap
// must not be selected into a device context. A pixel is background when it reads back exactly
// as the reference colour does once the display has rendered it, so the test holds at every
// display depth. Each returns false, leaving the bitmap unchanged, when the bitmap is not a
// bitmap or cannot be selected.
#pragma once

#include "platform/win32.h"

// Light grey (192,192,192) pixels become COLOR_BTNFACE.
bool ReplaceBackground(HBITMAP bitmap);

// Pixels other than COLOR_BTNFACE are tinted 30 % toward white.
bool MakeFadedImage(HBITMAP bitmap);

// Pixels other than COLOR_BTNFACE become COLOR_BTNSHADOW: the icon's silhouette.
bool MakeShadowImage(HBITMAP bitmap);

// Pixels other than COLOR_BTNFACE become a grey of their brightness, from COLOR_BTNSHADOW for
// black to white for white. COLOR_BTNFACE pixels become background when it is not 0 (black
// stands for "keep the button face").
bool MakeDisabledImage(HBITMAP bitmap, COLORREF background);
