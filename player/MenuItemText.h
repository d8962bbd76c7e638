// The texts of the items of the program's owner-drawn menus. The system holds no text for an
// owner-drawn item (its data is the program's own record), so the scenario steps that name such
// an item by its text read the text through a reader that the executable links in with the
// program (the player's own tests run without one).
#pragma once

#include <winsim/sim_user.h>

#include <functional>
#include <optional>
#include <string>

namespace player {

// The text of an item of the menu the desktop shows (in the desktop's ANSI code page), read from
// the menu that holds it, or nothing.
using MenuItemTextReader = std::function<std::optional<std::string>(const winsim::MenuItemView&)>;

// Called once by the build that links the program.
void SetMenuItemTextReader(MenuItemTextReader reader);

// The text through the reader; nothing when there is no reader or no such item.
std::optional<std::string> OwnerDrawnItemText(const winsim::MenuItemView& item);

// Whether a person naming an item `wanted` means the item with this text: the whole text, or
// without its '&' markers, or only the part before the tab (the accelerator column left out,
// with the blanks that align it).
bool MenuTextMatches(const std::string& text, const std::string& wanted);

} // namespace player
