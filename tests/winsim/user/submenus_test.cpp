// Cascading submenus of TrackPopupMenu: opened beside their item by the pointer, the keyboard or
// the scripted answer, drawn on the screen, closed innermost first, with the owner's messages.
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_gdi.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

constexpr UINT kCopy = 101;
constexpr UINT kFirstInner = 201;
constexpr UINT kOwnerDrawnInner = 202;
constexpr UINT kQuit = 103;

class SubmenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        usertest::Setup();
        owner = MakeTopLevel("Owner");
        sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, kFirstInner, "&Inner");
        AppendMenuA(sub, MF_OWNERDRAW, kOwnerDrawnInner, reinterpret_cast<LPCSTR>(0x5150));
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, kCopy, "&Copy");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
        AppendMenuA(menu, MF_STRING, kQuit, "&Quit");
        SetHandler([](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
            if (msg == WM_MEASUREITEM) {
                auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                mis->itemWidth = 80;
                mis->itemHeight = 24;
                *result = TRUE;
                return true;
            }
            if (msg == WM_DRAWITEM) {
                auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
                FillRect(dis->hDC, &dis->rcItem, brush);
                DeleteObject(brush);
                *result = TRUE;
                return true;
            }
            return false;
        });
    }

    void TearDown() override { DestroyMenu(menu); }

    // The menu windows on the screen, outermost first.
    static std::vector<HWND> MenuWindows() {
        std::vector<HWND> found;
        for (HWND h : winsim::TopLevelWindows()) {
            if (winsim::ClassNameOf(h) == "#32768" && IsWindowVisible(h)) {
                found.insert(found.begin(), h);
            }
        }
        return found;
    }

    // The screen point in the middle of an item of a menu window (items of standard height).
    static POINT ItemPoint(HWND window, int position) {
        const int height = GetSystemMetrics(SM_CYMENU);
        POINT p{20, position * height + height / 2};
        ClientToScreen(window, &p);
        return p;
    }

    int Track() { return TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr); }

    HWND owner = nullptr;
    HMENU menu = nullptr;
    HMENU sub = nullptr;
};

TEST_F(SubmenusTest, ChoosingAnInnerItemOpensTheSubmenuOnTheWayWithTheOwnersMessages) {
    std::vector<HWND> windows;
    winsim::ScriptPush("choose Inner", [&] {
        winsim::ChooseMenuItem("Inner");
        windows = MenuWindows();
    });
    EXPECT_EQ(Track(), static_cast<int>(kFirstInner));
    ASSERT_EQ(windows.size(), 2u) << "the submenu was open beside the menu";
    EXPECT_TRUE(MenuWindows().empty()) << "both closed";

    EXPECT_TRUE(MessagesInOrder({
        {"Owner", WM_INITMENUPOPUP},
        {"Owner", WM_MENUSELECT}, // More
        {"Owner", WM_INITMENUPOPUP},
        {"Owner", WM_MEASUREITEM},
        {"Owner", WM_MENUSELECT}, // Inner
        {"Owner", WM_MENUSELECT}, // closing
        {"Owner", WM_UNINITMENUPOPUP},
        {"Owner", WM_UNINITMENUPOPUP},
        {"Owner", WM_EXITMENULOOP},
    }));
    std::vector<usertest::Seen> inits;
    std::vector<usertest::Seen> uninits;
    for (const usertest::Seen& s : Log()) {
        if (s.msg == WM_INITMENUPOPUP) {
            inits.push_back(s);
        }
        if (s.msg == WM_UNINITMENUPOPUP) {
            uninits.push_back(s);
        }
        if (s.msg == WM_MENUSELECT && LOWORD(s.wParam) == 1 && (HIWORD(s.wParam) & MF_POPUP)) {
            EXPECT_EQ(reinterpret_cast<HMENU>(s.lParam), menu) << "the popup item by position";
        }
    }
    ASSERT_EQ(inits.size(), 2u);
    EXPECT_EQ(reinterpret_cast<HMENU>(inits[1].wParam), sub);
    EXPECT_EQ(LOWORD(inits[1].lParam), 1) << "the position of the item that opened it";
    ASSERT_EQ(uninits.size(), 2u);
    EXPECT_EQ(reinterpret_cast<HMENU>(uninits[0].wParam), sub) << "innermost first";
    EXPECT_EQ(reinterpret_cast<HMENU>(uninits[1].wParam), menu);
}

