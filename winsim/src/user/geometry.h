// Window geometry: the non-client frame a window's styles give it, its client rectangle, the
// caption buttons, the work area. All rectangles in screen coordinates unless named otherwise.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// Classic metrics of the window frame (GetSystemMetrics values of the standard scheme).
constexpr int kCaptionHeight = 19;      // SM_CYCAPTION, the bottom line included
constexpr int kSmallCaptionHeight = 15; // SM_CYSMCAPTION
constexpr int kFixedFrame = 3;          // SM_CXFIXEDFRAME
constexpr int kSizeFrame = 4;           // SM_CXSIZEFRAME
constexpr int kBorder = 1;              // SM_CXBORDER
constexpr int kEdge = 2;                // SM_CXEDGE
constexpr int kMenuBarHeight = 19;      // SM_CYMENU
constexpr int kTaskbarHeight = 30;      // the taskbar along the bottom of the screen
constexpr int kMinimizedWidth = 160;
constexpr int kMinimizedHeight = 31;
constexpr int kMinimizedPosition = -32000;

struct Insets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The thickness of the non-client area on each side for these styles.
Insets NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
Insets NonClientInsets(const Window& w);
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
