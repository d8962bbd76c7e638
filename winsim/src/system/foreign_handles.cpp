// Handles that belong to the other areas of the desktop, checked through their public API.
#include "system/clipboard_state.h"

#include <winsim/wingdi.h>
#include <winsim/winuser.h>

namespace winsim::system {

bool IsLiveWindow(HWND window) {
    return IsWindow(window) != FALSE;
}

bool IsClipboardBitmap(HANDLE bitmap) {
    return GetObjectType(bitmap) == OBJ_BITMAP;
}

void FreeClipboardBitmap(HANDLE bitmap) {
    DeleteObject(bitmap);
}

} // namespace winsim::system
