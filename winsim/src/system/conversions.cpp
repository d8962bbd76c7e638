// MultiByteToWideChar, WideCharToMultiByte and the character walking of ANSI strings.
#include "system/codepage.h"

#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <cstdint>
#include <cstring>

using winsim::system::CodePage;
using winsim::system::FindCodePage;
using winsim::system::IsUtf8;
using winsim::system::kNoChar;

namespace {

// Decodes bytes of a code page; false at the first byte that is invalid or undefined.
bool DecodeStrict(const CodePage& page, const unsigned char* s, size_t n, std::u16string& out) {
    for (size_t i = 0; i < n; ++i) {
        const unsigned char b = s[i];
        char16_t c = kNoChar;
        if (!page.lead[b]) {
            c = page.single[b];
        } else if (i + 1 < n && page.trail[s[i + 1]]) {
            c = page.pairs[b * 256 + s[i + 1]];
            ++i;
        }
        if (c == kNoChar) {
            return false;
        }
        out.push_back(c);
    }
    return true;
}

// How many UTF-16 units DecodeLenient makes of the bytes: one per byte on a single-byte code
// page, one per character on a double-byte one.
size_t DecodedLength(const CodePage& page, const unsigned char* s, size_t n) {
    if (!page.doubleByte) {
        return n;
    }
    size_t units = 0;
    for (size_t i = 0; i < n; ++i, ++units) {
        if (page.lead[s[i]] && i + 1 < n && page.trail[s[i + 1]]) {
            ++i;
        }
    }
    return units;
}

// Decodes into `out`, which has room for DecodedLength units; an undefined byte or pair, or a
// lead byte without its trail byte, becomes the code page's default character. Long markup is
// mostly ASCII, which needs no table: such runs go sixteen bytes at a time.
void DecodeLenient(const CodePage& page, const unsigned char* s, size_t n, char16_t* out) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    size_t i = 0;
    while (i < n) {
        if (page.asciiAsIs) {
            for (; i + 16 <= n; i += 16, out += 16) {
                // A copy of its own: the stores cannot change what is read, so the widening
                // becomes a few vector instructions.
                unsigned char run[16];
                std::memcpy(run, s + i, sizeof run);
                uint64_t low = 0;
                uint64_t high = 0;
                std::memcpy(&low, run, 8);
                std::memcpy(&high, run + 8, 8);
                if ((low | high) & kHighBits) {
                    break;
                }
                for (size_t k = 0; k < 16; ++k) {
                    out[k] = run[k];
                }
            }
            if (i == n) {
                break;
            }
        }
        const unsigned char b = s[i++];
        char16_t c = page.unicodeDefault;
        if (!page.lead[b]) {
            c = page.single[b];
        } else if (i < n && page.trail[s[i]]) {
            c = page.pairs[b * 256 + s[i++]];
        }
        *out++ = c == kNoChar ? page.unicodeDefault : c;
    }
}

bool DecodeUtf8Strict(const unsigned char* s, size_t n, std::u16string& out) {
    std::string_view view(reinterpret_cast<const char*>(s), n);
    out = winsim::system::Utf8ToWide(view);
    // A faithful round trip means every sequence was valid (U+FFFD itself encodes as EF BF BD).
    return winsim::system::WideToUtf8(out) == view;
}

