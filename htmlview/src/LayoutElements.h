// Elements the control lays out and paints itself: form fields (their content painted from the
// document node), divisions in quirks mode, and pictures (a missing one drawn as such).
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"
#include "htmlview/src/GdiContainer.h"

#include <litehtml.h>
#include <litehtml/el_div.h>
#include <litehtml/el_image.h>

#include <utility>

namespace htmlview::internal {

// How opaque an element is painted, from the values of its style's "filter" and "opacity"
// (either may be null): the classic browsers' filter "alpha(opacity=N)", N in percent, and
// without it the CSS opacity, 0 to 1. 1 when neither gives a value.
double OpacityFromStyle(const char* filter, const char* opacity);

// Whether the element's border box, drawn at offset (x, y), meets the part being painted.
bool BorderBoxMeets(litehtml::element& element, int x, int y, const litehtml::position* clip);

// An element whose background and borders are painted at the opacity its style asks for,
// mixed with what lies below (the layout engine itself paints everything opaque).
template <class Base> class Translucent : public Base {
public:
    template <class... Args>
    explicit Translucent(GdiContainer& container, Args&&... args)
        : Base(std::forward<Args>(args)...), container_(container) {}

    void draw_background(litehtml::uint_ptr hdc, int x, int y,
                         const litehtml::position* clip) override {
        if (!this->is_visible() || !BorderBoxMeets(*this, x, y, clip)) {
            return; // nothing of it shows (rows scrolled away): not even its style is looked at
        }
        const double opacity = OpacityFromStyle(this->get_style_property(_t("filter"), false),
                                                this->get_style_property(_t("opacity"), false));
        if (opacity >= 1.0) {
            Base::draw_background(hdc, x, y, clip);
            return;
        }
        const double outer = container_.opacity();
        container_.SetOpacity(outer * opacity);
        Base::draw_background(hdc, x, y, clip);
        container_.SetOpacity(outer);
    }

private:
    GdiContainer& container_;
};

// An input element: laid out as a box by the style sheet, its content (check mark, typed text,
// button label) painted from the document node's current state.
class FormFieldElement final : public litehtml::html_tag {
public:
    FormFieldElement(const std::shared_ptr<litehtml::document>& doc, GdiContainer& container,
                     const DomNode* node, bool quirks);

    void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
    int render(int x, int y, int max_width, bool second_pass = false) override;

private:
    bool IsButton() const;

    GdiContainer& container_;
    const DomNode* node_;
    bool quirks_;
};

// A division. In quirks mode a height it is given includes padding and border (the width is
// handled by box-sizing, which the layout engine applies to widths only). It can keep room at its
// right edge for a vertical scroll bar, as the classic browsers lay out a division that scrolls:
// its content is that much narrower, its own box as wide as before.
class DivElement : public litehtml::el_div {
public:
    DivElement(const std::shared_ptr<litehtml::document>& doc, bool quirks);
    // In quirks mode, the given height less padding and border: the content box that the
    // division is laid out with and that its children's percentage heights refer to (a table of
    // height 100% fills the division without overflowing it).
    bool get_predefined_height(int& p_height) const override;
    int render(int x, int y, int max_width, bool second_pass = false) override;
    // A division that cuts its content off paints only the content inside its box.
    void draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                       litehtml::draw_flag flag, int zindex) override;

    // Width kept free at the right edge from the next layout on (0: none).
    void SetScrollBarRoom(int width) { room_ = width; }
    int scrollBarRoom() const { return room_; }

private:
    bool quirks_;
    int room_ = 0;
};

// A picture of the page; one that cannot be had shows as a framed box with a red cross, so
// that a missing thumbnail is seen as missing.
class PictureElement final : public litehtml::el_image {
public:
    PictureElement(const std::shared_ptr<litehtml::document>& doc, GdiContainer& container);
    void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

private:
    GdiContainer& container_;
};

} // namespace htmlview::internal
