// The settings of the main dialog in the INI file named after the executable, section
// "Settings". A missing file, section or key gives the default; the two options are on only
// when stored as exactly 1, and are written back as 0 or 1.
#include "ui/QuilloryTextDlg.h"

#include "framework/CWinApp.h"

namespace {

const char kSection[] = "Settings";
const char kKeyVirtualKey[] = "VK";
const char kKeyModifiers[] = "Mod";
const char kKeyCopyAll[] = "CopyAll";
const char kKeyMinimizeToTray[] = "MinimizeToTray";

// Alt+C until the user chooses another combination.
const int kDefaultVirtualKey = 'C';
const int kDefaultModifiers = HOTKEYF_ALT;

} // namespace

void CQuilloryTextDlg::ReadSettings() {
    CWinApp* pApp = AfxGetApp();
    const UINT modifiers = pApp->GetProfileInt(kSection, kKeyModifiers, kDefaultModifiers);
    const UINT virtualKey = pApp->GetProfileInt(kSection, kKeyVirtualKey, kDefaultVirtualKey);
    // The control's value: the key code in the low byte, the modifier flags in the next one.
    m_ctrlHotKey.SendMessage(HKM_SETHOTKEY, MAKEWORD(virtualKey & 0xFF, modifiers & 0xFF));

    m_bCopyAll = pApp->GetProfileInt(kSection, kKeyCopyAll, 0) == 1;
    m_bMinimizeToTray = pApp->GetProfileInt(kSection, kKeyMinimizeToTray, 0) == 1;
}

void CQuilloryTextDlg::WriteSettings() {
    CWinApp* pApp = AfxGetApp();
    const DWORD value = static_cast<DWORD>(m_ctrlHotKey.SendMessage(HKM_GETHOTKEY));
    pApp->WriteProfileInt(kSection, kKeyVirtualKey, LOBYTE(LOWORD(value)));
    pApp->WriteProfileInt(kSection, kKeyModifiers, HIBYTE(LOWORD(value)));
    pApp->WriteProfileInt(kSection, kKeyCopyAll, m_bCopyAll ? 1 : 0);
    pApp->WriteProfileInt(kSection, kKeyMinimizeToTray, m_bMinimizeToTray ? 1 : 0);
}
