#include "htmlview/src/Utf.h"

namespace htmlview::internal {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(WideString& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<WCHAR>(c);
    } else {
        c -= 0x10000;
        out += static_cast<WCHAR>(0xD800 + (c >> 10));
        out += static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
    }
}

} // namespace

std::string ToUtf8(const WideString& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00) {
            if (i + 1 < text.size()) {
                const char32_t low = static_cast<char16_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                    AppendUtf8(out, c);
                    continue;
                }
            }
            c = kReplacement;
        } else if (c >= 0xDC00 && c < 0xE000) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

namespace {

WideString DecodeUtf8(std::string_view text, bool* malformed) {
    WideString out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            c = lead & 0x07;
            minimum = 0x10000;
        } else {
            *malformed = true;
            AppendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool valid = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
        }
        if (!valid || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            *malformed = true;
            AppendUtf16(out, kReplacement);
            i = j; // resume at the first byte that did not belong to the sequence
            continue;
        }
        AppendUtf16(out, c);
        i = j;
    }
    return out;
}

} // namespace

WideString FromUtf8(std::string_view text) {
    bool malformed = false;
    return DecodeUtf8(text, &malformed);
}

namespace {

bool IsValidUtf8(std::string_view text) {
    bool malformed = false;
    DecodeUtf8(text, &malformed);
    return !malformed;
}

// Windows-1252 characters 0x80 to 0x9F (0 where the code page leaves a hole).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

std::string DecodePageBytes(const unsigned char* data, size_t size) {
    if (!data || size == 0) {
        return std::string();
    }
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        return ToUtf8(
            FromUtf8(std::string_view(reinterpret_cast<const char*>(data) + 3, size - 3)));
    }
    if (size >= 2 &&
        ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
        const bool little = data[0] == 0xFF;
        WideString wide;
        for (size_t i = 2; i + 1 < size; i += 2) {
            const unsigned unit =
                little ? (data[i] | (data[i + 1] << 8)) : ((data[i] << 8) | data[i + 1]);
            wide += static_cast<WCHAR>(unit);
        }
        return ToUtf8(wide);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    WideString wide;
    for (const unsigned char byte : bytes) {
        if (byte >= 0x80 && byte < 0xA0) {
            const char16_t mapped = kWindows1252High[byte - 0x80];
            wide += static_cast<WCHAR>(mapped ? mapped : byte);
        } else {
            wide += static_cast<WCHAR>(byte);
        }
    }
    return ToUtf8(wide);
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

} // namespace htmlview::internal
