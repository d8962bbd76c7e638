#include "menu/IvyMenu.h"

#include "menu/MenuFont.h"
#include "menu_fixture.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using menu_test::DesktopOf;
using menu_test::MenuDesktopTest;
using menu_test::MenuTextWidth;
using menu_test::StartDesktop;

std::string Ansi(const IvyMenuItem& record) {
    return ToAnsiText(record.text);
}

IvyMenu* EntryPopup(IvyMenu& menu) {
    return DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(::GetSubMenu(menu.m_hMenu, 0)));
}

using IvyMenuModelTest = MenuDesktopTest;

TEST_F(IvyMenuModelTest, EntryMenuHasAPlainTopLevelAndOwnerDrawnItemsInItsPopup) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));

    ASSERT_EQ(menu.GetMenuItemCount(), 1);
    char title[32] = {};
    menu.GetMenuString(0, title, sizeof(title), MF_BYPOSITION);
    EXPECT_STREQ("_POPUP_", title);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoA(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
    ASSERT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_POPUP), menu.ItemRecord(0)->flags);

    IvyMenu* popup = EntryPopup(menu);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(info.hSubMenu, popup->m_hMenu);

    const UINT ids[] = {
        ID_ENTRY_SAVEIMAGE, ID_ENTRY_COPYIMAGE, ID_ENTRY_COPYTEXT, ID_ENTRY_DELETE, 0,
        ID_ENTRY_QUIT};
    const char* texts[] = {"&Enregistrer l'image...", "Copier l'&image dans le presse-papier",
                           "Copier le &texte dans le presse-papier",
                           "&Supprimer cette entr\xE9"
                           "e",
                           ""};
    ASSERT_EQ(popup->GetMenuItemCount(), 6);
    ASSERT_EQ(popup->ItemRecordCount(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const IvyMenuItem* record = popup->ItemRecord(i);
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(popup->m_hMenu, i, TRUE, &item));
        EXPECT_NE(0u, item.fType & MFT_OWNERDRAW);
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(record), item.dwItemData);
        EXPECT_EQ(ids[i], item.wID);
        EXPECT_EQ(ids[i], record->commandId);
        EXPECT_EQ(record->sharedIcon, -1);
        if (i < 5) {
            EXPECT_EQ(texts[i], Ansi(*record));
        }
    }
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW), popup->ItemRecord(4)->flags);
    EXPECT_NE(0u, popup->ItemRecord(4)->flags & MF_SEPARATOR);
    EXPECT_EQ(popup->ItemRecord(0)->flags, static_cast<UINT>(MF_OWNERDRAW));
}

TEST_F(IvyMenuModelTest, AcceleratorTextIsPushedPastTheWidestTextColumn) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    IvyMenu* popup = EntryPopup(menu);
    ASSERT_NE(nullptr, popup);

    LONG widest = 0;
    for (int i = 0; i < 5; ++i) {
        widest = std::max(widest, MenuTextWidth(Ansi(*popup->ItemRecord(i)) + " "));
    }
    const std::string quit = Ansi(*popup->ItemRecord(5));
    const size_t tab = quit.find('\t');
    ASSERT_NE(std::string::npos, tab);
    EXPECT_EQ(quit.substr(tab), "\t[Esc]");
    const std::string column = quit.substr(0, tab);
    ASSERT_EQ(column.find("Quitter "), 0u);
    EXPECT_EQ(std::string::npos, column.find_first_not_of(' ', 7));
    // Just enough spaces: one fewer would leave the column narrower than the widest text.
    EXPECT_GE(MenuTextWidth(column), widest);
    EXPECT_LT(MenuTextWidth(column.substr(0, column.size() - 1)), widest);
    // The other texts are left as they are.
    EXPECT_EQ(Ansi(*popup->ItemRecord(0)), "&Enregistrer l'image...");
}

TEST_F(IvyMenuModelTest, LoadingAgainEmptiesTheMenuFirst) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    HMENU oldTop = menu.m_hMenu;
    HMENU oldPopup = ::GetSubMenu(oldTop, 0);
    ASSERT_NE(nullptr, CMenu::FromHandlePermanent(oldPopup));

    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_FUNCTIONS));
    EXPECT_FALSE(IsMenu(oldTop));
    EXPECT_FALSE(IsMenu(oldPopup));
    EXPECT_EQ(CMenu::FromHandlePermanent(oldPopup), nullptr);
    ASSERT_EQ(menu.GetMenuItemCount(), 1);
    IvyMenu* popup = EntryPopup(menu);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(popup->GetMenuItemCount(), 6);
    EXPECT_EQ(popup->ItemRecord(0)->commandId, static_cast<UINT_PTR>(ID_AUTOCAPTURE));
}

TEST_F(IvyMenuModelTest, AMissingResourceLeavesTheMenuAsItWas) {
    IvyMenu menu;
    EXPECT_FALSE(menu.LoadFromResource(4242));
    EXPECT_EQ(menu.m_hMenu, nullptr);

    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    HMENU loaded = menu.m_hMenu;
    EXPECT_FALSE(menu.LoadFromResource("NO_SUCH_MENU"));
    EXPECT_EQ(loaded, menu.m_hMenu);
    EXPECT_TRUE(IsMenu(loaded));
    EXPECT_EQ(menu.ItemRecordCount(), 1);
}