TEST_F(SubmenusTest, TheSubmenuIsDrawnBesideItsItemWithOwnerDrawnItemsThroughTheOwner) {
    RECT outer{};
    RECT inner{};
    COLORREF ownerDrawn = 0;
    COLORREF selected = 0;
    winsim::ScriptPush("hover Inner", [&] {
        winsim::HoverMenuItem(kFirstInner);
        std::vector<HWND> windows = MenuWindows();
        ASSERT_EQ(windows.size(), 2u);
        GetWindowRect(windows[0], &outer);
        GetWindowRect(windows[1], &inner);
        POINT item = ItemPoint(windows[1], 0);
        selected = winsim::ScreenPixel(item.x + 30, item.y);
        POINT drawn{40, GetSystemMetrics(SM_CYMENU) + 12};
        ClientToScreen(windows[1], &drawn);
        ownerDrawn = winsim::ScreenPixel(drawn.x, drawn.y);
    });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    EXPECT_EQ(Track(), 0);
    EXPECT_GE(inner.left, outer.right - 4) << "to the right of the menu";
    EXPECT_LE(inner.left, outer.right);
    const int height = GetSystemMetrics(SM_CYMENU);
    EXPECT_NEAR(inner.top, outer.top + height, 4) << "level with the item 'More'";
    EXPECT_EQ(selected, GetSysColor(COLOR_HIGHLIGHT)) << "the hovered item is drawn selected";
    EXPECT_EQ(ownerDrawn, RGB(0, 200, 0)) << "the owner drew its item";
}

TEST_F(SubmenusTest, ASubmenuNearTheRightEdgeOpensToTheLeft) {
    RECT outer{};
    RECT inner{};
    winsim::ScriptPush("hover Inner", [&] {
        winsim::HoverMenuItem(kFirstInner);
        std::vector<HWND> windows = MenuWindows();
        ASSERT_EQ(windows.size(), 2u);
        GetWindowRect(windows[0], &outer);
        GetWindowRect(windows[1], &inner);
        winsim::CloseMenu();
    });
    TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTALIGN, winsim::ScreenWidth(), 100, 0, owner,
                   nullptr);
    EXPECT_LE(inner.right, outer.left + 4);
    EXPECT_LE(inner.right, winsim::ScreenWidth());
}

TEST_F(SubmenusTest, ThePointerOpensTheSubmenuAndClicksItsItem) {
    int opened = 0;
    winsim::ScriptPush("point at More, then at Inner, click", [&] {
        std::vector<HWND> windows = MenuWindows();
        ASSERT_EQ(windows.size(), 1u);
        winsim::MovePointer(ItemPoint(windows[0], 1));
    });
    winsim::ScriptPush("click Inner", [&] {
        std::vector<HWND> windows = MenuWindows();
        opened = static_cast<int>(windows.size());
        ASSERT_EQ(windows.size(), 2u);
        winsim::Click(ItemPoint(windows[1], 0));
    });
    EXPECT_EQ(Track(), static_cast<int>(kFirstInner));
    EXPECT_EQ(opened, 2);
}

TEST_F(SubmenusTest, PointingAtAnotherItemClosesTheSubmenu) {
    size_t whileOnMore = 0;
    size_t afterCopy = 0;
    winsim::ScriptPush("More", [&] { winsim::MovePointer(ItemPoint(MenuWindows()[0], 1)); });
    winsim::ScriptPush("Copy", [&] {
        whileOnMore = MenuWindows().size();
        winsim::MovePointer(ItemPoint(MenuWindows()[0], 0));
    });
    winsim::ScriptPush("close", [&] {
        afterCopy = MenuWindows().size();
        winsim::CloseMenu();
    });
    EXPECT_EQ(Track(), 0);
    EXPECT_EQ(whileOnMore, 2u);
    EXPECT_EQ(afterCopy, 1u);
    int uninits = 0;
    for (const usertest::Seen& s : Log()) {
        uninits += s.msg == WM_UNINITMENUPOPUP && reinterpret_cast<HMENU>(s.wParam) == sub;
    }
    EXPECT_EQ(uninits, 1) << "the submenu was told it closed once";
}

TEST_F(SubmenusTest, KeysOpenAndCloseSubmenusOneLevelAtATime) {
    size_t afterRight = 0;
    size_t afterEsc = 0;
    winsim::ScriptPush("Down Down Right", [&] {
        winsim::PressKeys("Down");
        winsim::PressKeys("Down");
        winsim::PressKeys("Right");
    });
    winsim::ScriptPush("Esc", [&] {
        afterRight = MenuWindows().size();
        winsim::PressKeys("Esc");
    });
    winsim::ScriptPush("Enter opens it again, Down, Enter", [&] {
        afterEsc = MenuWindows().size();
        winsim::PressKeys("Enter");
        winsim::PressKeys("Down");
        winsim::PressKeys("Enter");
    });
    EXPECT_EQ(Track(), static_cast<int>(kOwnerDrawnInner));
    EXPECT_EQ(afterRight, 2u) << "Right opened the submenu of the selected item";
    EXPECT_EQ(afterEsc, 1u) << "Esc closed only the submenu";
}

TEST_F(SubmenusTest, AGrayedPopupItemOpensNothing) {
    EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED);
    size_t windows = 0;
    winsim::ScriptPush("More", [&] { winsim::MovePointer(ItemPoint(MenuWindows()[0], 1)); });
    winsim::ScriptPush("look, close", [&] {
        windows = MenuWindows().size();
        winsim::CloseMenu();
    });
    EXPECT_EQ(Track(), 0);
    EXPECT_EQ(windows, 1u);
}

} // namespace
