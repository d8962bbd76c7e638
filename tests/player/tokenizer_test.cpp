#include "player/Tokenizer.h"

#include <gtest/gtest.h>

namespace player {
namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<Token> tokens;
    std::string error;
    EXPECT_TRUE(TokenizeLine(line, tokens, error)) << error;
    std::vector<std::string> words;
    for (const Token& token : tokens) {
        words.push_back(token.text);
    }
    return words;
}

std::string ErrorOf(std::string_view line) {
    std::vector<Token> tokens;
    std::string error;
    EXPECT_FALSE(TokenizeLine(line, tokens, error)) << line;
    return error;
}

using List = std::vector<std::string>;

TEST(Tokenizer, BlanksCommentsAndLineEnds) {
    EXPECT_EQ(Words("  key\tAlt+C   "), (List{"key", "Alt+C"}));
    EXPECT_EQ(Words("# only a comment"), List{});
    EXPECT_EQ(Words(""), List{});
    EXPECT_EQ(Words("wait 2 # two seconds"), (List{"wait", "2"}));
    // A '#' inside a word is part of it; a Windows line end is no character of the last word.
    EXPECT_EQ(Words("msgbox C# x#y\r"), (List{"msgbox", "C#", "x#y"}));
}

TEST(Tokenizer, SingleQuotesTakeTextAsItStands) {
    EXPECT_EQ(Words("start 'C:\\Program Files\\Verbacap\\Verbacap.exe -autostart'"),
              (List{"start", "C:\\Program Files\\Verbacap\\Verbacap.exe -autostart"}));
    EXPECT_EQ(Words("x '\\n # \"'"), (List{"x", "\\n # \""}));
    std::vector<Token> tokens;
    std::string error;
    ASSERT_TRUE(TokenizeLine("expect clipboard ''", tokens, error));
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[2].text, "");
    EXPECT_TRUE(tokens[2].quoted);
    EXPECT_FALSE(tokens[0].quoted);
}

TEST(Tokenizer, DoubleQuotesKnowFiveEscapes) {
    EXPECT_EQ(Words("t \"Ligne 1\\r\\nLigne 2\""), (List{"t", "Ligne 1\r\nLigne 2"}));
    EXPECT_EQ(Words("t \"a\\tb \\\"q\\\" c\\\\d\""), (List{"t", "a\tb \"q\" c\\d"}));
    EXPECT_EQ(Words("t \"# not a comment\""), (List{"t", "# not a comment"}));
    // Why Windows paths go in single quotes: "\t" is an escape, "\d" an error.
    EXPECT_EQ(Words("t \"C:\\temp\""), (List{"t", "C:\temp"}));
    EXPECT_NE(ErrorOf("t \"C:\\dir\"").find("unknown escape \\d"), std::string::npos);
}

TEST(Tokenizer, HalfQuotedWordsAreErrors) {
    EXPECT_NE(ErrorOf("t 'open").find("single quote not closed"), std::string::npos);
    EXPECT_NE(ErrorOf("t \"open").find("double quote not closed"), std::string::npos);
    EXPECT_NE(ErrorOf("t \"ends in backslash\\").find("not closed"), std::string::npos);
    EXPECT_NE(ErrorOf("t l'image").find("column 4"), std::string::npos);
    EXPECT_NE(ErrorOf("t 'a'b").find("blank must follow"), std::string::npos);
    EXPECT_NE(ErrorOf("t \"a\"'b'").find("blank must follow"), std::string::npos);
}

} // namespace
} // namespace player
