// The four menu templates read back: items, command ids, separators, order and texts.
#include "template_readers.h"

#include <res/resource.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

namespace {

using restest::MenuItem;

// One expected item: a command with its text, or a separator when text is null.
struct Expected {
    uint16_t id;
    const char16_t* text;
};

const char16_t* const kSeparator = nullptr;

// Reads the menu, checks that its only top-level item is a popup with the given caption, and
// compares the popup's items in order.
void ExpectPopupMenu(int menuId, const char16_t* caption, const std::vector<Expected>& expected) {
    SCOPED_TRACE("menu " + std::to_string(menuId));
    auto data = restest::ResourceData(MAKEINTRESOURCEA(menuId), RT_MENU);
    ASSERT_TRUE(data);
    auto menu = restest::ParseMenuTemplate(*data);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->size(), 1u);
    const MenuItem& popup = menu->front();
    EXPECT_EQ(popup.flags, 0x10) << "a popup, and nothing else (not greyed, not checked)";
    EXPECT_EQ(popup.text, caption);
    ASSERT_EQ(popup.children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        const MenuItem& item = popup.children[i];
        if (expected[i].text == kSeparator) {
            EXPECT_TRUE(item.IsSeparator());
            continue;
        }
        EXPECT_EQ(item.flags, 0) << "plain, enabled, unchecked";
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_TRUE(item.children.empty());
    }
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(Menus, EntryMenuOffersSaveCopyImageCopyTextDeleteAndQuit) {
    ExpectPopupMenu(IDR_MENU_ENTRY, u"_POPUP_",
                    {{139, u"&Enregistrer l'image..."},
                     {138, u"Copier l'&image dans le presse-papier"},
                     {130, u"Copier le &texte dans le presse-papier"},
                     {131, u"&Supprimer cette entr\u00e9e"},
                     {0, kSeparator},
                     {132, u"Quitter\t[Esc]"}});
}

TEST_F(Menus, TrayMenuShowsTheWindowTogglesTheOptionsAndQuits) {
    ExpectPopupMenu(IDR_MENU_TRAY, u"_POPUP_",
                    {{155, u"&Afficher Verbacap"},
                     {161, u"Auto-captures"},
                     {0, kSeparator},
                     {158, u"Minimiser dans la barre de tray"},
                     {159, u"D\u00e9marrer Verbacap avec Windows"},
                     {0, kSeparator},
                     {156, u"&Quitter"}});
}

TEST_F(Menus, FunctionsMenuTogglesTheOptionsAndQuits) {
    ExpectPopupMenu(IDR_MENU_FUNCTIONS, u"_POPUP_",
                    {{161, u"Auto-captures"},
                     {0, kSeparator},
                     {158, u"Minimiser dans la barre de tray"},
                     {159, u"D\u00e9marrer Verbacap avec Windows"},
                     {0, kSeparator},
                     {156, u"&Quitter"}});
}

TEST_F(Menus, HelpMenuOpensHelpAndAbout) {
    ExpectPopupMenu(IDR_MENU_HELP, u"_HELP_MENU_",
                    {{166, u"Aide"}, {167, u"A propos de Verbacap..."}});
}

} // namespace
