// Files and folders on the simulated drives, and the current directory.
#include "system/paths.h"
#include "system/binary_stream.h"
#include "system/text_stream.h"

#include <winsim/crtfile.h>
#include <winsim/shlwapi.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <unistd.h>

#include <cerrno>
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

} // namespace

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    WindowsPath path;
    std::string host;
    DWORD error = ResolvePath(lpPathName, path, host);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    if (path.components.empty()) {
        return Fail(ERROR_ACCESS_DENIED); // a drive's root
    }
    std::error_code fsError;
    if (fs::exists(host, fsError)) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (!fs::is_directory(fs::path(host).parent_path(), fsError)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (!fs::create_directory(host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    WindowsPath path;
    std::string host;
    DWORD error = ResolvePath(lpPathName, path, host);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    std::error_code fsError;
    if (!fs::exists(host, fsError)) {
        return Fail(winsim::system::MissingFileError(host));
    }
    if (!fs::is_directory(host, fsError)) {
        return Fail(ERROR_DIRECTORY);
    }
    if (path.components.empty()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (!fs::is_empty(host, fsError)) {
        return Fail(ERROR_DIR_NOT_EMPTY);
    }
    if (!fs::remove(host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    WindowsPath sourcePath;
    WindowsPath targetPath;
    std::string source;
    std::string target;
    DWORD error = ResolvePath(lpExistingFileName, sourcePath, source);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    std::error_code fsError;
    if (!fs::exists(source, fsError)) {
        return Fail(winsim::system::MissingFileError(source));
    }
    if (fs::is_directory(source, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    error = ResolvePath(lpNewFileName, targetPath, target);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    if (fs::exists(target, fsError)) {
        if (bFailIfExists) {
            return Fail(ERROR_FILE_EXISTS);
        }
        if (fs::is_directory(target, fsError) || access(target.c_str(), W_OK) != 0) {
            return Fail(ERROR_ACCESS_DENIED);
        }
        if (SameFile(source, target)) {
            return Fail(ERROR_SHARING_VIOLATION); // the source is open for reading
        }
    } else if (!fs::is_directory(fs::path(target).parent_path(), fsError)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (!fs::copy_file(source, target, fs::copy_options::overwrite_existing, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    WindowsPath path;
    std::string host;
    DWORD error = ResolvePath(lpFileName, path, host);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    std::error_code fsError;
    if (!fs::exists(host, fsError)) {
        return Fail(winsim::system::MissingFileError(host));
    }
    if (fs::is_directory(host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (!fs::remove(host, fsError)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    WindowsPath path;
    std::string host;
    DWORD error = ResolvePath(lpFileName, path, host);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::error_code fsError;
    fs::file_status status = fs::status(host, fsError);
    if (!fs::exists(status)) {
        SetLastError(winsim::system::MissingFileError(host));
        return INVALID_FILE_ATTRIBUTES;
    }
    if (fs::is_directory(status)) {
        return FILE_ATTRIBUTE_DIRECTORY;
    }
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (access(host.c_str(), W_OK) != 0) {
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
    WindowsPath path;
    std::string host;
    DWORD error = ResolvePath(lpPathName, path, host);
    if (error != ERROR_SUCCESS) {
        return Fail(error);
    }
    std::error_code fsError;
    if (!fs::exists(host, fsError)) {
        return Fail(winsim::system::MissingFileError(host));
    }
    if (!fs::is_directory(host, fsError)) {
        return Fail(ERROR_DIRECTORY);
    }
    winsim::system::SetCurrentDirectoryPath(path);
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
