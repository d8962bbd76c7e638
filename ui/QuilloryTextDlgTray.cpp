// The main window hidden in the notification area, represented by its icon there.
#include "ui/QuilloryTextDlg.h"

#include "framework/CMenu.h"
#include "res/resource.h"

#include <cstring>

namespace {

const UINT kTrayIconId = 100;
const char kTrayTip[] = "Verbacap";

} // namespace

void CQuilloryTextDlg::HideToTray() {
    ShowWindow(SW_HIDE);

    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = m_hIcon;
    std::memcpy(nid.szTip, kTrayTip, sizeof kTrayTip);
    ::Shell_NotifyIconA(NIM_ADD, &nid);

    m_bShown = false;
}

void CQuilloryTextDlg::RestoreFromTray() {
    m_bShown = true;

    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = kTrayIconId;
    ::Shell_NotifyIconA(NIM_DELETE, &nid);

    ShowWindow(SW_RESTORE);
    // In front of every other window, without staying on top of them.
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// The icon's mouse messages: a left button restores the window, a right one opens the tray
// menu at the pointer. The icon id is not looked at: the window has only the one icon.
LRESULT CQuilloryTextDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
        RestoreFromTray();
        break;
    case WM_RBUTTONDOWN:
        ShowTrayMenu();
        break;
    default:
        break;
    }
    return 0;
}

void CQuilloryTextDlg::ShowTrayMenu() {
    POINT cursor = {};
    ::GetCursorPos(&cursor);

    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_TRAY)) {
        return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr) {
        return;
    }
    pPopup->SetDefaultItem(0, true);
    // A popup of a window that is not in the foreground would not close when the person
    // clicks elsewhere.
    SetForegroundWindow();
    SetOptionCheckMarks(*pPopup);
    pPopup->TrackPopupMenu(TPM_RIGHTALIGN, cursor.x, cursor.y, this);
    menu.DestroyMenu();
}

// Minimised with the tray option on: the window leaves the taskbar for the notification area.
void CQuilloryTextDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CDHtmlDialog::OnActivate(nState, pWndOther, bMinimized);
    if (bMinimized && m_bMinimizeToTray && IsWindowVisible()) {
        HideToTray();
    }
}

// While the window belongs in the notification area nothing shows it: neither the template's
// WS_VISIBLE nor the modal loop's first idle. RestoreFromTray marks it shown before it shows it.
void CQuilloryTextDlg::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CDHtmlDialog::OnWindowPosChanging(lpwndpos);
    if (!m_bShown) {
        lpwndpos->flags &= ~SWP_SHOWWINDOW;
    }
}

// The option only changes what the next minimise or close does; a hidden window stays hidden.
void CQuilloryTextDlg::OnToggleMinimizeToTray() {
    m_bMinimizeToTray = !m_bMinimizeToTray;
}
