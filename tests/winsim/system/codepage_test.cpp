// Code-page conversions and the double-byte-aware string functions.
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

winsim::DesktopConfig WithCodePage(unsigned codePage) {
    winsim::DesktopConfig config;
    config.codePage = codePage;
    return config;
}

std::u16string ToWide(UINT codePage, const std::string& bytes, DWORD flags = 0) {
    int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                                     nullptr, 0);
    std::u16string wide(static_cast<size_t>(length), u'\0');
    if (length > 0) {
        MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                            wide.data(), length);
    }
    return wide;
}

std::string ToBytes(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr,
                    const char* defaultChar = nullptr) {
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, defaultChar, usedDefault);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                        length, defaultChar, usedDefault);
    return bytes;
}

// "日本" and "表" in Shift-JIS; the trail byte of 表 is 0x5C, the backslash.
const std::string kNihon = "\x93\xfa\x96\x7b";
const std::string kHyo = "\x95\x5c";

TEST(CodePage1252, DecodesWindowsCharactersIncludingTheUndefinedBytes) {
    winsim::ResetDesktop();
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(ToWide(CP_ACP, "D\xe9j\xe0 \x80"), u"D\u00e9j\u00e0 \u20ac");
    // Windows gives the five bytes that the code page leaves free their C1 control codes.
    EXPECT_EQ(ToWide(CP_ACP, "\x81\x8d\x8f\x90\x9d"), u"\u0081\u008d\u008f\u0090\u009d");
    EXPECT_EQ(ToBytes(CP_ACP, u"D\u00e9j\u00e0 \u20ac"), "D\xe9j\xe0 \x80");
    EXPECT_FALSE(IsDBCSLeadByte(0x93));
}

TEST(CodePage1252, CountsSizesAndRefusesBadArgumentsAsWindows) {
    winsim::ResetDesktop();
    // -1: the terminating zero is converted and counted.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
    WCHAR small[2];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, small, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, small, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(12345, 0, "abc", 3, small, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    BOOL usedDefault = FALSE;
    EXPECT_EQ(ToBytes(CP_ACP, u"a\u65e5b", &usedDefault), "a?b");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(ToBytes(CP_ACP, u"a\u65e5b", &usedDefault, "#"), "a#b");
    ToBytes(CP_ACP, u"plain", &usedDefault);
    EXPECT_FALSE(usedDefault);
}

TEST(CodePageUtf8, RoundTripsSurrogatePairsAndRejectsDefaultCharArguments) {
    winsim::ResetDesktop();
    std::u16string clef = u"\U0001D11E";
    std::string utf8 = ToBytes(CP_UTF8, clef);
    EXPECT_EQ(utf8, "\xf0\x9d\x84\x9e");
    EXPECT_EQ(ToWide(CP_UTF8, utf8), clef);
    EXPECT_EQ(ToWide(CP_UTF8, "a\xffz"), u"a\ufffdz");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xffz", 3, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePage932, DecodesDoubleByteCharactersAndFlagsBrokenOnes) {
    winsim::ResetDesktop(WithCodePage(932));
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(ToWide(CP_ACP, "A" + kNihon), u"A\u65e5\u672c");
    EXPECT_EQ(ToBytes(CP_ACP, u"A\u65e5\u672c"), "A" + kNihon);
    EXPECT_EQ(ToWide(CP_ACP, kHyo), u"\u8868");
    EXPECT_TRUE(IsDBCSLeadByte(0x93));
    EXPECT_FALSE(IsDBCSLeadByte('A'));
    EXPECT_FALSE(IsDBCSLeadByte(0xB1)); // half-width katakana are single bytes
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 1);

    // A lead byte without its trail byte.
    std::string cut = "a\x93";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, cut.data(), 2, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(ToWide(CP_ACP, cut), u"a\u30fb");
}

