// The code pages of the simulated system: single-byte and double-byte tables built once through
// iconv, and UTF-8. Shared by the conversion functions, the path mapping and the registry.
#pragma once

#include <winsim/wintypes.h>

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace winsim::system {

constexpr char16_t kNoChar = 0xFFFF;

struct CodePage {
    UINT id = 0;
    bool doubleByte = false;
    std::array<bool, 256> lead{};                  // lead bytes of double-byte characters
    std::array<bool, 256> trail{};                 // bytes that can follow a lead byte
    std::array<char16_t, 256> single{};            // single-byte characters; kNoChar: undefined
    std::vector<char16_t> pairs;                   // lead * 256 + trail -> character (double-byte)
    std::unordered_map<char16_t, uint16_t> encode; // character -> byte, or lead * 256 + trail
    char16_t unicodeDefault = u'?';                // stands for undefined bytes
    char defaultChar = '?';                        // stands for characters the code page lacks
    bool asciiAsIs = false; // bytes below 0x80 are single characters of the same value
};

// The code page behind CP_ACP, CP_OEMCP, CP_THREAD_ACP or a number; nullptr when the system
// does not know it (CP_UTF8 is handled apart, see IsUtf8).
const CodePage* FindCodePage(UINT codePage);
bool IsUtf8(UINT codePage);
UINT AnsiCodePage();
UINT OemCodePage();

// Decodes/encodes in the ANSI code page; characters outside it become the default character.
std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);

std::string WideToUtf8(std::u16string_view wide);
std::u16string Utf8ToWide(std::string_view utf8);

// Length in bytes of the character that starts at s[0] in the ANSI code page (1 or 2; 1 for a
// lead byte whose trail byte is the terminating zero).
size_t AnsiCharLength(const unsigned char* s);

// Upper case of a UTF-16 character for comparisons without regard to case (ASCII, Latin-1,
// Latin Extended-A, Greek, Cyrillic and the full-width Latin letters).
char16_t FoldCase(char16_t c);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// EqualsNoCase of the two ANSI texts decoded, without making wide copies of them: names are
// compared this way again and again (every section and key of a settings file per look-up).
bool AnsiEqualsNoCase(std::string_view a, std::string_view b);

} // namespace winsim::system