TEST_F(IvyMenuModelTest, DestroyReleasesHandlesAndPopupObjectsAndMayBeRepeated) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    HMENU top = menu.m_hMenu;
    HMENU popup = ::GetSubMenu(top, 0);
    menu.Destroy();
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_EQ(menu.ItemRecordCount(), 0);
    EXPECT_FALSE(IsMenu(top));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(CMenu::FromHandlePermanent(popup), nullptr);
    menu.Destroy();
    EXPECT_EQ(menu.m_hMenu, nullptr);
}

TEST_F(IvyMenuModelTest, ToolbarIconsGoToEveryItemOfTheirCommands) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    IvyMenu* popup = EntryPopup(menu);
    ASSERT_NE(nullptr, popup);
    EXPECT_FALSE(TrueColourIconsLoaded());

    ASSERT_TRUE(popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY));
    // The toolbar bitmap has 24 bits per pixel.
    EXPECT_TRUE(TrueColourIconsLoaded());
    EXPECT_EQ(SharedIconCount(), 5);
    const UINT inButtonOrder[] = {ID_ENTRY_COPYTEXT, ID_ENTRY_DELETE, ID_ENTRY_QUIT,
                                  ID_ENTRY_COPYIMAGE, ID_ENTRY_SAVEIMAGE};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(i, SharedIconIndex(inButtonOrder[i]));
    }
    EXPECT_EQ(SharedIconIndex(ID_ENTRY_SAVEIMAGE), popup->ItemRecord(0)->sharedIcon);
    EXPECT_EQ(SharedIconIndex(ID_ENTRY_QUIT), popup->ItemRecord(5)->sharedIcon);
    EXPECT_EQ(popup->ItemRecord(4)->sharedIcon, -1);
    for (int i = 0; i < 6; ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoA(popup->m_hMenu, i, TRUE, &item));
        EXPECT_NE(0u, item.fType & MFT_OWNERDRAW);
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(popup->ItemRecord(i)), item.dwItemData);
    }

    // Every opening registers the icons again: they are replaced in place.
    ASSERT_TRUE(popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY));
    EXPECT_EQ(SharedIconCount(), 5);
    EXPECT_EQ(popup->ItemRecord(0)->sharedIcon, 4);

    // A menu loaded later shows the registered icons at once; one on another command does not.
    IvyMenu second;
    ASSERT_TRUE(second.LoadFromResource(IDR_MENU_ENTRY));
    EXPECT_EQ(EntryPopup(second)->ItemRecord(0)->sharedIcon, 4);
    IvyMenu functions;
    ASSERT_TRUE(functions.LoadFromResource(IDR_MENU_FUNCTIONS));
    EXPECT_EQ(EntryPopup(functions)->ItemRecord(0)->sharedIcon, -1);
}

TEST_F(IvyMenuModelTest, AMissingToolbarOrUnknownCommandChangesNothing) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    IvyMenu* popup = EntryPopup(menu);
    EXPECT_FALSE(popup->AddToolbarIcons(4242));
    EXPECT_EQ(SharedIconCount(), 0);

    EXPECT_FALSE(popup->SetItemIcon(WIDE("Nouveau"), 4242, NULL, 0));
    EXPECT_EQ(Ansi(*popup->ItemRecord(0)), "&Enregistrer l'image...");

    // A known command takes the new text.
    EXPECT_TRUE(popup->SetItemIcon(WIDE("Nouveau"), ID_ENTRY_SAVEIMAGE, NULL, 0));
    EXPECT_EQ(Ansi(*popup->ItemRecord(0)), "Nouveau");
    EXPECT_EQ(popup->ItemRecord(0)->sharedIcon, -1);
}

TEST_F(IvyMenuModelTest, FindingItemsVisitsPopupsAndSkipsOccurrencesFound) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    IvyMenu* popup = EntryPopup(menu);
    int position = -1;
    EXPECT_EQ(popup, menu.FindItemMenu(ID_ENTRY_QUIT, position));
    EXPECT_EQ(position, 5);
    EXPECT_EQ(menu.FindNextItemMenu(ID_ENTRY_QUIT, position, {popup}, {5}), nullptr);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(menu.FindItemMenu(4242, position), nullptr);
    EXPECT_EQ(position, -1);

    // A second item of the command, appended to the popup, is the next occurrence.
    ASSERT_TRUE(popup->AppendItem(WIDE("Encore"), 0, ID_ENTRY_QUIT));
    EXPECT_EQ(popup, menu.FindNextItemMenu(ID_ENTRY_QUIT, position, {popup}, {5}));
    EXPECT_EQ(position, 6);
}

TEST(IvyMenuSharingTest, TwoItemsOfOneCommandEachKeepTheirRecordAndShareTheIcon) {
    StartDesktop(DesktopOf("2000"));
    {
        IvyMenu menu;
        ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
        IvyMenu* popup = EntryPopup(menu);
        ASSERT_TRUE(popup->AppendItem(WIDE("Quitter aussi"), 0, ID_ENTRY_QUIT));
        ASSERT_TRUE(popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY));
        const int icon = SharedIconIndex(ID_ENTRY_QUIT);
        for (int position : {5, 6}) {
            MENUITEMINFOA item = {};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_DATA;
            ASSERT_TRUE(GetMenuItemInfoA(popup->m_hMenu, position, TRUE, &item));
            EXPECT_EQ(reinterpret_cast<ULONG_PTR>(popup->ItemRecord(position)), item.dwItemData);
            EXPECT_EQ(icon, popup->ItemRecord(position)->sharedIcon);
        }
        EXPECT_EQ(Ansi(*popup->ItemRecord(6)), "Quitter aussi");
    }
    ReleaseSharedIcons();
}

} // namespace
