// A table row's markup set again with only some attribute values changed (the capture list's
// rows after a deleted entry: ids renumbered, even and odd classes swapped): the row's nodes can
// take the new values instead of the markup being parsed again.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/HtmlView.h"

#include <string>
#include <string_view>
#include <vector>

namespace htmlview::internal {

using WideView = std::basic_string_view<WideString::value_type>;

struct AttributeChange {
    size_t element = 0; // the element's place among the row's start tags, the row's own first
    std::string name;   // lower case
    std::string value;  // UTF-8
};

struct RowMatch {
    size_t length = 0;             // of the row in the new markup
    std::vector<std::string> tags; // the row's start tags in order, lower case
    std::vector<AttributeChange> changes;
};

// Whether `fresh` starts with `old` (one whole row) but for the values of quoted attributes.
// False for anything the comparison cannot vouch for: character references in a changed
// value, comments, elements whose content is not markup.
bool MatchRowAttributes(WideView old, WideView fresh, RowMatch* match);

} // namespace htmlview::internal
