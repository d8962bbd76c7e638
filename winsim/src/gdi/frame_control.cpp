// DrawFrameControl: caption buttons and check boxes, radio buttons and push buttons in the
// classic look, drawn with the system colours.
#include <winsim/wingdi.h>
#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

#include <algorithm>

namespace {

void Fill(HDC dc, const RECT& r, int sysColor) {
    FillRect(dc, &r, GetSysColorBrush(sysColor));
}

// A stroke of the glyph colour, the end point included, thickness pixels wide to the right.
void Stroke(HDC dc, int x0, int y0, int x1, int y1, int thickness, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    for (int t = 0; t < thickness; ++t) {
        MoveToEx(dc, x0 + t, y0, nullptr);
        LineTo(dc, x1 + t, y1);
        SetPixel(dc, x1 + t, y1, color);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void CaptionGlyph(HDC dc, const RECT& r, UINT state) {
    const COLORREF ink = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int s = std::max(3, std::min(w, h) / 2 - 1); // glyph size
    const int x = r.left + (w - s) / 2 - ((state & DFCS_PUSHED) ? 0 : 1);
    const int y = r.top + (h - s) / 2 - ((state & DFCS_PUSHED) ? 0 : 1);
    HBRUSH brush = CreateSolidBrush(ink);
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        Stroke(dc, x, y, x + s - 1, y + s - 1, 2, ink);
        Stroke(dc, x, y + s - 1, x + s - 1, y, 2, ink);
        break;
    case DFCS_CAPTIONMIN: {
        RECT bar{x, y + s - 2, x + s - 1, y + s};
        FillRect(dc, &bar, brush);
        break;
    }
    case DFCS_CAPTIONMAX: {
        RECT box{x, y, x + s + 1, y + s};
        FrameRect(dc, &box, brush);
        RECT top{x, y, x + s + 1, y + 2};
        FillRect(dc, &top, brush);
        break;
    }
    case DFCS_CAPTIONRESTORE: {
        const int b = s * 2 / 3 + 1;
        RECT back{x + s - b, y, x + s + 1, y + b};
        RECT front{x, y + s - b, x + b + 1, y + s};
        FrameRect(dc, &back, brush);
        RECT backTop{back.left, back.top, back.right, back.top + 2};
        FillRect(dc, &backTop, brush);
        Fill(dc, front, COLOR_BTNFACE);
        FrameRect(dc, &front, brush);
        RECT frontTop{front.left, front.top, front.right, front.top + 2};
        FillRect(dc, &frontTop, brush);
        break;
    }
    default: {
        RECT box = r;
        const int mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(dc, ink);
        DrawTextW(dc, u"?", 1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, mode);
        break;
    }
    }
    DeleteObject(brush);
}

void Tick(HDC dc, int x, int y, COLORREF ink) {
    // Seven columns, each three pixels tall, falling and then rising.
    static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        for (int j = 0; j < 3; ++j) {
            SetPixel(dc, x + i, y + kTop[i] + j, ink);
        }
    }
}

BOOL DrawButton(HDC dc, RECT r, UINT state) {
    const UINT kind = state & 0x1F;
    const bool pushed = (state & DFCS_PUSHED) != 0;
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    if (kind == DFCS_BUTTONPUSH) {
        DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE | ((state & DFCS_FLAT) ? BF_FLAT : 0));
        return TRUE;
    }
    // Check boxes and radio buttons are 13 pixels square at the left, centred vertically.
    const int size = std::min<LONG>(13, std::min(r.right - r.left, r.bottom - r.top));
    RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size, 0};
    box.bottom = box.top + size;
    const int face = (pushed || inactive) ? COLOR_BTNFACE : COLOR_WINDOW;
    const COLORREF ink = GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    if (kind == DFCS_BUTTONRADIO) {
        HBRUSH fill = GetSysColorBrush(face);
        HPEN edge = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ oldBrush = SelectObject(dc, fill);
        HGDIOBJ oldPen = SelectObject(dc, edge);
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (state & DFCS_CHECKED) {
            HBRUSH dot = CreateSolidBrush(ink);
            HPEN dotPen = CreatePen(PS_SOLID, 1, ink);
            SelectObject(dc, dot);
            SelectObject(dc, dotPen);
            const int c = size / 2;
            Ellipse(dc, box.left + c - 2, box.top + c - 2, box.left + c + 2, box.top + c + 2);
            SelectObject(dc, edge);
            DeleteObject(dot);
            DeleteObject(dotPen);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(edge);
        return TRUE;
    }
    if (kind != DFCS_BUTTONCHECK) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Fill(dc, box, face);
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | ((state & DFCS_FLAT) ? BF_MONO : 0));
    if (state & DFCS_CHECKED) {
        Tick(dc, box.left + 3, box.top + 3, ink);
    }
    return TRUE;
}

} // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
    if (!lprc || GetObjectType(hdc) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (uType) {
    case DFC_CAPTION: {
        RECT r = *lprc;
        DrawEdge(hdc, &r, (uState & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE | BF_ADJUST);
        CaptionGlyph(hdc, *lprc, uState);
        return TRUE;
    }
    case DFC_BUTTON:
        return DrawButton(hdc, *lprc, uState);
    default:
        // Menu glyphs and scroll-bar arrows are not offered.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}
