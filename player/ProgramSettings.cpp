#include "player/ProgramSettings.h"

#include "player/DesktopText.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <vector>

namespace player {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValueName[] = "Verbacap";

namespace {

const char kSection[] = "Settings";

} // namespace

std::string ProgramIniName() {
    const std::string& exe = winsim::Config().exePath;
    size_t slash = FindLastOfAnsi(exe, "\\/:");
    std::string title = slash == std::string::npos ? exe : exe.substr(slash + 1);
    size_t dot = title.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        title.resize(dot);
    }
    return title + ".INI";
}

bool WriteIniValue(const std::string& key, const std::string& value, std::string& error) {
    std::string file = ProgramIniName();
    if (!WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), file.c_str())) {
        error = "cannot write " + key + " into " + file + " (error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

std::optional<std::string> ReadIniValue(const std::string& key) {
    // A default that no INI line can hold tells a missing key from an empty value.
    const char missing[] = "\x01\x02missing";
    std::vector<char> buffer(4096);
    std::string file = ProgramIniName();
    DWORD length = GetPrivateProfileStringA(kSection, key.c_str(), missing, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    std::string value(buffer.data(), length);
    if (value == missing) {
        return std::nullopt;
    }
    return value;
}

bool WriteRunValue(const std::string& data, std::string& error) {
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(key, kRunValueName, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1));
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS) {
        error = "cannot write the Run value (error " + std::to_string(status) + ")";
        return false;
    }
    return true;
}

std::optional<std::string> ReadRunValue() {
    return winsim::RegistryString(kRunKey, kRunValueName);
}

} // namespace player
