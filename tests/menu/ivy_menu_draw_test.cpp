// Measuring and drawing the entry menu's items in both styles, on test canvases.
#include "menu/IvyMenu.h"

#include "menu/ColorBlend.h"
#include "menu/MenuFont.h"
#include "icon_canvas.h"
#include "menu_fixture.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using menu_test::Canvas;
using menu_test::DesktopOf;
using menu_test::StartDesktop;

const COLORREF kMarker = RGB(0, 128, 0);
const int kWidth = 240;

class ItemDrawingTest : public ::testing::Test {
protected:
    // The entry menu on a desktop of this kind, its popup's icons registered.
    void Load(const winsim::DesktopConfig& config) {
        // Menus of the previous desktop go with it.
        menu.reset();
        StartDesktop(config);
        menu = std::make_unique<IvyMenu>();
        ASSERT_TRUE(menu->LoadFromResource(IDR_MENU_ENTRY));
        popup = DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(GetSubMenu(menu->m_hMenu, 0)));
        ASSERT_NE(nullptr, popup);
        ASSERT_TRUE(popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY));
    }
    void TearDown() override {
        menu.reset();
        ReleaseSharedIcons();
    }

    MEASUREITEMSTRUCT Measure(int position) {
        MEASUREITEMSTRUCT request = {};
        request.CtlType = ODT_MENU;
        request.itemID = popup->GetMenuItemID(position);
        request.itemData = reinterpret_cast<ULONG_PTR>(popup->ItemRecord(position));
        popup->MeasureItem(&request);
        return request;
    }

    // Draws the item at position on a canvas filled with the marker colour, in a rectangle
    // of the canvas's size; returns the request as the drawing left it.
    DRAWITEMSTRUCT Draw(Canvas& canvas, int position, UINT state) {
        canvas.Fill(kMarker);
        DRAWITEMSTRUCT request = {};
        request.CtlType = ODT_MENU;
        request.itemID = popup->GetMenuItemID(position);
        request.itemAction = ODA_DRAWENTIRE;
        request.itemState = state;
        request.hwndItem = reinterpret_cast<HWND>(popup->m_hMenu);
        request.hDC = canvas.Dc();
        request.rcItem = RECT{0, 0, canvas.Width(), canvas.Height()};
        request.itemData = reinterpret_cast<ULONG_PTR>(popup->ItemRecord(position));
        popup->DrawItem(&request);
        return request;
    }

    std::unique_ptr<IvyMenu> menu;
    IvyMenu* popup = nullptr;
};

LONG WideTextWidth(const WideText& text, bool menuFont) {
    HFONT font = CreateMenuFont();
    HDC dc = GetDC(GetDesktopWindow());
    HGDIOBJ old = menuFont ? SelectObject(dc, font) : NULL;
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old != NULL) {
        SelectObject(dc, old);
    }
    ReleaseDC(GetDesktopWindow(), dc);
    DeleteObject(font);
    return size.cx;
}

