// Plain windows for the framework's tests: a registered class whose procedure records the
// messages it receives, standing for the window procedure that a framework object subclasses.
#pragma once

#include "platform/win32.h"

#include <vector>

namespace framework_test {

// The messages that reached the recording window procedure, oldest first.
std::vector<UINT>& RecordedMessages();

// A top-level window of the recording class (hidden unless asked).
HWND CreateRecordingWindow(DWORD style = WS_OVERLAPPEDWINDOW);

} // namespace framework_test
