// Elements the control lays out and paints itself: form fields (their content painted from the
// document node), divisions in quirks mode, and pictures (a missing one drawn as such).
#pragma once

#include "htmlview/DomNode.h"

#include <litehtml.h>
#include <litehtml/el_div.h>
#include <litehtml/el_image.h>

namespace htmlview::internal {

class GdiContainer;

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

// A division of a page in quirks mode: a height it is given includes padding and border (the
// width is handled by box-sizing, which the layout engine applies to widths only).
class QuirksDivElement final : public litehtml::el_div {
public:
    explicit QuirksDivElement(const std::shared_ptr<litehtml::document>& doc);
    // The given height less padding and border: the content box that the division is laid out
    // with and that its children's percentage heights refer to (a table of height 100% fills
    // the division without overflowing it).
    bool get_predefined_height(int& p_height) const override;
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