// Columns of the canvas holding a pixel other than the background between rows top and bottom.
std::vector<int> InkColumns(Canvas& canvas, COLORREF background, int from, int to) {
    std::vector<int> columns;
    for (int x = from; x < to; ++x) {
        for (int y = 2; y < canvas.Height() - 2; ++y) {
            if (canvas.Get(x, y) != background) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

TEST_F(ItemDrawingTest, ClassicItemsAreMeasuredWithTheNarrowGap) {
    Load(DesktopOf("xp", true));
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    MEASUREITEMSTRUCT item = Measure(0);
    EXPECT_EQ(static_cast<UINT>(WideTextWidth(popup->ItemRecord(0)->text, true) + 33),
              item.itemWidth);
    EXPECT_EQ(static_cast<UINT>(std::max(19, menuHeight)), item.itemHeight);
    MEASUREITEMSTRUCT separator = Measure(4);
    EXPECT_EQ(separator.itemWidth, 0u);
    EXPECT_EQ(static_cast<UINT>(std::max(9, menuHeight / 2)), separator.itemHeight);
    // The accelerator and the padding before it count.
    EXPECT_EQ(static_cast<UINT>(WideTextWidth(popup->ItemRecord(5)->text, true) + 33),
              Measure(5).itemWidth);
}

TEST_F(ItemDrawingTest, XPItemsAreMeasuredWithTheWideGapAndThinSeparators) {
    Load(DesktopOf("xp"));
    MEASUREITEMSTRUCT item = Measure(2);
    EXPECT_EQ(static_cast<UINT>(WideTextWidth(popup->ItemRecord(2)->text, true) + 31),
              item.itemWidth);
    EXPECT_EQ(static_cast<UINT>(std::max(22, GetSystemMetrics(SM_CYMENU))), item.itemHeight);
    EXPECT_EQ(Measure(4).itemHeight, 3u);
}

TEST_F(ItemDrawingTest, XPItemsShowTheBarTheSelectionAndNeverASelectedDisabledItem) {
    Load(DesktopOf("xp"));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF ground = BlendToBlack(GetSysColor(COLOR_WINDOW), 0.02);
    Canvas canvas(kWidth, 22);

    Draw(canvas, 2, 0);
    EXPECT_EQ(face, canvas.Get(0, 0));
    EXPECT_EQ(face, canvas.Get(22, 11));
    EXPECT_EQ(ground, canvas.Get(23, 1));
    EXPECT_EQ(ground, canvas.Get(kWidth - 2, 20));
    // The idle icon is the faded one: no pixel of the bar is darker than its faded form allows.
    bool iconSeen = false;
    for (int x = 4; x < 20; ++x) {
        for (int y = 3; y < 18; ++y) {
            iconSeen = iconSeen || canvas.Get(x, y) != face;
        }
    }
    EXPECT_TRUE(iconSeen);

    Draw(canvas, 2, ODS_SELECTED);
    EXPECT_EQ(highlight, canvas.Get(0, 0));
    EXPECT_EQ(highlight, canvas.Get(kWidth - 1, 21));
    EXPECT_EQ(BlendToWhite(highlight, 0.7), canvas.Get(kWidth - 2, 20));
    EXPECT_EQ(BlendToWhite(highlight, 0.7), canvas.Get(2, 2));

    DRAWITEMSTRUCT request = Draw(canvas, 2, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(request.itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(ground, canvas.Get(kWidth - 2, 20));
    EXPECT_EQ(face, canvas.Get(0, 0));

    // A separator: the bar, then an etched line from the text column on.
    Canvas line(kWidth, 3);
    Draw(line, 4, 0);
    EXPECT_EQ(face, line.Get(5, 1));
    EXPECT_EQ(ground, line.Get(26, 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), line.Get(40, 1));
}

TEST_F(ItemDrawingTest, ClassicSelectionBarLeavesTheIconCellAndKeepsDisabledItemsSelected) {
    Load(DesktopOf("2000"));
    const COLORREF menuColour = GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    Canvas canvas(kWidth, 19);

    Draw(canvas, 0, ODS_SELECTED);
    EXPECT_EQ(highlight, canvas.Get(21, 1));
    EXPECT_EQ(highlight, canvas.Get(kWidth - 1, 18));
    EXPECT_EQ(canvas.Get(20, 1), kMarker);
    // A raised frame around the icon.
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Get(0, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.Get(19, 18));

    Draw(canvas, 0, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(highlight, canvas.Get(kWidth - 1, 18));

    Draw(canvas, 0, ODS_CHECKED);
    EXPECT_EQ(menuColour, canvas.Get(kWidth - 1, 18));
    // Sunken: shadow at the top left.
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.Get(0, 0));
    EXPECT_EQ(BlendToWhite(menuColour, 0.6), canvas.Get(1, 1));
}

TEST_F(ItemDrawingTest, APaletteDisplayTakesTheClassicStyleInButtonFace) {
    winsim::DesktopConfig config = DesktopOf("xp");
    config.displayBits = 8;
    Load(config);
    Canvas canvas(kWidth, 22);
    Draw(canvas, 2, 0);
    EXPECT_EQ(canvas.Rendered(GetSysColor(COLOR_BTNFACE)), canvas.Get(kWidth - 2, 20));
    EXPECT_EQ(canvas.Rendered(GetSysColor(COLOR_BTNFACE)), canvas.Get(0, 0));
}

TEST_F(ItemDrawingTest, TheAcceleratorEndsAnIconWidthBeforeTheRightEdge) {
    for (const char* version : {"2000", "xp"}) {
        SCOPED_TRACE(version);
        Load(DesktopOf(version));
        Canvas canvas(kWidth, 22);
        const COLORREF ground =
            UsesXPStyle() ? BlendToBlack(GetSysColor(COLOR_WINDOW), 0.02) : GetSysColor(COLOR_MENU);
        Draw(canvas, 5, 0);
        std::vector<int> ink = InkColumns(canvas, ground, 24, kWidth - 1);
        ASSERT_FALSE(ink.empty());
        // "Quitter" starts the text column; "[Esc]" ends just before the last 16 pixels.
        EXPECT_LE(ink.front(), (UsesXPStyle() ? 31 : 25) + 2);
        EXPECT_LT(ink.back(), kWidth - 16);
        EXPECT_GE(ink.back(), kWidth - 16 - 3);
        // The padding leaves a gap between the two texts.
        int widestGap = 0;
        for (size_t i = 1; i < ink.size(); ++i) {
            widestGap = std::max(widestGap, ink[i] - ink[i - 1]);
        }
        EXPECT_GT(widestGap, 20);
    }
}

TEST_F(ItemDrawingTest, CheckedItemsWithoutIconShowATickOrABullet) {
    Load(DesktopOf("2000"));
    auto functions = std::make_unique<IvyMenu>();
    ASSERT_TRUE(functions->LoadFromResource(IDR_MENU_FUNCTIONS));
    popup =
        DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(GetSubMenu(functions->m_hMenu, 0)));
    ASSERT_NE(nullptr, popup);
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    Canvas canvas(kWidth, 19);

    // Classic: the tick's first stroke in column 1 + 4, rows 2 + 4 + 2 to 2 + 4 + 4.
    Draw(canvas, 0, ODS_CHECKED);
    EXPECT_EQ(ink, canvas.Get(5, 8));
    EXPECT_EQ(ink, canvas.Get(5, 10));
    EXPECT_NE(ink, canvas.Get(5, 11));
    EXPECT_EQ(ink, canvas.Get(11, 6));

    // An item with a checked-state bitmap of its own gets a bullet at (6, 6) .. (12, 12).
    HBITMAP mark = CreateBitmap(8, 8, 1, 1, NULL);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    info.hbmpChecked = mark;
    ASSERT_TRUE(SetMenuItemInfoA(popup->m_hMenu, 0, TRUE, &info));
    Draw(canvas, 0, ODS_CHECKED);
    EXPECT_EQ(ink, canvas.Get(9, 9));
    EXPECT_NE(ink, canvas.Get(5, 8));

    // XP with a tint: the short tick in the middle of the cell.
    DeleteObject(mark);
    functions.reset();
    menu.reset();
    StartDesktop(DesktopOf("xp"));
    IvyMenu xpFunctions;
    ASSERT_TRUE(xpFunctions.LoadFromResource(IDR_MENU_FUNCTIONS));
    popup =
        DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(GetSubMenu(xpFunctions.m_hMenu, 0)));
    Canvas xpCanvas(kWidth, 22);
    Draw(xpCanvas, 0, ODS_CHECKED);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(highlight, xpCanvas.Get(1, 1));
    EXPECT_EQ(BlendToWhite(highlight, 0.85), xpCanvas.Get(3, 3));
    // Cell (1, 1, 21, 21): ox = 10 - 3 = 7, oy = 7; first stroke rows 8 + 2 .. 8 + 3.
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), xpCanvas.Get(8, 10));
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), xpCanvas.Get(8, 11));
    EXPECT_NE(GetSysColor(COLOR_MENUTEXT), xpCanvas.Get(8, 12));
}

} // namespace
