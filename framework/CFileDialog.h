// The platform's file dialog for saving (or opening) one file: a proposed name, a default
// extension, a filter.
#pragma once

#include "framework/CWnd.h"

#include <vector>

class CFileDialog : public CObject {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // The filter is written "Description|pattern|...|" and ends with "||" (or "|" and the end).
    explicit CFileDialog(bool bOpenFileDialog, LPCSTR lpszDefExt = nullptr,
                         LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK when a file was chosen, IDCANCEL otherwise (the dialog's extended error tells a
    // failure from a cancel).
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    // The chosen file's name with its extension, without its folder.
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEA m_ofn;

protected:
    bool m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_strDefExt;
    std::vector<char> m_filter;
    std::vector<char> m_fileBuffer;
};
