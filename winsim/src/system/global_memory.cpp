// Global memory: fixed blocks (the handle is the address) and movable blocks (an opaque handle
// whose lock gives the address and counts the locks).
#include "system/global_memory.h"
#include "system/system_state.h"

#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace winsim::system {
namespace {

struct Block {
    bool moveable = false;
    unsigned lockCount = 0;
    size_t size = 0;
    unsigned char* data = nullptr;

    ~Block() { std::free(data); }
};

struct MemoryState {
    // Keyed by handle: the data address of a fixed block, the Block's own address otherwise.
    std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
    std::unordered_map<const void*, HGLOBAL> handleOfData;
};

MemoryState& State() {
    static MemoryState state;
    return state;
}

Block* Find(HGLOBAL h) {
    auto found = State().blocks.find(h);
    return found == State().blocks.end() ? nullptr : found->second.get();
}

} // namespace

bool IsGlobalHandle(HGLOBAL h) {
    return Find(h) != nullptr;
}

const unsigned char* GlobalBytes(HGLOBAL h, size_t& size) {
    Block* block = Find(h);
    if (!block) {
        size = 0;
        return nullptr;
    }
    size = block->size;
    return block->data;
}

void ResetGlobalMemory() {
    State().blocks.clear();
    State().handleOfData.clear();
}

} // namespace winsim::system

using winsim::system::Block;

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    if (uFlags & ~static_cast<UINT>(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_NOCOMPACT |
                                    GMEM_NODISCARD | GMEM_DISCARDABLE | GMEM_SHARE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto block = std::make_unique<Block>();
    block->moveable = (uFlags & GMEM_MOVEABLE) != 0;
    block->size = dwBytes;
    // At least one byte, so that every block has an address of its own.
    block->data = static_cast<unsigned char*>((uFlags & GMEM_ZEROINIT) ? std::calloc(dwBytes + 1, 1)
                                                                       : std::malloc(dwBytes + 1));
    if (!block->data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HGLOBAL handle =
        block->moveable ? static_cast<HGLOBAL>(block.get()) : static_cast<HGLOBAL>(block->data);
    auto& state = winsim::system::State();
    state.handleOfData[block->data] = handle;
    state.blocks[handle] = std::move(block);
    return handle;
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (uFlags & GMEM_MODIFY) {
        // Only the discardable attribute can change on a live block; fixed and movable stay.
        return hMem;
    }
    // A fixed block moves only when GMEM_MOVEABLE allows it; a movable block only while unlocked.
    bool mayMove = block->moveable ? block->lockCount == 0 : (uFlags & GMEM_MOVEABLE) != 0;
    if (dwBytes > block->size && !mayMove) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* data = static_cast<unsigned char*>(std::malloc(dwBytes + 1));
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memcpy(data, block->data, dwBytes < block->size ? dwBytes : block->size);
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > block->size) {
        std::memset(data + block->size, 0, dwBytes - block->size);
    }
    if (!mayMove) {
        // Shrinking in place: the address stays.
        std::memcpy(block->data, data, dwBytes);
        std::free(data);
        block->size = dwBytes;
        return hMem;
    }
    auto& state = winsim::system::State();
    state.handleOfData.erase(block->data);
    std::free(block->data);
    block->data = data;
    block->size = dwBytes;
    if (block->moveable) {
        state.handleOfData[data] = hMem;
        return hMem;
    }
    std::unique_ptr<Block> owned = std::move(state.blocks[hMem]);
    state.blocks.erase(hMem);
    state.handleOfData[data] = data;
    state.blocks[data] = std::move(owned);
    return data;
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->moveable && block->lockCount < GMEM_LOCKCOUNT) {
        ++block->lockCount;
    }
    return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block->moveable) {
        return TRUE; // fixed blocks are not locked: nothing to count
    }
    if (block->lockCount == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->lockCount;
    if (block->lockCount == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    auto& state = winsim::system::State();
    state.handleOfData.erase(block->data);
    state.blocks.erase(hMem);
    return nullptr;
}

UINT WINAPI GlobalFlags(HGLOBAL hMem) {
    Block* block = winsim::system::Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return GMEM_INVALID_HANDLE;
    }
    return block->lockCount & GMEM_LOCKCOUNT;
}

HGLOBAL WINAPI GlobalHandle(LPCVOID pMem) {
    auto& state = winsim::system::State();
    auto found = state.handleOfData.find(pMem);
    if (found == state.handleOfData.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found->second;
}
