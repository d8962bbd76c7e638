#include "app/AutostartSwitch.h"

#include <gtest/gtest.h>

TEST(AutostartSwitch, OnlyTheExactSwitchAtTheVeryEndCounts) {
    EXPECT_TRUE(HasAutostartSwitch("C:\\Program Files\\Verbacap\\Verbacap.exe -autostart"));
    EXPECT_TRUE(HasAutostartSwitch("\"C:\\Verbacap.exe\" -autostart"));
    EXPECT_TRUE(HasAutostartSwitch("-autostart"));
    EXPECT_TRUE(HasAutostartSwitch("x-autostart"));

    EXPECT_FALSE(HasAutostartSwitch("C:\\Verbacap.exe -autostart "));
    EXPECT_FALSE(HasAutostartSwitch("C:\\Verbacap.exe -AUTOSTART"));
    EXPECT_FALSE(HasAutostartSwitch("C:\\Verbacap.exe -autostart -x"));
    EXPECT_FALSE(HasAutostartSwitch("C:\\Verbacap.exe -autostar"));
    EXPECT_FALSE(HasAutostartSwitch("C:\\Verbacap.exe"));
}

TEST(AutostartSwitch, ShortCommandLinesHaveNone) {
    EXPECT_FALSE(HasAutostartSwitch(""));
    EXPECT_FALSE(HasAutostartSwitch("autostart"));
    EXPECT_FALSE(HasAutostartSwitch("a"));
    EXPECT_FALSE(HasAutostartSwitch(nullptr));
    // Only the characters of the line itself are read: a short line inside a larger buffer
    // that happens to hold the switch in front of it does not count.
    const char buffer[] = "-autostart\0start";
    EXPECT_FALSE(HasAutostartSwitch(buffer + 11));
}
