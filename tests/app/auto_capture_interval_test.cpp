// The interval typed into the auto-capture dialog.
#include "ui/AutoCaptureInterval.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The period, or 0 when the text is refused.
UINT Period(const std::string& text) {
    UINT milliseconds = 0;
    return ParseAutoCaptureInterval(text.c_str(), milliseconds) ? milliseconds : 0;
}

} // namespace

TEST(AutoCaptureInterval, SecondsWithAPointOrAComma) {
    EXPECT_EQ(Period("5"), 5000u);
    EXPECT_EQ(Period("0.5"), 500u);
    EXPECT_EQ(Period("0,5"), 500u);
    EXPECT_EQ(Period("2.5"), 2500u);
    EXPECT_EQ(Period(" 2 "), 2000u);
    EXPECT_EQ(Period(".25"), 250u);
    EXPECT_EQ(Period("3."), 3000u);
    // Decimals beyond the thousandths are cut off.
    EXPECT_EQ(Period("1.23456"), 1234u);
    EXPECT_EQ(Period("007"), 7000u);
}

TEST(AutoCaptureInterval, FromATenthOfASecondToADay) {
    EXPECT_EQ(Period("0.1"), 100u);
    EXPECT_EQ(Period("0,1"), 100u);
    EXPECT_EQ(Period("86400"), 86400000u);
    EXPECT_EQ(Period("0.0999"), 0u);
    EXPECT_EQ(Period("0"), 0u);
    EXPECT_EQ(Period("0,0"), 0u);
    EXPECT_EQ(Period("86400.001"), 0u);
    EXPECT_EQ(Period("86401"), 0u);
    // No run of digits overflows into a small period.
    EXPECT_EQ(Period("18446744073709551617"), 0u);
    EXPECT_EQ(Period(std::string(5000, '9')), 0u);
}

TEST(AutoCaptureInterval, AnythingButANumberIsRefused) {
    for (const char* text : {"", " ", "abc", "-3", "+3", "5s", "5 s", "1e3", "1.2.3", "1,5,0", ".",
                             ",", "0x10", "5\t\n", "\xe9"}) {
        UINT milliseconds = 42;
        EXPECT_FALSE(ParseAutoCaptureInterval(text, milliseconds)) << text;
        EXPECT_EQ(milliseconds, 42u) << text;
    }
    UINT milliseconds = 42;
    EXPECT_FALSE(ParseAutoCaptureInterval(nullptr, milliseconds));
}
