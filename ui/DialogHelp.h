// The Help dialog: the user's guide (template 169, page 106); it has no button and closes by its
// close box.
#pragma once

#include "framework/CDHtmlDialog.h"

class CDialogHelp : public CDHtmlDialog {
    DECLARE_DYNAMIC(CDialogHelp)
    DECLARE_DHTML_EVENT_MAP()
public:
    explicit CDialogHelp(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

protected:
    HRESULT OnButtonOK(IHTMLElement* pElement);
    HRESULT OnButtonCancel(IHTMLElement* pElement);
};
