#include "ui/DlgAutoScreenshot.h"

#include "framework/CWinApp.h"
#include "res/resource.h"
#include "ui/AutoCaptureInterval.h"

namespace {

const char kSection[] = "Settings";
const char kKeyFrequency[] = "AsFreq";
const char kDefaultFrequency[] = "5";
const char kRefusalElementId[] = "freqNotice";
// ASCII with entities, whatever the code page.
const char kRefusal[] = "Entre 0,1 et 86&nbsp;400 secondes, s'il vous pla&icirc;t.";

} // namespace

IMPLEMENT_DYNAMIC(CDlgAutoScreenshot, CDHtmlDialog)

BEGIN_DHTML_EVENT_MAP(CDlgAutoScreenshot)
DHTML_EVENT_ONCLICK("ButtonOK", OnButtonOK)
DHTML_EVENT_ONCLICK("ButtonCancel", OnButtonCancel)
END_DHTML_EVENT_MAP()

CDlgAutoScreenshot::CDlgAutoScreenshot(CWnd* pParent)
    : CDHtmlDialog(IDD_AUTOSCREENSHOT, IDR_HTML_AUTOSCREENSHOT, pParent) {}

BOOL CDlgAutoScreenshot::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    m_strFreq = AfxGetApp()->GetProfileString(kSection, kKeyFrequency, kDefaultFrequency);
    return TRUE;
}

void CDlgAutoScreenshot::DoDataExchange(CDataExchange* pDX) {
    CDHtmlDialog::DoDataExchange(pDX);
    DDX_DHtml_ElementValue(pDX, "txtFreq", m_strFreq);
}

void CDlgAutoScreenshot::OnOK() {
    AcceptInterval();
}

HRESULT CDlgAutoScreenshot::OnButtonOK(IHTMLElement*) {
    AcceptInterval();
    return S_OK;
}

// Ends without taking the page's value, and stores the interval read at the start, so that a
// missing setting is "5" from now on.
HRESULT CDlgAutoScreenshot::OnButtonCancel(IHTMLElement*) {
    CDHtmlDialog::OnCancel();
    AfxGetApp()->WriteProfileString(kSection, kKeyFrequency, m_strFreq);
    return S_OK;
}

void CDlgAutoScreenshot::AcceptInterval() {
    const CString stored = m_strFreq;
    if (!UpdateData(true)) {
        return;
    }
    UINT period = 0;
    if (!ParseAutoCaptureInterval(m_strFreq, period)) {
        // Annuler must still store the value read at the start, not the refused one.
        m_strFreq = stored;
        ShowRefusal(true);
        return;
    }
    m_nPeriodMs = period;
    ShowRefusal(false);
    CDHtmlDialog::OnOK();
    AfxGetApp()->WriteProfileString(kSection, kKeyFrequency, m_strFreq);
}

void CDlgAutoScreenshot::ShowRefusal(bool bRefused) {
    if (CHtmlElementPtr notice = GetElement(kRefusalElementId)) {
        notice->SetInnerHtml(AfxAnsiToWide(bRefused ? kRefusal : ""));
    }
}
