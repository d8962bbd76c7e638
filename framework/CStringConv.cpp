// The conversions of CString between the ANSI code page and UTF-16.
#include "framework/CString.h"

#include <climits>
#include <cstring>
#include <string>

// Both directions ask for the size first and then convert straight into the result: the
// markup of a long list passes through here whole each time it is shown.
CString::CString(const WCHAR* pwsz) {
    if (pwsz == nullptr || *pwsz == 0) {
        return;
    }
    const int length = static_cast<int>(std::char_traits<WCHAR>::length(pwsz));
    const int needed = WideCharToMultiByte(CP_ACP, 0, pwsz, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return;
    }
    m_str.resize(static_cast<size_t>(needed));
    const int written =
        WideCharToMultiByte(CP_ACP, 0, pwsz, length, m_str.data(), needed, nullptr, nullptr);
    m_str.resize(static_cast<size_t>(written > 0 ? written : 0));
}

namespace {

// Long texts are converted a piece at a time through a small buffer that stays in the cache,
// rather than into a result that would first have to be filled with zeros.
constexpr size_t kPieceSize = 4096;

// Where a piece that starts at `begin` may end: before a byte below 0x40, which is never the
// trail byte of a double-byte character, so the piece ends between characters. `end` when the
// rest fits in one piece or no such byte is near.
size_t PieceEnd(const char* text, size_t begin, size_t end) {
    if (end - begin <= kPieceSize) {
        return end;
    }
    for (size_t at = begin + kPieceSize; at > begin + kPieceSize / 2; --at) {
        if (static_cast<unsigned char>(text[at]) < 0x40) {
            return at;
        }
    }
    return end;
}

void AppendConverted(std::basic_string<WCHAR>& result, const char* text, size_t length) {
    const int needed = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    if (needed <= 0) {
        return;
    }
    const size_t before = result.size();
    result.resize(before + static_cast<size_t>(needed));
    const int written = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length),
                                            result.data() + before, needed);
    result.resize(before + static_cast<size_t>(written > 0 ? written : 0));
}

} // namespace

std::basic_string<WCHAR> AfxAnsiToWide(const char* psz) {
    std::basic_string<WCHAR> result;
    if (psz == nullptr || *psz == 0) {
        return result;
    }
    const size_t length = std::strlen(psz);
    if (length > static_cast<size_t>(INT_MAX)) {
        return result; // beyond what the conversion can count
    }
    result.reserve(length); // never more characters than bytes
    WCHAR piece[kPieceSize];
    for (size_t begin = 0; begin < length;) {
        const size_t end = PieceEnd(psz, begin, length);
        const int count = static_cast<int>(end - begin);
        const int written = end - begin <= kPieceSize
                                ? MultiByteToWideChar(CP_ACP, 0, psz + begin, count, piece,
                                                      static_cast<int>(kPieceSize))
                                : 0;
        if (written > 0) {
            result.append(piece, static_cast<size_t>(written));
        } else {
            AppendConverted(result, psz + begin, end - begin);
        }
        begin = end;
    }
    return result;
}
