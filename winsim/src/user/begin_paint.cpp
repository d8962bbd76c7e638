// BeginPaint and EndPaint, and the default drawing of backgrounds and window frames.
#include "user/dialog_state.h"
#include "user/geometry.h"
#include "user/paint_internal.h"

using namespace winsim::user;

namespace winsim::user {
namespace {

HBRUSH ClassBrush(const Window& w) {
    if (w.dialog) {
        return GetSysColorBrush(COLOR_3DFACE);
    }
    HBRUSH brush = w.cls ? w.cls->background : nullptr;
    // A class brush may be a system colour index plus one.
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1) {
        return GetSysColorBrush(static_cast<int>(value - 1));
    }
    return brush;
}

void DrawCaptionButton(HDC dc, RECT r, int hit, bool pressed) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    switch (hit) {
    case HTCLOSE:
        for (int k = 0; k < 2; ++k) {
            MoveToEx(dc, cx - 4 + k, cy - 3, nullptr);
            LineTo(dc, cx + 3 + k, cy + 4);
            MoveToEx(dc, cx + 2 + k, cy - 3, nullptr);
            LineTo(dc, cx - 5 + k, cy + 4);
        }
        break;
    case HTMINBUTTON:
        MoveToEx(dc, cx - 4, cy + 3, nullptr);
        LineTo(dc, cx + 2, cy + 3);
        MoveToEx(dc, cx - 4, cy + 2, nullptr);
        LineTo(dc, cx + 2, cy + 2);
        break;
    case HTMAXBUTTON: {
        RECT box{cx - 5, cy - 4, cx + 4, cy + 4};
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNTEXT));
        MoveToEx(dc, box.left, box.top + 1, nullptr);
        LineTo(dc, box.right, box.top + 1);
        break;
    }
    default:
        break;
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawFrame(HWND hwnd, const Window& w) {
    HDC dc = GetWindowDC(hwnd);
    if (!dc) {
        return;
    }
    RECT r{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
    Insets in = NonClientInsets(w);
    if (in.left || in.top || in.right || in.bottom) {
        if (w.style & WS_MINIMIZE) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        } else if ((w.style & (WS_THICKFRAME | WS_DLGFRAME)) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
            RECT inner = r;
            DrawEdge(dc, &inner, EDGE_RAISED, BF_RECT | BF_ADJUST);
            FrameRect(dc, &inner, GetSysColorBrush(COLOR_3DFACE));
        } else if (w.style & WS_BORDER) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        }
        if (w.exStyle & WS_EX_CLIENTEDGE) {
            RECT client = ClientRectOnScreen(w);
            RECT edge{
                client.left - w.rect.left - EdgeWidth(), client.top - w.rect.top - EdgeWidth(),
                client.right - w.rect.left + EdgeWidth(), client.bottom - w.rect.top + EdgeWidth()};
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        }
    }
    RECT caption = CaptionRect(w);
    if (caption.right > caption.left) {
        bool active = ThreadOf(w.thread).active == hwnd;
        RECT local{caption.left - w.rect.left, caption.top - w.rect.top,
                   caption.right - w.rect.left, caption.bottom - w.rect.top};
        FillRect(dc, &local,
                 GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        // The last row of the caption height is the line between the caption and the client
        // area; left unpainted it would keep whatever the screen showed there before.
        RECT line{local.left, local.bottom, local.right, local.bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        HFONT font = nullptr;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            font = CreateFontIndirectA(&metrics.lfCaptionFont);
        }
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = local;
        text.left += 4;
        DrawTextA(dc, w.text.c_str(), -1, &text,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (font) {
            SelectObject(dc, oldFont);
            DeleteObject(font);
        }
        for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
            RECT b = CaptionButtonRect(w, hit);
            if (b.right > b.left) {
                OffsetRect(&b, -w.rect.left, -w.rect.top);
                DrawCaptionButton(dc, b, hit, w.pressedCaptionButton == hit);
            }
        }
    }
    ReleaseDC(hwnd, dc);
}

} // namespace

bool WindowPaintingAvailable() {
    // Painting needs display DCs of windows from the GDI side of the desktop.
    static bool available = false;
    if (!available) {
        DWORD error = GetLastError();
        HWND desktop = State().desktop;
        if (HDC dc = desktop ? GetDC(desktop) : nullptr) {
            ReleaseDC(desktop, dc);
            available = true;
        }
        SetLastError(error);
    }
    return available;
}

LRESULT DefaultPaintMessage(HWND hwnd, UINT msg, WPARAM wParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    if (msg == WM_NCPAINT) {
        w->needsFramePaint = false;
        if (WindowPaintingAvailable() && IsShownOnScreenForPaint(hwnd)) {
            DrawFrame(hwnd, *w);
        }
        return 0;
    }
    // WM_ERASEBKGND: the class brush over the client area.
    HBRUSH brush = ClassBrush(*w);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (!brush || !dc) {
        return 0;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    return 1;
}

} // namespace winsim::user

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpPaint) {
        return nullptr;
    }
    *lpPaint = PAINTSTRUCT{};
    RECT client;
    GetClientRect(hWnd, &client);
    lpPaint->rcPaint = w->needsPaint ? w->updateRect : client;
    bool erase = w->needsErase || !w->needsPaint;
    bool frame = w->needsFramePaint;
    w->needsPaint = false;
    w->needsErase = false;
    w->updateRect = RECT{};
    if (frame) {
        Send(hWnd, WM_NCPAINT, 1, 0);
    }
    w = Find(hWnd);
    HDC dc = w && WindowPaintingAvailable() ? GetDC(hWnd) : nullptr;
    if (!dc) {
        // Without a display DC the window is validated all the same, so WM_PAINT stops.
        SetLastError(ERROR_DC_NOT_FOUND);
        return nullptr;
    }
    IntersectClipRect(dc, lpPaint->rcPaint.left, lpPaint->rcPaint.top, lpPaint->rcPaint.right,
                      lpPaint->rcPaint.bottom);
    w->inPaint = true;
    lpPaint->hdc = dc;
    if (erase) {
        lpPaint->fErase = Send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    }
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    Window* w = FindOrFail(hWnd);
    if (w) {
        w->inPaint = false;
    }
    if (lpPaint && lpPaint->hdc) {
        ReleaseDC(hWnd, lpPaint->hdc);
    }
    return w ? TRUE : FALSE;
}
