// Window geometry: the non-client frame a window's styles give it, its client rectangle, the
// caption buttons, the work area. All rectangles in screen coordinates unless named otherwise.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// Metrics of the window frame, from the system's metrics of the configured look.
int CaptionHeight();      // SM_CYCAPTION, the bottom line included
int SmallCaptionHeight(); // SM_CYSMCAPTION
int FixedFrame();         // SM_CXDLGFRAME
int SizeFrame();          // SM_CXFRAME
int BorderWidth();        // SM_CXBORDER
int EdgeWidth();          // SM_CXEDGE
int MenuBarHeight();      // SM_CYMENU
constexpr int kMinimizedWidth = 160;
constexpr int kMinimizedHeight = 31;
constexpr int kMinimizedPosition = -32000;

// The thickness of the non-client area on each side for these styles.
Insets NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
// The window's own: what its WM_NCCALCSIZE answered at creation, else what its styles give.
Insets NonClientInsets(const Window& w);
// The size limits that WM_GETMINMAXINFO offers a window before it answers.
MINMAXINFO DefaultMinMaxInfo(const Window& w);
// The client area in screen coordinates.
RECT ClientRectOnScreen(const Window& w);
// The origin of the client area in screen coordinates.
POINT ClientOrigin(const Window& w);
// The caption bar (between the frame and the client area), empty without a caption.
RECT CaptionRect(const Window& w);
// A caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON); empty when the window has none.
RECT CaptionButtonRect(const Window& w, int hit);
// The part of the screen that maximised windows fill.
RECT WorkArea();
// The hit-test code of a screen point, as DefWindowProc's WM_NCHITTEST gives it.
LRESULT HitTest(const Window& w, POINT screen);

} // namespace winsim::user
