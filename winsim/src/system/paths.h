// Windows paths on the simulated drives: the lexical rules (separators, drive letters, current
// directory, "." and "..", trailing dots and blanks) and the mapping of each drive to a host
// folder, where names are looked up without regard to case as Windows compares them.
#pragma once

#include <winsim/wintypes.h>

#include <string>
#include <vector>

namespace winsim::system {

struct WindowsPath {
    char16_t drive = u'C';                  // upper-case drive letter
    std::vector<std::u16string> components; // below the drive's root
    bool trailingSeparator = false;         // the path ended with a backslash

    std::string ToAnsi() const; // "C:\dir\name"
    std::u16string ToWide() const;
};

// Makes a full path of an absolute, drive-relative, rooted or relative path. Returns
// ERROR_SUCCESS, or ERROR_PATH_NOT_FOUND (empty), ERROR_INVALID_NAME (a character Windows
// forbids in names), ERROR_BAD_NETPATH (a network path).
DWORD NormalizePath(const char* path, WindowsPath& out);

// The host path of a full Windows path. ERROR_PATH_NOT_FOUND when no drive has that letter,
// ERROR_FILENAME_EXCED_RANGE when the path is longer than MAX_PATH allows.
DWORD MapToHost(const WindowsPath& path, std::string& host);

// Both steps at once.
DWORD ResolvePath(const char* path, WindowsPath& windowsPath, std::string& host);

// The error a missing file gets: ERROR_PATH_NOT_FOUND when its folder is missing as well.
DWORD MissingFileError(const std::string& host);

const WindowsPath& CurrentDirectory();
void SetCurrentDirectoryPath(const WindowsPath& path);

// The Windows folder, C:\WINDOWS.
WindowsPath WindowsFolder();

// Drives besides C: (which is always the desktop's root folder).
void MapDriveToHost(char letter, const std::string& hostFolder);

void ResetPaths();

} // namespace winsim::system
