#include "framework/CDialog.h"

#include "framework/AfxHandleMap.h"
#include "framework/AfxModule.h"
#include "framework/CException.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

HWND CDialog::GetModalOwner() const {
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain != this) {
            hOwner = pMain->m_hWnd;
        }
    }
    // A child window cannot own a dialog: its top-level window does.
    while (hOwner != nullptr && (::GetWindowLongA(hOwner, GWL_STYLE) & WS_CHILD) != 0) {
        hOwner = ::GetParent(hOwner);
    }
    return hOwner;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE hModule = nullptr;
    HRSRC hResource =
        AfxFindResourceHandle(m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */, &hModule);
    if (hResource == nullptr) {
        return -1;
    }
    HGLOBAL hTemplate = ::LoadResource(hModule, hResource);
    const void* pTemplate = hTemplate != nullptr ? ::LockResource(hTemplate) : nullptr;
    if (pTemplate == nullptr) {
        return -1;
    }
    INT_PTR result =
        ::DialogBoxIndirectParamA(hModule, static_cast<LPCDLGTEMPLATEA>(pTemplate), GetModalOwner(),
                                  &CDialog::AfxDlgProc, reinterpret_cast<LPARAM>(this));
    // The window is gone; an object whose window died without its last message lets it go here.
    if (m_hWnd != nullptr && !::IsWindow(m_hWnd)) {
        Detach();
        m_pfnSuper = nullptr;
    }
    return result;
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        // Everything else reaches the object through its window procedure, in front of this one.
        return FALSE;
    }
    CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
    if (pDialog == nullptr || !pDialog->SubclassWindow(hWnd)) {
        return TRUE;
    }
    // Runs as a message of the object, so that Default() and temporaries behave as in handlers.
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.lParam = lParam;
    struct InitDialogRun {
        static LRESULT Run(CWnd* pWnd, UINT, WPARAM, LPARAM) {
            return static_cast<CDialog*>(pWnd)->OnInitDialog();
        }
    };
    return static_cast<INT_PTR>(CWnd::CallFrameworkFunction(pDialog, msg, &InitDialogRun::Run));
}

bool CDialog::OnCmdMsg(UINT nID, int nCode, HWND hWndCtrl) {
    if (CWnd::OnCmdMsg(nID, nCode, hWndCtrl)) {
        return true;
    }
    if (nCode != CN_COMMAND) {
        return false;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->CCmdTarget::OnCmdMsg(nID, nCode, hWndCtrl);
}

void CDialog::EndDialog(int nResult) {
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, nResult);
    }
}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return false;
    }
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (hWndCtrl == nullptr) {
        Fail();
    }
    return hWndCtrl;
}

void CDataExchange::Fail() {
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(hWndCtrl)->GetWindowText(value);
    } else {
        ::SetWindowTextA(hWndCtrl, value);
    }
}
