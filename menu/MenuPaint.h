// Small painting helpers of the owner-drawn menus. Each makes the brush it needs for the call
// and deletes it before returning, so that nothing outlives one draw request.
#pragma once

#include "platform/win32.h"

// Fills rect with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Draws a one-pixel frame of a solid colour just inside rect.
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);

// Draws a one-pixel 3D frame just inside rect: top and left edges in topLeft, bottom and right
// edges in bottomRight.
void Frame3d(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// The background of classic-style menus: button face under the XP theme (which paints menus
// that way), the menu colour elsewhere.
COLORREF ClassicMenuColour();
