#include "menu/MenuStyle.h"

#include "platform/win32.h"

#include <cctype>
#include <cstring>

namespace {

// The values are computed at their first use and then kept.
bool g_bVersionKnown = false;
int g_nVersionClass = 1;
bool g_bThemeKnown = false;
bool g_bClassicTheme = false;

int ClassifyWindowsVersion() {
    const DWORD version = GetVersion();
    const bool windows95Family = (version & 0x80000000) != 0;
    const DWORD major = LOBYTE(LOWORD(version));
    if (windows95Family && major < 4) {
        return 0;
    }
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info)) {
        return windows95Family ? 2 : 1;
    }
    if (windows95Family) {
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10) {
            return 3;
        }
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90) {
            return 4;
        }
        return 2;
    }
    if (info.dwMajorVersion == 4) {
        return 5;
    }
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) {
        return 6;
    }
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) {
        return 7;
    }
    return 1;
}

bool EndsWithIgnoringCase(const char* text, const char* suffix) {
    const size_t textLength = std::strlen(text);
    const size_t suffixLength = std::strlen(suffix);
    if (textLength < suffixLength) {
        return false;
    }
    const char* tail = text + (textLength - suffixLength);
    for (size_t i = 0; i < suffixLength; ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) !=
            std::tolower(static_cast<unsigned char>(suffix[i]))) {
            return false;
        }
    }
    return true;
}

bool ReadClassicTheme() {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        return false;
    }
    // At most 260 bytes of the value, and always a terminating zero after them.
    char theme[261] = {};
    DWORD size = 260;
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<LPBYTE>(theme), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    return EndsWithIgnoringCase(theme, "Windows Classic.theme");
}

} // namespace

int WindowsVersionClass() {
    if (!g_bVersionKnown) {
        g_nVersionClass = ClassifyWindowsVersion();
        g_bVersionKnown = true;
    }
    return g_nVersionClass;
}

bool HasNewShell() {
    return WindowsVersionClass() > 1;
}

bool IsClassicTheme() {
    if (!g_bThemeKnown) {
        g_bClassicTheme = ReadClassicTheme();
        g_bThemeKnown = true;
    }
    return g_bClassicTheme;
}

bool IsXPThemeActive() {
    return WindowsVersionClass() == 7 && !IsClassicTheme();
}

bool UsesXPStyle() {
    return IsXPThemeActive();
}

void ForgetMenuStyle() {
    g_bVersionKnown = false;
    g_bThemeKnown = false;
}
