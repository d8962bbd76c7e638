// The look of an open menu: measuring its items (owner-drawn ones through their owner) and
// drawing one item (owner-drawn ones through their owner, the others with check marks, the
// default item in bold, separators as etched lines).
#pragma once

#include "user/menu_state.h"

namespace winsim::user {

// Measures every item of the menu and stacks them; stores each item's rectangle (client
// coordinates of its menu window) and returns the size of the client area.
SIZE LayoutMenu(HMENU menu, HWND owner);
// Draws the item at a position of the menu into the DC of its menu window.
void DrawMenuItem(HMENU menu, HWND owner, HDC dc, size_t position, bool selected);

} // namespace winsim::user
