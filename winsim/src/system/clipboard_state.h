// The clipboard as the inspection functions see it, and what it needs of the other areas.
#pragma once

#include <winsim/wintypes.h>

#include <vector>

namespace winsim::system {

HWND ClipboardOwnerWindow();
std::vector<UINT> ClipboardFormatList();
HANDLE ClipboardHandle(UINT format);
bool ClipboardIsOpen(HWND* window);
// Another program opens the clipboard and keeps it open for this long on the desktop's clock.
void HoldClipboardForOtherProgram(DWORD milliseconds);
bool HeldByOtherProgram();

// Handles of the other areas, checked through their public functions.
bool IsLiveWindow(HWND window);
bool IsClipboardBitmap(HANDLE bitmap);
void FreeClipboardBitmap(HANDLE bitmap);

} // namespace winsim::system
