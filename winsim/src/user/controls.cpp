// The system controls that dialogs and message boxes are made of: static texts, buttons and
// single-line edit fields.
#include "user/builtin_classes.h"
#include "user/controls_paint.h"
#include "user/paint_internal.h"
#include "user/text_codec.h"
#include "user/window_internal.h"

namespace winsim::user {

void NotifyParent(HWND hwnd, WORD code) {
    Window* w = Find(hwnd);
    if (!w || !w->parent) {
        return;
    }
    Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code),
         reinterpret_cast<LPARAM>(hwnd));
}

namespace {

bool FontMessage(Window& w, UINT msg, WPARAM wParam, LRESULT* result) {
    if (msg == WM_SETFONT) {
        w.font = reinterpret_cast<HFONT>(wParam);
        InvalidateWindowTree(w.handle);
        *result = 0;
        return true;
    }
    if (msg == WM_GETFONT) {
        *result = reinterpret_cast<LRESULT>(w.font);
        return true;
    }
    return false;
}

DWORD ButtonType(const Window& w) {
    return w.style & BS_TYPEMASK;
}

bool IsPushButton(const Window& w) {
    DWORD type = ButtonType(w);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void ButtonClicked(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) {
        return;
    }
    DWORD type = ButtonType(*w);
    if (type == BS_AUTOCHECKBOX) {
        w->checkState = w->checkState ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTORADIOBUTTON) {
        w->checkState = BST_CHECKED;
    }
    InvalidateWindowTree(hwnd);
    NotifyParent(hwnd, BN_CLICKED);
}

bool InsideClient(HWND hwnd, LPARAM lParam) {
    RECT r;
    GetClientRect(hwnd, &r);
    int x = GET_X_LPARAM(lParam);
    int y = GET_Y_LPARAM(lParam);
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    LRESULT result = 0;
    if (FontMessage(*w, msg, wParam, &result)) {
        return result;
    }
    switch (msg) {
    case WM_NCHITTEST:
        // Static texts let the pointer through to what lies below, unless they notify.
        return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
        PaintStatic(hwnd);
        return 0;
    case STM_SETICON: {
        HICON old = w->iconBig;
        w->iconBig = reinterpret_cast<HICON>(wParam);
        InvalidateWindowTree(hwnd);
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(w->iconBig);
    case WM_SETTEXT:
        SetWindowTextDirect(hwnd, reinterpret_cast<const char*>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    LRESULT result = 0;
    if (FontMessage(*w, msg, wParam, &result)) {
        return result;
    }
    switch (msg) {
    case WM_GETDLGCODE:
        if (!IsPushButton(*w)) {
            return DLGC_BUTTON;
        }
        return DLGC_BUTTON |
               (ButtonType(*w) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_PAINT:
        PaintButton(hwnd, GetFocus() == hwnd);
        return 0;
    case BM_SETSTYLE:
        w->style = (w->style & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFFu);
        InvalidateWindowTree(hwnd);
        return 0;
    case BM_GETCHECK:
        return w->checkState;
    case BM_SETCHECK:
        w->checkState = static_cast<int>(wParam);
        InvalidateWindowTree(hwnd);
        return 0;
    case BM_GETSTATE:
        return w->checkState | (w->pushed ? 0x0004 : 0) | (GetFocus() == hwnd ? 0x0008 : 0);
    case BM_SETSTATE:
        w->pushed = wParam != 0;
        InvalidateWindowTree(hwnd);
        return 0;
    case BM_CLICK:
        if (!(w->style & WS_DISABLED)) {
            ButtonClicked(hwnd);
        }
        return 0;
    case WM_LBUTTONDOWN:
        w->pushed = true;
        SetFocus(hwnd);
        SetCapture(hwnd);
        InvalidateWindowTree(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        bool wasPushed = w->pushed;
        w->pushed = false;
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        if (wasPushed && InsideClient(hwnd, lParam)) {
            ButtonClicked(hwnd);
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            w->pushed = true;
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && w->pushed) {
            w->pushed = false;
            ButtonClicked(hwnd);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateWindowTree(hwnd);
        return 0;
    case WM_SETTEXT:
        SetWindowTextDirect(hwnd, reinterpret_cast<const char*>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    LRESULT result = 0;
    if (FontMessage(*w, msg, wParam, &result)) {
        return result;
    }
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_PAINT:
        PaintEditLike(hwnd, w->text);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_CHAR: {
        if (w->style & ES_READONLY) {
            return 0;
        }
        unsigned char c = static_cast<unsigned char>(wParam);
        if (c == 0x08) {
            if (w->text.empty()) {
                return 0;
            }
            // Remove the last character, both bytes of a double-byte one.
            size_t cut = 0;
            size_t i = 0;
            while (i < w->text.size()) {
                cut = i;
                i += IsLeadByte(static_cast<unsigned char>(w->text[i])) ? 2 : 1;
            }
            w->text.erase(cut);
        } else if (c >= 0x20 || c == '\t') {
            w->text += static_cast<char>(c);
        } else {
            return 0;
        }
        InvalidateWindowTree(hwnd);
        NotifyParent(hwnd, EN_CHANGE);
        return 0;
    }
    case WM_SETTEXT:
        SetWindowTextDirect(hwnd, reinterpret_cast<const char*>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace winsim::user
