// The virtual clock and the timers, as the message loops use them.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// When a scripted wait is under way, advances the clock to the next timer expiry or to the
// end of the wait, whichever comes first, and returns true; false when no wait is pending.
bool AdvancePendingWait();
// Takes an expired timer of the thread that matches the filter as a WM_TIMER message.
bool TakeDueTimer(DWORD thread, HWND filter, MSG* msg, bool remove);
// The timer (hwnd, id) exists and has this callback (DispatchMessage checks it).
bool IsLiveTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc);

// A scripted step runs now: time that it lets pass is taken by the waiting loops in slices.
void SetInScriptStep(bool inStep);

} // namespace winsim::user
