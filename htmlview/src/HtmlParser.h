// HTML parsing into the control's document tree, with the HTML5 parsing rules (gumbo).
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace htmlview::internal {

// A whole document: the <html> element, always with a head and a body (as a browser builds them
// for any input, even an empty one). quirks (optional) tells whether the document asks for the
// classic browsers' layout (no or an old document type).
DomNodePtr ParseDocument(std::string_view utf8, bool* quirks = nullptr);

// A fragment parsed as the content of an element with the tag contextTag (a browser's innerHTML):
// the resulting top-level nodes.
// rowEnds (optional) receives every table row of a table body that its own end tag closed, with
// the byte offset just past that end tag: the places where more rows may go in unchanged.
struct RowEnd {
    size_t offset = 0;
    DomNodePtr row;
};
std::vector<DomNodePtr> ParseFragment(std::string_view utf8, std::string_view contextTag,
                                      std::vector<RowEnd>* rowEnds = nullptr);

// Text that is nothing but complete table rows, parsed as it would be right after a row closed
// by its end tag in a table body: true only when the rows come out, without a parse error, as
// exactly what they would be there (each row opened and closed by its own tags, back to back,
// nothing that depends on the markup around them). depth is how deep below the element whose
// content is parsed the rows sit; rowEnds as for ParseFragment, relative to utf8.
bool ParseTableRows(std::string_view utf8, int depth, std::vector<DomNodePtr>& rows,
                    std::vector<RowEnd>& rowEnds);

} // namespace htmlview::internal
