// The pieces of the system side's state, each cleared when the desktop is reset.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::system {

void ResetGlobalMemory();
void ResetClipboard();
void ResetRegistry();
void ResetModule();
void ResetTray();
void ResetSound();
void ResetSaveDialog();
void ResetSysColorBrushes();
void ResetCom();

// Whether a module handle names the program's module (NULL does).
bool IsProgramModule(HMODULE module);

} // namespace winsim::system
