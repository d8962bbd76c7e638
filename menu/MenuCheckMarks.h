// The check marks of owner-drawn menu items that have no icon: a tick, or a bullet for items
// with a checked-state bitmap of their own (radio items).
#pragma once

#include "platform/win32.h"

// A tick of seven vertical strokes from column x, three pixels long (two in the short form).
void DrawTick(HDC dc, int x, int y, COLORREF colour, bool shortForm);

// A filled circle in the 6 x 6 box at (x, y).
void DrawBullet(HDC dc, int x, int y, COLORREF colour);

// The classic check box: menu colour when selected, a lighter tint otherwise, sunken on systems
// with the new shell, with a tick or a bullet in the menu text colour.
void DrawClassicCheck(HDC dc, const RECT& box, bool selected, bool radio);

// The XP check cell: tinted highlight colour framed in the highlight colour, with a short tick
// or a bullet in its middle.
void DrawXPCheck(HDC dc, const RECT& cell, bool selected, bool radio);
