// A vertical scroll bar as the classic desktop draws it: an arrow button at each end, the track
// between them and a thumb whose size and place show the part of the content in view. Pages
// colour it with the classic browsers' scrollbar-*-color properties.
#pragma once

#include "htmlview/src/Internal.h"

#include "platform/win32.h"

namespace htmlview::internal {

// How wide a vertical scroll bar is, in pixels.
constexpr int kScrollBarWidth = 16;

struct ScrollBarColours {
    COLORREF face;
    COLORREF track;
    COLORREF arrow;
    COLORREF light;      // outer top and left edge of buttons and thumb
    COLORREF highlight;  // inner top and left edge
    COLORREF shadow;     // inner bottom and right edge
    COLORREF darkShadow; // outer bottom and right edge
};

// The system's colours, as a bar that the page does not colour shows them.
ScrollBarColours DefaultScrollBarColours();

// The parts of a bar for content scrolled by offset of at most maxOffset. A bar too short for
// both buttons shares its height between them and has no track; a track too short for a thumb
// has none.
struct ScrollBarParts {
    RECT up;
    RECT down;
    RECT track;
    RECT thumb; // empty when there is none
    bool hasThumb;
};
ScrollBarParts LayOutScrollBar(const RECT& bar, LONG offset, LONG maxOffset);

// The offset at which the thumb's top lies at thumbTop (the inverse of the thumb's placement).
LONG ScrollOffsetForThumb(const ScrollBarParts& parts, LONG thumbTop, LONG maxOffset);

void DrawScrollBar(HDC dc, const RECT& bar, LONG offset, LONG maxOffset,
                   const ScrollBarColours& colours);

} // namespace htmlview::internal
