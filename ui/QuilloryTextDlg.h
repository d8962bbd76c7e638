// The main window of Verbacap: an HTML dialog (page 104 in dialog 102) with the native hot-key
// control laid over its place in the page. It owns everything that lives as long as the
// program: the global hot-key registration, the tray icon and the settings.
#pragma once

#include "capture/NotifyingHotKeyCtrl.h"
#include "framework/CDHtmlDialog.h"
#include "framework/CRect.h"
#include "list/CaptureEntry.h"
#include "list/CaptureListView.h"
#include "menu/IvyMenu.h"

#include <vector>

class CaptureText;
class CMenu;

// The private message through which the tray icon reports mouse actions to the main window.
constexpr UINT WM_TRAYNOTIFY = 0x0DCD;

class CQuilloryTextDlg : public CDHtmlDialog, public CaptureListView {
    DECLARE_DYNAMIC(CQuilloryTextDlg)
    DECLARE_MESSAGE_MAP()
    DECLARE_DHTML_EVENT_MAP()
public:
    explicit CQuilloryTextDlg(CWnd* pParent = nullptr);
    ~CQuilloryTextDlg() override;

    // What the window shows of its options and state (the page's check boxes, the check marks
    // of the Functions and tray menus, the hot-key field, the notification area).
    bool IsCopyAllOn() const { return m_bCopyAll; }
    bool IsMinimizeToTrayOn() const { return m_bMinimizeToTray; }
    bool IsAutostartOn() const { return m_bAutostart; }
    bool IsAutoCaptureOn() const { return m_bAutoCapture; }
    UINT_PTR GetAutoCaptureTimer() const { return m_nTimerId; }
    bool IsMenuOpen() const { return m_bMenuOpen; }
    bool IsShown() const { return m_bShown; }
    bool IsHotKeyRefused() const { return m_bHotKeyRefused; }
    ATOM GetHotKeyAtom() const { return m_atomHotKey; }
    HWND GetHotKeyControl() const { return m_ctrlHotKey.m_hWnd; }
    // The entry menu and the Functions menu (owner-drawn, loaded with the dialog).
    const IvyMenu& GetEntryMenu() const { return m_menuEntry; }
    const IvyMenu& GetFunctionsMenu() const { return m_menuFunctions; }

    // Before the run: whether the window shows at start, or starts hidden in the notification
    // area (a start with Windows).
    void SetShownAtStart(bool bShown) { m_bShown = bShown; }
    // "Copier tout le dialogue", as its check box on the page sets it.
    void SetCopyAll(bool bCopyAll) { m_bCopyAll = bCopyAll; }
    // Takes over entries made elsewhere (saved captures, prepared lists) at the end of the list
    // and shows the list once; the dialog owns them from now on.
    void AppendEntries(std::vector<CaptureEntry*> entries);

    // Hot-key assignment: registers the control's combination as the global hot-key; lays the
    // control over the page element "ctrlHotkey"; the client rectangle of a page element.
    void RegisterCaptureHotKey();
    void PlaceHotKeyControl();
    CRect GetElementRect(LPCSTR szElementId) const;

    // The capture: the handler of the hot-key's message, also run by the auto-capture timer;
    // both arguments are ignored. It records the foreground window as a new entry.
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    // The text of a window (its message text, or with m_bCopyAll its title and
    // its controls' texts); the lines of the controls below hWnd at nDepth; the path of a new
    // capture's image file, in the folder "tmp" beside the executable (created when missing).
    void ReadCaptureText(HWND hWnd, CaptureText& text) const;
    void CollectChildTexts(HWND hWnd, CaptureText& text, int nDepth) const;
    CString MakeImagePath() const;

    // The notification area: hide the window there with its icon; bring it back and remove the
    // icon; the icon's mouse messages (WM_TRAYNOTIFY).
    void HideToTray();
    void RestoreFromTray();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

    // The page's menu titles open their popups under them.
    void ShowFunctionsMenu();
    void ShowHelpMenu();

    // Auto-capture: stops at once when it runs, else asks for the interval and starts the
    // timer; each tick of the timer (WM_TIMER) is one capture.
    void ToggleAutoCapture();
    LRESULT OnAutoCaptureTimer(WPARAM wParam, LPARAM lParam);
    // The About and Help pages, each in a modal dialog of its own.
    void ShowAboutDialog();
    void ShowHelpDialog();

    // Start with Windows: the Run value "Verbacap" of the current user.
    void SetAutostart(bool bOn);
    void ReadAutostartState();

