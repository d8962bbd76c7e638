// Auto-capture and the secondary dialogs of the main window. Each dialog is modal and made anew
// for each command; hot-key and timer captures still reach the main window while one is open.
#include "ui/QuilloryTextDlg.h"

#include "ui/DialogAbout.h"
#include "ui/DialogHelp.h"
#include "ui/DlgAutoScreenshot.h"

namespace {

// The one timer of the main window.
const UINT_PTR kAutoCaptureTimer = 1;

} // namespace

void CQuilloryTextDlg::ToggleAutoCapture() {
    if (m_bAutoCapture) {
        m_bAutoCapture = false;
        KillTimer(m_nTimerId);
        return;
    }
    CDlgAutoScreenshot dialog;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // The dialog accepts only periods from a tenth of a second to a day.
    m_bAutoCapture = true;
    m_nTimerId = SetTimer(kAutoCaptureTimer, dialog.m_nPeriodMs, nullptr);
}

// Every tick is a whole capture, exactly as a hot-key press.
LRESULT CQuilloryTextDlg::OnAutoCaptureTimer(WPARAM, LPARAM) {
    Default();
    OnHotKey(0, 0);
    return 0;
}

void CQuilloryTextDlg::ShowAboutDialog() {
    CDialogAbout dialog;
    dialog.DoModal();
}

void CQuilloryTextDlg::ShowHelpDialog() {
    CDialogHelp dialog;
    dialog.DoModal();
}
