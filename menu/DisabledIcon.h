// The two ways of drawing the icon of a disabled menu item. Both overwrite the given bitmap,
// which must not be selected into a device context, and return false when they could not draw.
#pragma once

#include "platform/win32.h"

// Draws the icon's silhouette in COLOR_BTNSHADOW with a COLOR_BTNHIGHLIGHT edge one pixel right
// and down, on background, with raster operations only. Pixels of the icon that are
// COLOR_BTNFACE or COLOR_BTNHIGHLIGHT count as empty. Besides the width x height rectangle at
// (x, y) it paints the column x + width and the row y + height.
bool DrawEmbossed(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, COLORREF background);

// Turns the bitmap into its disabled variant (MakeDisabledImage with background) and copies it
// to dc at (x, y).
bool DrawGreyed(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, COLORREF background);
