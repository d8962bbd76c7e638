// The folder view of the file dialogs: the white list of a folder's subfolders and files, each
// with its small icon, laid out in columns as Explorer's list view shows them.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::system {

// The view's window class, registered on first use for the whole desktop.
extern const char* const kFolderViewClass;
void RegisterFolderViewClass();

} // namespace winsim::system
