// The files of the simulated drive C: as the player sees them from the host: Windows paths
// resolved under the desktop's root folder (names compared without regard to case, as Windows
// does), and the list of files with their content, to tell which files a step wrote or deleted.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace player {

// The host path of a Windows path on drive C:, components matched to existing host entries
// without regard to case; nothing for another drive or a path that leaves the drive ("..").
std::optional<std::filesystem::path> HostPathOf(const std::string& windowsPath);

bool WindowsFileExists(const std::string& windowsPath);

// Every file of drive C: by its Windows path, with a fingerprint of its content.
std::map<std::string, std::string> DriveFiles();

} // namespace player
