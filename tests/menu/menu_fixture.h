// A fresh simulated desktop for the owner-drawn menu tests, with the process-wide icon store and
// style selection forgotten, so that each test sees the system it configures.
#pragma once

#include "menu/MenuFont.h"
#include "menu/MenuStyle.h"
#include "menu/SharedIconList.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <string>

namespace menu_test {

inline winsim::DesktopConfig DesktopOf(const std::string& version, bool classicTheme = false) {
    winsim::DesktopConfig config;
    config.windowsVersion = version;
    config.classicTheme = classicTheme;
    return config;
}

// Starts a desktop of this configuration; the icon store of the previous one is released first.
inline void StartDesktop(const winsim::DesktopConfig& config) {
    ReleaseSharedIcons();
    winsim::ResetDesktop(config);
    ForgetMenuStyle();
}

class MenuDesktopTest : public ::testing::Test {
protected:
    void SetUp() override { StartDesktop(DesktopOf("2000")); }
    void TearDown() override { ReleaseSharedIcons(); }
};

// Width of an ANSI text in the menu font, measured on the desktop window.
inline LONG MenuTextWidth(const std::string& text) {
    HFONT font = CreateMenuFont();
    HDC dc = GetDC(GetDesktopWindow());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(GetDesktopWindow(), dc);
    DeleteObject(font);
    return size.cx;
}

} // namespace menu_test
