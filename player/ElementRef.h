// A page element as scenarios name it: `ID`, or `ID/TAG` for the first descendant of the
// element ID with that tag name (`txt0/u`: the underlined title inside a text cell).
#pragma once

#include <string>
#include <string_view>

namespace player {

struct ElementRef {
    std::string id;
    // Empty: the element itself.
    std::string tag;
};

// Ids are letters, digits, '_' and '-'; tags letters and digits. False with `error` otherwise.
bool ParseElementRef(std::string_view text, ElementRef& element, std::string& error);

std::string FormatElementRef(const ElementRef& element);

} // namespace player
