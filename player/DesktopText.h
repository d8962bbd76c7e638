// Texts between the scenario file (UTF-8) and the simulated desktop, whose 8-bit texts are in
// its ANSI code page: what the person types as "é" reaches Windows as the code page's "é", and
// what Windows shows is read back as UTF-8 for the transcript and the error messages.
#pragma once

#include <cstddef>
#include <string>

namespace player {

// Throws StepFailure when the text has a character that the code page cannot write.
std::string ToAnsi(const std::string& utf8);

// The UTF-8 text in the given code page (whichever the desktop has now); `lost` tells whether a
// character could not be written in it.
std::string ToCodePage(const std::string& utf8, unsigned codePage, bool& lost);

// The position of the last of these characters in an 8-bit text of the desktop's code page,
// passing over the trail bytes of double-byte characters (0x5C, the backslash, is one of them
// in code page 932); npos when there is none.
size_t FindLastOfAnsi(const std::string& ansi, const char* chars);

// Bytes the code page does not define become U+FFFD.
std::string FromAnsi(const std::string& ansi);

} // namespace player
