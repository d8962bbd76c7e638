#include "framework/CMenu.h"
#include "framework/CWnd.h"
#include "window_test_support.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using framework_test::CreateRecordingWindow;
using framework_test::RecordedMessages;

class RecordingMenu : public CMenu {
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override {
        measured.push_back(lpMeasureItemStruct->itemID);
        lpMeasureItemStruct->itemWidth = 90;
        lpMeasureItemStruct->itemHeight = 18;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        drawn.push_back(lpDrawItemStruct->itemID);
    }
};

class OwnerWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    std::vector<UINT> commands;
    int menuLoopsEnded = 0;

protected:
    void OnEntryCommand(UINT nID) { commands.push_back(nID); }
    void OnExitMenuLoop(BOOL) { ++menuLoopsEnded; }
};

BEGIN_MESSAGE_MAP(OwnerWnd, CWnd)
ON_COMMAND_RANGE(130, 139, OnEntryCommand)
ON_WM_EXITMENULOOP()
END_MESSAGE_MAP()

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        RecordedMessages().clear();
    }
    void TearDown() override { CMenu::DeleteTempMap(); }
};

TEST_F(MenuTest, HandleMapPermanentAndTemporaryObjects) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    EXPECT_EQ(&menu, CMenu::FromHandlePermanent(menu.m_hMenu));
    CMenu other;
    EXPECT_FALSE(other.Attach(menu.m_hMenu));

    HMENU loose = CreatePopupMenu();
    CMenu* temporary = CMenu::FromHandle(loose);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(loose, temporary->m_hMenu);
    EXPECT_EQ(CMenu::FromHandlePermanent(loose), nullptr);
    // Dropping the temporaries leaves the menu itself alone.
    CMenu::DeleteTempMap();
    EXPECT_TRUE(IsMenu(loose));

    // Detach keeps the menu; the destructor of an attached object destroys it.
    HMENU kept = menu.Detach();
    EXPECT_EQ(CMenu::FromHandlePermanent(kept), nullptr);
    {
        CMenu owner;
        ASSERT_TRUE(owner.Attach(loose));
    }
    EXPECT_FALSE(IsMenu(loose));
    EXPECT_TRUE(IsMenu(kept));
    DestroyMenu(kept);
}

TEST_F(MenuTest, ItemsAndCheckMarks) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 161, "Auto-captures"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 156, "&Quitter"));
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuItemID(2), 156u);
    EXPECT_EQ(menu.CheckMenuItem(161, MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.GetMenuState(161, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.CheckMenuItem(999, MF_CHECKED), static_cast<UINT>(-1));
    ASSERT_TRUE(menu.ModifyMenu(2, MF_BYPOSITION | MF_STRING, 157, "Fin"));
    char text[16] = {};
    EXPECT_EQ(menu.GetMenuString(157, text, sizeof text, MF_BYCOMMAND), 3);
    EXPECT_STREQ("Fin", text);
    EXPECT_TRUE(menu.SetDefaultItem(161));
}

TEST_F(MenuTest, SubMenusOfALoadedResourceAreTemporaries) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(129));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(CMenu::FromHandlePermanent(popup->m_hMenu), nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 6);
    EXPECT_EQ(popup->GetMenuItemID(0), 139u);
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(4242));
    EXPECT_EQ(missing.m_hMenu, nullptr);
}

TEST_F(MenuTest, OwnerDrawRequestsOfATrackedPopupReachItsObject) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE)));
    RecordingMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    static const char kItemData[] = "record";
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 130, kItemData));
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 131, kItemData));

    winsim::ScriptPush("choose 131", [] { winsim::ChooseMenuItem(131); });
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, 20, 20, &owner));
    EXPECT_EQ(CMenu::GetTrackingMenu(owner.m_hWnd), nullptr);
    // The chosen command is posted to the owner: the message loop delivers it.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }

    // Both items were measured through the popup object, and the choice came as a command.
    EXPECT_NE(popup.measured.end(), std::find(popup.measured.begin(), popup.measured.end(), 130u));
    EXPECT_NE(popup.measured.end(), std::find(popup.measured.begin(), popup.measured.end(), 131u));
    EXPECT_FALSE(popup.drawn.empty());
    EXPECT_EQ(std::vector<UINT>{131}, owner.commands);
    EXPECT_EQ(owner.menuLoopsEnded, 1);
    owner.DestroyWindow();
}

TEST_F(MenuTest, OwnerDrawRequestsWithoutAMenuObjectGetTheDefaultProcessing) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(CreateRecordingWindow()));
    RecordedMessages().clear();
    HMENU loose = CreatePopupMenu();
    AppendMenuA(loose, MF_OWNERDRAW, 130, nullptr);

    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = 130;
    draw.hwndItem = reinterpret_cast<HWND>(loose);
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = 130;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    auto& recorded = RecordedMessages();
    EXPECT_NE(recorded.end(), std::find(recorded.begin(), recorded.end(), UINT(WM_DRAWITEM)));
    EXPECT_NE(recorded.end(), std::find(recorded.begin(), recorded.end(), UINT(WM_MEASUREITEM)));

    // Attached, the same draw request reaches the object.
    RecordingMenu attached;
    ASSERT_TRUE(attached.Attach(loose));
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(std::vector<UINT>{130}, attached.drawn);
    owner.DestroyWindow();
}

} // namespace
