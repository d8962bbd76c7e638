#include "framework/CString.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class StringTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

class DoubleByteStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::DesktopConfig config;
        config.codePage = 932;
        winsim::ResetDesktop(config);
    }
    // "表" in code page 932: lead byte 0x95, trail byte 0x5C, the code of '\'.
    static constexpr const char* kHyo = "\x95\x5C";
};

TEST_F(StringTest, ConstructionAndNullInputs) {
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_TRUE(CString('x', -1).IsEmpty());
    EXPECT_EQ(CString("abc", 2), "ab");
    CString s;
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s, "");
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(s.GetLength(), 0);
}

TEST_F(StringTest, MidLeftRightClampToTheString) {
    CString s("Verbacap");
    EXPECT_EQ(s.Mid(3, 3), "bac");
    EXPECT_EQ(s.Mid(5), "cap");
    EXPECT_EQ(s.Mid(-2, 4), "Verb");
    EXPECT_EQ(s.Mid(8), "");
    EXPECT_EQ(s.Mid(20, 2), "");
    EXPECT_EQ(s.Mid(2, -1), "");
    EXPECT_EQ(s.Left(100), "Verbacap");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(3), "cap");
    EXPECT_EQ(s.Right(99), "Verbacap");
}

TEST_F(StringTest, FindAndReverseFind) {
    CString s("txt12 txt3");
    EXPECT_EQ(s.Find("txt"), 0);
    EXPECT_EQ(s.Find("txt", 1), 6);
    EXPECT_EQ(s.Find("txt", 7), -1);
    EXPECT_EQ(s.Find("", 10), 10);
    EXPECT_EQ(s.Find("x", -1), -1);
    EXPECT_EQ(s.Find('t', 10), -1);
    EXPECT_EQ(s.Find('1'), 3);
    EXPECT_EQ(s.ReverseFind('t'), 8);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf("321"), 3);
}

TEST_F(StringTest, ReplaceDoesNotRescanWhatItInserted) {
    CString s("a\nb\n\nc");
    EXPECT_EQ(s.Replace("\n", "<br/>"), 3);
    EXPECT_EQ(s, "a<br/>b<br/><br/>c");
    CString grow("aa");
    EXPECT_EQ(grow.Replace("a", "aa"), 2);
    EXPECT_EQ(grow, "aaaa");
    EXPECT_EQ(grow.Replace("", "x"), 0);
    EXPECT_EQ(grow.Replace('a', 'b'), 4);
    EXPECT_EQ(grow, "bbbb");
    CString gone("x-y-z");
    EXPECT_EQ(gone.Replace("-", nullptr), 2);
    EXPECT_EQ(gone, "xyz");
}

TEST_F(StringTest, InsertDeleteRemove) {
    CString s("abc");
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_EQ(s, "aXYbc");
    EXPECT_EQ(s.Insert(99, '!'), 6);
    EXPECT_EQ(s, "aXYbc!");
    EXPECT_EQ(s.Insert(-5, '<'), 7);
    EXPECT_EQ(s, "<aXYbc!");
    EXPECT_EQ(s.Delete(2, 2), 5);
    EXPECT_EQ(s, "<abc!");
    EXPECT_EQ(s.Delete(3, 100), 3);
    EXPECT_EQ(s, "<ab");
    EXPECT_EQ(s.Delete(10), 3);
    EXPECT_EQ(s.Remove('<'), 1);
    EXPECT_EQ(s, "ab");
}

TEST_F(StringTest, FormatGrowsAsNeeded) {
    CString s;
    s.Format("\\%x.jpg", 255u);
    EXPECT_EQ(s, "\\ff.jpg");
    std::string longText(5000, 'q');
    s.Format("%s|%d", longText.c_str(), -7);
    EXPECT_EQ(s.GetLength(), 5003);
    EXPECT_EQ(s.Right(3), "|-7");
    s.AppendFormat("%02d", 5);
    EXPECT_EQ(s.Right(4), "-705");
}

