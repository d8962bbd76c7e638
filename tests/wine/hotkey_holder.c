/* Another program that holds Alt+C as its own global hot-key, so that Verbacap's registration of
   the same combination is refused. Its window says whether it got the key. */
#include <windows.h>

static LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    WNDCLASSA wc = {0};
    wc.lpfnWndProc = HolderProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "VerbacapTestHotKeyHolder";
    RegisterClassA(&wc);
    const BOOL held = RegisterHotKey(NULL, 1, MOD_ALT, 'C');
    HWND window =
        CreateWindowExA(0, wc.lpszClassName, held ? "Alt+C held" : "Alt+C refused",
                        WS_OVERLAPPEDWINDOW, 600, 40, 260, 120, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}
