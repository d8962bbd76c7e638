// Message boxes of the program and of other simulated programs.
#pragma once

#include "user/user_state.h"

#include <string>

namespace winsim::user {

// Creates and shows a message box window (not its modal loop) for a thread and process.
HWND CreateMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption,
                            UINT type, DWORD thread, DWORD process);

} // namespace winsim::user
