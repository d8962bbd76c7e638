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

Insets NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu) {
    int frame = 0;
    if (style & WS_THICKFRAME) {
        frame = kSizeFrame;
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        frame = kFixedFrame;
    } else if (style & WS_BORDER) {
        frame = kBorder;
    }
    Insets in{frame, frame, frame, frame};
    if (exStyle & WS_EX_CLIENTEDGE) {
        in.left += kEdge;
        in.top += kEdge;
        in.right += kEdge;
        in.bottom += kEdge;
    }
    if (exStyle & WS_EX_STATICEDGE) {
        in.left += kBorder;
        in.top += kBorder;
        in.right += kBorder;
        in.bottom += kBorder;
    }
    if (HasCaption(style)) {
        in.top += (exStyle & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
    }
    if (hasMenu && !(style & WS_CHILD)) {
        in.top += kMenuBarHeight;
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
    return NonClientInsets(w.style, w.exStyle, w.menu != nullptr);
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
        frame = Insets{kBorder, kBorder, kBorder, kBorder};
    }
    int height = (w.exStyle & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
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
    const int buttonWidth = kCaptionHeight - 3;
    const int buttonHeight = kCaptionHeight - 5;
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
    return RECT{0, 0, Config().screenWidth, Config().screenHeight - kTaskbarHeight};
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
        RECT icon{caption.left, caption.top, caption.left + kCaptionHeight - 1, caption.bottom};
        return (w.style & WS_SYSMENU) && Contains(icon, p) ? HTSYSMENU : HTCAPTION;
    }
    if (w.style & WS_THICKFRAME) {
        const int grip = kSizeFrame;
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
