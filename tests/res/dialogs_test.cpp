// The four extended dialog templates read back: caption, size, styles, font and controls.
#include "template_readers.h"

#include <res/resource.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

namespace {

// Window and dialog styles with their Windows values.
constexpr uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000;
constexpr uint32_t kWsCaption = 0x00C00000, kWsBorder = 0x00800000, kWsSysMenu = 0x00080000;
constexpr uint32_t kWsThickFrame = 0x00040000, kWsMinimizeBox = 0x00020000;
constexpr uint32_t kWsMaximizeBox = 0x00010000;
constexpr uint32_t kDsSetFont = 0x40, kDsModalFrame = 0x80, kDsFixedSys = 0x08;
constexpr uint32_t kWsExAppWindow = 0x00040000;

restest::DialogTemplateEx LoadDialog(int id) {
    auto data = restest::ResourceData(MAKEINTRESOURCEA(id), RT_DIALOG);
    EXPECT_TRUE(data) << "dialog " << id;
    if (!data) {
        return {};
    }
    auto dlg = restest::ParseDialogTemplateEx(*data);
    EXPECT_TRUE(dlg) << "dialog " << id << " is an extended template";
    return dlg ? *dlg : restest::DialogTemplateEx{};
}

void ExpectShellFont(const restest::DialogTemplateEx& dlg) {
    EXPECT_EQ(dlg.typeface, u"MS Shell Dlg");
    EXPECT_EQ(dlg.pointSize, 8);
    EXPECT_EQ(dlg.weight, 0);
    EXPECT_EQ(dlg.italic, 0);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(Dialogs, MainDialogIsAFixedSizeAppWindowWithTheHotKeyControl) {
    const auto dlg = LoadDialog(IDD_VERBACAP_DIALOG);
    EXPECT_EQ(dlg.title, u"Verbacap");
    EXPECT_EQ(dlg.x, 0);
    EXPECT_EQ(dlg.y, 0);
    EXPECT_EQ(dlg.cx, 309);
    EXPECT_EQ(dlg.cy, 217);
    EXPECT_EQ(dlg.style, kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kWsMinimizeBox |
                             kWsMaximizeBox | kDsModalFrame | kDsSetFont | kDsFixedSys);
    EXPECT_EQ(dlg.style & kWsThickFrame, 0u) << "no sizing border";
    EXPECT_EQ(dlg.exStyle, kWsExAppWindow);
    EXPECT_TRUE(dlg.menu.text.empty() && !dlg.menu.isOrdinal);
    EXPECT_TRUE(dlg.windowClass.text.empty() && !dlg.windowClass.isOrdinal);
    ExpectShellFont(dlg);

    ASSERT_EQ(dlg.items.size(), 1u);
    const auto& hotKey = dlg.items[0];
    EXPECT_EQ(hotKey.id, static_cast<uint32_t>(IDC_HOTKEY));
    EXPECT_EQ(hotKey.id, 1000u);
    EXPECT_FALSE(hotKey.windowClass.isOrdinal);
    // Window class names compare without regard to case; windres writes them in capitals.
    std::u16string windowClass = hotKey.windowClass.text;
    for (char16_t& c : windowClass) {
        c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    EXPECT_EQ(windowClass, u"msctls_hotkey32");
    EXPECT_EQ(hotKey.style, kWsChild | kWsVisible | kWsBorder);
    EXPECT_EQ(hotKey.exStyle, 0u);
    EXPECT_EQ(hotKey.x, 105);
    EXPECT_EQ(hotKey.y, 95);
    EXPECT_EQ(hotKey.cx, 84);
    EXPECT_EQ(hotKey.cy, 16);
    EXPECT_EQ(hotKey.extraCount, 0);
}

TEST_F(Dialogs, SecondaryDialogsAreModalFramesWithCaptionsAndNoControls) {
    struct Case {
        int id;
        const char16_t* caption;
        int16_t cx, cy;
    };
    for (const Case& c : {Case{IDD_AUTOSCREENSHOT, u"Auto-captures", 176, 70},
                          Case{IDD_ABOUT, u"A propos de Verbacap...", 199, 201},
                          Case{IDD_HELP, u"Aide", 224, 190}}) {
        SCOPED_TRACE("dialog " + std::to_string(c.id));
        const auto dlg = LoadDialog(c.id);
        EXPECT_EQ(dlg.title, c.caption);
        EXPECT_EQ(dlg.cx, c.cx);
        EXPECT_EQ(dlg.cy, c.cy);
        EXPECT_EQ(dlg.style, kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont);
        EXPECT_EQ(dlg.exStyle, 0u);
        ExpectShellFont(dlg);
        EXPECT_TRUE(dlg.items.empty());
    }
}

} // namespace
