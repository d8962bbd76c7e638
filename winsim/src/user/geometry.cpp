#include "user/geometry.h"

#include <winsim/sim.h>

namespace winsim::user {
namespace {

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

} // namespace

int CaptionHeight() {
    return GetSystemMetrics(SM_CYCAPTION);
}
int SmallCaptionHeight() {
    return GetSystemMetrics(SM_CYSMCAPTION);
}
int FixedFrame() {
    return GetSystemMetrics(SM_CXDLGFRAME);
}
int SizeFrame() {
    return GetSystemMetrics(SM_CXFRAME);
}
int BorderWidth() {
    return GetSystemMetrics(SM_CXBORDER);
}
int EdgeWidth() {
    return GetSystemMetrics(SM_CXEDGE);
}
int MenuBarHeight() {
    return GetSystemMetrics(SM_CYMENU);
}

Insets NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu) {
    int frame = 0;
    if (style & WS_THICKFRAME) {
        frame = SizeFrame();
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        frame = FixedFrame();
    } else if (style & WS_BORDER) {
        frame = BorderWidth();
    }
    Insets in{frame, frame, frame, frame};
    if (exStyle & WS_EX_CLIENTEDGE) {
        in.left += EdgeWidth();
        in.top += EdgeWidth();
        in.right += EdgeWidth();
        in.bottom += EdgeWidth();
    }
    if (exStyle & WS_EX_STATICEDGE) {
        in.left += BorderWidth();
        in.top += BorderWidth();
        in.right += BorderWidth();
        in.bottom += BorderWidth();
    }
    if (HasCaption(style)) {
        in.top += (exStyle & WS_EX_TOOLWINDOW) ? SmallCaptionHeight() : CaptionHeight();
    }
    if (hasMenu && !(style & WS_CHILD)) {
        in.top += MenuBarHeight();
    }
    return in;
}

Insets NonClientInsets(const Window& w) {
    if (w.style & WS_MINIMIZE) {
        // A minimised window is all frame: its client area is empty.
        int width = w.rect.right - w.rect.left;
        int height = w.rect.bottom - w.rect.top;
        return Insets{width / 2, height / 2, width - width / 2, height - height / 2};
    }
    if (w.ownFrame) {
        return w.ownFrameInsets;
    }
    return NonClientInsets(w.style, w.exStyle, w.menu != nullptr);
}

MINMAXINFO DefaultMinMaxInfo(const Window& w) {
    MINMAXINFO info{};
    // Maximised, the frame lies just outside the work area (or the parent's client area).
    RECT area = IsTopLevel(w) ? WorkArea() : ClientRectOnScreen(*Find(w.parent));
    Insets frame = NonClientInsets(w.style & ~WS_CAPTION, w.exStyle, false);
    info.ptMaxSize = POINT{area.right - area.left + frame.left + frame.right,
                           area.bottom - area.top + frame.top + frame.bottom};
    info.ptMaxPosition = POINT{-frame.left, -frame.top};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    return info;
}

RECT ClientRectOnScreen(const Window& w) {
    Insets in = NonClientInsets(w);
    RECT r{w.rect.left + in.left, w.rect.top + in.top, w.rect.right - in.right,
           w.rect.bottom - in.bottom};
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

POINT ClientOrigin(const Window& w) {
    RECT r = ClientRectOnScreen(w);
    return POINT{r.left, r.top};
}

RECT CaptionRect(const Window& w) {
    if (!HasCaption(w.style) || (w.style & WS_MINIMIZE)) {
        return RECT{};
    }
    Insets frame = NonClientInsets(w.style & ~WS_CAPTION, w.exStyle & ~WS_EX_CLIENTEDGE, false);
    // The frame of a captioned window is at least the border that the caption style draws.
    if (frame.left == 0) {
        frame = Insets{BorderWidth(), BorderWidth(), BorderWidth(), BorderWidth()};
    }
    int height = (w.exStyle & WS_EX_TOOLWINDOW) ? SmallCaptionHeight() : CaptionHeight();
    return RECT{w.rect.left + frame.left, w.rect.top + frame.top, w.rect.right - frame.right,
                w.rect.top + frame.top + height - 1};
}

RECT CaptionButtonRect(const Window& w, int hit) {
    RECT caption = CaptionRect(w);
    if (caption.right <= caption.left || !(w.style & WS_SYSMENU)) {
        return RECT{};
    }
    // Buttons are 16 x 14 in a caption of 18, 2 pixels from the right end; the maximise
    // button sits 2 pixels left of the close button and the minimise button touches it.
    const int buttonWidth = GetSystemMetrics(SM_CXSIZE) - 2;
    const int buttonHeight = GetSystemMetrics(SM_CYSIZE) - 4;
    const int top = caption.top + 2;
    RECT close{caption.right - 2 - buttonWidth, top, caption.right - 2, top + buttonHeight};
    if (hit == HTCLOSE) {
        return close;
    }
    bool boxes = (w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && !(w.exStyle & WS_EX_TOOLWINDOW);
    if (!boxes) {
        return RECT{};
    }
    RECT max{close.left - 2 - buttonWidth, top, close.left - 2, top + buttonHeight};
    if (hit == HTMAXBUTTON) {
        return max;
    }
    if (hit == HTMINBUTTON) {
        return RECT{max.left - buttonWidth, top, max.left, top + buttonHeight};
    }
    return RECT{};
}

RECT WorkArea() {
    RECT work{0, 0, Config().screenWidth, Config().screenHeight};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

LRESULT HitTest(const Window& w, POINT p) {
    if (!Contains(w.rect, p)) {
        return HTNOWHERE;
    }
    if (w.style & WS_MINIMIZE) {
        return HTCAPTION;
    }
    if (Contains(ClientRectOnScreen(w), p)) {
        return HTCLIENT;
    }
    for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        if (Contains(CaptionButtonRect(w, hit), p)) {
            return hit;
        }
    }
    RECT caption = CaptionRect(w);
    if (Contains(caption, p)) {
        RECT icon{caption.left, caption.top, caption.left + CaptionHeight() - 1, caption.bottom};
        return (w.style & WS_SYSMENU) && Contains(icon, p) ? HTSYSMENU : HTCAPTION;
    }
    if (w.style & WS_THICKFRAME) {
        const int grip = SizeFrame();
        bool left = p.x < w.rect.left + grip;
        bool right = p.x >= w.rect.right - grip;
        bool top = p.y < w.rect.top + grip;
        bool bottom = p.y >= w.rect.bottom - grip;
        if (top && left) {
            return HTTOPLEFT;
        }
        if (top && right) {
            return HTTOPRIGHT;
        }
        if (bottom && left) {
            return HTBOTTOMLEFT;
        }
        if (bottom && right) {
            return HTBOTTOMRIGHT;
        }
        if (left) {
            return HTLEFT;
        }
        if (right) {
            return HTRIGHT;
        }
        if (top) {
            return HTTOP;
        }
        if (bottom) {
            return HTBOTTOM;
        }
    }
    if (w.menu && !(w.style & WS_CHILD)) {
        return HTMENU;
    }
    return HTBORDER;
}

} // namespace winsim::user
