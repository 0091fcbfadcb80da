#include "platform/win/GlobalMemory.h"

#include "platform/gdi/detail/Handles.h"
#include "platform/win/detail/GlobalMemory.h"

#include <memory>
#include <mutex>
#include <new>

namespace win {

using namespace detail;

namespace {

struct Block : HandleObject {
    std::unique_ptr<BYTE[]> data;
    std::size_t size = 0;
    int locks = 0;
};

// The blocks live in the handle table; this lock guards their contents.
struct Blocks {
    std::mutex mutex;
};

Blocks& TheBlocks()
{
    static Blocks blocks;
    return blocks;
}

Block* FindBlock(Blocks&, HGLOBAL memory)
{
    return FindHandleOf<Block>(memory, HandleKind::GlobalMemory);
}

}  // namespace

void detail::ResetGlobalMemory()
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    RemoveHandles(HandleKind::GlobalMemory);
}

HGLOBAL GlobalAlloc(UINT, std::size_t bytes)
{
    auto block = std::make_unique<Block>();
    block->data.reset(new (std::nothrow) BYTE[bytes == 0 ? 1 : bytes]());
    if (!block->data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block->size = bytes;
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    return HandleFromValue<HGLOBAL>(AddHandle(HandleKind::GlobalMemory, std::move(block)));
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    Blocks& state = TheBlocks();
    std::lock_guard lock(state.mutex);
    if (!RemoveHandle(HandleValue(memory), HandleKind::GlobalMemory)) {
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
