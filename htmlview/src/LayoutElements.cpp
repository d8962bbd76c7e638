#include "htmlview/src/LayoutElements.h"

#include "htmlview/src/GdiContainer.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace htmlview::internal {

namespace {

// Takes padding and border out of a given height, so that the border box has that height.
void FitBorderBoxHeight(const litehtml::element& element, litehtml::position& content) {
    if (element.get_css_height().is_predefined()) {
        return;
    }
    const int chrome = element.padding_top() + element.padding_bottom() + element.border_top() +
                       element.border_bottom();
    content.height = std::max(0, content.height - chrome);
}

// The number that starts text (after blanks), or false.
bool LeadingNumber(const std::string& text, double* value) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') {
        ++begin;
    }
    char* end = nullptr;
    *value = std::strtod(begin, &end);
    return end != begin && std::isfinite(*value);
}

} // namespace

double OpacityFromStyle(const char* filter, const char* opacity) {
    if (filter) {
        const std::string text = AsciiLower(filter);
        const size_t alpha = text.find("alpha");
        const size_t key = alpha == std::string::npos ? alpha : text.find("opacity", alpha);
        const size_t equals = key == std::string::npos ? key : text.find('=', key);
        double percent = 0;
        if (equals != std::string::npos && LeadingNumber(text.substr(equals + 1), &percent)) {
            return std::clamp(percent / 100.0, 0.0, 1.0);
        }
    }
    double value = 0;
    if (opacity && LeadingNumber(opacity, &value)) {
        return std::clamp(value, 0.0, 1.0);
    }
    return 1.0;
}

FormFieldElement::FormFieldElement(const std::shared_ptr<litehtml::document>& doc,
                                   GdiContainer& container, const DomNode* node, bool quirks)
    : litehtml::html_tag(doc), container_(container), node_(node), quirks_(quirks) {}

namespace {

void Unite(litehtml::position& region, bool& empty, const litehtml::position& box) {
    if (empty) {
        region = box;
        empty = false;
        return;
    }
    const int left = std::min(region.left(), box.left());
    const int top = std::min(region.top(), box.top());
    const int right = std::max(region.right(), box.right());
    const int bottom = std::max(region.bottom(), box.bottom());
    region = litehtml::position(left, top, right - left, bottom - top);
}

// The region of the element's subtree, in the coordinates of the element's parent; false when
// it cannot be bounded. Sets the regions of the bounded elements on the way.
bool BoundSubtree(litehtml::element& element, litehtml::position& region) {
    bool bounded = element.get_element_position() != litehtml::element_position_fixed;
    const bool scrolls = element.get_overflow() != litehtml::overflow_visible;
    const litehtml::position& self = element.get_position();
    bool empty = true;
    // Every box the element itself answers to: margin box, border box, inline boxes.
    Unite(region, empty,
          litehtml::position(element.left(), element.top(), element.width(), element.height()));
    Unite(region, empty,
          litehtml::position(self.x - element.padding_left() - element.border_left(),
                             self.y - element.padding_top() - element.border_top(),
                             self.width + element.padding_left() + element.padding_right() +
                                 element.border_left() + element.border_right(),
                             self.height + element.padding_top() + element.padding_bottom() +
                                 element.border_top() + element.border_bottom()));
    const litehtml::style_display display = element.get_display();
    if (display == litehtml::display_inline || display == litehtml::display_table_row) {
        litehtml::position::vector boxes;
        element.get_inline_boxes(boxes);
        for (const litehtml::position& box : boxes) {
            Unite(region, empty, box);
        }
    }
    for (size_t i = 0; i < element.get_children_count(); ++i) {
        litehtml::position child;
        if (!BoundSubtree(*element.get_child(static_cast<int>(i)), child)) {
            bounded = false;
            continue;
        }
        child.x += self.x;
        child.y += self.y;
        Unite(region, empty, child);
    }
    bounded = bounded && !scrolls;
    if (auto* holder = dynamic_cast<HitBounded*>(&element)) {
        if (bounded) {
            holder->SetHitRegion(litehtml::position(region.x - self.x, region.y - self.y,
                                                    region.width, region.height));
        } else {
            holder->ForgetHitRegion();
        }
    }
    return bounded;
}

} // namespace

void BoundHitRegions(litehtml::element& root) {
    litehtml::position region;
    BoundSubtree(root, region);
}

void ForgetHitRegions(litehtml::element& root) {
    if (auto* holder = dynamic_cast<HitBounded*>(&root)) {
        holder->ForgetHitRegion();
    }
    for (size_t i = 0; i < root.get_children_count(); ++i) {
        ForgetHitRegions(*root.get_child(static_cast<int>(i)));
    }
}

