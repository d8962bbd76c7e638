// Windows for the system tests: real windows of the desktop's window manager.
#pragma once

#include <winsim/windows.h>

#include <string>

namespace test {

// A top-level window of a class registered for the tests.
HWND MakeWindow(const std::string& title);

} // namespace test
