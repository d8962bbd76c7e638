// What the owner-drawn menus measure and draw text with: the system's menu font, and a device
// context of the application's main window (or of the desktop when there is none).
#pragma once

#include "platform/GdiHandles.h"
#include "platform/win32.h"

// A new font like the menu font of the non-client metrics; the caller deletes it. NULL when
// the metrics cannot be read or the font cannot be made.
HFONT CreateMenuFont();

// A device context of the main window, or of the desktop window, released at the end of the
// scope.
class MenuOwnerDc : public OwnedWindowDc {
public:
    MenuOwnerDc();
};
