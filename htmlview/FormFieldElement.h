// Input elements in the layout: laid out as boxes by the style sheet, their content (check mark,
// typed text, button label) painted from the document node's current state.
#pragma once

#include "htmlview/DomNode.h"

#include <litehtml.h>
#include <litehtml/el_div.h>

namespace htmlview::internal {

class GdiContainer;

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
    int render(int x, int y, int max_width, bool second_pass = false) override;
};

} // namespace htmlview::internal
