// HTML parsing into the control's document tree, with the HTML5 parsing rules (gumbo).
#pragma once

#include "htmlview/DomNode.h"

#include <string_view>
#include <vector>

namespace htmlview::internal {

// A whole document: the <html> element, always with a head and a body (as a browser builds them
// for any input, even an empty one). quirks (optional) tells whether the document asks for the
// classic browsers' layout (no or an old document type).
DomNodePtr ParseDocument(std::string_view utf8, bool* quirks = nullptr);

// A fragment parsed as the content of an element with the tag contextTag (a browser's innerHTML):
// the resulting top-level nodes.
std::vector<DomNodePtr> ParseFragment(std::string_view utf8, std::string_view contextTag);

} // namespace htmlview::internal
