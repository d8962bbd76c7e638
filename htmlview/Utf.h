// Conversions between the UTF-8 text the document keeps and the UTF-16 text of the interface.
#pragma once

#include "htmlview/HtmlView.h"

#include <string>
#include <string_view>

namespace htmlview::internal {

// Malformed input becomes U+FFFD; nothing is dropped silently and nothing is read beyond the end.
std::string ToUtf8(const WideString& text);
WideString FromUtf8(std::string_view text);

// ASCII-only case folding, as HTML tag and attribute names need.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

} // namespace htmlview::internal
