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
