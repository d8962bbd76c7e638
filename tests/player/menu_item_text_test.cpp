// How a scenario names a menu item by its text.
#include "player/MenuItemText.h"

#include <gtest/gtest.h>

namespace player {
namespace {

TEST(MenuTextMatches, TheTextWithOrWithoutMarkersAndAccelerator) {
    const std::string save = "&Enregistrer l'image...";
    EXPECT_TRUE(MenuTextMatches(save, "&Enregistrer l'image..."));
    EXPECT_TRUE(MenuTextMatches(save, "Enregistrer l'image..."));
    EXPECT_FALSE(MenuTextMatches(save, "Enregistrer l'image"));
    EXPECT_FALSE(MenuTextMatches(save, "enregistrer l'image..."));

    // The text column padded with blanks up to the accelerator column.
    const std::string quit = "Quitter      \t[Esc]";
    EXPECT_TRUE(MenuTextMatches(quit, "Quitter\t[Esc]"));
    EXPECT_TRUE(MenuTextMatches(quit, "Quitter"));
    EXPECT_TRUE(MenuTextMatches(quit, quit));
    EXPECT_FALSE(MenuTextMatches(quit, "[Esc]"));
    EXPECT_FALSE(MenuTextMatches(quit, "Quitter "));

    // No text (a separator, or an owner-drawn item nobody could name) matches nothing.
    EXPECT_FALSE(MenuTextMatches("", ""));
}

TEST(OwnerDrawnItemText, NothingWithoutAReader) {
    winsim::MenuItemView save;
    save.id = 139;
    save.position = 2;
    winsim::MenuItemView other = save;
    other.position = 3;
    SetMenuItemTextReader(nullptr);
    EXPECT_FALSE(OwnerDrawnItemText(save));
    SetMenuItemTextReader([](const winsim::MenuItemView& item) -> std::optional<std::string> {
        return item.position == 2 ? std::optional<std::string>("&Enregistrer") : std::nullopt;
    });
    EXPECT_EQ(OwnerDrawnItemText(save), "&Enregistrer");
    EXPECT_FALSE(OwnerDrawnItemText(other));
    SetMenuItemTextReader(nullptr);
}

} // namespace
} // namespace player
