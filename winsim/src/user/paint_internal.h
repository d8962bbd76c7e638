// Invalidation and painting of windows on the simulated screen.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// A part of the screen changed (a window moved, appeared or went away): the visible windows
// that overlap it must paint again.
void ScreenAreaChanged(const RECT& screen);
// The window and its children must paint all of themselves, frame included.
void InvalidateWindowTree(HWND hwnd);
// A window of this thread that needs WM_PAINT (or WM_NCPAINT), or nullptr.
HWND NextWindowToPaint(DWORD thread, HWND filter);

// DefWindowProc's WM_ERASEBKGND and WM_NCPAINT.
LRESULT DefaultPaintMessage(HWND hwnd, UINT msg, WPARAM wParam);

} // namespace winsim::user

namespace winsim::user {

// Painting windows needs the device contexts of the GDI area; until they exist on this
// desktop no WM_PAINT is generated and BeginPaint fails.
bool WindowPaintingAvailable();
// The window and its ancestors are visible and not minimised.
bool IsShownOnScreenForPaint(HWND hwnd);

} // namespace winsim::user
