// The hot-key control "msctls_hotkey32": it shows a key combination and takes a new one from
// the keys pressed while it has the focus. Its value is the virtual-key code in the low byte
// and the HOTKEYF_* flags in the high byte.
#include "user/builtin_classes.h"
#include "user/controls_paint.h"
#include "user/input_internal.h"
#include "user/paint_internal.h"
#include "user/window_internal.h"

namespace winsim::user {
namespace {

bool IsModifierKey(WPARAM vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LSHIFT ||
           vk == VK_RSHIFT || vk == VK_LCONTROL || vk == VK_RCONTROL || vk == VK_LMENU ||
           vk == VK_RMENU;
}

BYTE HeldFlags() {
    BYTE flags = 0;
    if (KeyIsDownForMessages(VK_SHIFT)) {
        flags |= HOTKEYF_SHIFT;
    }
    if (KeyIsDownForMessages(VK_CONTROL)) {
        flags |= HOTKEYF_CONTROL;
    }
    if (KeyIsDownForMessages(VK_MENU)) {
        flags |= HOTKEYF_ALT;
    }
    return flags;
}

void Changed(HWND hwnd, WORD oldValue) {
    Window* w = Find(hwnd);
    if (!w || w->hotKey == oldValue) {
        return;
    }
    InvalidateWindowTree(hwnd);
    if (w->parent) {
        Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), EN_CHANGE),
             reinterpret_cast<LPARAM>(hwnd));
    }
}

} // namespace

LRESULT CALLBACK HotKeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    switch (msg) {
    case HKM_SETHOTKEY:
        w->hotKey = static_cast<WORD>(wParam);
        InvalidateWindowTree(hwnd);
        return 0;
    case HKM_GETHOTKEY:
        return w->hotKey;
    case HKM_SETRULES:
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_PAINT:
        PaintEditLike(hwnd, HotKeyText(w->hotKey));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (w->style & WS_DISABLED) {
            return 0;
        }
        WORD old = w->hotKey;
        BYTE flags = HeldFlags();
        if (IsModifierKey(wParam)) {
            // Modifiers alone make no combination yet: the control shows them while held.
            w->hotKey = 0;
        } else if ((wParam == VK_BACK || wParam == VK_SPACE) && flags == 0) {
            // Backspace and Space on their own clear the control ("None").
            w->hotKey = 0;
        } else {
            if (lParam & (LPARAM{1} << 24)) {
                flags |= HOTKEYF_EXT;
            }
            w->hotKey = MAKEWORD(static_cast<BYTE>(wParam), flags);
        }
        Changed(hwnd, old);
        return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateWindowTree(hwnd);
        return 0;
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace winsim::user
