// Owner-drawn menus and icon sources over resources made by the tests: nested popups, odd
// templates, toolbars with separators, 16-colour and true-colour bitmaps.
#include "menu/BitmapResource.h"
#include "menu/IconToBitmap.h"
#include "menu/IvyMenu.h"
#include "menu/MenuFont.h"
#include "icon_canvas.h"
#include "menu_fixture.h"
#include "res_builder.h"

#include <winsim/module_resources.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using menu_test::Canvas;
using menu_test::DesktopOf;
using menu_test::MenuTextWidth;
using menu_test::StartDesktop;

const int kRtBitmap = 2;
const int kRtMenu = 4;
const int kRtToolbar = 241;

void PutWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void PutDword(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}

// A standard menu template from (flags, id, text) items; popups carry no id.
struct TemplateItem {
    uint16_t flags;
    uint16_t id;
    std::u16string text;
};
std::vector<uint8_t> MenuTemplate(const std::vector<TemplateItem>& items, uint16_t version = 0) {
    std::vector<uint8_t> out;
    PutWord(out, version);
    PutWord(out, 0);
    for (const TemplateItem& item : items) {
        PutWord(out, item.flags);
        if (!(item.flags & MF_POPUP)) {
            PutWord(out, item.id);
        }
        for (char16_t c : item.text) {
            PutWord(out, static_cast<uint16_t>(c));
        }
        PutWord(out, 0);
    }
    return out;
}

