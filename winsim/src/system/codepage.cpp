#include "system/codepage.h"

#include <winsim/sim.h>

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

namespace winsim::system {
namespace {

enum class Decoded { Char, Incomplete, Invalid };

// One conversion of a short byte sequence to a single UTF-16 unit through iconv.
Decoded DecodeOne(iconv_t cd, const unsigned char* bytes, size_t count, char16_t& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {static_cast<char>(bytes[0]), static_cast<char>(count > 1 ? bytes[1] : 0)};
    char16_t units[4] = {};
    char* inPtr = in;
    size_t inLeft = count;
    char* outPtr = reinterpret_cast<char*>(units);
    size_t outLeft = sizeof(units);
    size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (result == static_cast<size_t>(-1)) {
        return errno == EINVAL ? Decoded::Incomplete : Decoded::Invalid;
    }
    size_t produced = (sizeof(units) - outLeft) / sizeof(char16_t);
    if (inLeft != 0 || produced != 1) {
        return Decoded::Invalid;
    }
    out = units[0];
    return Decoded::Char;
}

std::unique_ptr<CodePage> BuildCodePage(UINT id) {
    std::string name = id == 932 ? "CP932" : "CP" + std::to_string(id);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    auto page = std::make_unique<CodePage>();
    page->id = id;
    page->single.fill(kNoChar);
    for (unsigned b = 0; b < 256; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        char16_t c = 0;
        Decoded d = DecodeOne(cd, &byte, 1, c);
        if (d == Decoded::Char) {
            page->single[b] = c;
        } else if (d == Decoded::Incomplete) {
            page->lead[b] = true;
            page->doubleByte = true;
        } else if (id == 1252) {
            // Windows maps the five bytes that cp1252 leaves undefined to the C1 controls.
            page->single[b] = static_cast<char16_t>(b);
        }
    }
    if (page->doubleByte) {
        page->pairs.assign(65536, kNoChar);
        for (unsigned lead = 0; lead < 256; ++lead) {
            if (!page->lead[lead]) {
                continue;
            }
            for (unsigned trail = 1; trail < 256; ++trail) {
                unsigned char pair[2] = {static_cast<unsigned char>(lead),
                                         static_cast<unsigned char>(trail)};
                char16_t c = 0;
                if (DecodeOne(cd, pair, 2, c) == Decoded::Char) {
                    page->pairs[lead * 256 + trail] = c;
                    page->trail[trail] = true;
                }
            }
        }
        if (id == 932) {
            page->unicodeDefault = u'\u30FB';
        }
    }
    iconv_close(cd);
    // The encoding table: the lowest code wins where several bytes give the same character.
    for (unsigned b = 0; b < 256; ++b) {
        if (page->single[b] != kNoChar) {
            page->encode.emplace(page->single[b], static_cast<uint16_t>(b));
        }
    }
    for (size_t code = 0; code < page->pairs.size(); ++code) {
        if (page->pairs[code] != kNoChar) {
            page->encode.emplace(page->pairs[code], static_cast<uint16_t>(code));
        }
    }
    page->asciiAsIs = true;
    for (unsigned b = 0; b < 0x80; ++b) {
        page->asciiAsIs = page->asciiAsIs && !page->lead[b] && page->single[b] == b;
    }
    return page;
}

} // namespace

UINT AnsiCodePage() {
    return Config().codePage;
}

UINT OemCodePage() {
    switch (AnsiCodePage()) {
    case 932:
    case 936:
    case 949:
    case 950:
        return AnsiCodePage();
    case 1250:
        return 852;
    case 1251:
        return 866;
    case 1253:
        return 737;
    case 1254:
        return 857;
    default:
        return 850; // Western European systems
    }
}

bool IsUtf8(UINT codePage) {
    return codePage == 65001u;
}

const CodePage* FindCodePage(UINT codePage) {
    static std::mutex mutex;
    static std::map<UINT, std::unique_ptr<CodePage>> pages;
    if (codePage == 0 || codePage == 3) { // CP_ACP, CP_THREAD_ACP
        codePage = AnsiCodePage();
    } else if (codePage == 1) { // CP_OEMCP
        codePage = OemCodePage();
    }
    if (IsUtf8(codePage) || codePage < 37) {
        return nullptr;
    }
    // Callers ask for one code page a byte at a time (IsDBCSLeadByte over a whole text): the
    // page last found by this thread is answered without the lock and the lookup. A built page
    // is never dropped, so the pointer stays good.
    thread_local UINT lastCodePage = 0;
    thread_local const CodePage* lastPage = nullptr;
    if (lastPage && lastCodePage == codePage) {
        return lastPage;
    }
    std::lock_guard<std::mutex> lock(mutex);
    auto found = pages.find(codePage);
    if (found == pages.end()) {
        found = pages.emplace(codePage, BuildCodePage(codePage)).first;
    }
    lastCodePage = codePage;
    lastPage = found->second.get();
    return lastPage;
}

size_t AnsiCharLength(const unsigned char* s) {
    const CodePage* page = FindCodePage(0);
    if (page && page->lead[s[0]] && s[1] != 0) {
        return 2;
    }
    return 1;
}

namespace {

// The character of a code page's text that starts at ansi[i]; i moves past it.
char16_t NextAnsiChar(const CodePage& page, std::string_view ansi, size_t& i) {
    const unsigned char b = static_cast<unsigned char>(ansi[i]);
    char16_t c = kNoChar;
    if (page.lead[b] && i + 1 < ansi.size() &&
        page.trail[static_cast<unsigned char>(ansi[i + 1])]) {
        c = page.pairs[b * 256 + static_cast<unsigned char>(ansi[i + 1])];
        i += 2;
    } else {
        c = page.single[b];
        i += 1;
    }
    return c == kNoChar ? page.unicodeDefault : c;
}

} // namespace

std::u16string AnsiToWide(std::string_view ansi) {
    std::u16string out;
    const CodePage* page = FindCodePage(0);
    if (!page) {
        return Utf8ToWide(ansi);
    }
    out.reserve(ansi.size());
    for (size_t i = 0; i < ansi.size();) {
        out.push_back(NextAnsiChar(*page, ansi, i));
    }
    return out;
}

bool AnsiEqualsNoCase(std::string_view a, std::string_view b) {
    const CodePage* page = FindCodePage(0);
    if (!page) {
        return EqualsNoCase(Utf8ToWide(a), Utf8ToWide(b));
    }
    if (!page->doubleByte && a.size() != b.size()) {
        return false; // one character per byte, and case folding keeps every character one unit
    }
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextAnsiChar(*page, a, i)) != FoldCase(NextAnsiChar(*page, b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::string WideToAnsi(std::u16string_view wide) {
    std::string out;
    const CodePage* page = FindCodePage(0);
    if (!page) {
        return WideToUtf8(wide);
    }
    out.reserve(wide.size());
    for (char16_t c : wide) {
        if (c < 0x80 && page->asciiAsIs) {
            out.push_back(static_cast<char>(c)); // no table look-up for the usual characters
            continue;
        }
        auto found = page->encode.find(c);
        if (found == page->encode.end()) {
            out.push_back(page->defaultChar);
        } else if (found->second > 0xFF) {
            out.push_back(static_cast<char>(found->second >> 8));
            out.push_back(static_cast<char>(found->second & 0xFF));
        } else {
            out.push_back(static_cast<char>(found->second));
        }
    }
    return out;
}

std::string WideToUtf8(std::u16string_view wide) {
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string Utf8ToWide(std::string_view utf8) {
    std::u16string out;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        uint32_t c = 0;
        size_t extra = 0;
        uint32_t minimum = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, extra = 1, minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, extra = 2, minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, extra = 3, minimum = 0x10000;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        size_t j = 1;
        for (; j <= extra; ++j) {
            if (i + j >= utf8.size() || (static_cast<unsigned char>(utf8[i + j]) & 0xC0) != 0x80) {
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + j]) & 0x3F);
        }
        if (j <= extra || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(0xFFFD);
            i += j;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += extra + 1;
    }
    return out;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - 32);
    }
    if (c < 0x80) {
        return c;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 32);
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        // Latin Extended-A pairs its letters as upper (even) and lower (odd), shifted by one
        // from 0x139 to 0x148 and from 0x179 to 0x17E.
        bool shifted = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (shifted ? (c % 2 == 0) : (c % 2 == 1)) {
            return static_cast<char16_t>(c - 1);
        }
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) {
        return static_cast<char16_t>(c - 32);
    }
    if (c >= 0x430 && c <= 0x44F) {
        return static_cast<char16_t>(c - 32);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<char16_t>(c - 80);
    }
    if (c >= 0xFF41 && c <= 0xFF5A) {
        return static_cast<char16_t>(c - 32);
    }
    return c;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace winsim::system