    // The capture list: a new capture joins the end of the list, the list is shown again, the
    // new entry becomes the selected one and its text goes to the clipboard.
    void AppendEntry(LPCSTR szText, LPCSTR szImagePath, int nWidth, int nHeight);
    // Rebuilds the list's table into the page element "tblTexts".
    void RenderCaptureList();
    // Colours the four elements of the row to which the element belongs (its id without the
    // three-letter prefix names the row).
    void HighlightRow(IHTMLElement* pElement, LPCSTR szColor);
    // The selected entry's text, as plain text, to the clipboard.
    void CopyEntryText();
    // Takes the selected entry out of the list, deletes it with its file and shows the list
    // again; m_nSelectedEntry keeps its value.
    void RemoveSelectedEntry();
    // Deletes every entry, oldest first, with its file, and empties the list.
    void RemoveAllEntries();
    // The entry at nIndex, or nullptr when the list has no such index.
    CaptureEntry* GetEntry(int nIndex) const;

    // The list as the window shows it.
    int GetEntryCount() const override;
    const CaptureEntry* GetEntryAt(int nIndex) const override;
    int GetSelectedEntry() const override;
    // Makes the entry at nIndex the one the entry actions work on, as a click on its row does.
    void SelectEntry(int nIndex);

    // The entry menu's actions on the selected entry: its picture to the clipboard as a bitmap,
    // a copy of its picture file under a name the user chooses, its removal with its file.
    void CopyEntryImage();
    void SaveEntryImage();
    void DeleteEntry();

    // Releases everything the run holds, writes the settings and ends the modal run.
    void Shutdown();

    // A right click on the page: handled, so that no browser menu shows.
    HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                            IDispatch* pdispReserved) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDocumentComplete(IDispatch* pDisp, LPCSTR szUrl) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnQuit();
    void OnToggleMinimizeToTray();
    void OnToggleAutostart();

    HRESULT OnClickCopyAll(IHTMLElement* pElement);
    HRESULT OnClickMinimizeToTray(IHTMLElement* pElement);
    HRESULT OnClickAutostart(IHTMLElement* pElement);
    // The pointer over and out of the rows of the capture list.
    HRESULT OnOddRowMouseOver(IHTMLElement* pElement);
    HRESULT OnOddRowMouseOut(IHTMLElement* pElement);
    HRESULT OnEvenRowMouseOver(IHTMLElement* pElement);
    HRESULT OnEvenRowMouseOut(IHTMLElement* pElement);
    // The menu titles "Fonctions" and "Aide".
    HRESULT OnMenuTitleMouseOver(IHTMLElement* pElement);
    HRESULT OnMenuTitleMouseOut(IHTMLElement* pElement);
    HRESULT OnClickFunctionsTitle(IHTMLElement* pElement);
    HRESULT OnClickHelpTitle(IHTMLElement* pElement);
    // A mouse button down on a row: its entry becomes the selected one and the entry menu opens
    // at the pointer.
    HRESULT OnEntryMouseDown(IHTMLElement* pElement);
    // "Quitter" of the entry menu: choosing it only closes the menu.
    void OnEntryMenuQuit();

private:
    HICON m_hIcon;
    // The entry menu (its first popup opens on a capture entry) and the Functions menu, both
    // owner-drawn; the Functions menu is only loaded and destroyed, the page shows a plain one.
    IvyMenu m_menuEntry;
    IvyMenu m_menuFunctions;
    // Capture the whole dialog (title and every child text), not only a message box's text.
    bool m_bCopyAll = false;
    // The global atom that serves as the registered hot-key's id; 0 while none is registered.
    ATOM m_atomHotKey;
    // The entry that the entry actions work on.
    int m_nSelectedEntry = 0;
    // Minimising or closing the window hides it in the notification area.
    bool m_bMinimizeToTray = false;
    // The Run value that starts the program at log-on is in place.
    bool m_bAutostart = false;
    // The auto-capture timer runs.
    bool m_bAutoCapture;
    // One of the page's menus is open.
    bool m_bMenuOpen;
    UINT_PTR m_nTimerId = 0;
    // The captures, oldest first. The dialog owns them (and through them their image files).
    std::vector<CaptureEntry*> m_entries;
    CNotifyingHotKeyCtrl m_ctrlHotKey;
    // The window is shown, not hidden in the notification area. Start-up sets it.
    bool m_bShown = true;

    // The last registration of the hot-key failed (another program holds the combination, or
    // it cannot be a hot-key); the page says so beside the hot-key field.
    bool m_bHotKeyRefused = false;
    DWORD m_dwHotKeyError = 0;
    // Shutdown has run: a later loss of focus while the window goes away registers nothing.
    bool m_bShuttingDown = false;

    void ReadSettings();
    void WriteSettings();
    // Shows or clears the page's note about a hot-key that could not be registered.
    void ShowHotKeyNotice();
    // A menu loaded afresh under a page title; the tray menu at the pointer; the check marks of
    // the three options in the Functions or tray popup, as they stand now.
    void ShowTitleMenu(LPCSTR szTitleId, UINT nMenuId, bool bOptionMarks);
    void ShowTrayMenu();
    void SetOptionCheckMarks(CMenu& popup) const;
};