// A packed bottom-up DIB; pixel(x, y) gives a palette index (bpp 4) or a COLORREF (bpp 24).
std::vector<uint8_t> Dib(int width, int height, int bpp, const std::vector<COLORREF>& palette,
                         std::function<uint32_t(int, int)> pixel) {
    std::vector<uint8_t> out;
    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    PutDword(out, 40);
    PutDword(out, static_cast<uint32_t>(width));
    PutDword(out, static_cast<uint32_t>(height));
    PutWord(out, 1);
    PutWord(out, static_cast<uint16_t>(bpp));
    PutDword(out, 0);
    PutDword(out, static_cast<uint32_t>(stride * height));
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, static_cast<uint32_t>(palette.size()));
    PutDword(out, 0);
    for (COLORREF colour : palette) {
        out.push_back(GetBValue(colour));
        out.push_back(GetGValue(colour));
        out.push_back(GetRValue(colour));
        out.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const uint32_t value = pixel(x, row);
            if (bpp == 4) {
                line[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? value << 4 : value);
            } else {
                line[x * 3] = GetBValue(value);
                line[x * 3 + 1] = GetGValue(value);
                line[x * 3 + 2] = GetRValue(value);
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<uint8_t> Toolbar(const std::vector<uint16_t>& buttons) {
    std::vector<uint8_t> out;
    for (uint16_t word :
         {uint16_t{1}, uint16_t{16}, uint16_t{15}, static_cast<uint16_t>(buttons.size())}) {
        PutWord(out, word);
    }
    for (uint16_t id : buttons) {
        PutWord(out, id);
    }
    return out;
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kLightGrey = RGB(192, 192, 192);

// Resource ids.
const int kNestedMenu = 400;
const int kTruncatedMenu = 401;
const int kExtendedMenu = 402;
const int kFlatMenu = 403;
const int kSixteenColours = 300;
const int kTrueColour = 301;
const int kToolbarWithSeparator = 302;

// The 16-colour bitmap: columns 0..3 black, dark grey, light grey, white; the rest red.
uint32_t SixteenColourPixel(int x, int) {
    return x < 4 ? static_cast<uint32_t>(x) : 4;
}

void RegisterTestResources() {
    const uint16_t popup = MF_POPUP;
    const uint16_t end = MF_END;
    restest::ResBuilder res;
    // Top popup "Outils" holding an item with an accelerator and, as its last item, the popup
    // "Plus", whose last item closes both.
    res.Add(kRtMenu, kNestedMenu, 0x409,
            MenuTemplate({{static_cast<uint16_t>(popup | end), 0, u"Outils"},
                          {0, 10, u"A\tCtrl+A"},
                          {static_cast<uint16_t>(MF_GRAYED), 0, u""},
                          {static_cast<uint16_t>(popup | end), 0, u"Plus"},
                          {0, 11, u"Un texte bien plus long\tX"},
                          {end, 12, u"B\tF2"}}));
    std::vector<uint8_t> truncated =
        MenuTemplate({{static_cast<uint16_t>(popup | end), 0, u"Outils"}, {0, 10, u"A"}});
    res.Add(kRtMenu, kTruncatedMenu, 0x409, truncated);
    res.Add(kRtMenu, kExtendedMenu, 0x409,
            MenuTemplate({{static_cast<uint16_t>(end), 10, u"A"}}, 1));
    res.Add(kRtMenu, kFlatMenu, 0x409,
            MenuTemplate({{0, 20, u"Plain"},
                          {static_cast<uint16_t>(popup | end), 0, u"Sub"},
                          {end, 21, u"Inner"}}));
    res.Add(kRtBitmap, kSixteenColours, 0x409,
            Dib(16, 15, 4,
                {RGB(0, 0, 0), RGB(128, 128, 128), kLightGrey, RGB(255, 255, 255), kRed, 0, 0, 0, 0,
                 0, 0, 0, 0, 0, 0, 0},
                SixteenColourPixel));
    res.Add(kRtBitmap, kTrueColour, 0x409,
            Dib(16, 15, 24, {}, [](int x, int) { return x < 8 ? kLightGrey : kRed; }));
    // Two images: the first red, the second light grey with a red right half.
    res.Add(kRtToolbar, kToolbarWithSeparator, 0x409, Toolbar({600, 0, 601, 602}));
    res.Add(kRtBitmap, kToolbarWithSeparator, 0x409, Dib(48, 15, 24, {}, [](int x, int) {
                return x < 16 ? kRed : x < 24 ? kLightGrey : kRed;
            }));
    ASSERT_TRUE(winsim::RegisterModuleResources(res.Bytes().data(), res.Bytes().size()));
}

class CustomResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartDesktop(DesktopOf("2000"));
        RegisterTestResources();
    }
    void TearDown() override { ReleaseSharedIcons(); }
};

IvyMenu* Popup(IvyMenu& menu, int position) {
    return DYNAMIC_DOWNCAST(IvyMenu,
                            CMenu::FromHandlePermanent(::GetSubMenu(menu.m_hMenu, position)));
}

std::string Text(IvyMenu& menu, int position) {
    return ToAnsiText(menu.ItemRecord(position)->text);
}

TEST_F(CustomResourcesTest, APopupEndingItsParentClosesBothAndEachIsPadded) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(kNestedMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 1);
    IvyMenu* tools = Popup(menu, 0);
    ASSERT_NE(nullptr, tools);
    ASSERT_EQ(tools->GetMenuItemCount(), 3);
    IvyMenu* more = Popup(*tools, 2);
    ASSERT_NE(nullptr, more);
    ASSERT_EQ(more->GetMenuItemCount(), 2);
    EXPECT_EQ(static_cast<UINT>(MF_POPUP | MF_OWNERDRAW), tools->ItemRecord(2)->flags);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(more->m_hMenu), tools->ItemRecord(2)->commandId);

    // A separator whatever its other flags.
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW), tools->ItemRecord(1)->flags);

    // Each popup pads against its own widest text.
    const std::string a = Text(*tools, 0);
    ASSERT_NE(std::string::npos, a.find('\t'));
    const std::string aColumn = a.substr(0, a.find('\t'));
    EXPECT_GE(MenuTextWidth(aColumn), MenuTextWidth("Plus "));
    EXPECT_LT(MenuTextWidth(aColumn.substr(0, aColumn.size() - 1)), MenuTextWidth("Plus "));
    EXPECT_EQ(Text(*more, 0), "Un texte bien plus long \tX");
    const std::string b = Text(*more, 1);
    EXPECT_GE(MenuTextWidth(b.substr(0, b.find('\t'))), MenuTextWidth("Un texte bien plus long "));
    EXPECT_EQ(b.substr(b.find('\t')), "\tF2");

    // Icons are searched in nested popups too.
    int position = -1;
    EXPECT_EQ(more, menu.FindItemMenu(12, position));
    EXPECT_EQ(position, 1);
}

