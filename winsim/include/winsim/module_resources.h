// The program module's compiled resources (the bytes of a .res file), registered by the
// executable when it starts; winsim's resource functions read them. Not part of the Win32 API.
#pragma once

#include "wintypes.h"

#include <cstddef>

namespace winsim {

// Parses a .res image and makes it the program module's resources, replacing any earlier
// registration. The bytes are copied. Returns false, keeping the earlier registration, when the
// image is malformed (a record running past the end, a header too short, an unterminated name).
bool RegisterModuleResources(const void* data, size_t size);

// The program module's handle: what GetModuleHandleA(NULL) returns and what FindResourceA
// accepts besides NULL.
HMODULE ProgramModule();

} // namespace winsim
