// Menus: building and querying, templates, and the menu loop of TrackPopupMenu with the
// messages its owner sees, answered by the scripted person.
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override { usertest::Setup(); }
};

// A standard menu template: one popup "_POPUP_" with items 161, a separator, 158 and 156.
std::vector<unsigned char> FunctionsTemplate() {
    std::vector<unsigned char> b;
    auto word = [&](WORD w) {
        b.push_back(static_cast<unsigned char>(w));
        b.push_back(static_cast<unsigned char>(w >> 8));
    };
    auto text = [&](const char16_t* s) {
        for (; *s; ++s) {
            word(static_cast<WORD>(*s));
        }
        word(0);
    };
    word(0);
    word(0);
    word(MF_POPUP | MF_END);
    text(u"_POPUP_");
    word(0);
    word(161);
    text(u"Auto-captures");
    word(0);
    word(0);
    text(u"");
    word(0);
    word(158);
    text(u"D\u00e9marrer Verbacap avec Windows");
    word(MF_END);
    word(156);
    text(u"&Quitter\t[Esc]");
    return b;
}

TEST_F(MenusTest, MenusAreBuiltQueriedAndChanged) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 130, "Copier le &texte"));
    ASSERT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(menu, MF_OWNERDRAW, 131, reinterpret_cast<LPCSTR>(0x1234)));
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 200, "Inner");
    ASSERT_TRUE(AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub"));
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(GetMenuItemID(menu, 0), 130u);
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 3), sub);
    EXPECT_EQ(GetMenuState(menu, 200, MF_BYCOMMAND), 0u) << "found inside the submenu";
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(menu, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    EXPECT_EQ(CheckMenuItem(menu, 130, MF_BYCOMMAND | MF_CHECKED), 0u);
    EXPECT_EQ(CheckMenuItem(menu, 130, MF_BYCOMMAND | MF_UNCHECKED),
              static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 999, MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 0, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 130u);
    EXPECT_TRUE(GetMenuState(menu, 130, MF_BYCOMMAND) & MFS_DEFAULT);

    char text[32];
    EXPECT_EQ(GetMenuStringA(menu, 130, text, sizeof(text), MF_BYCOMMAND), 16);
    EXPECT_STREQ(text, "Copier le &texte");
    EXPECT_EQ(GetMenuStringA(menu, 130, text, 5, MF_BYCOMMAND), 4);

    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 131, FALSE, &info));
    EXPECT_EQ(info.dwItemData, 0x1234u);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    info.cbSize = 12;
    EXPECT_FALSE(GetMenuItemInfoA(menu, 131, FALSE, &info));

    // An owner-drawn item becomes a plain string item, by position.
    ASSERT_TRUE(ModifyMenuA(menu, 2, MF_BYPOSITION | MF_STRING, 131, "&Supprimer"));
    EXPECT_EQ(GetMenuState(menu, 131, MF_BYCOMMAND) & MF_OWNERDRAW, 0u);
    // Modifying the popup item with its own popup keeps the submenu alive.
    ASSERT_TRUE(
        ModifyMenuA(menu, 3, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub"));
    EXPECT_TRUE(IsMenu(sub));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(sub)) << "submenus go with their menu";
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST_F(MenusTest, StandardTemplatesGiveSeparatorsAndAnsiTexts) {
    std::vector<unsigned char> t = FunctionsTemplate();
    HMENU menu = LoadMenuIndirectA(t.data());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    char text[64];
    GetMenuStringA(popup, 158, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "D\xe9marrer Verbacap avec Windows") << "UTF-16 becomes code page 1252";
    EXPECT_EQ(LoadMenuIndirectA(t.data() + 4), nullptr) << "a malformed template fails";
}

TEST_F(MenusTest, TheMenuLoopSendsItsMessagesThenTheCommand) {
    HWND owner = MakeTopLevel("Owner");
    std::vector<unsigned char> t = FunctionsTemplate();
    HMENU menu = LoadMenuIndirectA(t.data());
    HMENU popup = GetSubMenu(menu, 0);
    CheckMenuItem(popup, 161, MF_CHECKED);
    winsim::ScriptPush("choose", [] {
        EXPECT_TRUE(winsim::IsMenuOpen());
        std::vector<winsim::MenuItemView> items = winsim::MenuItems();
        ASSERT_EQ(items.size(), 4u);
        EXPECT_TRUE(items[0].checked);
        EXPECT_TRUE(items[1].separator);
        winsim::ChooseMenuItem("Quitter");
    });
    Log().clear();
    ASSERT_TRUE(TrackPopupMenu(popup, TPM_RIGHTBUTTON, 100, 100, 0, owner, nullptr));
    EXPECT_FALSE(winsim::IsMenuOpen());
    EXPECT_TRUE(MessagesInOrder({
        {"Owner", WM_ENTERMENULOOP, kWParam, TRUE},
        {"Owner", WM_INITMENU, kWParam, reinterpret_cast<WPARAM>(popup)},
        {"Owner", WM_INITMENUPOPUP, kWParam, reinterpret_cast<WPARAM>(popup)},
        {"Owner", WM_MENUSELECT},
        {"Owner", WM_MENUSELECT},
        {"Owner", WM_EXITMENULOOP, kWParam, TRUE},
    }));
    EXPECT_TRUE(Trace({WM_COMMAND}).empty()) << "the command is not sent";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        << "the command is posted after the loop";
    EXPECT_EQ(LOWORD(msg.wParam), 156);
    EXPECT_EQ(winsim::MenuItems().size(), 4u) << "the last menu stays inspectable";
    DestroyMenu(menu);
}

TEST_F(MenusTest, EscapeClosesWithoutCommandAndTimersStillRun) {
    HWND owner = MakeTopLevel("Owner");
    SetTimer(owner, 1, 100, nullptr);
    int timers = 0;
    SetHandler([&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        timers += msg == WM_TIMER;
        return false;
    });
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Un");
    winsim::ScriptPush("wait", [] { winsim::LetTimePass(250); });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    EXPECT_TRUE(TrackPopupMenu(popup, 0, 10, 10, 0, owner, nullptr));
    EXPECT_EQ(timers, 2);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE));

    winsim::ScriptPush("Esc by the script", [] { winsim::CloseMenu(); });
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 0);
    winsim::ScriptPush("choose", [] { winsim::ChooseMenuItem(1); });
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 1);
    EXPECT_FALSE(PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        << "TPM_RETURNCMD returns the command instead of posting it";
}

