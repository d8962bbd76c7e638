// The simulated process's heap. A Windows process heap keeps the pages it has committed and
// hands them out again; glibc by default gives every block of a few megabytes back to the
// kernel when it is freed, so a program that grabs the screen again and again (bitmaps, packed
// DIBs, JPEG sample rows of 8 MB each) would pay for fresh, zero-filled pages on every grab.
// Blocks up to the size of a large screen stay in the heap instead, and freed memory at its top
// is kept for the next request.
#include "core/process_heap.h"

#include <malloc.h>

namespace winsim::internal {

void KeepFreedMemoryInHeap() {
    // A 4096 x 4096 screen at 32 bits is 64 MB; larger blocks are rare enough to map.
    constexpr int kLargestHeapBlock = 64 << 20;
    constexpr int kKeptAtTop = 256 << 20;
    static const bool tuned = mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 1 &&
                              mallopt(M_TRIM_THRESHOLD, kKeptAtTop) == 1;
    (void)tuned;
}

} // namespace winsim::internal
