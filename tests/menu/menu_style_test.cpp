#include "menu/MenuStyle.h"

#include "menu_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using menu_test::DesktopOf;
using menu_test::StartDesktop;

struct VersionCase {
    const char* version;
    int versionClass;
};

class VersionClassTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionClassTest, EachSystemHasItsClassAndOnlyXPTakesTheXPStyle) {
    StartDesktop(DesktopOf(GetParam().version));
    EXPECT_EQ(WindowsVersionClass(), GetParam().versionClass);
    EXPECT_EQ(HasNewShell(), GetParam().versionClass > 1);
    EXPECT_EQ(UsesXPStyle(), GetParam().versionClass == 7);
    EXPECT_EQ(UsesXPStyle(), IsXPThemeActive());
}

INSTANTIATE_TEST_SUITE_P(Systems, VersionClassTest,
                         ::testing::Values(VersionCase{"95", 2}, VersionCase{"98", 3},
                                           VersionCase{"me", 4}, VersionCase{"nt4", 5},
                                           VersionCase{"2000", 6}, VersionCase{"xp", 7},
                                           VersionCase{"vista", 1}, VersionCase{"7", 1},
                                           VersionCase{"10", 1}));

// Writes the theme file name as the display settings would, or removes it (nullptr).
void SetThemeFile(const char* path) {
    HKEY key = NULL;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0,
                              NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    if (path == nullptr) {
        RegDeleteValueA(key, NULL);
    } else {
        RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                       static_cast<DWORD>(std::strlen(path) + 1));
    }
    RegCloseKey(key);
}

TEST(ThemeTest, XPWithTheClassicThemeFileInAnyCaseTakesTheClassicStyle) {
    StartDesktop(DesktopOf("xp", true));
    EXPECT_TRUE(IsClassicTheme());
    EXPECT_FALSE(IsXPThemeActive());
    EXPECT_FALSE(UsesXPStyle());

    StartDesktop(DesktopOf("xp"));
    SetThemeFile("C:\\WINDOWS\\RESOURCES\\THEMES\\windows classic.THEME");
    EXPECT_TRUE(IsClassicTheme());
    EXPECT_FALSE(UsesXPStyle());
}

TEST(ThemeTest, AnyOtherThemeOrNoneKeepsTheXPStyle) {
    StartDesktop(DesktopOf("xp"));
    EXPECT_FALSE(IsClassicTheme());
    EXPECT_TRUE(UsesXPStyle());

    for (const char* theme : {"C:\\Themes\\Classic.theme", "Windows Classic.theme.bak", ""}) {
        StartDesktop(DesktopOf("xp"));
        SetThemeFile(theme);
        EXPECT_FALSE(IsClassicTheme()) << theme;
        EXPECT_TRUE(UsesXPStyle()) << theme;
    }
    StartDesktop(DesktopOf("xp"));
    SetThemeFile(nullptr);
    EXPECT_FALSE(IsClassicTheme());
    EXPECT_TRUE(UsesXPStyle());
}

TEST(ThemeTest, AThemeNameLongerThanTheReadLimitCountsAsNotClassic) {
    StartDesktop(DesktopOf("xp"));
    const std::string longName = "C:\\" + std::string(300, 'x') + "\\Windows Classic.theme";
    SetThemeFile(longName.c_str());
    EXPECT_FALSE(IsClassicTheme());
}

TEST(ThemeTest, TheThemeIsReadOnceAndAChangeLaterIsNotNoticed) {
    StartDesktop(DesktopOf("xp"));
    EXPECT_TRUE(UsesXPStyle());
    SetThemeFile("C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme");
    EXPECT_TRUE(UsesXPStyle());
    ForgetMenuStyle();
    EXPECT_FALSE(UsesXPStyle());
}

} // namespace
