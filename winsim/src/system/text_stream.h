// Text-mode streams of the Windows C runtime: line feeds are written as carriage return and
// line feed, read back as line feeds, and Ctrl+Z ends what is read.
#pragma once

#include <cstdio>

namespace winsim::system {

// Wraps a stream opened in binary mode; the text stream owns it and closes it.
FILE* OpenTextStream(FILE* binary, const char* mode);

} // namespace winsim::system
