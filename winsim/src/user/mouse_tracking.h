// Mouse-leave and hover tracking (TrackMouseEvent): the window of a thread that wants to hear
// when the pointer leaves it or rests on it. One tracked window per thread, as on Windows.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// The pointer moved, or windows moved, appeared or vanished under it: a tracked window that the
// pointer is no longer over gets WM_MOUSELEAVE (WM_NCMOUSELEAVE when its frame was tracked) and
// its tracking ends; a hover under way restarts when the pointer left its hover rectangle.
void UpdateMouseTracking();
// Posts WM_MOUSEHOVER (or WM_NCMOUSEHOVER) to the thread's tracked window once the pointer has
// rested there for the hover time. Message retrieval calls this.
void PostDueMouseHover(DWORD thread);
// The tick (as GetTickCount64 counts) at which the next hover falls due, or 0 when none is.
ULONGLONG NextMouseHoverTick();
// The window is being destroyed: its tracking ends without a message.
void ForgetMouseTracking(HWND hwnd);
void ResetMouseTracking();

} // namespace winsim::user
