// Start with Windows: the value "Verbacap" under the current user's Run key holds the
// executable's path followed by " -autostart". The value itself is the state.
#include "ui/QuilloryTextDlg.h"

#include "framework/CString.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kValueName[] = "Verbacap";
// The longest value data that is read back, without the terminating zero added behind it.
const DWORD kMaxValueBytes = 260;

// The module file name (not quoted) and the switch, built anew each time.
CString ExpectedAutostartCommand() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(path, static_cast<int>(length)) + " -autostart";
}

} // namespace

void CQuilloryTextDlg::SetAutostart(bool bOn) {
    m_bAutostart = bOn;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS) {
        return;
    }
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

    const CString expected = ExpectedAutostartCommand();
    m_bAutostart =
        ::_mbscmp(data, reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(expected))) == 0;
}
