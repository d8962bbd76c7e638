/* The Wine check's eyes and hands inside the Windows desktop, a console program:
     probe wait TITLE MS    waits for a visible top-level window titled TITLE; prints its
                            window rectangle as "left top width height"
     probe gone TITLE MS    waits until no top-level window is titled TITLE
     probe client TITLE     prints the client area in screen coordinates, "left top width height"
     probe front TITLE      brings the window to the foreground
     probe close TITLE      asks the window, shown or hidden, to close (WM_CLOSE)
     probe hidden TITLE MS  waits until the window exists and is hidden
     probe clip             prints the clipboard's CF_TEXT
     probe restore TITLE    restores the minimised window TITLE and brings it to the foreground
     probe isfront TITLE    succeeds when the foreground window is the visible TITLE
     probe menu MS          waits for an open popup menu; prints its window rectangle
     probe nomenu MS        waits until no popup menu is open
   Exits 0 on success, 1 on a timeout or a missing window, 2 on bad arguments. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static HWND FindVisible(const char* title) {
    HWND window = FindWindowA(NULL, title);
    while (window != NULL && !IsWindowVisible(window)) {
        window = FindWindowExA(NULL, window, NULL, title);
    }
    return window;
}

static int Wait(const char* title, DWORD ms, int wantPresent) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindVisible(title);
        if (wantPresent && window != NULL) {
            RECT r;
            GetWindowRect(window, &r);
            printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            return 0;
        }
        if (!wantPresent && window == NULL) {
            return 0;
        }
        if (GetTickCount() - start > ms) {
            return 1;
        }
        Sleep(100);
    }
}

/* The window of an open popup menu: the system class "#32768", visible. */
static HWND FindOpenMenu(void) {
    HWND menu = FindWindowExA(NULL, NULL, "#32768", NULL);
    while (menu != NULL && !IsWindowVisible(menu)) {
        menu = FindWindowExA(NULL, menu, "#32768", NULL);
    }
    return menu;
}

static int WaitForMenu(DWORD ms, int wantOpen) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND menu = FindOpenMenu();
        if (wantOpen && menu != NULL) {
            RECT r;
            GetWindowRect(menu, &r);
            printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            return 0;
        }
        if (!wantOpen && menu == NULL) {
            return 0;
        }
        if (GetTickCount() - start > ms) {
            return 1;
        }
        Sleep(100);
    }
}

static int PrintClipboard(void) {
    int result = 1;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(NULL); ++attempt) {
        Sleep(100);
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != NULL ? (const char*)GlobalLock(data) : NULL;
    if (text != NULL) {
        fputs(text, stdout);
        GlobalUnlock(data);
        result = 0;
    }
    CloseClipboard();
    return result;
}

int main(int argc, char** argv) {
    if (argc >= 2 && strcmp(argv[1], "clip") == 0) {
        return PrintClipboard();
    }
    if (argc < 3) {
        return 2;
    }
    if (strcmp(argv[1], "menu") == 0 || strcmp(argv[1], "nomenu") == 0) {
        return WaitForMenu((DWORD)strtoul(argv[2], NULL, 10), strcmp(argv[1], "menu") == 0);
    }
    const char* command = argv[1];
    const char* title = argv[2];
    const DWORD ms = argc >= 4 ? (DWORD)strtoul(argv[3], NULL, 10) : 0;
    if (strcmp(command, "wait") == 0) {
        return Wait(title, ms, 1);
    }
    if (strcmp(command, "gone") == 0) {
        return Wait(title, ms, 0);
    }
    if (strcmp(command, "hidden") == 0) {
        const DWORD start = GetTickCount();
        for (;;) {
            HWND any = FindWindowA(NULL, title);
            if (any != NULL && FindVisible(title) == NULL) {
                return 0;
            }
            if (GetTickCount() - start > ms) {
                return 1;
            }
            Sleep(100);
        }
    }
    if (strcmp(command, "close") == 0) {
        HWND any = FindWindowA(NULL, title);
        return any != NULL && PostMessageA(any, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    HWND window = FindVisible(title);
    if (window == NULL) {
        return 1;
    }
    if (strcmp(command, "client") == 0) {
        RECT r;
        POINT origin = {0, 0};
        GetClientRect(window, &r);
        ClientToScreen(window, &origin);
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
        return 0;
    }
    if (strcmp(command, "restore") == 0) {
        ShowWindow(window, SW_RESTORE);
        return SetForegroundWindow(window) ? 0 : 1;
    }
    if (strcmp(command, "isfront") == 0) {
        return GetForegroundWindow() == window ? 0 : 1;
    }
    if (strcmp(command, "front") == 0) {
        return SetForegroundWindow(window) ? 0 : 1;
    }
    return 2;
}
