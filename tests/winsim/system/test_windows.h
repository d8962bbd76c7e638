// Windows for the system tests: real windows of the desktop's window manager, whose procedure
// records the messages they receive.
#pragma once

#include <winsim/windows.h>

#include <string>
#include <vector>

namespace test {

struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window of a class registered for the tests.
HWND MakeWindow(const std::string& title);

// A top-level window of its own class, whose procedure is given.
HWND MakeWindowWithProc(const std::string& className, WNDPROC procedure);

// The messages at or above WM_USER, WM_DESTROYCLIPBOARD and the mouse messages that the test
// windows received.
std::vector<ReceivedMessage>& Received();

} // namespace test
