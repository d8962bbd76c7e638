// The end of a run: the quit command, and closing the window while the tray option is off.
#include "ui/QuilloryTextDlg.h"

namespace {

// The tray icon's id, the same one HideToTray adds.
const UINT kTrayIconId = 100;

} // namespace

void CQuilloryTextDlg::Shutdown() {
    m_menuEntry.Destroy();
    m_menuFunctions.Destroy();

    ::UnregisterHotKey(m_hWnd, m_atomHotKey);
    ::GlobalDeleteAtom(m_atomHotKey);
    m_atomHotKey = 0;
    m_bShuttingDown = true;

    RemoveAllEntries();

    if (!m_bShown) {
        NOTIFYICONDATAA nid = {};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = m_hWnd;
        nid.uID = kTrayIconId;
        ::Shell_NotifyIconA(NIM_DELETE, &nid);
    }

    WriteSettings();
    Default();
    EndDialog(IDOK);
}

void CQuilloryTextDlg::OnQuit() {
    Shutdown();
    ::PostQuitMessage(0);
}
