// The file dialog's toolbar beside the folder box: a flat button with a small picture, Up One
// Level, which tells the dialog (WM_COMMAND with kUpOneLevelCommand) to show the folder the
// shown one lies in. The dialog disables the toolbar at a drive's root.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::system {

extern const char* const kFileDialogToolbarClass;
// The toolbar's control id: in the range the common dialogs keep for their own controls, and
// named by no header.
constexpr WORD kFileDialogToolbarId = 0x04F0;
constexpr WORD kUpOneLevelCommand = 0xA001;

// Registers the toolbar's window class on first use, for the whole desktop.
void RegisterFileDialogToolbarClass();

} // namespace winsim::system
