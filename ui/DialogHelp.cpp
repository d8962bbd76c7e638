#include "ui/DialogHelp.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDialogHelp, CDHtmlDialog)

BEGIN_DHTML_EVENT_MAP(CDialogHelp)
DHTML_EVENT_ONCLICK("ButtonOK", OnButtonOK)
DHTML_EVENT_ONCLICK("ButtonCancel", OnButtonCancel)
END_DHTML_EVENT_MAP()

CDialogHelp::CDialogHelp(CWnd* pParent) : CDHtmlDialog(IDD_HELP, IDR_HTML_HELP, pParent) {}

BOOL CDialogHelp::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    return TRUE;
}

HRESULT CDialogHelp::OnButtonOK(IHTMLElement*) {
    CDHtmlDialog::OnOK();
    return S_OK;
}

HRESULT CDialogHelp::OnButtonCancel(IHTMLElement*) {
    CDHtmlDialog::OnCancel();
    return S_OK;
}
