#include "capture/NotifyingHotKeyCtrl.h"

#include "ui/QuilloryTextDlg.h"

IMPLEMENT_DYNAMIC(CNotifyingHotKeyCtrl, CHotKeyCtrl)

BEGIN_MESSAGE_MAP(CNotifyingHotKeyCtrl, CHotKeyCtrl)
ON_WM_GETDLGCODE()
ON_WM_MOUSEACTIVATE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CNotifyingHotKeyCtrl::~CNotifyingHotKeyCtrl() = default;

UINT CNotifyingHotKeyCtrl::OnGetDlgCode() {
    return CHotKeyCtrl::OnGetDlgCode();
}

int CNotifyingHotKeyCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    return CHotKeyCtrl::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CNotifyingHotKeyCtrl::OnKillFocus(CWnd* pNewWnd) {
    CHotKeyCtrl::OnKillFocus(pNewWnd);
    // The control lives only on the main dialog; a parent of any other kind is left alone.
    CWnd* pParent = CWnd::FromHandle(::GetParent(m_hWnd));
    if (CQuilloryTextDlg* pDialog = DYNAMIC_DOWNCAST(CQuilloryTextDlg, pParent)) {
        pDialog->RegisterCaptureHotKey();
    }
}
