// The auto-capture interval dialog (template 162, page 103): asks for the number of seconds
// between two captures, which the setting "AsFreq" keeps from one use to the next.
#pragma once

#include "framework/CDHtmlDialog.h"
#include "framework/CString.h"

class CDlgAutoScreenshot : public CDHtmlDialog {
    DECLARE_DYNAMIC(CDlgAutoScreenshot)
    DECLARE_DHTML_EVENT_MAP()
public:
    explicit CDlgAutoScreenshot(CWnd* pParent = nullptr);

    // The interval as typed, bound to the page's field "txtFreq".
    CString m_strFreq;
    // The period that "Démarrer !" accepted, in milliseconds (0 until then).
    UINT m_nPeriodMs = 0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter in the page confirms as the start button does.
    void OnOK() override;

    HRESULT OnButtonOK(IHTMLElement* pElement);
    HRESULT OnButtonCancel(IHTMLElement* pElement);

private:
    // Ends the dialog with OK and stores the interval when the page's value is one; otherwise
    // keeps the dialog open with a note beside the field, and stores and starts nothing.
    void AcceptInterval();
    void ShowRefusal(bool bRefused);
};
