// The registry of the current user: a tree of keys with named values, persisted as a text file
// in the desktop's root folder and read back when a new desktop starts on that folder. Open keys
// carry the access that was asked for, and every operation checks it.
#include "system/codepage.h"
#include "system/registry_store.h"
#include "system/system_state.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/winreg.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace winsim::system {
namespace {

constexpr const char* kRegistryFile = "registry.txt";
constexpr const char* kRegistryHeader = "winsim registry 1";

struct Key {
    std::string name;
    bool isVolatile = false;
    std::vector<std::unique_ptr<Key>> subkeys;
    std::vector<std::pair<std::string, RegistryValue>> values;
};

struct OpenKey {
    std::vector<std::string> path; // from the root of HKEY_CURRENT_USER
    REGSAM access = 0;
};

struct RegistryState {
    bool loaded = false;
    Key root;
    std::map<HKEY, OpenKey> handles;
    uintptr_t nextHandle = 0x100;
};

RegistryState& State() {
    static RegistryState state;
    return state;
}

bool SameName(const std::string& a, const std::string& b) {
    return AnsiEqualsNoCase(a, b);
}

Key* FindChild(Key& key, const std::string& name) {
    for (auto& child : key.subkeys) {
        if (SameName(child->name, name)) {
            return child.get();
        }
    }
    return nullptr;
}

Key* FindKey(const std::vector<std::string>& path) {
    Key* key = &State().root;
    for (const std::string& name : path) {
        key = FindChild(*key, name);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

RegistryValue* FindValue(Key& key, const std::string& name) {
    for (auto& [valueName, value] : key.values) {
        if (SameName(valueName, name)) {
            return &value;
        }
    }
    return nullptr;
}

// Splits a subkey path at its backslashes (never at a double-byte character's trail byte).
// A path that starts with a backslash or has an empty name inside is refused.
bool SplitSubKey(const char* subKey, std::vector<std::string>& names) {
    names.clear();
    if (!subKey || !*subKey) {
        return true;
    }
    if (*subKey == '\\') {
        return false;
    }
    std::string current;
    const auto* p = reinterpret_cast<const unsigned char*>(subKey);
    while (*p) {
        size_t length = AnsiCharLength(p);
        if (length == 1 && *p == '\\') {
            if (current.empty()) {
                return false;
            }
            names.push_back(current);
            current.clear();
        } else {
            current.append(reinterpret_cast<const char*>(p), length);
        }
        p += length;
    }
    if (!current.empty()) {
        names.push_back(current);
    }
    return true;
}

std::string Escape(const std::string& text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c > 0x20 && c < 0x7F && c != '%') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out.empty() ? "%" : out; // a lone "%" stands for the empty name
}

bool Unescape(const std::string& text, std::string& out) {
    out.clear();
    if (text == "%") {
        return true;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) {
            return false;
        }
        int value = 0;
        for (size_t j = i + 1; j <= i + 2; ++j) {
            char c = text[j];
            int digit = (c >= '0' && c <= '9')   ? c - '0'
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                 : -1;
            if (digit < 0) {
                return false;
            }
            value = value * 16 + digit;
        }
        out.push_back(static_cast<char>(value));
        i += 2;
    }
    return true;
}

std::string FilePath() {
    return RootDir() + "/" + kRegistryFile;
}

void SaveKey(std::ostream& out, const Key& key, const std::string& path) {
    if (key.isVolatile) {
        return;
    }
    if (!path.empty()) {
        out << "K " << Escape(path) << "\n";
    }
    for (const auto& [name, value] : key.values) {
        std::string data(value.data.begin(), value.data.end());
        out << "V " << Escape(name) << " " << value.type << " " << Escape(data) << "\n";
    }
    for (const auto& child : key.subkeys) {
        SaveKey(out, *child, path.empty() ? child->name : path + "\\" + child->name);
    }
}

void Save() {
    std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
    out << kRegistryHeader << "\n";
    SaveKey(out, State().root, "");
}

Key* CreatePath(const std::vector<std::string>& path, bool isVolatile, bool& created) {
    Key* key = &State().root;
    created = false;
    for (const std::string& name : path) {
        Key* child = FindChild(*key, name);
        if (!child) {
            auto made = std::make_unique<Key>();
            made->name = name;
            made->isVolatile = isVolatile || key->isVolatile;
            child = made.get();
            key->subkeys.push_back(std::move(made));
            created = true;
        }
        key = child;
    }
    return key;
}

// Reads the file a previous desktop on this folder left; lines that make no sense are skipped.
void Load() {
    std::ifstream in(FilePath(), std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kRegistryHeader) {
        return;
    }
    std::vector<std::string> currentPath;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "K") {
            std::string escaped;
            std::string path;
            std::vector<std::string> names;
            if (fields >> escaped && Unescape(escaped, path) && SplitSubKey(path.c_str(), names)) {
                bool created = false;
                CreatePath(names, false, created);
                currentPath = names;
            }
        } else if (kind == "V") {
            std::string escapedName;
            std::string escapedData;
            DWORD type = 0;
            std::string name;
            std::string data;
            if (fields >> escapedName >> type >> escapedData && Unescape(escapedName, name) &&
                Unescape(escapedData, data)) {
                if (Key* key = FindKey(currentPath)) {
                    key->values.emplace_back(name, RegistryValue{type, {data.begin(), data.end()}});
                }
            }
        }
    }
}

