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

// A stored value outside the range of its key reads as the default, as a malformed one does:
// key codes go up to 254, the modifier flags are four bits. Otherwise the hot-key control
// would silently hold no usable key, and the same value would be written back at the end.
UINT ReadProfileIntInRange(CWinApp* pApp, const char* key, int nDefault, int nMax) {
    const int value = static_cast<int>(pApp->GetProfileInt(kSection, key, nDefault));
    return static_cast<UINT>(value >= 0 && value <= nMax ? value : nDefault);
}

} // namespace

void CQuilloryTextDlg::ReadSettings() {
    CWinApp* pApp = AfxGetApp();
    const UINT modifiers = ReadProfileIntInRange(pApp, kKeyModifiers, kDefaultModifiers, 15);
    const UINT virtualKey = ReadProfileIntInRange(pApp, kKeyVirtualKey, kDefaultVirtualKey, 254);
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
