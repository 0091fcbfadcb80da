#include "platform/win/GlobalMemory.h"

#include <map>
#include <memory>
#include <mutex>
#include <new>

namespace win {

namespace {

struct Block {
    std::unique_ptr<BYTE[]> data;
    std::size_t size = 0;
    int locks = 0;
};

// Handles are numbers of their own that are never given out twice, so a freed handle stays invalid.
struct Blocks {
    std::mutex mutex;
    std::map<std::intptr_t, Block> blocks;
    std::intptr_t next = 0x10000;
};

Blocks& TheBlocks()
{
    static Blocks blocks;
    return blocks;
}

Block* FindBlock(Blocks& state, HGLOBAL memory)
{
    auto it = state.blocks.find(HandleValue(memory));
    return it == state.blocks.end() ? nullptr : &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes)
{
    Block block;
    block.data.reset(new (std::nothrow) BYTE[bytes == 0 ? 1 : bytes]());
    if (!block.data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block.size = bytes;
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    const std::intptr_t handle = state.next;
    state.next += 4;
    state.blocks.emplace(handle, std::move(block));
    return HandleFromValue<HGLOBAL>(handle);
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    if (state.blocks.erase(HandleValue(memory)) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    return nullptr;
}

void* GlobalLock(HGLOBAL memory)
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    Block* block = FindBlock(state, memory);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++block->locks;
    return block->data.get();
}

BOOL GlobalUnlock(HGLOBAL memory)
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    Block* block = FindBlock(state, memory);
    if (!block || block->locks == 0) {
        SetLastError(block ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return --block->locks > 0;
}

std::size_t GlobalSize(HGLOBAL memory)
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    Block* block = FindBlock(state, memory);
    return block ? block->size : 0;
}

}  // namespace win
