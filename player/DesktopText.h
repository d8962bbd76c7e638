// Texts between the scenario file (UTF-8) and the simulated desktop, whose 8-bit texts are in
// its ANSI code page: what the person types as "é" reaches Windows as the code page's "é", and
// what Windows shows is read back as UTF-8 for the transcript and the error messages.
#pragma once

#include <string>

namespace player {

// Throws StepFailure when the text has a character that the code page cannot write.
std::string ToAnsi(const std::string& utf8);

// Bytes the code page does not define become U+FFFD.
std::string FromAnsi(const std::string& ansi);

} // namespace player
