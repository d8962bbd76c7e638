/* Another program's dialog with nested controls: a group box that holds a label, an edit field
   and a check box (children of the group, grandchildren of the dialog), and a button beside it.
   The whole-dialog capture reads the title and the texts of all of them. */
#include <windows.h>

static LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
                  int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, NULL,
                           GetModuleHandleA(NULL), NULL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    WNDCLASSA wc = {0};
    wc.lpfnWndProc = DialogProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "VerbacapTestDialog";
    RegisterClassA(&wc);

    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, wc.lpszClassName, "Parametres d'impression",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 120, 120, 360, 200, NULL,
                                  NULL, instance, NULL);
    HWND group = Child(dialog, "BUTTON", "Imprimante", BS_GROUPBOX, 10, 10, 220, 140);
    Child(group, "STATIC", "Nom :", 0, 12, 28, 60, 20);
    Child(group, "EDIT", "Laser du bureau", WS_BORDER | ES_AUTOHSCROLL, 76, 26, 130, 22);
    Child(group, "BUTTON", "Recto verso", BS_AUTOCHECKBOX, 12, 64, 150, 22);
    Child(dialog, "BUTTON", "Imprimer", BS_DEFPUSHBUTTON, 244, 20, 96, 28);

    ShowWindow(dialog, show);
    SetForegroundWindow(dialog);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
