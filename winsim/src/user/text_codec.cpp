#include "user/text_codec.h"

#include <winsim/sim.h>

namespace winsim::user {
namespace {

// Windows-1252 differs from Latin-1 in 0x80-0x9F.
const char16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

bool SingleByteLatin() {
    unsigned cp = Config().codePage;
    return cp == 1252 || cp == 28591;
}

} // namespace

bool IsLeadByte(unsigned char c) {
    switch (Config().codePage) {
    case 932:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950:
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

size_t FittingLength(const std::string& text, size_t room) {
    if (text.size() <= room) {
        return text.size();
    }
    size_t i = 0;
    while (i < room) {
        size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > room) {
            break;
        }
        i += step;
    }
    return i;
}

std::string ToAnsi(const char16_t* text, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (SingleByteLatin()) {
            if (c >= 0xA0 && c <= 0xFF) {
                out += static_cast<char>(c);
                continue;
            }
            bool found = false;
            for (int k = 0; k < 32; ++k) {
                if (kCp1252High[k] == c && c != 0xFFFD) {
                    out += static_cast<char>(0x80 + k);
                    found = true;
                    break;
                }
            }
            if (found) {
                continue;
            }
        }
        out += '?';
    }
    return out;
}

std::u16string FromAnsi(const std::string& text) {
    std::u16string out;
    for (unsigned char c : text) {
        if (c < 0x80 || !SingleByteLatin()) {
            out += c < 0x80 ? static_cast<char16_t>(c) : u'?';
        } else if (c < 0xA0) {
            out += kCp1252High[c - 0x80];
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

} // namespace winsim::user
