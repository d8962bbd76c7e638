// Files and folders on the simulated drives, and the current directory.
#include "system/paths.h"
#include "system/binary_stream.h"
#include "system/text_stream.h"

#include <winsim/crtfile.h>
#include <winsim/shlwapi.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;
using winsim::system::ResolvePath;
using winsim::system::WindowsPath;

namespace {

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

// Copies text into a caller's buffer as the Windows string getters do: the length without the
// terminating zero when it fits, else the size needed including it (buffer untouched).
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
    if (!buffer || size < text.size() + 1) {
        return static_cast<DWORD>(text.size() + 1);
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

// A caller's path and the host path behind it.
struct Located {
    WindowsPath path;
    std::string host;
};

// What a caller's path has to name before a function acts on it.
enum class Needs {
    Anything,     // any valid path, there or not
    FileOrFolder, // something that is there
    File,         // a file that is there: a folder is refused as access denied
    Folder,       // a folder that is there: a file is refused as not being a directory
};

// Resolves a caller's path and checks that it names what is needed; on failure sets the error
// the file functions give for it and returns false.
bool Locate(LPCSTR name, Needs needs, Located& found) {
    DWORD error = ResolvePath(name, found.path, found.host);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    if (needs == Needs::Anything) {
        return true;
    }
    std::error_code fsError;
    fs::file_status status = fs::status(found.host, fsError);
    if (!fs::exists(status)) {
        return Fail(winsim::system::MissingFileError(found.host));
    }
    if (needs == Needs::File && fs::is_directory(status)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (needs == Needs::Folder && !fs::is_directory(status)) {
        return Fail(ERROR_DIRECTORY);
    }
    return true;
}

// Removes a file or an empty folder; what the host refuses is access denied.
BOOL Remove(const std::string& host) {
    std::error_code fsError;
    if (!fs::remove(host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

bool ParentIsFolder(const std::string& host) {
    std::error_code fsError;
    return fs::is_directory(fs::path(host).parent_path(), fsError);
}

} // namespace

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    Located folder;
    if (!Locate(lpPathName, Needs::Anything, folder)) {
        return FALSE;
    }
    if (folder.path.components.empty()) {
        return Fail(ERROR_ACCESS_DENIED); // a drive's root
    }
    std::error_code fsError;
    if (fs::exists(folder.host, fsError)) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (!ParentIsFolder(folder.host)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (!fs::create_directory(folder.host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    Located folder;
    if (!Locate(lpPathName, Needs::Folder, folder)) {
        return FALSE;
    }
    if (folder.path.components.empty()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    std::error_code fsError;
    if (!fs::is_empty(folder.host, fsError)) {
        return Fail(ERROR_DIR_NOT_EMPTY);
    }
    return Remove(folder.host);
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    Located source;
    Located target;
    if (!Locate(lpExistingFileName, Needs::File, source) ||
        !Locate(lpNewFileName, Needs::Anything, target)) {
        return FALSE;
    }
    std::error_code fsError;
    if (fs::exists(target.host, fsError)) {
        if (bFailIfExists) {
            return Fail(ERROR_FILE_EXISTS);
        }
        if (fs::is_directory(target.host, fsError) || access(target.host.c_str(), W_OK) != 0) {
            return Fail(ERROR_ACCESS_DENIED);
        }
        if (SameFile(source.host, target.host)) {
            return Fail(ERROR_SHARING_VIOLATION); // the source is open for reading
        }
    } else if (!ParentIsFolder(target.host)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (!fs::copy_file(source.host, target.host, fs::copy_options::overwrite_existing, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    Located file;
    if (!Locate(lpFileName, Needs::File, file)) {
        return FALSE;
    }
    return Remove(file.host);
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    Located found;
    if (!Locate(lpFileName, Needs::FileOrFolder, found)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    std::error_code fsError;
    if (fs::is_directory(found.host, fsError)) {
        return FILE_ATTRIBUTE_DIRECTORY;
    }
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (access(found.host.c_str(), W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

BOOL WINAPI PathFileExistsA(LPCSTR pszPath) {
    if (!pszPath) {
        return FALSE;
    }
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    return CopyOut(winsim::system::CurrentDirectory().ToAnsi(), lpBuffer, nBufferLength);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    Located folder;
    if (!Locate(lpPathName, Needs::Folder, folder)) {
        return FALSE;
    }
    winsim::system::SetCurrentDirectoryPath(folder.path);
    return TRUE;
}

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart) {
    WindowsPath path;
    DWORD error = winsim::system::NormalizePath(lpFileName, path);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    std::string full = path.ToAnsi();
    if (path.trailingSeparator && !path.components.empty()) {
        full.push_back('\\');
    }
    DWORD result = CopyOut(full, lpBuffer, nBufferLength);
    if (lpFilePart && result <= full.size()) {
        size_t slash = full.rfind('\\');
        bool named = !path.trailingSeparator && !path.components.empty();
        *lpFilePart = named ? lpBuffer + slash + 1 : nullptr;
    }
    return result;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return CopyOut(winsim::system::WindowsFolder().ToAnsi(), lpBuffer, uSize);
}

FILE* win32_fopen(const char* path, const char* mode) {
    if (!path || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    // The Windows C runtime's modes: r, w or a, then +, t or b and its own letters.
    if (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a') {
        errno = EINVAL;
        return nullptr;
    }
    std::string hostMode(1, mode[0]);
    bool binary = false;
    bool text = false;
    // The encodings of ",ccs=" (Unicode text streams) are not offered: such a mode fails.
    for (const char* m = mode + 1; *m; ++m) {
        switch (*m) {
        case '+':
            hostMode.push_back('+');
            break;
        case 'b':
            binary = true;
            break;
        case 't':
            text = true;
            break;
        case 'x':
            hostMode.push_back('x');
            break;
        case 'c':
        case 'n':
        case 'N':
        case 'S':
        case 'R':
        case 'T':
        case 'D':
            break; // caching hints of the Windows runtime
        case ' ':
            break;
        default:
            errno = EINVAL;
            return nullptr;
        }
    }
    if (binary && text) {
        errno = EINVAL;
        return nullptr;
    }
    WindowsPath windowsPath;
    std::string host;
    if (ResolvePath(path, windowsPath, host) != ERROR_SUCCESS) {
        errno = ENOENT;
        return nullptr;
    }
    std::error_code fsError;
    if (fs::is_directory(host, fsError)) {
        errno = EACCES;
        return nullptr;
    }
    // Without "b" the Windows runtime opens in text mode (its default translation mode).
    std::string binaryMode = hostMode + "b";
    FILE* file = std::fopen(host.c_str(), binaryMode.c_str());
    if (!file) {
        return nullptr;
    }
    return binary ? winsim::system::OpenBinaryStream(file, binaryMode.c_str())
                  : winsim::system::OpenTextStream(file, hostMode.c_str());
}

namespace {

// A host file time (seconds and nanoseconds since 1970) as a FILETIME (100 ns since 1601).
FILETIME ToFileTime(const timespec& time) {
    constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
    const int64_t units = (static_cast<int64_t>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000 +
                          time.tv_nsec / 100;
    const uint64_t value = units > 0 ? static_cast<uint64_t>(units) : 0;
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

} // namespace

BOOL WINAPI GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                 LPVOID lpFileInformation) {
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    Located found;
    if (!Locate(lpFileName, Needs::FileOrFolder, found)) {
        return FALSE;
    }
    struct stat status = {};
    if (stat(found.host.c_str(), &status) != 0) {
        return Fail(winsim::system::MissingFileError(found.host));
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const bool folder = S_ISDIR(status.st_mode);
    data.dwFileAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!folder && access(found.host.c_str(), W_OK) != 0) {
        data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    }
    // The host keeps no creation time: the last change of the file's status stands in for it.
    data.ftCreationTime = ToFileTime(status.st_ctim);
    data.ftLastAccessTime = ToFileTime(status.st_atim);
    data.ftLastWriteTime = ToFileTime(status.st_mtim);
    if (!folder) {
        const uint64_t size = static_cast<uint64_t>(status.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size);
    }
    std::memcpy(lpFileInformation, &data, sizeof(data));
    return TRUE;
}
