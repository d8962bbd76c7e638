// The page's two menu titles, "Fonctions" (element "menu") and "Aide" ("menuHelp"): they light up
// under the pointer, stay lit while their popup is open, and open a plain popup under the title.
// Every command of the popups arrives in the main dialog's message map.
#include "ui/QuilloryTextDlg.h"

#include "framework/CMenu.h"
#include "res/resource.h"

namespace {

const char kFunctionsTitleId[] = "menu";
const char kHelpTitleId[] = "menuHelp";

} // namespace

HRESULT CQuilloryTextDlg::OnMenuTitleMouseOver(IHTMLElement* pElement) {
    pElement->SetClassName(WIDE("menu_over"));
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnMenuTitleMouseOut(IHTMLElement* pElement) {
    // While a popup is open the title stays lit, as a menu bar's title does.
    if (!m_bMenuOpen) {
        pElement->SetClassName(WIDE("menu_out"));
    }
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnClickFunctionsTitle(IHTMLElement*) {
    ShowFunctionsMenu();
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnClickHelpTitle(IHTMLElement*) {
    ShowHelpMenu();
    return S_OK;
}

void CQuilloryTextDlg::SetOptionCheckMarks(CMenu& popup) const {
    popup.CheckMenuItem(ID_MINIMIZE_TO_TRAY,
                        MF_BYCOMMAND | (m_bMinimizeToTray ? MF_CHECKED : MF_UNCHECKED));
    popup.CheckMenuItem(ID_AUTOSTART, MF_BYCOMMAND | (m_bAutostart ? MF_CHECKED : MF_UNCHECKED));
    popup.CheckMenuItem(ID_AUTOCAPTURE,
                        MF_BYCOMMAND | (m_bAutoCapture ? MF_CHECKED : MF_UNCHECKED));
}

void CQuilloryTextDlg::ShowTitleMenu(LPCSTR szTitleId, UINT nMenuId, bool bOptionMarks) {
    CRect title = GetElementRect(szTitleId);
    ClientToScreen(&title);

    // Loaded afresh at every opening, so the marks always show the state of this moment.
    CMenu menu;
    if (!menu.LoadMenu(nMenuId)) {
        return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr) {
        return;
    }
    if (bOptionMarks) {
        SetOptionCheckMarks(*pPopup);
    }
    m_bMenuOpen = true;
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, title.left, title.bottom, this);
    menu.DestroyMenu();
}

void CQuilloryTextDlg::ShowFunctionsMenu() {
    ShowTitleMenu(kFunctionsTitleId, IDR_MENU_FUNCTIONS, true);
}

void CQuilloryTextDlg::ShowHelpMenu() {
    ShowTitleMenu(kHelpTitleId, IDR_MENU_HELP, false);
}

// Any menu loop of the main window ended: the Functions title returns to rest. The Help title
// returns at its next mouse-out, which m_bMenuOpen no longer holds back.
void CQuilloryTextDlg::OnExitMenuLoop(BOOL) {
    if (CHtmlElementPtr title = GetElement(kFunctionsTitleId)) {
        title->SetClassName(WIDE("menu_out"));
    }
    m_bMenuOpen = false;
}
