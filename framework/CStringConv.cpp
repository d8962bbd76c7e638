// The conversions of CString between the ANSI code page and UTF-16.
#include "framework/CString.h"

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

std::basic_string<WCHAR> AfxAnsiToWide(const char* psz) {
    std::basic_string<WCHAR> result;
    if (psz == nullptr || *psz == 0) {
        return result;
    }
    const int length = static_cast<int>(std::strlen(psz));
    const int needed = MultiByteToWideChar(CP_ACP, 0, psz, length, nullptr, 0);
    if (needed <= 0) {
        return result;
    }
    result.resize(static_cast<size_t>(needed));
    const int written = MultiByteToWideChar(CP_ACP, 0, psz, length, result.data(), needed);
    result.resize(static_cast<size_t>(written > 0 ? written : 0));
    return result;
}
