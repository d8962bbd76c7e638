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

// An element of the layout whose background colour can change without a new layout.
class Recolourable {
public:
    virtual void SetBackgroundColour(const litehtml::web_color& colour) = 0;

protected:
    ~Recolourable() = default;
};

// The part of the page where a point can find an element of a subtree, kept after each layout.
// The layout engine's hit test visits every element of the page in each of its passes (a
// pointer move over a list of thousands of rows visited hundreds of thousands of elements); a
// subtree whose region the point is not in is passed over, which finds the same element.
class HitBounded {
public:
    // region: relative to the element's content origin (its position), so that it holds while
    // a scrolling ancestor moves the element.
    void SetHitRegion(const litehtml::position& region) {
        region_ = region;
        known_ = true;
    }
    void ForgetHitRegion() { known_ = false; }

protected:
    ~HitBounded() = default;
    // (x, y) in the coordinates of the element's parent, as the hit test passes them.
    bool OutsideHitRegion(const litehtml::position& self, int x, int y) const {
        return known_ && !region_.is_point_inside(x - self.x, y - self.y);
    }

private:
    litehtml::position region_;
    bool known_ = false;
};

// Sets the hit regions of the elements of a laid-out tree. A subtree with an element fixed to
// the view or an element that scrolls its content has no region (its parts move on their own).
void BoundHitRegions(litehtml::element& root);
// Forgets them all: the hit test visits every element again.
void ForgetHitRegions(litehtml::element& root);

// An element whose background and borders are painted at the opacity its style asks for,
// mixed with what lies below (the layout engine itself paints everything opaque).
template <class Base> class Translucent : public Base, public Recolourable, public HitBounded {
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

    void SetBackgroundColour(const litehtml::web_color& colour) override {
        this->m_bg.m_color = colour;
    }

    litehtml::element::ptr get_child_by_point(int x, int y, int client_x, int client_y,
                                              litehtml::draw_flag flag, int zindex) override {
        if (OutsideHitRegion(this->get_position(), x, y)) {
            return nullptr;
        }
        return Base::get_child_by_point(x, y, client_x, client_y, flag, zindex);
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
class PictureElement final : public litehtml::el_image, public Recolourable {
public:
    PictureElement(const std::shared_ptr<litehtml::document>& doc, GdiContainer& container);
    void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
    // The background a picture shows where it is transparent or missing, as a row's highlight
    // colours it.
    void SetBackgroundColour(const litehtml::web_color& colour) override { m_bg.m_color = colour; }

private:
    GdiContainer& container_;
};

} // namespace htmlview::internal
