// Colour arithmetic of the owner-drawn menus: tints toward white and shades toward black.
#pragma once

#include "platform/win32.h"

// Moves each channel of colour the given fraction of the way toward 255. A factor outside
// (0, 1] leaves the colour as it is; 1 gives white.
COLORREF BlendToWhite(COLORREF colour, double factor);

// Moves each channel of colour the given fraction of the way toward 0. A factor outside (0, 1]
// leaves the colour as it is; 1 gives black.
COLORREF BlendToBlack(COLORREF colour, double factor);
