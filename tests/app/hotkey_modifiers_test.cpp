#include "capture/HotKeyModifiers.h"

#include <gtest/gtest.h>

TEST(HotKeyModifiers, ControlFlagsBecomeRegistrationModifiers) {
    EXPECT_EQ(HotKeyFlagsToModifiers(0), 0u);
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_ALT), static_cast<UINT>(MOD_ALT));
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_CONTROL), static_cast<UINT>(MOD_CONTROL));
    // Shift and Alt swap their bits between the two sets.
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_SHIFT), static_cast<UINT>(MOD_SHIFT));
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_CONTROL | HOTKEYF_SHIFT),
              static_cast<UINT>(MOD_CONTROL | MOD_SHIFT));
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_ALT | HOTKEYF_CONTROL | HOTKEYF_SHIFT),
              static_cast<UINT>(MOD_ALT | MOD_CONTROL | MOD_SHIFT));
}

TEST(HotKeyModifiers, AnExtendedKeyAddsTheWindowsKey) {
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_CONTROL | HOTKEYF_EXT),
              static_cast<UINT>(MOD_CONTROL | MOD_WIN));
    EXPECT_EQ(HotKeyFlagsToModifiers(HOTKEYF_EXT), static_cast<UINT>(MOD_WIN));
}
