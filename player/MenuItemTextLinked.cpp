// The program is linked: the texts of its owner-drawn items are read from the records of the
// menu that holds them, as the menu itself draws them.
#include "player/MenuItemText.h"

#include "menu/IvyMenu.h"

namespace player {
namespace {

std::optional<std::string> ReadLinkedItemText(const winsim::MenuItemView& item) {
    IvyMenu* menu = DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(item.menu));
    const IvyMenuItem* record =
        menu != nullptr ? menu->ItemRecord(static_cast<int>(item.position)) : nullptr;
    if (record == nullptr) {
        return std::nullopt;
    }
    return ToAnsiText(record->text);
}

// Registered before the player reads its first scenario.
const bool kRegistered = (SetMenuItemTextReader(ReadLinkedItemText), true);

} // namespace
} // namespace player
