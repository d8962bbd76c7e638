// The files of the simulated drive C: as the player sees them from the host: whether a Windows
// path names an existing file or folder (resolved as the desktop's file functions resolve it),
// and the list of files with their content, to tell which files a step wrote or deleted (a file
// is read again only when its size or times changed).
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace player {

bool WindowsFileExists(const std::string& windowsPath);

// Every file of drive C: by its Windows path, with a fingerprint of its content.
std::map<std::string, std::string> DriveFiles();

} // namespace player
