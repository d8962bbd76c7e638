// The conversions of CString between the ANSI code page and UTF-16, and string resources.
#include "framework/AfxModule.h"
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

bool CString::LoadString(UINT nID) {
    // String resources hold at most 65535 characters; grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(static_cast<size_t>(size));
        int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), size);
        if (length <= 0) {
            return false;
        }
        if (length < size - 1) {
            m_str.assign(buffer.data(), static_cast<size_t>(length));
            return true;
        }
    }
    return false;
}
