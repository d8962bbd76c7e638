// The main window's menus: the end of a menu loop puts the page's menu title back at rest.
#include "ui/QuilloryTextDlg.h"

void CQuilloryTextDlg::OnExitMenuLoop(BOOL) {
    if (CHtmlElementPtr title = GetElement("menu")) {
        title->SetClassName(AfxAnsiToWide("menu_out"));
    }
    m_bMenuOpen = false;
}
