// Modal dialogs from dialog template resources.
//
// DoModal creates the dialog from its template with the platform's modal dialog box, owned by
// the parent given at construction or else by the application's main window. When the window
// is created the object takes it over (its messages go through the message map) and
// OnInitDialog runs; IDOK and IDCANCEL commands (Enter, Esc, the close box) call the virtual
// OnOK and OnCancel, whose defaults end the dialog.
#pragma once

#include "framework/CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
    DECLARE_MESSAGE_MAP()
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd);

    // The value given to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Runs DoDataExchange: page or controls to members when bSaveAndValidate, else the reverse.
    // False when a validation failed.
    bool UpdateData(bool bSaveAndValidate = true);

    // Commands the dialog does not handle go on to the application object.
    bool OnCmdMsg(UINT nID, int nCode, HWND hWndCtrl) override;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp = 0;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The owner for the modal run: the parent's top-level window, or the main window's.
    HWND GetModalOwner() const;

    LPCSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The state of one data exchange.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with the id; a missing one fails the exchange.
    HWND PrepareCtrl(int nIDC);
    // Ends the exchange as failed (UpdateData returns false).
    [[noreturn]] void Fail();
};

// Binds the dialog's control nIDC to the window object (once; later exchanges keep it).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A control's window text and a string member.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
