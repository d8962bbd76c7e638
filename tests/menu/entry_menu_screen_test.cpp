// The entry menu's popup opened on the simulated desktop, as the person sees it: measured and
// drawn through its owner window, hovered, and photographed in each style.
#include "menu/IvyMenu.h"

#include "framework/CWnd.h"
#include "menu/ColorBlend.h"
#include "menu_fixture.h"
#include "res/resource.h"

#include <winsim/script.h>
#include <winsim/sim_gdi.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using menu_test::DesktopOf;
using menu_test::StartDesktop;

const POINT kMenuAt = {40, 40};
const RECT kShot = {0, 0, 420, 240};

HWND CreateOwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    windowClass.lpszClassName = "EntryMenuOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "EntryMenuOwner", "Verbacap", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           420, 240, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

// Pixels of the colour in the screenshot's rectangle.
int ScreenPixelsOf(COLORREF colour) {
    int count = 0;
    for (int x = kShot.left; x < kShot.right; ++x) {
        for (int y = kShot.top; y < kShot.bottom; ++y) {
            count += winsim::ScreenPixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

struct StyleCase {
    const char* name;
    const char* version;
    bool classicTheme;
};

class EntryMenuScreenTest : public ::testing::TestWithParam<StyleCase> {
protected:
    void TearDown() override { ReleaseSharedIcons(); }
};

TEST_P(EntryMenuScreenTest, TheHoveredPopupShowsIconsTextsAndTheSelection) {
    StartDesktop(DesktopOf(GetParam().version, GetParam().classicTheme));
    const std::filesystem::path folder = "menu_screenshots";
    std::filesystem::create_directories(folder);
    const std::string shot =
        (folder / (std::string("entry_menu_") + GetParam().name + ".png")).string();
    std::filesystem::remove(shot);

    CWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(CreateOwnerWindow()));
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(IDR_MENU_ENTRY));
    IvyMenu* popup = DYNAMIC_DOWNCAST(IvyMenu, menu.GetSubMenu(0));
    ASSERT_NE(nullptr, popup);
    ASSERT_TRUE(popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY));

    const bool xpStyle = UsesXPStyle();
    const COLORREF selection =
        xpStyle ? BlendToWhite(GetSysColor(COLOR_HIGHLIGHT), 0.7) : GetSysColor(COLOR_HIGHLIGHT);
    int selectionBefore = 0;
    winsim::ScriptPush("look at the open menu", [&] {
        selectionBefore = ScreenPixelsOf(selection);
        ASSERT_EQ(winsim::MenuItems().size(), 6u);
        EXPECT_TRUE(winsim::MenuItems()[0].ownerDrawn);
    });
    winsim::ScriptPush("hover the copy-text item",
                       [] { winsim::HoverMenuItem(ID_ENTRY_COPYTEXT); });
    winsim::ScriptPush("photograph the menu", [&] {
        // The hovered item is drawn in the selection colour, the bar at least 100 pixels.
        EXPECT_GT(ScreenPixelsOf(selection), selectionBefore + 100);
        EXPECT_TRUE(winsim::SaveScreenRect(kShot, shot));
    });
    winsim::ScriptPush("close the menu", [] { winsim::CloseMenu(); });
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, kMenuAt.x, kMenuAt.y, &owner);
    EXPECT_EQ(winsim::ScriptPending(), 0u);
    EXPECT_TRUE(std::filesystem::exists(shot));
    owner.DestroyWindow();
}

// Records the font that the menu's device context holds when an item is to be drawn.
class FontProbeMenu : public CMenu {
public:
    LOGFONTA drawFont = {};
    void MeasureItem(LPMEASUREITEMSTRUCT request) override {
        request->itemWidth = 80;
        request->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT request) override {
        GetObjectA(GetCurrentObject(request->hDC, OBJ_FONT), sizeof(drawFont), &drawFont);
    }
};

TEST(MenuDeviceContextTest, OwnerDrawnItemsAreDrawnWithTheMenuFontSelected) {
    StartDesktop(DesktopOf("xp"));
    CWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(CreateOwnerWindow()));
    FontProbeMenu probe;
    ASSERT_TRUE(probe.CreatePopupMenu());
    ASSERT_TRUE(probe.AppendMenu(MF_OWNERDRAW, 130, "record"));
    winsim::ScriptPush("close the menu", [] { winsim::CloseMenu(); });
    probe.TrackPopupMenu(TPM_RIGHTBUTTON, kMenuAt.x, kMenuAt.y, &owner);

    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, probe.drawFont.lfFaceName);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, probe.drawFont.lfHeight);
    owner.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Styles, EntryMenuScreenTest,
                         ::testing::Values(StyleCase{"xp", "xp", false},
                                           StyleCase{"xp_classic_theme", "xp", true},
                                           StyleCase{"windows_2000", "2000", false}),
                         [](const ::testing::TestParamInfo<StyleCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
