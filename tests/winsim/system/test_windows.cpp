#include "test_windows.h"

namespace test {
namespace {

const char* const kClassName = "SystemTestWindow";

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == 0x0307 /* WM_DESTROYCLIPBOARD */ ||
        (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONDBLCLK)) {
        Received().push_back(ReceivedMessage{window, message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

std::vector<ReceivedMessage>& Received() {
    static std::vector<ReceivedMessage> received;
    return received;
}

HWND MakeWindow(const std::string& title) {
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &windowClass)) {
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
    }
    Received().clear();
    return CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace test

namespace test {

HWND MakeWindowWithProc(const std::string& className, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), className.c_str(), &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className.c_str();
        RegisterClassA(&windowClass);
    }
    return CreateWindowExA(0, className.c_str(), className.c_str(), WS_OVERLAPPEDWINDOW, 10, 10,
                           200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace test
