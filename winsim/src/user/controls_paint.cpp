// How the system controls look on the screen: static texts, buttons, edit fields and the
// hot-key control, in the system colours and the control's font.
#include "user/controls_paint.h"

#include <algorithm>
#include <string>

namespace winsim::user {
namespace {

// The parent chooses the colours of a control through WM_CTLCOLOR*; without an answer the
// control takes the system's.
HBRUSH ControlBrush(HWND hwnd, HDC dc, UINT message, int defaultColor) {
    Window* w = Find(hwnd);
    HBRUSH brush = nullptr;
    if (w && w->parent) {
        brush = reinterpret_cast<HBRUSH>(
            Send(w->parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    }
    return brush ? brush : GetSysColorBrush(defaultColor);
}

struct PaintScope {
    HWND hwnd;
    PAINTSTRUCT ps{};
    HDC dc;
    HGDIOBJ oldFont = nullptr;
    explicit PaintScope(HWND h) : hwnd(h), dc(BeginPaint(h, &ps)) {
        Window* w = Find(h);
        if (dc && w && w->font) {
            oldFont = SelectObject(dc, w->font);
        }
    }
    ~PaintScope() {
        if (dc && oldFont) {
            SelectObject(dc, oldFont);
        }
        EndPaint(hwnd, &ps);
    }
};

std::string KeyName(UINT vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return std::string(1, static_cast<char>(vk));
    }
    if (vk >= VK_F1 && vk <= VK_F12) {
        return "F" + std::to_string(vk - VK_F1 + 1);
    }
    switch (vk) {
    case VK_INSERT:
        return "Insert";
    case VK_DELETE:
        return "Delete";
    case VK_HOME:
        return "Home";
    case VK_END:
        return "End";
    case VK_PRIOR:
        return "Page Up";
    case VK_NEXT:
        return "Page Down";
    case VK_LEFT:
        return "Left";
    case VK_RIGHT:
        return "Right";
    case VK_UP:
        return "Up";
    case VK_DOWN:
        return "Down";
    case VK_SPACE:
        return "Space";
    case VK_TAB:
        return "Tab";
    case VK_RETURN:
        return "Enter";
    case VK_ESCAPE:
        return "Esc";
    default:
        return "#" + std::to_string(vk);
    }
}

} // namespace

std::string HotKeyText(WORD value) {
    if (value == 0) {
        return "None";
    }
    BYTE flags = HIBYTE(value);
    std::string text;
    if (flags & HOTKEYF_CONTROL) {
        text += "Ctrl + ";
    }
    if (flags & HOTKEYF_SHIFT) {
        text += "Shift + ";
    }
    if (flags & HOTKEYF_ALT) {
        text += "Alt + ";
    }
    return text + KeyName(LOBYTE(value));
}

void PaintStatic(HWND hwnd) {
    PaintScope p(hwnd);
    Window* w = Find(hwnd);
    if (!p.dc || !w) {
        return;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(p.dc, &r, ControlBrush(hwnd, p.dc, WM_CTLCOLORSTATIC, COLOR_3DFACE));
    DWORD type = w->style & 0x1F;
    if (type == SS_ICON) {
        if (w->iconBig) {
            DrawIconEx(p.dc, 0, 0, w->iconBig, 0, 0, 0, nullptr, DI_NORMAL);
        }
        return;
    }
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, GetSysColor((w->style & WS_DISABLED) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (type == SS_CENTER) {
        format |= DT_CENTER;
    } else if (type == SS_RIGHT) {
        format |= DT_RIGHT;
    }
    if (w->style & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    DrawTextA(p.dc, w->text.c_str(), -1, &r, format);
}

void PaintComboBox(HWND hwnd, const std::string& text, bool focused) {
    PaintScope p(hwnd);
    Window* w = Find(hwnd);
    if (!p.dc || !w) {
        return;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    bool disabled = (w->style & WS_DISABLED) != 0;
    FillRect(p.dc, &r, GetSysColorBrush(disabled ? COLOR_3DFACE : COLOR_WINDOW));
    DrawEdge(p.dc, &r, EDGE_SUNKEN, BF_RECT);
    RECT inner = r;
    InflateRect(&inner, -2, -2);
    int buttonWidth = GetSystemMetrics(SM_CXVSCROLL);
    RECT button{std::max(inner.left, inner.right - buttonWidth), inner.top, inner.right,
                inner.bottom};
    FillRect(p.dc, &button, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(p.dc, &button, EDGE_RAISED, BF_RECT);
    // The arrow: a triangle of 7, 5, 3 and 1 pixels, point down.
    HBRUSH ink = GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    int cx = (button.left + button.right) / 2;
    int top = (button.top + button.bottom) / 2 - 2;
    for (int row = 0; row < 4; ++row) {
        RECT line{cx - 3 + row, top + row, cx + 4 - row, top + row + 1};
        FillRect(p.dc, &line, ink);
    }
    RECT field{inner.left, inner.top, button.left, inner.bottom};
    SetBkMode(p.dc, TRANSPARENT);
    if (focused && (w->style & 0x3) == CBS_DROPDOWNLIST) {
        RECT lit = field;
        InflateRect(&lit, -1, -1);
        FillRect(p.dc, &lit, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(p.dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawFocusRect(p.dc, &lit);
    } else {
        SetTextColor(p.dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    }
    RECT textRect{field.left + 2, field.top, field.right - 1, field.bottom};
    DrawTextA(p.dc, text.c_str(), -1, &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

void PaintButton(HWND hwnd, bool focused) {
    PaintScope p(hwnd);
    Window* w = Find(hwnd);
    if (!p.dc || !w) {
        return;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    DWORD type = w->style & BS_TYPEMASK;
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, GetSysColor((w->style & WS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        FillRect(p.dc, &r, ControlBrush(hwnd, p.dc, WM_CTLCOLORBTN, COLOR_3DFACE));
        RECT edge = r;
        if (type == BS_DEFPUSHBUTTON) {
            FrameRect(p.dc, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&edge, -1, -1);
        }
        DrawEdge(p.dc, &edge, w->pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        RECT text = r;
        if (w->pushed) {
            OffsetRect(&text, 1, 1);
        }
        DrawTextA(p.dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (focused) {
            RECT focus = r;
            InflateRect(&focus, -4, -4);
            DrawFocusRect(p.dc, &focus);
        }
        return;
    }
    FillRect(p.dc, &r, ControlBrush(hwnd, p.dc, WM_CTLCOLORSTATIC, COLOR_3DFACE));
    if (type == BS_GROUPBOX) {
        RECT frame{r.left, r.top + 6, r.right, r.bottom};
        DrawEdge(p.dc, &frame, EDGE_ETCHED, BF_RECT);
        RECT text{r.left + 8, r.top, r.right, r.top + 13};
        DrawTextA(p.dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_LEFT);
        return;
    }
    // Check boxes and radio buttons: a 13-pixel box left of the text.
    int top = (r.top + r.bottom) / 2 - 6;
    RECT box{r.left, top, r.left + 13, top + 13};
    FillRect(p.dc, &box, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(p.dc, &box, EDGE_SUNKEN, BF_RECT);
    if (w->checkState == BST_CHECKED) {
        RECT mark{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        FillRect(p.dc, &mark, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    RECT text{r.left + 17, r.top, r.right, r.bottom};
    DrawTextA(p.dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void PaintEditLike(HWND hwnd, const std::string& text) {
    PaintScope p(hwnd);
    Window* w = Find(hwnd);
    if (!p.dc || !w) {
        return;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(p.dc, &r, ControlBrush(hwnd, p.dc, WM_CTLCOLOREDIT, COLOR_WINDOW));
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, GetSysColor((w->style & WS_DISABLED) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    RECT inner{r.left + 2, r.top, r.right - 2, r.bottom};
    DrawTextA(p.dc, text.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

} // namespace winsim::user
