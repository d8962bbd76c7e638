// The conversions of CString between the ANSI code page and UTF-16.
#include "framework/CString.h"

#include <vector>

CString::CString(const WCHAR* pwsz) {
    if (pwsz == nullptr || *pwsz == 0) {
        return;
    }
    int needed = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 1) {
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed));
    int written = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, buffer.data(), needed, nullptr, nullptr);
    if (written > 1) {
        m_str.assign(buffer.data(), static_cast<size_t>(written - 1));
    }
}

std::basic_string<WCHAR> AfxAnsiToWide(const char* psz) {
    std::basic_string<WCHAR> result;
    if (psz == nullptr || *psz == 0) {
        return result;
    }
    int needed = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (needed <= 1) {
        return result;
    }
    std::vector<WCHAR> buffer(static_cast<size_t>(needed));
    int written = MultiByteToWideChar(CP_ACP, 0, psz, -1, buffer.data(), needed);
    if (written > 1) {
        result.assign(buffer.data(), static_cast<size_t>(written - 1));
    }
    return result;
}
