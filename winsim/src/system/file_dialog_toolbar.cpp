#include "system/file_dialog_toolbar.h"

#include "system/dialog_window_class.h"
#include "system/file_dialog_icons.h"

#include <winsim/windows.h>

namespace winsim::system {

const char* const kFileDialogToolbarClass = "WinsimFileDialogToolbar";

namespace {

// The button is held down while the pointer pressed it; kept in the window's user data.
bool Pushed(HWND toolbar) {
    return GetWindowLongPtrA(toolbar, GWLP_USERDATA) != 0;
}

void SetPushed(HWND toolbar, bool pushed) {
    SetWindowLongPtrA(toolbar, GWLP_USERDATA, pushed ? 1 : 0);
    InvalidateRect(toolbar, nullptr, TRUE);
}

void Paint(HWND toolbar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(toolbar, &ps);
    if (!dc) {
        return;
    }
    RECT client;
    GetClientRect(toolbar, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    bool enabled = IsWindowEnabled(toolbar) != FALSE;
    bool pushed = enabled && Pushed(toolbar);
    if (pushed) {
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    }
    int shift = pushed ? 1 : 0;
    int x = (client.right - 16) / 2 - 2 + shift;
    int y = (client.bottom - 16) / 2 + shift;
    DrawSmallFolderIcon(dc, x, y + 2, enabled);
    DrawUpArrow(dc, x + 9, y, enabled ? RGB(0, 160, 0) : GetSysColor(COLOR_GRAYTEXT));
    EndPaint(toolbar, &ps);
}

LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint(toolbar);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the painting fills the whole toolbar
    case WM_ENABLE:
        InvalidateRect(toolbar, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetPushed(toolbar, true);
        SetCapture(toolbar);
        return 0;
    case WM_LBUTTONUP: {
        bool wasPushed = Pushed(toolbar);
        SetPushed(toolbar, false);
        if (GetCapture() == toolbar) {
            ReleaseCapture();
        }
        RECT client;
        GetClientRect(toolbar, &client);
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPushed && PtInRect(&client, at)) {
            SendMessageA(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(kUpOneLevelCommand, BN_CLICKED),
                         reinterpret_cast<LPARAM>(toolbar));
        }
        return 0;
    }
    default:
        return DefWindowProcA(toolbar, msg, wParam, lParam);
    }
}

} // namespace

void RegisterFileDialogToolbarClass() {
    RegisterDialogControlClass(kFileDialogToolbarClass, ToolbarProc, 0);
}

} // namespace winsim::system
