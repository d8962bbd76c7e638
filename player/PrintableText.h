// Texts from a scenario file or from the desktop go to the terminal and the transcript: control
// characters in them (escape sequences, carriage returns, bells) are written as visible escapes
// so that they cannot move the cursor, clear the screen or hide what the line says.
#pragma once

#include <string>
#include <string_view>

namespace player {

// Control bytes as \r, \n, \t or \xNN; the C1 controls of UTF-8 (U+0080 to U+009F) as \uNNNN.
// Everything else, UTF-8 included, stays as it is.
std::string PrintableText(std::string_view text);

} // namespace player
