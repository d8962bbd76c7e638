// The C runtime's double-byte-aware string functions, in the ANSI code page.
#include "system/codepage.h"

#include <winsim/mbstring.h>

#include <cerrno>
#include <cstring>

namespace {

// The character at s (one byte, or lead * 256 + trail) and its length in bytes.
unsigned int CharAt(const unsigned char* s, size_t& length) {
    length = winsim::system::AnsiCharLength(s);
    return length == 2 ? (static_cast<unsigned>(s[0]) << 8) | s[1] : s[0];
}

} // namespace

unsigned char* _mbsrchr(const unsigned char* str, unsigned int c) {
    if (!str) {
        errno = EINVAL;
        return nullptr;
    }
    const unsigned char* found = nullptr;
    for (const unsigned char* p = str;;) {
        size_t length = 0;
        unsigned int ch = CharAt(p, length);
        if (ch == c) {
            found = p;
        }
        if (*p == 0) {
            break;
        }
        p += length;
    }
    return const_cast<unsigned char*>(found);
}

unsigned char* _mbschr(const unsigned char* str, unsigned int c) {
    if (!str) {
        errno = EINVAL;
        return nullptr;
    }
    for (const unsigned char* p = str;;) {
        size_t length = 0;
        if (CharAt(p, length) == c) {
            return const_cast<unsigned char*>(p);
        }
        if (*p == 0) {
            return nullptr;
        }
        p += length;
    }
}

int _mbscmp(const unsigned char* string1, const unsigned char* string2) {
    if (!string1 || !string2) {
        errno = EINVAL;
        return _MBSCMP_ERROR;
    }
    const unsigned char* a = string1;
    const unsigned char* b = string2;
    for (;;) {
        size_t la = 0;
        size_t lb = 0;
        unsigned int ca = CharAt(a, la);
        unsigned int cb = CharAt(b, lb);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
        a += la;
        b += lb;
    }
}

size_t _mbslen(const unsigned char* str) {
    if (!str) {
        errno = EINVAL;
        return 0;
    }
    size_t count = 0;
    for (const unsigned char* p = str; *p != 0; p += winsim::system::AnsiCharLength(p)) {
        ++count;
    }
    return count;
}

unsigned char* _mbsinc(const unsigned char* current) {
    if (!current) {
        errno = EINVAL;
        return nullptr;
    }
    return const_cast<unsigned char*>(current + winsim::system::AnsiCharLength(current));
}

unsigned char* _mbsstr(const unsigned char* str, const unsigned char* strSearch) {
    if (!str || !strSearch) {
        errno = EINVAL;
        return nullptr;
    }
    size_t needle = std::strlen(reinterpret_cast<const char*>(strSearch));
    // Only character starts are candidates, so a match never begins on a trail byte.
    for (const unsigned char* p = str;; p += winsim::system::AnsiCharLength(p)) {
        if (std::strncmp(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(strSearch),
                         needle) == 0) {
            return const_cast<unsigned char*>(p);
        }
        if (*p == 0) {
            return nullptr;
        }
    }
}

int _ismbblead(unsigned int c) {
    const winsim::system::CodePage* page = winsim::system::FindCodePage(0);
    return c < 256 && page && page->lead[c] ? 1 : 0;
}
