// Handles that belong to the other areas of the desktop, checked through their public API.
#include "system/clipboard_state.h"

namespace winsim::system {

bool IsLiveWindow(HWND window) {
    return window != nullptr;
}

bool IsClipboardBitmap(HANDLE) {
    return false;
}

void FreeClipboardBitmap(HANDLE) {}

} // namespace winsim::system
