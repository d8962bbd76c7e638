// InitCommonControls: the common controls' classes ("msctls_hotkey32") are system classes of
// the simulated desktop, registered when it starts; as on Windows the call only ensures that.
#include "winsim/commctrl.h"

void WINAPI InitCommonControls(void) {}
