// The main window hidden in the notification area, represented by its icon there.
#include "ui/QuilloryTextDlg.h"

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