TEST_F(MenusTest, OwnerDrawnItemsAreMeasuredWithTheirItemData) {
    HWND owner = MakeTopLevel("Owner");
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_OWNERDRAW, 139, reinterpret_cast<LPCSTR>(0xABC));
    AppendMenuA(popup, MF_OWNERDRAW | MF_SEPARATOR, 0, reinterpret_cast<LPCSTR>(0xDEF));
    std::vector<ULONG_PTR> measured;
    SetHandler([&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            EXPECT_EQ(mis->CtlType, static_cast<UINT>(ODT_MENU));
            measured.push_back(mis->itemData);
            mis->itemWidth = 100;
            mis->itemHeight = 22;
            *result = TRUE;
            return true;
        }
        return false;
    });
    winsim::ScriptPush("hover then Esc", [] {
        winsim::HoverMenuItem(139);
        winsim::CloseMenu();
    });
    TrackPopupMenu(popup, TPM_RIGHTALIGN, 500, 300, 0, owner, nullptr);
    EXPECT_EQ(measured, (std::vector<ULONG_PTR>{0xABC, 0xDEF}));
    bool selected = false;
    for (const Seen& s : Log()) {
        if (s.msg == WM_MENUSELECT && LOWORD(s.wParam) == 139) {
            selected = HIWORD(s.wParam) & MF_HILITE;
        }
    }
    EXPECT_TRUE(selected);
}

TEST_F(MenusTest, ChoosingWithoutAnOpenMenuOrAMissingItemIsAnError) {
    EXPECT_THROW(winsim::ChooseMenuItem(1), std::runtime_error);
    HWND owner = MakeTopLevel("Owner");
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Un");
    winsim::ScriptPush("missing", [] {
        EXPECT_THROW(winsim::ChooseMenuItem("Deux"), std::runtime_error);
        winsim::ChooseMenuItem("&Un");
    });
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 1);
    EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x77), 0, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

} // namespace
