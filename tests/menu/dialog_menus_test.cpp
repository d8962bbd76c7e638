// The main dialog's two owner-drawn menus: loaded when the dialog is made, destroyed first when
// the run ends.
#include "program_fixture.h"

#include "menu/IvyMenu.h"

namespace {

IvyMenu* FirstPopup(const IvyMenu& menu) {
    return DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(::GetSubMenu(menu.m_hMenu, 0)));
}

} // namespace

TEST_F(ProgramTest, TheEntryAndFunctionsMenusLiveFromConstructionToShutdown) {
    Step("look at the menus, then quit", [] {
        CQuilloryTextDlg& dialog = Dialog();
        IvyMenu* entry = FirstPopup(dialog.GetEntryMenu());
        IvyMenu* functions = FirstPopup(dialog.GetFunctionsMenu());
        ASSERT_NE(nullptr, entry);
        ASSERT_NE(nullptr, functions);
        EXPECT_EQ(entry->GetMenuItemCount(), 6);
        EXPECT_EQ(entry->GetMenuItemID(0), static_cast<UINT>(ID_ENTRY_SAVEIMAGE));
        EXPECT_EQ(functions->GetMenuItemCount(), 6);
        EXPECT_EQ(functions->GetMenuItemID(0), static_cast<UINT>(ID_AUTOCAPTURE));
        HMENU handles[] = {dialog.GetEntryMenu().m_hMenu, entry->m_hMenu,
                           dialog.GetFunctionsMenu().m_hMenu, functions->m_hMenu};

        ::SendMessageA(dialog.m_hWnd, WM_COMMAND, ID_APP_QUIT, 0);
        EXPECT_EQ(dialog.GetEntryMenu().m_hMenu, nullptr);
        EXPECT_EQ(dialog.GetFunctionsMenu().m_hMenu, nullptr);
        for (HMENU handle : handles) {
            EXPECT_FALSE(::IsMenu(handle));
            EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
        }
    });
    EXPECT_EQ(RunProgram(), 0);
}
