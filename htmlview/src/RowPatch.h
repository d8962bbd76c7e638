// A table row's markup set again with only some attribute values changed (the capture list's
// rows after a deleted entry: ids renumbered, even and odd classes swapped): the row's nodes can
// take the new values instead of the markup being parsed again. What the parser makes of a row
// is read once, when its markup is set: its shape. A later markup is then the same row when it
// has the same code units everywhere but inside the quoted attribute values of its start tags.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"

#include "htmlview/HtmlView.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace htmlview::internal {

struct RowShape {
    // A quoted attribute value of a start tag.
    struct Value {
        DomNode* element; // the element whose attribute it is, once the row's are known
        uint32_t literal; // code units from the end of the value before (or the row's start)
                          // up to this one's opening quote, the quote included
        uint16_t tag;     // the element's place among the row's start tags, the row's first
        uint8_t nameBack; // its attribute's name starts this many code units before the quote
        uint8_t nameLength;
    };
    std::vector<Value> values;
    uint32_t tail = 0;  // code units after the last value
    bool known = false; // whether the row can be taken again from another markup at all
};

struct AttributeChange {
    DomNode* element;  // of the row
    std::string name;  // lower case
    std::string value; // UTF-8
};

struct RowMatch {
    size_t length = 0; // of the row in the new markup
    std::vector<AttributeChange> changes;
};

// Reads the shape of one row's markup and the row's start tags (lower case). False for anything
// a row cannot be taken again from: comments, elements whose content is not markup, an
// attribute given twice in a tag, markup that does not start with the row's own tag.
bool ReadRowShape(WideView markup, RowShape* shape, std::vector<std::string>* tags);

// Whether `fresh` starts with the row whose markup is `old` and whose shape is `shape`, but for
// the values of quoted attributes of its start tags, and which of those changed. False too for
// a changed value with a character reference in it, which would have to be decoded as the
// parser does.
bool MatchRowShape(const RowShape& shape, WideView old, WideView fresh, RowMatch* match);

} // namespace htmlview::internal
