// Start with Windows: the value "Verbacap" under the current user's Run key holds the
// executable's path (quoted when it has a blank) followed by " -autostart". The value itself is
// the state.
#include "ui/QuilloryTextDlg.h"

#include "framework/CString.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kValueName[] = "Verbacap";
// The longest value data that is read back, without the terminating zero added behind it.
const DWORD kMaxValueBytes = 260;

// The module file name and the switch, built anew each time. A path with a blank is quoted:
// unquoted, Windows would try each prefix of it that ends at a blank ("C:\\Program.exe" first)
// as the program to run at log-on.
CString ModulePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(path, static_cast<int>(length));
}

CString QuotedAutostartCommand() {
    return "\"" + ModulePath() + "\" -autostart";
}

// The form that earlier versions wrote, which still counts as registered.
CString UnquotedAutostartCommand() {
    return ModulePath() + " -autostart";
}

CString ExpectedAutostartCommand() {
    const CString path = ModulePath();
    return path.Find(' ') >= 0 ? QuotedAutostartCommand() : UnquotedAutostartCommand();
}

bool SameBytes(const unsigned char* data, const CString& command) {
    return ::_mbscmp(data, reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(command))) ==
           0;
}

} // namespace

// The state afterwards is what the registry holds, so a write that failed (a key that cannot
// be opened or written) leaves the check mark telling the truth.
void CQuilloryTextDlg::SetAutostart(bool bOn) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
        if (bOn) {
            const CString command = ExpectedAutostartCommand();
            ::RegSetValueExA(hKey, kValueName, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(command)),
                             static_cast<DWORD>(command.GetLength() + 1));
        } else {
            ::RegDeleteValueA(hKey, kValueName);
        }
        ::RegCloseKey(hKey);
    }
    ReadAutostartState();
}

void CQuilloryTextDlg::OnToggleAutostart() {
    SetAutostart(!m_bAutostart);
}

void CQuilloryTextDlg::ReadAutostartState() {
    unsigned char data[kMaxValueBytes + 1] = {};
    DWORD size = 0;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
        size = kMaxValueBytes;
        // A missing value, or one longer than the buffer, reads as empty.
        if (::RegQueryValueExA(hKey, kValueName, nullptr, nullptr, data, &size) != ERROR_SUCCESS) {
            size = 0;
        }
        ::RegCloseKey(hKey);
    }
    data[size] = 0;

    // Quoted or not, the program's own path with the switch and nothing else.
    m_bAutostart =
        SameBytes(data, QuotedAutostartCommand()) || SameBytes(data, UnquotedAutostartCommand());
}
