// The default processing of window messages.
#include "user/activation.h"
#include "user/geometry.h"
#include "user/paint_internal.h"
#include "user/text_codec.h"
#include "user/window_internal.h"

#include <algorithm>
#include <cstring>

namespace winsim::user {
namespace {

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) {
        return 0;
    }
    size_t n = FittingLength(text, static_cast<size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

UINT CaptionCommand(const Window& w, int hit) {
    switch (hit) {
    case HTCLOSE:
        return SC_CLOSE;
    case HTMINBUTTON:
        return SC_MINIMIZE;
    case HTMAXBUTTON:
        return (w.style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
    default:
        return 0;
    }
}

} // namespace

void SetWindowTextDirect(HWND hwnd, const char* text) {
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    w->text = text ? text : "";
    if (IsTopLevel(*w)) {
        w->needsFramePaint = true;
    } else {
        InvalidateWindowTree(hwnd);
    }
}

} // namespace winsim::user

using namespace winsim::user;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hWnd);
    if (!w) {
        return 0;
    }
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
            w->text = cs->lpszName;
        }
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        // The client area is what the frame of the window's styles leaves of the rectangle
        // (the first one of NCCALCSIZE_PARAMS when wParam is TRUE).
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (r && !(w->style & WS_MINIMIZE)) {
            Insets in = NonClientInsets(w->style, w->exStyle, w->menu != nullptr);
            r->left += in.left;
            r->top += in.top;
            r->right = std::max(r->left, r->right - in.right);
            r->bottom = std::max(r->top, r->bottom - in.bottom);
        }
        return 0;
    }
    case WM_SETTEXT:
        SetWindowTextDirect(hWnd, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyText(w->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            if (w->cls && (w->cls->style & CS_NOCLOSE)) {
                return 0;
            }
            Send(hWnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(hWnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hWnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hWnd, SW_RESTORE);
            return 0;
        default:
            return 0;
        }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            ChangeFocus(w->thread, hWnd);
        }
        return 0;
    case WM_NCACTIVATE:
        w->needsFramePaint = true;
        return TRUE;
    case WM_MOUSEACTIVATE:
        if ((w->style & WS_CHILD) && w->parent) {
            LRESULT r = Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) {
                return r;
            }
        }
        return MA_ACTIVATE;
    case WM_NCHITTEST:
        return HitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) {
            w->pressedCaptionButton = static_cast<int>(wParam);
        } else if (wParam == HTCAPTION || wParam == HTSYSMENU) {
            w->pressedCaptionButton = 0;
        }
        return 0;
    case WM_NCLBUTTONUP: {
        int pressed = w->pressedCaptionButton;
        w->pressedCaptionButton = 0;
        if (pressed && pressed == static_cast<int>(wParam)) {
            if (UINT command = CaptionCommand(*w, pressed)) {
                Send(hWnd, WM_SYSCOMMAND, command, lParam);
            }
        }
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN)) {
            Send(RootOf(hWnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_WINDOWPOSCHANGED:
        MoveDefaultMessages(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
    case WM_SETCURSOR:
        if ((w->style & WS_CHILD) && w->parent) {
            return Send(w->parent, Msg, wParam, lParam);
        }
        return 0;
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        w->needsFramePaint = true;
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hWnd) {
            ReleaseCapture();
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        return DefaultPaintMessage(hWnd, Msg, wParam);
    default:
        return 0;
    }
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString && nMaxCount > 0) {
        lpString[0] = '\0';
    }
    Window* w = FindOrFail(hWnd);
    if (!w || !lpString || nMaxCount <= 0) {
        return 0;
    }
    if (IsOtherProgram(*w)) {
        // The text of another program's window is read as it is stored, without a message.
        return static_cast<int>(
            CopyText(w->text, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
    }
    return static_cast<int>(
        Send(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return 0;
    }
    if (IsOtherProgram(*w)) {
        return static_cast<int>(w->text.size());
    }
    return static_cast<int>(Send(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!FindOrFail(hWnd)) {
        return FALSE;
    }
    return Send(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item) {
        if (lpString && cchMax > 0) {
            lpString[0] = '\0';
        }
        return 0;
    }
    if (!lpString || cchMax <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    return static_cast<UINT>(
        Send(item, WM_GETTEXT, static_cast<WPARAM>(cchMax), reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SetWindowTextA(item, lpString) : FALSE;
}

UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated) {
        *lpTranslated = FALSE;
    }
    char buffer[64];
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item) {
        return 0;
    }
    GetWindowTextA(item, buffer, sizeof(buffer));
    const char* p = buffer;
    while (*p == ' ') {
        ++p;
    }
    bool negative = false;
    if (bSigned && *p == '-') {
        negative = true;
        ++p;
    }
    if (*p < '0' || *p > '9') {
        return 0;
    }
    unsigned long long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xFFFFFFFFull) {
            return 0;
        }
        ++p;
    }
    while (*p == ' ') {
        ++p;
    }
    if (*p) {
        return 0;
    }
    if (lpTranslated) {
        *lpTranslated = TRUE;
    }
    return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    std::string text = bSigned ? std::to_string(static_cast<int>(uValue)) : std::to_string(uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text.c_str());
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? Send(item, Msg, wParam, lParam) : 0;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    if (!item) {
        return FALSE;
    }
    Send(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    return item ? static_cast<UINT>(Send(item, BM_GETCHECK, 0, 0)) : 0;
}