// The theme file of the desktop's look, as the display settings record it.
void ApplyDesktopTheme() {
    const DesktopConfig& config = Config();
    const std::string& version = config.windowsVersion;
    std::string theme;
    if (config.classicTheme) {
        theme = "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme";
    } else if (version == "xp") {
        theme = "C:\\WINDOWS\\Resources\\Themes\\Luna.theme";
    } else if (version == "vista" || version == "7" || version == "10") {
        theme = "C:\\Windows\\resources\\Themes\\aero.theme";
    }
    bool created = false;
    Key* key = CreatePath({"Software", "Microsoft", "Plus!", "Themes", "Current"}, false, created);
    auto& values = key->values;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it->first.empty()) {
            values.erase(it);
            break;
        }
    }
    if (!theme.empty()) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(theme.c_str());
        values.emplace_back("", RegistryValue{REG_SZ, {bytes, bytes + theme.size() + 1}});
    }
}

// Keys that every user profile of Windows has from its first log-on, so that a program can open
// them without creating them first.
void EnsureProfileKeys() {
    bool created = false;
    CreatePath({"Software", "Microsoft", "Windows", "CurrentVersion", "Run"}, false, created);
}

RegistryState& Loaded() {
    RegistryState& state = State();
    if (!state.loaded) {
        state.loaded = true;
        Load();
        EnsureProfileKeys();
        ApplyDesktopTheme();
    }
    return state;
}

bool IsPredefined(HKEY key) {
    auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
    return value >= 0x80000000u && value <= 0x80000006u;
}

// The key behind a handle: its path and the access it was opened with.
LONG Resolve(HKEY handle, OpenKey& out) {
    RegistryState& state = Loaded();
    if (handle == HKEY_CURRENT_USER) {
        out = OpenKey{{}, KEY_ALL_ACCESS};
        return ERROR_SUCCESS;
    }
    if (IsPredefined(handle)) {
        return ERROR_ACCESS_DENIED; // only the current user's part of the registry exists
    }
    auto found = state.handles.find(handle);
    if (found == state.handles.end()) {
        return ERROR_INVALID_HANDLE;
    }
    if (!FindKey(found->second.path)) {
        return ERROR_KEY_DELETED;
    }
    out = found->second;
    return ERROR_SUCCESS;
}

HKEY NewHandle(const std::vector<std::string>& path, REGSAM access) {
    RegistryState& state = State();
    auto handle = reinterpret_cast<HKEY>(state.nextHandle);
    state.nextHandle += 4;
    state.handles[handle] =
        OpenKey{path, access & ~static_cast<REGSAM>(KEY_WOW64_64KEY | KEY_WOW64_32KEY)};
    return handle;
}

std::string ValueName(LPCSTR name) {
    return name ? name : "";
}

