// The texts of the items of the program's owner-drawn menus. The system holds no text for an
// owner-drawn item (its data is the program's own record), so the scenario steps that name such
// an item by its text read the text through a reader that the executable links in with the
// program (the player's own tests run without one).
#pragma once

#include <winsim/windows.h>

#include <functional>
#include <optional>
#include <string>

namespace player {

// The text of an item with that command id (in the desktop's ANSI code page), or nothing.
using MenuItemTextReader = std::function<std::optional<std::string>(UINT commandId)>;

// Called once by the build that links the program.
void SetMenuItemTextReader(MenuItemTextReader reader);

// The text through the reader; nothing when there is no reader or no such item.
std::optional<std::string> OwnerDrawnItemText(UINT commandId);

// Whether a person naming an item `wanted` means the item with this text: the whole text, or
// without its '&' markers, or only the part before the tab (the accelerator column left out,
// with the blanks that align it).
bool MenuTextMatches(const std::string& text, const std::string& wanted);

} // namespace player
