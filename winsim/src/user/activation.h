// Activation, foreground and focus changes with the messages Windows sends for them.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// Makes hwnd (a top-level window, or nullptr for none) the active window of its thread and the
// foreground window of the desktop. The window that loses activation gets WM_NCACTIVATE and
// WM_ACTIVATE(WA_INACTIVE) first; the new one WM_NCACTIVATE, WM_ACTIVATE and, through its
// default processing, the focus. mouse gives WA_CLICKACTIVE.
void Activate(HWND hwnd, bool mouse = false);
// hwnd is being hidden, minimised or destroyed: when it is active, another window gets the
// activation (its owner, or the next visible top-level window in z-order, or none).
void ActivateOtherThan(HWND hwnd);
// Moves the keyboard focus of the window's thread, with WM_KILLFOCUS before WM_SETFOCUS.
HWND ChangeFocus(DWORD thread, HWND hwnd);
// Moves a top-level window to the top of its band (topmost or not) in the z-order.
void BringToTop(HWND hwnd);

} // namespace winsim::user
