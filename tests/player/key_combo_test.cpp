#include "player/KeyCombo.h"

#include <gtest/gtest.h>

namespace player {
namespace {

KeyCombo Parse(std::string_view text) {
    KeyCombo combo;
    std::string error;
    EXPECT_TRUE(ParseKeyCombo(text, combo, error)) << text << ": " << error;
    return combo;
}

std::string ErrorOf(std::string_view text) {
    KeyCombo combo;
    std::string error;
    EXPECT_FALSE(ParseKeyCombo(text, combo, error)) << text;
    return error;
}

TEST(KeyCombo, ModifiersAndLetters) {
    KeyCombo altC = Parse("Alt+C");
    EXPECT_EQ(altC.vk, 0x43u);
    EXPECT_TRUE(altC.alt);
    EXPECT_FALSE(altC.ctrl || altC.shift || altC.win || altC.extended);

    KeyCombo x = Parse("ctrl+SHIFT+x");
    EXPECT_EQ(x.vk, 0x58u);
    EXPECT_TRUE(x.ctrl && x.shift);
    EXPECT_FALSE(x.alt);
    EXPECT_EQ(FormatKeyCombo(x), "Ctrl+Shift+X");

    KeyCombo digit = Parse("Control+Win+7");
    EXPECT_EQ(digit.vk, 0x37u);
    EXPECT_TRUE(digit.ctrl && digit.win);
}

TEST(KeyCombo, NamedKeysAndTheExtendedFlag) {
    EXPECT_EQ(Parse("Esc").vk, 0x1Bu);
    EXPECT_EQ(Parse("Escape").vk, 0x1Bu);
    EXPECT_EQ(Parse("Enter").vk, 0x0Du);
    EXPECT_EQ(Parse("F1").vk, 0x70u);
    EXPECT_EQ(Parse("F12").vk, 0x7Bu);
    EXPECT_EQ(Parse("F24").vk, 0x87u);
    EXPECT_EQ(Parse("NumPad0").vk, 0x60u);
    EXPECT_EQ(Parse("NumPad9").vk, 0x69u);

    KeyCombo insert = Parse("Ctrl+Insert");
    EXPECT_EQ(insert.vk, 0x2Du);
    EXPECT_TRUE(insert.extended);
    for (const char* name :
         {"Delete", "Home", "End", "PageUp", "PageDown", "Left", "Up", "Right", "Down", "Divide"}) {
        EXPECT_TRUE(Parse(name).extended) << name;
    }
    for (const char* name : {"Enter", "Esc", "Space", "A", "F5", "NumPad1", "Multiply"}) {
        EXPECT_FALSE(Parse(name).extended) << name;
    }
    EXPECT_EQ(FormatKeyCombo(insert), "Ctrl+Insert");
}

TEST(KeyCombo, PunctuationAndThePlusKey) {
    EXPECT_EQ(Parse("Ctrl+,").vk, 0xBCu);
    EXPECT_EQ(Parse("Ctrl+-").vk, 0xBDu);
    KeyCombo plus = Parse("Ctrl++");
    EXPECT_EQ(plus.vk, 0xBBu);
    EXPECT_TRUE(plus.ctrl);
    EXPECT_EQ(Parse("Shift+Plus").vk, 0xBBu);
}

TEST(KeyCombo, Faults) {
    EXPECT_NE(ErrorOf("").find("empty"), std::string::npos);
    EXPECT_NE(ErrorOf("Ctrl+").find("ends without a key"), std::string::npos);
    EXPECT_NE(ErrorOf("Ctrl+Alt").find("no key"), std::string::npos);
    EXPECT_NE(ErrorOf("Alt+Alt+C").find("twice"), std::string::npos);
    EXPECT_NE(ErrorOf("A+B").find("not a modifier"), std::string::npos);
    EXPECT_NE(ErrorOf("Ctrl++C").find("empty part"), std::string::npos);
    EXPECT_NE(ErrorOf("Alt+Foo").find("unknown key 'Foo'"), std::string::npos);
    ErrorOf("F0");
    ErrorOf("F25");
    ErrorOf("F01");
    ErrorOf("NumPad10");
    ErrorOf("+");
}

} // namespace
} // namespace player
