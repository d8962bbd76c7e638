// BeginPaint and EndPaint, and the default drawing of backgrounds and frames.
#include "user/paint_internal.h"

using namespace winsim::user;

namespace winsim::user {

bool WindowPaintingAvailable() {
    return false;
}

LRESULT DefaultPaintMessage(HWND hwnd, UINT msg, WPARAM wParam) {
    (void)wParam;
    Window* w = Find(hwnd);
    if (w && msg == WM_NCPAINT) {
        w->needsFramePaint = false;
    }
    return 0;
}

} // namespace winsim::user

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpPaint) {
        return nullptr;
    }
    *lpPaint = PAINTSTRUCT{};
    lpPaint->rcPaint = w->needsPaint ? w->updateRect : RECT{};
    lpPaint->fErase = FALSE;
    w->needsPaint = false;
    w->needsErase = false;
    w->needsFramePaint = false;
    w->updateRect = RECT{};
    SetLastError(ERROR_DC_NOT_FOUND);
    return nullptr;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    (void)lpPaint;
    return FindOrFail(hWnd) ? TRUE : FALSE;
}
