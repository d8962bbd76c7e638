// Atoms, hot-keys, the clipboard, profiles and the registry, as the program relies on them.
#include "tests/conformance/Conformance.h"

#include <cstring>

CONFORMANCE_TEST(GlobalAtomsCountTheirReferences) {
    const ATOM atom = ::GlobalAddAtomA("VerbacapConformanceAtom");
    EXPECT(atom >= 0xC000);
    // Names compare without case; a second add is a second reference to the same atom.
    EXPECT_EQ(atom, ::GlobalAddAtomA("verbacapconformanceatom"));
    EXPECT_EQ(atom, ::GlobalFindAtomA("VERBACAPCONFORMANCEATOM"));
    EXPECT_EQ(::GlobalDeleteAtom(atom), 0);
    EXPECT_EQ(atom, ::GlobalFindAtomA("VerbacapConformanceAtom"));
    EXPECT_EQ(::GlobalDeleteAtom(atom), 0);
    EXPECT_EQ(::GlobalFindAtomA("VerbacapConformanceAtom"), 0);
}

CONFORMANCE_TEST(AHotKeyBelongsToOneWindow) {
    HWND first = conformance::MakeTopWindow("Premier");
    HWND second = conformance::MakeTopWindow("Second");
    const UINT modifiers = MOD_ALT | MOD_SHIFT;
    EXPECT(::RegisterHotKey(first, 7, modifiers, VK_F9));
    ::SetLastError(0);
    EXPECT(!::RegisterHotKey(second, 7, modifiers, VK_F9));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    // Another combination is free.
    EXPECT(::RegisterHotKey(second, 8, modifiers, VK_F10));
    EXPECT(::UnregisterHotKey(second, 8));
    // Once released the combination can be taken by the other window.
    EXPECT(::UnregisterHotKey(first, 7));
    EXPECT(::RegisterHotKey(second, 7, modifiers, VK_F9));
    EXPECT(::UnregisterHotKey(second, 7));
    ::SetLastError(0);
    EXPECT(!::UnregisterHotKey(second, 7));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_NOT_REGISTERED));
    ::DestroyWindow(first);
    ::DestroyWindow(second);
}

namespace {

bool PutText(HWND owner, const char* text) {
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    ::CloseClipboard();
    return set;
}

} // namespace

CONFORMANCE_TEST(ClipboardTextHasAnOwnerAndItsOtherForms) {
    HWND owner = conformance::MakeTopWindow("Presse-papier");
    EXPECT(PutText(owner, "Texte copi\xe9"));
    EXPECT(::GetClipboardOwner() == owner);
    EXPECT(::IsClipboardFormatAvailable(CF_TEXT));
    // The system offers the text as UTF-16 and OEM text too.
    EXPECT(::IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT(::IsClipboardFormatAvailable(CF_OEMTEXT));

    // Data is read only while the clipboard is open.
    EXPECT(::GetClipboardData(CF_TEXT) == nullptr);
    EXPECT(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    EXPECT(data != nullptr);
    if (data != nullptr) {
        EXPECT_STREQ("Texte copi\xe9", static_cast<const char*>(::GlobalLock(data)));
        ::GlobalUnlock(data);
    }
    // Closed, it cannot be emptied.
    EXPECT(::CloseClipboard());
    EXPECT(!::EmptyClipboard());

    // Emptying it with no window makes the clipboard ownerless.
    EXPECT(::OpenClipboard(nullptr));
    EXPECT(::EmptyClipboard());
    EXPECT(::CloseClipboard());
    EXPECT(::GetClipboardOwner() == nullptr);
    EXPECT(!::IsClipboardFormatAvailable(CF_TEXT));
    ::DestroyWindow(owner);
}

CONFORMANCE_TEST(ProfileFilesWithoutAFolderLiveInTheWindowsFolder) {
    const char* file = "VerbacapConformance.INI";
    EXPECT(::WritePrivateProfileStringA("Settings", "VK", "67", file));
    EXPECT(::WritePrivateProfileStringA("Settings", "Mod", "  12abc", file));
    EXPECT(::WritePrivateProfileStringA("Settings", "Neg", "-3", file));
    // Keys and sections compare without case; numbers are read up to the first non-digit.
    EXPECT_EQ(::GetPrivateProfileIntA("settings", "vk", 5, file), 67u);
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "Mod", 5, file), 12u);
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "Neg", 5, file), static_cast<UINT>(-3));
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "Missing", 5, file), 5u);
    EXPECT_EQ(::GetPrivateProfileIntA("Other", "VK", 5, file), 5u);

    char windowsDir[MAX_PATH] = {};
    EXPECT(::GetWindowsDirectoryA(windowsDir, MAX_PATH) > 0);
    const std::string path = std::string(windowsDir) + "\\" + file;
    EXPECT(::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);

    char value[8];
    // A value longer than the buffer is cut, and the length says what was copied.
    EXPECT(::WritePrivateProfileStringA("Settings", "Long", "abcdefghij", file));
    EXPECT_EQ(::GetPrivateProfileStringA("Settings", "Long", "", value, sizeof value, file), 7u);
    EXPECT_STREQ("abcdefg", value);
    // A null value deletes the key.
    EXPECT(::WritePrivateProfileStringA("Settings", "Long", nullptr, file));
    EXPECT_EQ(::GetPrivateProfileStringA("Settings", "Long", "def", value, sizeof value, file), 3u);
    EXPECT_STREQ("def", value);
    ::DeleteFileA(path.c_str());
}

CONFORMANCE_TEST(RegistryValuesReportTheirSize) {
    HKEY key = nullptr;
    EXPECT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VerbacapConformance", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char text[] = "C:\\Verbacap\\Verbacap.exe -autostart";
    EXPECT_EQ(::RegSetValueExA(key, "Verbacap", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               sizeof text),
              ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 4;
    BYTE small[4];
    // Too small a buffer: the size needed, terminating zero included.
    EXPECT_EQ(::RegQueryValueExA(key, "Verbacap", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(static_cast<DWORD>(sizeof text), size);
    char read[64] = {};
    size = sizeof read;
    EXPECT_EQ(
        ::RegQueryValueExA(key, "Verbacap", nullptr, &type, reinterpret_cast<BYTE*>(read), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, read);
    EXPECT_EQ(::RegQueryValueExA(key, "Absent", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(::RegDeleteValueA(key, "Verbacap"), ERROR_SUCCESS);
    EXPECT_EQ(::RegDeleteValueA(key, "Verbacap"), ERROR_FILE_NOT_FOUND);
    ::RegCloseKey(key);
    EXPECT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VerbacapConformance"), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(
        ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VerbacapConformance", 0, KEY_READ, &gone),
        ERROR_FILE_NOT_FOUND);
}
