// Menus: items with their types, states, ids, submenus, texts and item data.
#pragma once

#include "user/user_state.h"

#include <string>
#include <vector>

namespace winsim::user {

struct MenuItem {
    UINT type = MFT_STRING; // MFT_* bits
    UINT state = 0;         // MFS_* bits
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    ULONG_PTR data = 0;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP bitmap = nullptr;
    // Where the item lies in the open menu window (client coordinates).
    RECT rect{};
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

Menu* FindMenu(HMENU menu);
Menu* FindMenuOrFail(HMENU menu);
// The item (menu and position) by command id, searched depth first through submenus, or by
// position; false when there is none.
bool LocateItem(HMENU menu, UINT item, bool byPosition, HMENU* owner, size_t* position);
// The text of an item without '&' markers and without the part from the first tab on.
std::string PlainMenuText(const std::string& text);

} // namespace winsim::user