TEST_F(StringTest, BufferAccessKeepsTextAndTakesTheNewLength) {
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    EXPECT_STREQ("abc", buffer);
    std::strcpy(buffer, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");
    buffer = s.GetBuffer(2);
    buffer[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, "01");
    s.GetBufferSetLength(4)[3] = 'z';
    s.ReleaseBuffer(4);
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s[3], 'z');
}

TEST_F(StringTest, CompareAndCaseAndTrim) {
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_EQ(CString("Quillory").CompareNoCase("qUILLORY"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    CString s("  Mixed Case\t\r\n");
    s.Trim();
    EXPECT_EQ(s, "Mixed Case");
    s.MakeUpper();
    EXPECT_EQ(s, "MIXED CASE");
    s.MakeLower().MakeReverse();
    EXPECT_EQ(s, "esac dexim");
    CString dashes("--x--");
    dashes.Trim('-');
    EXPECT_EQ(dashes, "x");
}

TEST_F(StringTest, WideConversionRoundTrip) {
    CString text("D\xE9marrer"); // "Démarrer" in code page 1252
    std::basic_string<WCHAR> wide = AfxAnsiToWide(text);
    ASSERT_EQ(wide.size(), 8u);
    EXPECT_EQ(wide[1], 0xE9);
    EXPECT_EQ(text, CString(wide.c_str()));
    EXPECT_TRUE(AfxAnsiToWide(nullptr).empty());
    EXPECT_TRUE(CString(static_cast<const WCHAR*>(nullptr)).IsEmpty());
}

// Long texts are converted in pieces: no double-byte character may be cut where one ends,
// whether the text has ASCII punctuation to end a piece at or none at all.
TEST_F(DoubleByteStringTest, LongTextsConvertWholeAcrossPieces) {
    for (const std::string separator : {"<", ""}) {
        std::string text;
        std::basic_string<WCHAR> expected;
        for (int i = 0; i < 9000; ++i) {
            text += kHyo + separator + (i % 7 == 0 ? "\xb1" : "");
            expected += u"\u8868" + std::basic_string<WCHAR>(separator.begin(), separator.end()) +
                        (i % 7 == 0 ? u"\uff71" : u"");
        }
        const std::basic_string<WCHAR> wide = AfxAnsiToWide(text.c_str());
        ASSERT_EQ(expected.size(), wide.size()) << separator;
        EXPECT_TRUE(expected == wide) << separator;
        EXPECT_EQ(text, CString(wide.c_str()).str()) << separator;
    }
}

TEST_F(DoubleByteStringTest, TrailBytesNeverMatchSingleCharacters) {
    CString path = CString("C:") + kHyo + "\\x";
    // The trail byte of the double-byte character is 0x5C, the backslash.
    EXPECT_EQ(path.Find('\\'), 4);
    EXPECT_EQ(path.ReverseFind('\\'), 4);
    EXPECT_EQ(path.Find("\\"), 4);
    EXPECT_EQ(path.FindOneOf("\\"), 4);
    CString copy(path);
    EXPECT_EQ(copy.Replace("\\", "/"), 1);
    EXPECT_EQ(CString("C:") + kHyo + "/x", copy);
    copy = path;
    EXPECT_EQ(copy.Replace('\\', '/'), 1);
    EXPECT_EQ(copy.Remove('/'), 1);
    EXPECT_EQ(CString("C:") + kHyo + "x", copy);
    EXPECT_EQ(copy.Find(kHyo), 2);
}

TEST_F(DoubleByteStringTest, CaseAndReverseKeepDoubleByteCharacters) {
    // 0x82 0x61 is a full-width letter whose trail byte is the code of 'a'.
    CString s("a\x82\x61");
    s.MakeUpper();
    EXPECT_EQ(s, "A\x82\x61");
    s.MakeReverse();
    EXPECT_EQ("\x82\x61"
              "A",
              s);
    CString blank(CString(kHyo) + "  ");
    blank.TrimRight();
    EXPECT_EQ(blank, kHyo);
}

} // namespace

namespace {

TEST(StringResource, MissingStringLoadsNothing) {
    winsim::ResetDesktop();
    CString s("kept");
    // No string table is registered on this desktop.
    EXPECT_FALSE(s.LoadString(0xE000));
    EXPECT_EQ(s, "kept");
}

} // namespace
