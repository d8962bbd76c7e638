// Conversions between the UTF-8 text the document keeps and the UTF-16 text of the interface.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/HtmlView.h"

#include <string>
#include <string_view>

namespace htmlview::internal {

// Malformed input becomes U+FFFD; nothing is dropped silently and nothing is read beyond the end.
std::string ToUtf8(const WideString& text);
WideString FromUtf8(std::string_view text);

// The bytes of a page as UTF-8: a byte-order mark decides (UTF-8, UTF-16 little or big endian);
// without one, text that is valid UTF-8 is taken as such and anything else as Windows-1252, the
// code page pages of the desktop are written in.
std::string DecodePageBytes(const unsigned char* data, size_t size);

// ASCII-only case folding, as HTML tag and attribute names need.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

} // namespace htmlview::internal