// The full path of a subkey named below an open key, with that key's own path and access.
LONG ResolveSubKey(HKEY hKey, LPCSTR subKey, OpenKey& parent, std::vector<std::string>& path) {
    LONG error = Resolve(hKey, parent);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    std::vector<std::string> names;
    if (!SplitSubKey(subKey, names)) {
        return ERROR_BAD_PATHNAME;
    }
    path = parent.path;
    path.insert(path.end(), names.begin(), names.end());
    return ERROR_SUCCESS;
}

} // namespace

void ResetRegistry() {
    State() = RegistryState{};
}

bool RegistryRead(const std::string& keyPath, const std::string& valueName, RegistryValue& out) {
    Loaded();
    std::vector<std::string> names;
    if (!SplitSubKey(keyPath.c_str(), names)) {
        return false;
    }
    Key* key = FindKey(names);
    RegistryValue* value = key ? FindValue(*key, valueName) : nullptr;
    if (!value) {
        return false;
    }
    out = *value;
    return true;
}

size_t RegistryOpenHandles() {
    return State().handles.size();
}

} // namespace winsim::system

using namespace winsim::system;

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
    if (!phkResult) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    OpenKey parent;
    if (IsPredefined(hKey) && hKey != HKEY_CURRENT_USER) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::vector<std::string> path;
    LONG error = ResolveSubKey(hKey, lpSubKey, parent, path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (!FindKey(path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    *phkResult = NewHandle(path, samDesired);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD dwOptions,
                               REGSAM samDesired, const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
    if (!phkResult || !lpSubKey) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    OpenKey parent;
    std::vector<std::string> path;
    LONG error = ResolveSubKey(hKey, lpSubKey, parent, path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    bool exists = FindKey(path) != nullptr;
    if (!exists && !(parent.access & KEY_CREATE_SUB_KEY)) {
        return ERROR_ACCESS_DENIED;
    }
    bool created = false;
    CreatePath(path, (dwOptions & REG_OPTION_VOLATILE) != 0, created);
    if (created) {
        Save();
    }
    if (lpdwDisposition) {
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *phkResult = NewHandle(path, samDesired);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    OpenKey open;
    LONG error = Resolve(hKey, open);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (!(open.access & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!lpData && cbData != 0) {
        return ERROR_NOACCESS;
    }
    Key* key = FindKey(open.path);
    RegistryValue value{dwType, std::vector<unsigned char>(lpData, lpData + cbData)};
    std::string name = ValueName(lpValueName);
    if (RegistryValue* existing = FindValue(*key, name)) {
        *existing = value;
    } else {
        key->values.emplace_back(name, value);
    }
    Save();
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved || (lpData && !lpcbData)) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey open;
    LONG error = Resolve(hKey, open);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (!(open.access & KEY_QUERY_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    RegistryValue* value = FindValue(*FindKey(open.path), ValueName(lpValueName));
    if (!value) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (lpType) {
        *lpType = value->type;
    }
    auto size = static_cast<DWORD>(value->data.size());
    if (!lpcbData) {
        return ERROR_SUCCESS;
    }
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        if (size) {
            std::memcpy(lpData, value->data.data(), size);
        }
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    OpenKey open;
    LONG error = Resolve(hKey, open);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (!(open.access & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    Key* key = FindKey(open.path);
    std::string name = ValueName(lpValueName);
    for (auto it = key->values.begin(); it != key->values.end(); ++it) {
        if (SameName(it->first, name)) {
            key->values.erase(it);
            Save();
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey || !*lpSubKey) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey open;
    std::vector<std::string> path;
    LONG error = ResolveSubKey(hKey, lpSubKey, open, path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    Key* key = FindKey(path);
    if (!key) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!key->subkeys.empty()) {
        return ERROR_ACCESS_DENIED; // a key with subkeys is not deleted
    }
    path.pop_back();
    Key* parent = FindKey(path);
    for (auto it = parent->subkeys.begin(); it != parent->subkeys.end(); ++it) {
        if (it->get() == key) {
            parent->subkeys.erase(it);
            break;
        }
    }
    Save();
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    if (IsPredefined(hKey)) {
        return ERROR_SUCCESS;
    }
    RegistryState& state = Loaded();
    if (state.handles.erase(hKey) == 0) {
        return ERROR_INVALID_HANDLE;
    }
    return ERROR_SUCCESS;
}