// Long texts are mostly ASCII and are decoded in runs; every run length, every place a run
// can end and a double-byte character whose trail byte is ASCII must still come out right.
TEST(CodePage932, AsciiRunsOfEveryLengthAroundDoubleByteCharacters) {
    winsim::ResetDesktop(WithCodePage(932));
    std::string bytes;
    std::u16string expected;
    for (size_t run = 0; run < 20; ++run) {
        const std::string ascii(run, static_cast<char>('a' + run));
        bytes += ascii + kHyo + "\\" + kNihon + "\xb1";
        expected += std::u16string(ascii.begin(), ascii.end()) + u"\u8868\\\u65e5\u672c\uff71";
    }
    bytes += std::string(11, '<') + "\x93";
    expected += std::u16string(11, u'<') + u"\u30fb";
    EXPECT_EQ(
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0),
        static_cast<int>(expected.size()));
    EXPECT_EQ(ToWide(CP_ACP, bytes), expected);
    std::u16string small(expected.size() - 1, u'\0');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  small.data(), static_cast<int>(small.size())),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(CodePage1252, AsciiRunsOfEveryLengthAroundAccentedLetters) {
    winsim::ResetDesktop();
    std::string bytes;
    std::u16string expected;
    for (size_t run = 0; run < 20; ++run) {
        const std::string ascii(run, static_cast<char>('A' + run));
        bytes += ascii + "\xe9\x80";
        expected += std::u16string(ascii.begin(), ascii.end()) + u"\u00e9\u20ac";
    }
    EXPECT_EQ(ToWide(CP_ACP, bytes), expected);
}

TEST(MultibyteStrings, SearchAndCompareByCharacterNotByByte) {
    winsim::ResetDesktop(WithCodePage(932));
    std::string path = "C:\\" + kHyo + "x";
    const auto* text = reinterpret_cast<const unsigned char*>(path.c_str());
    // The 0x5C inside 表 is not a backslash: the last one is the third byte.
    EXPECT_EQ(_mbsrchr(text, '\\'), text + 2);
    EXPECT_EQ(_mbschr(text + 3, '\\'), nullptr);
    EXPECT_EQ(_mbslen(text), 5u);
    EXPECT_EQ(_mbsrchr(text, 0x955Cu), text + 3);

    // The single-byte katakana 0xB1 sorts before every double-byte character.
    const auto* katakana = reinterpret_cast<const unsigned char*>("\xb1");
    const auto* hiragana = reinterpret_cast<const unsigned char*>("\x82\xa0");
    EXPECT_LT(_mbscmp(katakana, hiragana), 0);
    EXPECT_GT(_mbscmp(hiragana, katakana), 0);
    EXPECT_EQ(_mbscmp(text, reinterpret_cast<const unsigned char*>(path.c_str())), 0);
    EXPECT_EQ(_mbscmp(nullptr, text), _MBSCMP_ERROR);

    LPCSTR start = path.c_str();
    EXPECT_EQ(CharNextA(start + 3), start + 5);
    EXPECT_EQ(CharPrevA(start, start + 5), start + 3);
    EXPECT_EQ(CharPrevA(start, start), start);
}

TEST(MultibyteStrings, SingleByteCodePageTreatsEveryByteAsACharacter) {
    winsim::ResetDesktop();
    std::string path = "C:\\dir" + kHyo + "x";
    const auto* text = reinterpret_cast<const unsigned char*>(path.c_str());
    EXPECT_EQ(_mbsrchr(text, '\\'), text + 7);
    EXPECT_EQ(_mbslen(text), path.size());
}

} // namespace

// A new desktop with another code page answers with its own lead bytes, however often the
// previous one was asked.
TEST(CodePageSwitch, LeadBytesFollowTheDesktopsCodePage) {
    winsim::ResetDesktop(WithCodePage(932));
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    winsim::ResetDesktop(WithCodePage(1252));
    EXPECT_FALSE(IsDBCSLeadByte(0x81));
    EXPECT_TRUE(IsDBCSLeadByteEx(932, 0x81));
    EXPECT_FALSE(IsDBCSLeadByte(0x81));
    winsim::ResetDesktop(WithCodePage(936));
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    EXPECT_FALSE(IsDBCSLeadByte(0x80));
    winsim::ResetDesktop();
}
