// Painting the laid-out page: the whole of it, or only what changed since the last paint into
// a kept canvas, and the scroll bars of the page and its scrolling elements.
#include "htmlview/src/PageLayout.h"

#include "htmlview/src/PaintRecord.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
#include <memory>
#include <string>

namespace htmlview::internal {

namespace {

// A CSS colour ("#c6dcf0", "#fff", "rgb(1, 2, 3)", "navy"); false for anything else.
bool ParseCssColour(const std::string& text, GdiContainer& container, COLORREF* colour) {
    const std::string value = AsciiLower(text);
    const bool hex = value.size() > 1 && value[0] == '#' &&
                     value.find_first_not_of("0123456789abcdef", 1) == std::string::npos &&
                     (value.size() == 4 || value.size() == 7);
    const bool named = !value.empty() &&
                       value.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
    if (!hex && !named && value.compare(0, 4, "rgb(") != 0) {
        return false;
    }
    const litehtml::web_color parsed = litehtml::web_color::from_string(value.c_str(), &container);
    // Names the layout engine does not know come back black.
    if (named && value != "black" && parsed.red == 0 && parsed.green == 0 && parsed.blue == 0) {
        return false;
    }
    *colour = RGB(parsed.red, parsed.green, parsed.blue);
    return true;
}

// The scroll bar colours a page gives an element (inherited, as the classic browsers have them),
// over the system's.
ScrollBarColours ColoursOf(const litehtml::element::ptr& element, GdiContainer& container) {
    ScrollBarColours colours = DefaultScrollBarColours();
    if (!element) {
        return colours;
    }
    const struct {
        const char* property;
        COLORREF* colour;
    } kProperties[] = {{"scrollbar-face-color", &colours.face},
                       {"scrollbar-track-color", &colours.track},
                       {"scrollbar-arrow-color", &colours.arrow},
                       {"scrollbar-3dlight-color", &colours.light},
                       {"scrollbar-highlight-color", &colours.highlight},
                       {"scrollbar-shadow-color", &colours.shadow},
                       {"scrollbar-darkshadow-color", &colours.darkShadow}};
    for (const auto& entry : kProperties) {
        const char* value = element->get_style_property(entry.property, true);
        COLORREF parsed = 0;
        if (value && ParseCssColour(value, container, &parsed)) {
            *entry.colour = parsed;
        }
    }
    return colours;
}

bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// How far outside the part being painted the layout engine is asked to draw: it leaves out
// boxes that miss its clip, and text may reach a little out of its box.
constexpr int kDrawMargin = 64;

// Sets a record into the container for the lifetime of the object.
class Recording {
public:
    Recording(GdiContainer& container, PaintRecord& record) : container_(container) {
        container_.SetRecord(&record);
    }
    ~Recording() { container_.SetRecord(nullptr); }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

private:
    GdiContainer& container_;
};

} // namespace

void PageLayout::Paint(HDC dc, const RECT& rect) {
    EnsureLayout();
    if (!document_) {
        return;
    }
    container_.SetClientSize(viewport_);
    container_.images().BeginPaint();
    DrawPage(dc, rect);
    AfterPaint();
}

RECT PageLayout::PaintChanges(HDC canvas, bool canvasKept) {
    EnsureLayout();
    const RECT view = {0, 0, viewport_.cx, viewport_.cy};
    container_.SetClientSize(viewport_);
    container_.images().BeginPaint();
    auto record = std::make_unique<PaintRecord>(view);
    if (document_) {
        const Recording recording(container_, *record);
        const litehtml::position clip(0, 0, viewport_.cx, viewport_.cy);
        document_->draw(0, -pageScroll_.x, -pageScroll_.y, &clip);
    }
    for (const ShownScrollBar& shown : ShownScrollBars()) {
        record->Add(shown.shown, PaintKey('s')
                                     .Add(shown.bar)
                                     .Add(shown.shown)
                                     .Add(shown.offset)
                                     .Add(shown.maxOffset)
                                     .Add(shown.colours)
                                     .Take());
    }
    const RECT changed =
        canvasKept && lastRecord_ ? PaintRecord::ChangedArea(*lastRecord_, *record) : view;
    lastRecord_ = std::move(record);
    if (IsEmptyRect(changed)) {
        AfterPaint();
        return changed;
    }
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const bool whole = changed.left <= 0 && changed.top <= 0 && changed.right >= view.right &&
                       changed.bottom >= view.bottom;
    if (whole) {
        FillRect(canvas, &view, white);
        DrawPage(canvas, view);
    } else {
        // Drawn into a layer first, since drawing spills out of the part asked for (a box is
        // drawn whole when it meets the part): only the part is copied onto the canvas.
        HDC layer = CreateCompatibleDC(canvas);
        HBITMAP bitmap =
            layer ? CreateCompatibleBitmap(canvas, viewport_.cx, viewport_.cy) : nullptr;
        if (bitmap) {
            HGDIOBJ old = SelectObject(layer, bitmap);
            FillRect(layer, &changed, white);
            container_.SetPaintArea(changed);
            DrawPage(layer, changed);
            container_.ClearPaintArea();
            BitBlt(canvas, changed.left, changed.top, changed.right - changed.left,
                   changed.bottom - changed.top, layer, changed.left, changed.top, SRCCOPY);
            SelectObject(layer, old);
            DeleteObject(bitmap);
        } else {
            lastRecord_.reset(); // nothing drawn: the next paint draws everything
        }
        if (layer) {
            DeleteDC(layer);
        }
    }
    DeleteObject(white);
    AfterPaint();
    return changed;
}

void PageLayout::DrawPage(HDC dc, const RECT& rect) {
    if (document_) {
        // The part to paint, in the same (client) coordinates as the boxes being drawn.
        const litehtml::position clip(rect.left - kDrawMargin, rect.top - kDrawMargin,
                                      rect.right - rect.left + 2 * kDrawMargin,
                                      rect.bottom - rect.top + 2 * kDrawMargin);
        document_->draw(reinterpret_cast<litehtml::uint_ptr>(dc), -pageScroll_.x, -pageScroll_.y,
                        &clip);
    }
    for (const ShownScrollBar& shown : ShownScrollBars()) {
        HRGN region =
            CreateRectRgn(shown.shown.left, shown.shown.top, shown.shown.right, shown.shown.bottom);
        SelectClipRgn(dc, region);
        DeleteObject(region);
        DrawScrollBar(dc, shown.bar, shown.offset, shown.maxOffset, shown.colours);
        SelectClipRgn(dc, nullptr);
    }
}

void PageLayout::AfterPaint() {
    if (container_.images().TakeSizeChanged()) {
        // A picture file changed its size on disk: the page is laid out and painted again.
        DropLayout();
        invalidate_();
    }
}

std::vector<PageLayout::ShownScrollBar> PageLayout::ShownScrollBars() {
    std::vector<ShownScrollBar> bars;
    if (!document_) {
        return bars;
    }
    for (const Scroller& scroller : scrollers_) {
        RECT bar;
        if (!ScrollBarRect(*scroller.node, &bar)) {
            continue;
        }
        // Clip to what the scroller's own scrolling ancestors leave visible.
        RECT visible;
        if (!VisibleClientRect(*scroller.node, &visible)) {
            continue;
        }
        const RECT shown = Intersection(bar, visible);
        if (IsEmptyRect(shown)) {
            continue;
        }
        bars.push_back(ShownScrollBar{bar, shown, scroller.node->scrollOffset().y,
                                      scroller.maxScroll.y,
                                      ColoursOf(scroller.element, container_)});
    }
    if (pageScrollBar_) {
        const RECT bar = {viewport_.cx - kScrollBarWidth, 0, viewport_.cx, viewport_.cy};
        const DomNodePtr page = body();
        bars.push_back(ShownScrollBar{bar, bar, pageScroll_.y,
                                      std::max<LONG>(0, documentSize_.cy - viewport_.cy),
                                      ColoursOf(page ? ElementOf(*page) : nullptr, container_)});
    }
    return bars;
}

} // namespace htmlview::internal
