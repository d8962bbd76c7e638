#include "htmlview/src/ScrollBar.h"

#include <algorithm>

namespace htmlview::internal {

namespace {

constexpr LONG kMinimumThumb = 8;

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    if (IsEmpty(rect)) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A raised box: face, two lit edges at the top and left, two shaded ones at the bottom and
// right.
void DrawRaised(HDC dc, const RECT& box, const ScrollBarColours& colours) {
    Fill(dc, box, colours.face);
    if (box.right - box.left < 4 || box.bottom - box.top < 4) {
        return;
    }
    Fill(dc, RECT{box.left, box.top, box.right - 1, box.top + 1}, colours.light);
    Fill(dc, RECT{box.left, box.top, box.left + 1, box.bottom - 1}, colours.light);
    Fill(dc, RECT{box.left + 1, box.top + 1, box.right - 2, box.top + 2}, colours.highlight);
    Fill(dc, RECT{box.left + 1, box.top + 1, box.left + 2, box.bottom - 2}, colours.highlight);
    Fill(dc, RECT{box.left + 1, box.bottom - 2, box.right - 1, box.bottom - 1}, colours.shadow);
    Fill(dc, RECT{box.right - 2, box.top + 1, box.right - 1, box.bottom - 1}, colours.shadow);
    Fill(dc, RECT{box.left, box.bottom - 1, box.right, box.bottom}, colours.darkShadow);
    Fill(dc, RECT{box.right - 1, box.top, box.right, box.bottom}, colours.darkShadow);
}

// A small triangle pointing up or down, centred in the button.
void DrawArrow(HDC dc, const RECT& button, bool up, COLORREF colour) {
    const LONG width = button.right - button.left;
    const LONG height = button.bottom - button.top;
    const LONG rows = std::min<LONG>(4, std::max<LONG>(1, std::min(width, height) / 4));
    const LONG centre = button.left + width / 2;
    const LONG top = button.top + (height - rows) / 2;
    for (LONG row = 0; row < rows; ++row) {
        const LONG half = up ? row : rows - 1 - row;
        Fill(dc, RECT{centre - half - 1, top + row, centre + half, top + row + 1}, colour);
    }
}

} // namespace

ScrollBarColours DefaultScrollBarColours() {
    return ScrollBarColours{GetSysColor(COLOR_3DFACE),      GetSysColor(COLOR_SCROLLBAR),
                            GetSysColor(COLOR_BTNTEXT),     GetSysColor(COLOR_3DLIGHT),
                            GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW),
                            GetSysColor(COLOR_3DDKSHADOW)};
}

ScrollBarParts LayOutScrollBar(const RECT& bar, LONG offset, LONG maxOffset) {
    ScrollBarParts parts = {};
    const LONG width = bar.right - bar.left;
    const LONG height = std::max<LONG>(0, bar.bottom - bar.top);
    const LONG button = std::max<LONG>(0, std::min(width, height / 2));
    parts.up = RECT{bar.left, bar.top, bar.right, bar.top + button};
    parts.down = RECT{bar.left, bar.bottom - button, bar.right, bar.bottom};
    parts.track = RECT{bar.left, parts.up.bottom, bar.right, parts.down.top};
    const LONG track = parts.track.bottom - parts.track.top;
    if (maxOffset <= 0 || track < kMinimumThumb) {
        return parts;
    }
    // The thumb is to the track what the view is to the whole content.
    const long long whole = static_cast<long long>(height) + maxOffset;
    const LONG thumb = std::clamp<LONG>(
        static_cast<LONG>(track * static_cast<long long>(height) / std::max<long long>(whole, 1)),
        kMinimumThumb, track);
    const LONG room = track - thumb;
    const LONG at = std::clamp<LONG>(offset, 0, maxOffset);
    const LONG top =
        parts.track.top + static_cast<LONG>(static_cast<long long>(room) * at / maxOffset);
    parts.thumb = RECT{bar.left, top, bar.right, top + thumb};
    parts.hasThumb = true;
    return parts;
}

LONG ScrollOffsetForThumb(const ScrollBarParts& parts, LONG thumbTop, LONG maxOffset) {
    if (!parts.hasThumb || maxOffset <= 0) {
        return 0;
    }
    const LONG room =
        (parts.track.bottom - parts.track.top) - (parts.thumb.bottom - parts.thumb.top);
    if (room <= 0) {
        return 0;
    }
    const LONG moved = std::clamp<LONG>(thumbTop - parts.track.top, 0, room);
    return static_cast<LONG>((static_cast<long long>(moved) * maxOffset + room / 2) / room);
}

void DrawScrollBar(HDC dc, const RECT& bar, LONG offset, LONG maxOffset,
                   const ScrollBarColours& colours) {
    if (IsEmpty(bar)) {
        return;
    }
    const ScrollBarParts parts = LayOutScrollBar(bar, offset, maxOffset);
    Fill(dc, parts.track, colours.track);
    // With nothing to scroll the arrows are greyed, as on a disabled bar.
    const COLORREF arrow = maxOffset > 0 ? colours.arrow : colours.shadow;
    for (const RECT* button : {&parts.up, &parts.down}) {
        if (!IsEmpty(*button)) {
            DrawRaised(dc, *button, colours);
            DrawArrow(dc, *button, button == &parts.up, arrow);
        }
    }
    if (parts.hasThumb) {
        DrawRaised(dc, parts.thumb, colours);
    }
}

} // namespace htmlview::internal
