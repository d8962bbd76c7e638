// Reading and changing one property of an element's inline style (its style attribute).
#pragma once

#include "htmlview/src/Internal.h"

#include <string>
#include <string_view>

namespace htmlview::internal {

// The value of property in the declarations of style ("" when absent). Property names compare
// without regard to case; the last declaration wins, as in CSS.
std::string GetStyleProperty(std::string_view style, std::string_view property);

// style with property set to value (appended, or replacing every earlier declaration of it);
// an empty value removes the property.
std::string SetStyleProperty(std::string_view style, std::string_view property,
                             std::string_view value);

} // namespace htmlview::internal