bool BorderBoxMeets(litehtml::element& element, int x, int y, const litehtml::position* clip) {
    if (!clip) {
        return true;
    }
    litehtml::position box = element.get_position();
    box.x += x - element.padding_left() - element.border_left();
    box.y += y - element.padding_top() - element.border_top();
    box.width += element.padding_left() + element.padding_right() + element.border_left() +
                 element.border_right();
    box.height += element.padding_top() + element.padding_bottom() + element.border_top() +
                  element.border_bottom();
    if (box.width <= 0 || box.height <= 0) {
        return true; // rows and groups have no box of their own: their cells decide
    }
    return box.does_intersect(clip);
}

void DivElement::draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                               litehtml::draw_flag flag, int zindex) {
    if (!clip || get_overflow() == litehtml::overflow_visible) {
        litehtml::el_div::draw_children(hdc, x, y, clip, flag, zindex);
        return;
    }
    // The padding box, inside which the content shows (its painting is also clipped there).
    litehtml::position box = m_pos;
    box.x += x - padding_left();
    box.y += y - padding_top();
    box.width += padding_left() + padding_right();
    box.height += padding_top() + padding_bottom();
    const int left = std::max(box.left(), clip->left());
    const int top = std::max(box.top(), clip->top());
    const int right = std::min(box.right(), clip->right());
    const int bottom = std::min(box.bottom(), clip->bottom());
    if (right <= left || bottom <= top) {
        return;
    }
    const litehtml::position inside(left, top, right - left, bottom - top);
    litehtml::el_div::draw_children(hdc, x, y, &inside, flag, zindex);
}

DivElement::DivElement(const std::shared_ptr<litehtml::document>& doc, bool quirks)
    : litehtml::el_div(doc), quirks_(quirks) {}

bool DivElement::get_predefined_height(int& p_height) const {
    if (!litehtml::el_div::get_predefined_height(p_height)) {
        return false;
    }
    if (quirks_) {
        const int chrome = padding_top() + padding_bottom() + border_top() + border_bottom();
        p_height = std::max(0, p_height - chrome);
    }
    return true;
}

int DivElement::render(int x, int y, int max_width, bool second_pass) {
    if (room_ <= 0) {
        return litehtml::el_div::render(x, y, max_width, second_pass);
    }
    // The room is laid out as more padding on the right; a width that excludes the padding is
    // made that much smaller, so that the division's own box keeps its width.
    const litehtml::css_length padding = m_css_padding.right;
    const litehtml::css_length width = m_css_width;
    m_css_padding.right.set_value(static_cast<float>(padding.calc_percent(max_width) + room_),
                                  litehtml::css_units_px);
    if (!width.is_predefined() && m_box_sizing == litehtml::box_sizing_content_box) {
        m_css_width.set_value(
            static_cast<float>(std::max(0, width.calc_percent(max_width) - room_)),
            litehtml::css_units_px);
    }
    const int result = litehtml::el_div::render(x, y, max_width, second_pass);
    m_css_padding.right = padding;
    m_css_width = width;
    return result;
}

bool FormFieldElement::IsButton() const {
    if (!node_) {
        return false;
    }
    const std::string* type = node_->FindAttribute("type");
    const std::string kind = type ? AsciiLower(*type) : std::string();
    return kind == "button" || kind == "submit" || kind == "reset";
}

int FormFieldElement::render(int x, int y, int max_width, bool second_pass) {
    const int result = litehtml::html_tag::render(x, y, max_width, second_pass);
    if (quirks_) {
        FitBorderBoxHeight(*this, m_pos);
    }
    // A button without a width of its own is as wide as its label.
    if (IsButton() && get_css_width().is_predefined()) {
        const std::string label = node_->CurrentValue();
        const int labelWidth = label.empty() ? 0 : container_.text_width(label.c_str(), get_font());
        const int grown = labelWidth - m_pos.width;
        if (grown > 0) {
            m_pos.width = labelWidth;
            return result + grown;
        }
    }
    return result;
}

void FormFieldElement::draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) {
    litehtml::html_tag::draw(hdc, x, y, clip);
    if (!node_) {
        return;
    }
    litehtml::position box = m_pos;
    box.x += x;
    box.y += y;
    container_.DrawFormField(hdc, *node_, box, get_font(), get_color(_t("color"), true));
}

PictureElement::PictureElement(const std::shared_ptr<litehtml::document>& doc,
                               GdiContainer& container)
    : litehtml::el_image(doc), container_(container) {}

void PictureElement::draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) {
    litehtml::el_image::draw(hdc, x, y, clip);
    if (!BorderBoxMeets(*this, x, y, clip)) {
        return;
    }
    const char* source = get_attr("src");
    if (source && *source && container_.images().Get(source)) {
        return;
    }
    litehtml::position box = m_pos;
    box.x += x;
    box.y += y;
    container_.DrawMissingPicture(hdc, box);
}

} // namespace htmlview::internal
