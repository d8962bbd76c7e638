// An entry's text back to plain text for the clipboard.
#include "list/EntryPlainText.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

std::string Plain(const char* html) {
    return EntryPlainText(CString(html)).str();
}

TEST(EntryPlainText, BreaksBecomeCarriageReturnAndLineFeed) {
    winsim::ResetDesktop();
    EXPECT_EQ(Plain("line 1<br/>line 2"), "line 1\r\nline 2");
    // A capture with CR LF keeps its CR: it is doubled in front of the new pair.
    EXPECT_EQ(Plain("a\r<br/>b"), "a\r\r\nb");
    EXPECT_EQ(Plain("no markers"), "no markers");
    EXPECT_EQ(Plain("<b>kept</b> <br>"), "<b>kept</b> <br>");
}

TEST(EntryPlainText, TitleIsUnderlinedWithOneEqualsSignPerByte) {
    winsim::ResetDesktop();
    EXPECT_EQ(Plain("<p><u>Erreur</u></p>Fichier introuvable<br/>OK<br/>"),
              "Erreur\r\n======\r\n\r\nFichier introuvable\r\nOK\r\n");
    // An empty title: the separator has no "=" and the text starts with three line breaks.
    EXPECT_EQ(Plain("<p><u></u></p>OK"), "\r\n\r\n\r\nOK");
    // Markers inside the captured text follow the same rules: only the first end marker gets
    // the underline, every marker goes.
    EXPECT_EQ(Plain("<p><u>T</u></p>x<p><u>y</u></p>"), "T\r\n=\r\n\r\nxy");
    EXPECT_EQ(Plain("no title</u></p>"), "no title\r\n========\r\n\r\n");
}

TEST(EntryPlainText, DoubleByteTitleCountsBytes) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    // Two kanji of two bytes each: four "=".
    EXPECT_EQ(Plain("<p><u>\x8C\x78\x8D\x90</u></p>OK"), "\x8C\x78\x8D\x90\r\n====\r\n\r\nOK");
    // A character whose trail byte is '\\' counts as its two bytes.
    EXPECT_EQ(Plain("<p><u>\x83\x5C</u></p>"), "\x83\x5C\r\n==\r\n\r\n");
}

} // namespace
