// Helpers shared by the window files of the user area.
#pragma once

#include "user/user_state.h"

#include <string>

namespace winsim::user {

// The window and all its ancestors have WS_VISIBLE.
bool IsShownOnScreen(HWND hwnd);
// WM_MOVE and WM_SIZE as DefWindowProc sends them for WM_WINDOWPOSCHANGED.
void MoveDefaultMessages(HWND hwnd, const WINDOWPOS& wp);
// The deepest visible window under a screen point, as WindowFromPoint finds it.
HWND WindowAtScreenPoint(POINT screen);
// The window class is a dialog class (its procedure is DefDlgProcA).
bool NeedsDialogState(const WindowClass& cls);

// Stores a window text as DefWindowProc's WM_SETTEXT does.
void SetWindowTextDirect(HWND hwnd, const char* text);

// Waiting for input: a loop that finds no message calls this. It first lets time pass when a
// scripted wait is under way (timers fire on the way), else runs the next scripted step, else
// ends the run with ScriptExhausted naming what is open.
void WaitForInput();
// Loops name what waits for the person while they run (innermost first in errors).
class WaitingIn {
public:
    explicit WaitingIn(std::string what);
    ~WaitingIn();
    WaitingIn(const WaitingIn&) = delete;
    WaitingIn& operator=(const WaitingIn&) = delete;
};
std::string DescribeWaiting();

// Handles the queued messages of the other programs' threads, as those programs would.
void PumpOtherPrograms();

// Takes the next message of a thread that matches the filter, as PeekMessage does.
bool TakeMessage(DWORD thread, MSG* msg, HWND hwnd, UINT min, UINT max, bool remove);
// Posts a message to the thread queue of a window (or of the thread when hwnd is null).
void PostToThread(DWORD thread, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostInput(DWORD thread, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace winsim::user
