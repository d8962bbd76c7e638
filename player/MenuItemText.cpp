#include "player/MenuItemText.h"

#include <utility>

namespace player {
namespace {

MenuItemTextReader& Reader() {
    static MenuItemTextReader reader;
    return reader;
}

std::string WithoutMarkers(const std::string& text) {
    std::string plain;
    for (char ch : text) {
        if (ch != '&') {
            plain += ch;
        }
    }
    return plain;
}

std::string BeforeTab(const std::string& text) {
    std::string part = text.substr(0, text.find('\t'));
    while (!part.empty() && part.back() == ' ') {
        part.pop_back();
    }
    return part;
}

} // namespace

void SetMenuItemTextReader(MenuItemTextReader reader) {
    Reader() = std::move(reader);
}

std::optional<std::string> OwnerDrawnItemText(const winsim::MenuItemView& item) {
    if (!Reader()) {
        return std::nullopt;
    }
    return Reader()(item);
}

bool MenuTextMatches(const std::string& text, const std::string& wanted) {
    if (text.empty()) {
        return false;
    }
    // The blanks that pad the text column up to the accelerator column are not part of what
    // the person reads.
    const size_t tab = text.find('\t');
    const std::string unpadded =
        tab == std::string::npos ? text : BeforeTab(text) + text.substr(tab);
    for (const std::string& form : {text, unpadded, WithoutMarkers(unpadded), BeforeTab(text),
                                    WithoutMarkers(BeforeTab(text))}) {
        if (form == wanted) {
            return true;
        }
    }
    return false;
}

} // namespace player
