#pragma once

namespace winsim::internal {

// Makes the C allocator keep freed memory for reuse, as the process heap of Windows does.
// Called once the desktop starts; later calls do nothing.
void KeepFreedMemoryInHeap();

} // namespace winsim::internal
