// Turns an image-list icon of a menu into a device-dependent bitmap on button face.
#pragma once

#include "platform/win32.h"

// Size of every menu icon, in pixels.
constexpr int kMenuIconWidth = 16;
constexpr int kMenuIconHeight = 15;

// Draws image index of imageList into a new 16 x 15 bitmap compatible with dc; the icon's
// transparent parts become COLOR_BTNFACE. On success bitmap receives the new bitmap, which the
// caller owns and deletes; on failure (no such image, no resources) it is NULL and the result
// is false.
bool IconToBitmap(HDC dc, HIMAGELIST imageList, int index, HBITMAP& bitmap);
