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
    EXPECT_EQ("xxx", CString('x', 3));
    EXPECT_TRUE(CString('x', -1).IsEmpty());
    EXPECT_EQ("ab", CString("abc", 2));
    CString s;
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ("", s);
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(0, s.GetLength());
}

TEST_F(StringTest, MidLeftRightClampToTheString) {
    CString s("Verbacap");
    EXPECT_EQ("bac", s.Mid(3, 3));
    EXPECT_EQ("cap", s.Mid(5));
    EXPECT_EQ("Verb", s.Mid(-2, 4));
    EXPECT_EQ("", s.Mid(8));
    EXPECT_EQ("", s.Mid(20, 2));
    EXPECT_EQ("", s.Mid(2, -1));
    EXPECT_EQ("Verbacap", s.Left(100));
    EXPECT_EQ("", s.Left(-1));
    EXPECT_EQ("cap", s.Right(3));
    EXPECT_EQ("Verbacap", s.Right(99));
}

TEST_F(StringTest, FindAndReverseFind) {
    CString s("txt12 txt3");
    EXPECT_EQ(0, s.Find("txt"));
    EXPECT_EQ(6, s.Find("txt", 1));
    EXPECT_EQ(-1, s.Find("txt", 7));
    EXPECT_EQ(10, s.Find("", 10));
    EXPECT_EQ(-1, s.Find("x", -1));
    EXPECT_EQ(-1, s.Find('t', 10));
    EXPECT_EQ(3, s.Find('1'));
    EXPECT_EQ(8, s.ReverseFind('t'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(3, s.FindOneOf("321"));
}

TEST_F(StringTest, ReplaceDoesNotRescanWhatItInserted) {
    CString s("a\nb\n\nc");
    EXPECT_EQ(3, s.Replace("\n", "<br/>"));
    EXPECT_EQ("a<br/>b<br/><br/>c", s);
    CString grow("aa");
    EXPECT_EQ(2, grow.Replace("a", "aa"));
    EXPECT_EQ("aaaa", grow);
    EXPECT_EQ(0, grow.Replace("", "x"));
    EXPECT_EQ(4, grow.Replace('a', 'b'));
    EXPECT_EQ("bbbb", grow);
    CString gone("x-y-z");
    EXPECT_EQ(2, gone.Replace("-", nullptr));
    EXPECT_EQ("xyz", gone);
}

TEST_F(StringTest, InsertDeleteRemove) {
    CString s("abc");
    EXPECT_EQ(5, s.Insert(1, "XY"));
    EXPECT_EQ("aXYbc", s);
    EXPECT_EQ(6, s.Insert(99, '!'));
    EXPECT_EQ("aXYbc!", s);
    EXPECT_EQ(7, s.Insert(-5, '<'));
    EXPECT_EQ("<aXYbc!", s);
    EXPECT_EQ(5, s.Delete(2, 2));
    EXPECT_EQ("<abc!", s);
    EXPECT_EQ(3, s.Delete(3, 100));
    EXPECT_EQ("<ab", s);
    EXPECT_EQ(3, s.Delete(10));
    EXPECT_EQ(1, s.Remove('<'));
    EXPECT_EQ("ab", s);
}

TEST_F(StringTest, FormatGrowsAsNeeded) {
    CString s;
    s.Format("\\%x.jpg", 255u);
    EXPECT_EQ("\\ff.jpg", s);
    std::string longText(5000, 'q');
    s.Format("%s|%d", longText.c_str(), -7);
    EXPECT_EQ(5003, s.GetLength());
    EXPECT_EQ("|-7", s.Right(3));
    s.AppendFormat("%02d", 5);
    EXPECT_EQ("-705", s.Right(4));
}

TEST_F(StringTest, BufferAccessKeepsTextAndTakesTheNewLength) {
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    EXPECT_STREQ("abc", buffer);
    std::strcpy(buffer, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ("0123456789", s);
    buffer = s.GetBuffer(2);
    buffer[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ("01", s);
    s.GetBufferSetLength(4)[3] = 'z';
    s.ReleaseBuffer(4);
    EXPECT_EQ(4, s.GetLength());
    EXPECT_EQ('z', s[3]);
}

TEST_F(StringTest, CompareAndCaseAndTrim) {
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_EQ(0, CString("Quillory").CompareNoCase("qUILLORY"));
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    CString s("  Mixed Case\t\r\n");
    s.Trim();
    EXPECT_EQ("Mixed Case", s);
    s.MakeUpper();
    EXPECT_EQ("MIXED CASE", s);
    s.MakeLower().MakeReverse();
    EXPECT_EQ("esac dexim", s);
    CString dashes("--x--");
    dashes.Trim('-');
    EXPECT_EQ("x", dashes);
}

TEST_F(StringTest, WideConversionRoundTrip) {
    CString text("D\xE9marrer"); // "Démarrer" in code page 1252
    std::basic_string<WCHAR> wide = AfxAnsiToWide(text);
    ASSERT_EQ(8u, wide.size());
    EXPECT_EQ(0xE9, wide[1]);
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
    EXPECT_EQ(4, path.Find('\\'));
    EXPECT_EQ(4, path.ReverseFind('\\'));
    EXPECT_EQ(4, path.Find("\\"));
    EXPECT_EQ(4, path.FindOneOf("\\"));
    CString copy(path);
    EXPECT_EQ(1, copy.Replace("\\", "/"));
    EXPECT_EQ(CString("C:") + kHyo + "/x", copy);
    copy = path;
    EXPECT_EQ(1, copy.Replace('\\', '/'));
    EXPECT_EQ(1, copy.Remove('/'));
    EXPECT_EQ(CString("C:") + kHyo + "x", copy);
    EXPECT_EQ(2, copy.Find(kHyo));
}

TEST_F(DoubleByteStringTest, CaseAndReverseKeepDoubleByteCharacters) {
    // 0x82 0x61 is a full-width letter whose trail byte is the code of 'a'.
    CString s("a\x82\x61");
    s.MakeUpper();
    EXPECT_EQ("A\x82\x61", s);
    s.MakeReverse();
    EXPECT_EQ("\x82\x61"
              "A",
              s);
    CString blank(CString(kHyo) + "  ");
    blank.TrimRight();
    EXPECT_EQ(kHyo, blank);
}

} // namespace

namespace {

TEST(StringResource, MissingStringLoadsNothing) {
    winsim::ResetDesktop();
    CString s("kept");
    // No string table is registered on this desktop.
    EXPECT_FALSE(s.LoadString(0xE000));
    EXPECT_EQ("kept", s);
}

} // namespace
