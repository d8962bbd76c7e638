// System colours, metrics, parameters and the version, per configured Windows and theme.
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

void Desktop(const std::string& version, bool classic = false) {
    winsim::DesktopConfig config;
    config.windowsVersion = version;
    config.classicTheme = classic;
    winsim::ResetDesktop(config);
}

TEST(SystemColors, FollowTheVersionAndTheTheme) {
    Desktop("xp");
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(236, 233, 216));
    EXPECT_EQ(GetSysColor(COLOR_MENU), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(49, 106, 197));
    Desktop("xp", true);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_MENU), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    Desktop("95");
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
    Desktop("7");
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
}

TEST(ThemeSetting, TheRegistryNamesTheThemeFileOfTheDesktop) {
    const char* key = "Software\\Microsoft\\Plus!\\Themes\\Current";
    Desktop("xp");
    EXPECT_EQ(winsim::RegistryString(key, ""), "C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
    Desktop("xp", true);
    EXPECT_EQ(winsim::RegistryString(key, ""),
              "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme");
    Desktop("2000");
    EXPECT_EQ(winsim::RegistryString(key, ""), std::nullopt);
}

TEST(SystemMetrics, FollowTheScreenAndTheLook) {
    winsim::DesktopConfig config;
    config.screenWidth = 800;
    config.screenHeight = 600;
    winsim::ResetDesktop(config);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 20);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 26);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
    EXPECT_EQ(GetSystemMetrics(12345), 0);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 800);
    EXPECT_EQ(work.bottom, 600 - 30);
    Desktop("2000");
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
}

TEST(Version, ReportsTheConfiguredWindows) {
    Desktop("xp");
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_STREQ(info.szCSDVersion, "Service Pack 3");
    EXPECT_EQ(GetVersion() & 0xFFFF, 0x0105u);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u);

    Desktop("98");
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(info.dwMinorVersion, 10u);
    EXPECT_EQ(info.dwBuildNumber & 0xFFFF, 1998u);
    EXPECT_NE(GetVersion() & 0x80000000u, 0u);
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(extended);
    EXPECT_FALSE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&extended)));

    Desktop("2000");
    extended.dwOSVersionInfoSize = sizeof(extended);
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&extended)));
    EXPECT_EQ(extended.dwMajorVersion, 5u);
    EXPECT_EQ(extended.dwMinorVersion, 0u);
    EXPECT_EQ(extended.wServicePackMajor, 4);

    // Windows 10 tells a program without a manifest entry for it that it is Windows 8.
    Desktop("10");
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 2u);

    info.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

} // namespace

namespace {

TEST(NonClientMetrics, GiveTheMenuFontAndSizesOfTheLook) {
    Desktop("xp");
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "Tahoma");
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, FW_NORMAL);
    EXPECT_STREQ(metrics.lfCaptionFont.lfFaceName, "Trebuchet MS");
    EXPECT_EQ(metrics.iMenuHeight + 1, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(metrics.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));

    // Windows XP does not know the record that Windows Vista made longer.
    unsigned char longer[sizeof(NONCLIENTMETRICSA) + 4] = {};
    auto* record = reinterpret_cast<NONCLIENTMETRICSA*>(longer);
    record->cbSize = sizeof(longer);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(longer), record, 0));
    Desktop("7");
    EXPECT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(longer), record, 0));
    EXPECT_STREQ(record->lfMenuFont.lfFaceName, "Segoe UI");

    winsim::DesktopConfig japanese;
    japanese.codePage = 932;
    winsim::ResetDesktop(japanese);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(metrics.lfMenuFont.lfCharSet, SHIFTJIS_CHARSET);
    metrics.cbSize = 0;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
}

TEST(SystemColorBrushes, AreSolidBrushesOfTheColourKeptPerIndex) {
    Desktop("xp");
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(face, sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(236, 233, 216));
    EXPECT_EQ(GetSysColorBrush(25), nullptr);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    // A program that deletes it by mistake still gets a working brush next time.
    DeleteObject(face);
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), static_cast<DWORD>(OBJ_BRUSH));
}

} // namespace
