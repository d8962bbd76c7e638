#include "ui/DialogAbout.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDialogAbout, CDHtmlDialog)

BEGIN_DHTML_EVENT_MAP(CDialogAbout)
DHTML_EVENT_ONCLICK("ButtonOK", OnButtonOK)
DHTML_EVENT_ONCLICK("ButtonCancel", OnButtonCancel)
END_DHTML_EVENT_MAP()

CDialogAbout::CDialogAbout(CWnd* pParent) : CDHtmlDialog(IDD_ABOUT, IDR_HTML_ABOUT, pParent) {}

BOOL CDialogAbout::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    return TRUE;
}

HRESULT CDialogAbout::OnButtonOK(IHTMLElement*) {
    CDHtmlDialog::OnOK();
    return S_OK;
}

HRESULT CDialogAbout::OnButtonCancel(IHTMLElement*) {
    CDHtmlDialog::OnCancel();
    return S_OK;
}
