// Binary-mode streams of the simulated C runtime, buffered as generously as the Windows runtime
// buffers a large write: a JPEG encoder hands its output over in pieces of a few kilobytes,
// and a host stream would pass each piece to the kernel on its own.
#pragma once

#include <cstdio>

namespace winsim::system {

// Wraps a stream opened in binary mode; the new stream owns it, and its buffer, and closes
// both. Gives back nullptr (having closed `binary`) when no stream could be made.
FILE* OpenBinaryStream(FILE* binary, const char* mode);

} // namespace winsim::system
