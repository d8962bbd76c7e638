#include "player/ElementRef.h"

#include <cctype>

namespace player {
namespace {

bool AllOf(std::string_view text, bool allowPunctuation) {
    for (char c : text) {
        bool ok = std::isalnum(static_cast<unsigned char>(c)) ||
                  (allowPunctuation && (c == '_' || c == '-'));
        if (!ok) {
            return false;
        }
    }
    return !text.empty();
}

} // namespace

bool ParseElementRef(std::string_view text, ElementRef& element, std::string& error) {
    element = ElementRef();
    size_t slash = text.find('/');
    std::string_view id = text.substr(0, slash);
    if (!AllOf(id, true)) {
        error = "'" + std::string(text) + "' is not an element id (letters, digits, _ and -)";
        return false;
    }
    element.id = std::string(id);
    if (slash == std::string_view::npos) {
        return true;
    }
    std::string_view tag = text.substr(slash + 1);
    if (!AllOf(tag, false)) {
        error = "'" + std::string(text) + "': after the '/' comes a tag name (letters, digits)";
        return false;
    }
    for (char c : tag) {
        element.tag += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return true;
}

std::string FormatElementRef(const ElementRef& element) {
    return element.tag.empty() ? element.id : element.id + "/" + element.tag;
}

} // namespace player
