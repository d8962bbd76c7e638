// Reading a standard menu template (the binary form of a MENU resource).
#pragma once

#include "menu/MenuText.h"
#include "platform/win32.h"

#include <cstddef>
#include <vector>

struct MenuTemplateItem {
    // The item's flags as stored, MF_END included.
    WORD flags = 0;
    // The command id; 0 for popup items, which carry none.
    WORD commandId = 0;
    WideText text;
};

// The items of the template in order, nested popups in place after their popup item. False
// when the template is not a standard one (version 0) or ends before its last item, or an item
// text lacks its terminating zero.
bool ReadMenuTemplate(const void* data, size_t size, std::vector<MenuTemplateItem>& items);