TEST_F(CustomResourcesTest, TheTopLevelIsPlainWhateverItHolds) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(kFlatMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_STRING), menu.ItemRecord(0)->flags);
    EXPECT_EQ(static_cast<UINT>(MF_BYPOSITION | MF_POPUP), menu.ItemRecord(1)->flags);
    char text[16] = {};
    menu.GetMenuString(0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("Plain", text);
    EXPECT_EQ(menu.GetMenuItemID(0), 20u);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
    ASSERT_NE(nullptr, Popup(menu, 1));
    ASSERT_TRUE(GetMenuItemInfoA(Popup(menu, 1)->m_hMenu, 0, TRUE, &info));
    EXPECT_NE(0u, info.fType & MFT_OWNERDRAW);
}

TEST_F(CustomResourcesTest, UnreadableTemplatesAreRefusedAndTheMenuKeepsItsContents) {
    IvyMenu menu;
    ASSERT_TRUE(menu.LoadFromResource(kFlatMenu));
    HMENU loaded = menu.m_hMenu;
    EXPECT_FALSE(menu.LoadFromResource(kTruncatedMenu));
    EXPECT_FALSE(menu.LoadFromResource(kExtendedMenu));
    EXPECT_EQ(loaded, menu.m_hMenu);
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.ItemRecordCount(), 2);
}

TEST_F(CustomResourcesTest, ASixteenColourBitmapTakesTheButtonColoursOfTheSystem) {
    StartDesktop(DesktopOf("xp"));
    RegisterTestResources();
    HIMAGELIST list = ImageList_Create(16, 15, ILC_MASK | ILC_COLORDDB, 1, 1);
    ASSERT_TRUE(AddBitmapResource(list, kSixteenColours));
    EXPECT_FALSE(TrueColourIconsLoaded());
    Canvas canvas(16, 15);
    canvas.Fill(kGreen);
    ASSERT_TRUE(ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), canvas.Get(0, 3));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.Get(1, 3));
    // Light grey became button face, the mask colour: it lets the ground show.
    EXPECT_EQ(canvas.Get(2, 3), kGreen);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Get(3, 3));
    EXPECT_EQ(canvas.Get(9, 3), kRed);
    ImageList_Destroy(list);
}

TEST_F(CustomResourcesTest, ATrueColourBitmapLosesItsLightGreyAndIsNoted) {
    HIMAGELIST list = ImageList_Create(16, 15, ILC_MASK | ILC_COLORDDB, 1, 1);
    EXPECT_FALSE(AddBitmapResource(list, 999));
    EXPECT_FALSE(TrueColourIconsLoaded());
    ASSERT_TRUE(AddBitmapResource(list, kTrueColour));
    EXPECT_TRUE(TrueColourIconsLoaded());
    Canvas canvas(16, 15);
    canvas.Fill(kGreen);
    ASSERT_TRUE(ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.Get(3, 3), kGreen);
    EXPECT_EQ(canvas.Get(12, 3), kRed);
    ImageList_Destroy(list);
}

TEST_F(CustomResourcesTest, ToolbarSeparatorsTakeNoImage) {
    IvyMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(WIDE("Six cents un"), 0, 601));
    ASSERT_TRUE(menu.AppendItem(u"Six cents", 0, 600));
    ASSERT_TRUE(menu.AddToolbarIcons(kToolbarWithSeparator));
    // 602 has an image but no item: nothing is registered for it.
    EXPECT_EQ(SharedIconCount(), 2);
    EXPECT_EQ(SharedIconIndex(602), -1);
    const int icon601 = menu.ItemRecord(0)->sharedIcon;
    ASSERT_GE(icon601, 0);
    Canvas canvas(16, 15);
    canvas.Fill(kGreen);
    ASSERT_TRUE(ImageList_Draw(SharedIconImages(), icon601, canvas.Dc(), 0, 0, ILD_TRANSPARENT));
    // Button 601 is the second image: light grey (now transparent) on its left half.
    EXPECT_EQ(canvas.Get(2, 2), kGreen);
    EXPECT_EQ(canvas.Get(12, 2), kRed);
}

} // namespace
