// The names of host folders by their case-folded form. Windows finds "Capture5.JPG" when asked for
// "capture5.jpg"; the host's file system does not, so a name not found as written is looked up
// among the folder's names. Reading a folder of thousands of pictures for every new file made
// each capture slower the longer the list; the names are read once per folder and kept up to
// date with the host's change notifications (inotify), which also see changes made by other
// processes. Without notifications the folder is read each time, as before.
#pragma once

#include <optional>
#include <string>

namespace winsim::system {

// The name in the host folder that equals `name` (UTF-8) ignoring case, if the folder holds one.
// nullopt also when the folder cannot be read.
std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name);

// Forgets every folder (a new desktop).
void ResetFolderNames();

} // namespace winsim::system
