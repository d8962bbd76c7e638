// Global memory blocks, for the clipboard, which takes blocks over and frees them.
#pragma once

#include <winsim/wintypes.h>

#include <cstddef>

namespace winsim::system {

// Whether h is a live global memory handle.
bool IsGlobalHandle(HGLOBAL h);

// The bytes of a block without touching its lock count; nullptr for no block.
const unsigned char* GlobalBytes(HGLOBAL h, size_t& size);

} // namespace winsim::system
