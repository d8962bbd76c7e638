// The record of one owner-drawn menu item. Its address is the item's data, which the system
// hands back in every measure and draw request for the item.
#pragma once

#include "menu/MenuText.h"
#include "platform/win32.h"

struct IvyMenuItem {
    // The item text as in the resource: may hold an '&' mnemonic marker, and a tab followed by
    // an accelerator text. Empty for separators.
    WideText text;
    // Index of the item's icon in the shared icon list, -1 for none.
    int sharedIcon = -1;
    // The flags given to the system for the item (MF_OWNERDRAW, MF_SEPARATOR, MF_POPUP,
    // MF_BYPOSITION).
    UINT flags = 0;
    // The command id; for a popup item, the handle of its popup menu.
    UINT_PTR commandId = 0;
};
