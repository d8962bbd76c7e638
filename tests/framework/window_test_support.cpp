#include "window_test_support.h"

namespace framework_test {

namespace {

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    RecordedMessages().push_back(message);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

std::vector<UINT>& RecordedMessages() {
    static std::vector<UINT> messages;
    return messages;
}

HWND CreateRecordingWindow(DWORD style) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FrameworkTestRecorder";
    RegisterClassA(&wc); // fails harmlessly when registered already
    return CreateWindowExA(0, "FrameworkTestRecorder", "recorder", style, 10, 10, 200, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace framework_test
