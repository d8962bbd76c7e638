// The window classes the system's own dialogs use for their private controls.
#pragma once

#include <winsim/windows.h>

namespace winsim::system {

// Registers a class for the whole desktop, unless it is registered already.
void RegisterDialogControlClass(const char* name, WNDPROC procedure, UINT style);

} // namespace winsim::system