bool HasLoneSurrogate(const char16_t* s, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
            if (i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
                ++i;
                continue;
            }
            return true;
        }
        if (s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

} // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (!lpWideCharStr && cchWideChar != 0) ||
        (lpWideCharStr &&
         static_cast<const void*>(lpWideCharStr) == static_cast<const void*>(lpMultiByteStr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
    std::u16string out;
    if (IsUtf8(CodePage)) {
        if (dwFlags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (!DecodeUtf8Strict(bytes, length, out) && strict) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    } else {
        const winsim::system::CodePage* page = FindCodePage(CodePage);
        if (!page) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        // Composition and decomposition are not offered: only the precomposed forms.
        if (dwFlags &
            ~static_cast<DWORD>(MB_PRECOMPOSED | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (!strict) {
            // Straight into the caller's buffer, without a copy between.
            const size_t units = DecodedLength(*page, bytes, length);
            if (cchWideChar != 0 && units > static_cast<size_t>(cchWideChar)) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return 0;
            }
            if (cchWideChar != 0) {
                DecodeLenient(*page, bytes, length, lpWideCharStr);
            }
            return static_cast<int>(units);
        }
        if (!DecodeStrict(*page, bytes, length, out)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    }
    if (cchWideChar == 0) {
        return static_cast<int>(out.size());
    }
    if (out.size() > static_cast<size_t>(cchWideChar)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpWideCharStr, out.data(), out.size() * sizeof(WCHAR));
    return static_cast<int>(out.size());
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (!lpMultiByteStr && cbMultiByte != 0) ||
        (lpMultiByteStr &&
         static_cast<const void*>(lpWideCharStr) == static_cast<const void*>(lpMultiByteStr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[length] != 0) {
            ++length;
        }
        ++length;
    } else {
        length = static_cast<size_t>(cchWideChar);
    }
    std::string out;
    if (IsUtf8(CodePage)) {
        if (lpDefaultChar || lpUsedDefaultChar) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if ((dwFlags & WC_ERR_INVALID_CHARS) && HasLoneSurrogate(lpWideCharStr, length)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        out = winsim::system::WideToUtf8(std::u16string_view(lpWideCharStr, length));
    } else {
        const winsim::system::CodePage* page = FindCodePage(CodePage);
        if (!page) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        // No best-fit table: a character that the code page lacks always becomes the default
        // character, as with WC_NO_BEST_FIT_CHARS.
        if (dwFlags & ~static_cast<DWORD>(WC_NO_BEST_FIT_CHARS | WC_DEFAULTCHAR)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        std::string fallback(1, page->defaultChar);
        if (lpDefaultChar && lpDefaultChar[0]) {
            auto first = static_cast<unsigned char>(lpDefaultChar[0]);
            fallback.assign(lpDefaultChar, page->lead[first] && lpDefaultChar[1] ? 2 : 1);
        }
        bool usedDefault = false;
        for (size_t i = 0; i < length; ++i) {
            auto found = page->encode.find(lpWideCharStr[i]);
            if (found == page->encode.end()) {
                out += fallback;
                usedDefault = true;
                // A surrogate pair is one character: one default character for both halves.
                if (lpWideCharStr[i] >= 0xD800 && lpWideCharStr[i] <= 0xDBFF && i + 1 < length &&
                    lpWideCharStr[i + 1] >= 0xDC00 && lpWideCharStr[i + 1] <= 0xDFFF) {
                    ++i;
                }
            } else if (found->second > 0xFF) {
                out.push_back(static_cast<char>(found->second >> 8));
                out.push_back(static_cast<char>(found->second & 0xFF));
            } else {
                out.push_back(static_cast<char>(found->second));
            }
        }
        if (lpUsedDefaultChar) {
            *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
        }
    }
    if (cbMultiByte == 0) {
        return static_cast<int>(out.size());
    }
    if (out.size() > static_cast<size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpMultiByteStr, out.data(), out.size());
    return static_cast<int>(out.size());
}

BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    if (IsUtf8(CodePage)) {
        return FALSE;
    }
    const winsim::system::CodePage* page = FindCodePage(CodePage);
    if (!page) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return page->lead[TestChar] ? TRUE : FALSE;
}

BOOL WINAPI IsDBCSLeadByte(BYTE TestChar) {
    return IsDBCSLeadByteEx(CP_ACP, TestChar);
}

UINT WINAPI GetACP() {
    return winsim::system::AnsiCodePage();
}

UINT WINAPI GetOEMCP() {
    return winsim::system::OemCodePage();
}

LPSTR WINAPI CharNextA(LPCSTR lpsz) {
    if (!lpsz || *lpsz == 0) {
        return const_cast<LPSTR>(lpsz);
    }
    return const_cast<LPSTR>(lpsz) +
           winsim::system::AnsiCharLength(reinterpret_cast<const unsigned char*>(lpsz));
}

LPSTR WINAPI CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
    if (!lpszStart || !lpszCurrent || lpszCurrent <= lpszStart) {
        return const_cast<LPSTR>(lpszStart);
    }
    // Walk from the start: only there is the character boundary known for sure.
    LPCSTR previous = lpszStart;
    LPCSTR p = lpszStart;
    while (p < lpszCurrent && *p != 0) {
        previous = p;
        p = CharNextA(p);
    }
    return const_cast<LPSTR>(previous);
}

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2 || iMaxLength <= 0) {
        return iMaxLength == 0 ? lpString1 : nullptr;
    }
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i] != 0; ++i) {
        lpString1[i] = lpString2[i];
    }
    lpString1[i] = 0;
    return lpString1;
}
