#include "ui/QuilloryTextDlg.h"

#include "framework/AfxModule.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CQuilloryTextDlg, CDHtmlDialog)

BEGIN_MESSAGE_MAP(CQuilloryTextDlg, CDHtmlDialog)
ON_WM_SIZE()
ON_MESSAGE(WM_HOTKEY, OnHotKey)
ON_WM_CLOSE()
ON_WM_ACTIVATE()
ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
ON_WM_EXITMENULOOP()
ON_MESSAGE(WM_TIMER, OnAutoCaptureTimer)
ON_COMMAND(ID_ENTRY_COPYTEXT, CopyEntryText)
ON_COMMAND(ID_ENTRY_COPYIMAGE, CopyEntryImage)
ON_COMMAND(ID_ENTRY_SAVEIMAGE, SaveEntryImage)
ON_COMMAND(ID_ENTRY_DELETE, DeleteEntry)
ON_COMMAND(ID_ENTRY_QUIT, OnEntryMenuQuit)
ON_COMMAND(ID_TRAY_SHOW, RestoreFromTray)
ON_COMMAND(ID_APP_QUIT, OnQuit)
ON_COMMAND(ID_MINIMIZE_TO_TRAY, OnToggleMinimizeToTray)
ON_COMMAND(ID_AUTOSTART, OnToggleAutostart)
ON_COMMAND(ID_AUTOCAPTURE, ToggleAutoCapture)
ON_COMMAND(ID_SHOW_HELP, ShowHelpDialog)
ON_COMMAND(ID_SHOW_ABOUT, ShowAboutDialog)
// The modal loop shows the dialog when its queue first goes empty, after the page may already
// have hidden it for an "-autostart" start; a hidden window refuses every show but its restore.
ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

BEGIN_DHTML_EVENT_MAP(CQuilloryTextDlg)
DHTML_EVENT_ONCLICK("chkCopyAll", OnClickCopyAll)
DHTML_EVENT_ONCLICK("chkMinimizeToTray", OnClickMinimizeToTray)
DHTML_EVENT_ONCLICK("chkAutostart", OnClickAutostart)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEDOWN, "odd", OnEntryMouseDown)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEDOWN, "even", OnEntryMouseDown)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOVER, "odd", OnOddRowMouseOver)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOUT, "odd", OnOddRowMouseOut)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOVER, "even", OnEvenRowMouseOver)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOUT, "even", OnEvenRowMouseOut)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOVER, "menu_out", OnMenuTitleMouseOver)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOUT, "menu_over", OnMenuTitleMouseOut)
DHTML_EVENT_ONCLICK("menu", OnClickFunctionsTitle)
DHTML_EVENT_ONCLICK("menuHelp", OnClickHelpTitle)
END_DHTML_EVENT_MAP()

CQuilloryTextDlg::CQuilloryTextDlg(CWnd* pParent)
    : CDHtmlDialog(IDD_VERBACAP_DIALOG, IDR_HTML_VERBACAP, pParent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_atomHotKey(0), m_bAutoCapture(false), m_bMenuOpen(false) {
    m_menuEntry.LoadFromResource(IDR_MENU_ENTRY);
    m_menuFunctions.LoadFromResource(IDR_MENU_FUNCTIONS);
}

// Entries that no Shutdown removed go with the dialog, with their files.
CQuilloryTextDlg::~CQuilloryTextDlg() {
    RemoveAllEntries();
}

void CQuilloryTextDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_HOTKEY, m_ctrlHotKey);
}

BOOL CQuilloryTextDlg::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    ReadSettings();
    RegisterCaptureHotKey();
    // The page is still loading: the control gets an empty rectangle at the origin until the
    // document is complete.
    PlaceHotKeyControl();
    return TRUE;
}

void CQuilloryTextDlg::OnDocumentComplete(IDispatch* pDisp, LPCSTR szUrl) {
    CDHtmlDialog::OnDocumentComplete(pDisp, szUrl);
    ShowHotKeyNotice();
    PlaceHotKeyControl();
    if (CHtmlElementPtr checkBox = GetElement("chkCopyAll")) {
        checkBox->SetChecked(m_bCopyAll);
    }
    ReadAutostartState();
    // Started with "-autostart": straight to the notification area.
    if (!m_bShown) {
        HideToTray();
    }
}

// Neither Enter nor Esc ends the main window.
void CQuilloryTextDlg::OnOK() {}
void CQuilloryTextDlg::OnCancel() {}

// A right click on the page shows no browser menu.
HRESULT CQuilloryTextDlg::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;
}

void CQuilloryTextDlg::OnSize(UINT nType, int cx, int cy) {
    CDHtmlDialog::OnSize(nType, cx, cy);
    PlaceHotKeyControl();
}

void CQuilloryTextDlg::OnClose() {
    if (m_bMinimizeToTray) {
        HideToTray();
    } else {
        Shutdown();
    }
}

HRESULT CQuilloryTextDlg::OnClickCopyAll(IHTMLElement* pElement) {
    m_bCopyAll = pElement->GetChecked();
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnClickMinimizeToTray(IHTMLElement* pElement) {
    m_bMinimizeToTray = pElement->GetChecked();
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnClickAutostart(IHTMLElement* pElement) {
    SetAutostart(pElement->GetChecked());
    return S_OK;
}
