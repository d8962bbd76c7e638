#include "framework/CFileDialog.h"

#include "framework/CWinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CObject)

namespace {
// Room for one full path and its terminating zero.
constexpr size_t kFileBufferSize = MAX_PATH + 1;
} // namespace

CFileDialog::CFileDialog(bool bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd),
      m_strDefExt(lpszDefExt), m_fileBuffer(kFileBufferSize, '\0') {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt != nullptr) {
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr) {
        std::strncpy(m_fileBuffer.data(), lpszFileName, kFileBufferSize - 1);
    }
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(kFileBufferSize);
    if (lpszFilter != nullptr) {
        // The platform wants zero-separated pairs ending with two zeros.
        m_filter.assign(lpszFilter, lpszFilter + std::strlen(lpszFilter));
        for (char& c : m_filter) {
            if (c == '|') {
                c = '\0';
            }
        }
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal() {
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner == nullptr && AfxGetMainWnd() != nullptr) {
        hOwner = AfxGetMainWnd()->m_hWnd;
    }
    m_ofn.hwndOwner = hOwner;
    BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
    CString path(m_ofn.lpstrFile);
    if (m_ofn.nFileOffset > 0 && m_ofn.nFileOffset < path.GetLength()) {
        return path.Mid(m_ofn.nFileOffset);
    }
    // Without an offset from the dialog, the part after the last folder separator.
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}
