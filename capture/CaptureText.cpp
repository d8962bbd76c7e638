#include "capture/CaptureText.h"

#include <cstring>

bool CaptureText::Append(const char* psz, int nLength) {
    if (m_bClosed || nLength < 0 || nLength > Room()) {
        m_bClosed = true;
        return false;
    }
    m_strText.Append(psz, nLength);
    return true;
}

bool CaptureText::Append(const char* psz) {
    return Append(psz, static_cast<int>(std::strlen(psz)));
}

void CaptureText::AppendCut(const char* psz, int nLength, int nKeepFree) {
    if (m_bClosed || nLength <= 0) {
        return;
    }
    const int room = Room() - nKeepFree;
    if (nLength <= room) {
        m_strText.Append(psz, nLength);
        return;
    }
    // Walk whole characters: a lead byte and its trail byte go together or not at all.
    int taken = 0;
    while (taken < room) {
        const int width =
            ::IsDBCSLeadByte(static_cast<BYTE>(psz[taken])) && taken + 1 < nLength ? 2 : 1;
        if (taken + width > room) {
            break;
        }
        taken += width;
    }
    m_strText.Append(psz, taken);
}
