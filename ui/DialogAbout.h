// The About dialog: the credits and the disclaimer (template 168, page 105); its OK button closes
// it.
#pragma once

#include "framework/CDHtmlDialog.h"

class CDialogAbout : public CDHtmlDialog {
    DECLARE_DYNAMIC(CDialogAbout)
    DECLARE_DHTML_EVENT_MAP()
public:
    explicit CDialogAbout(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

protected:
    HRESULT OnButtonOK(IHTMLElement* pElement);
    HRESULT OnButtonCancel(IHTMLElement* pElement);
};
