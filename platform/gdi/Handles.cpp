#include "platform/gdi/detail/Handles.h"

#include <deque>
#include <mutex>
#include <utility>

namespace win {

using namespace detail;

namespace {

constexpr std::uint32_t MaxHandleSlots = 0xFFFF;
constexpr std::uint32_t MaxHandleGeneration = 0x3FF;
constexpr int KindShift = 16;
constexpr int GenerationShift = 21;

struct HandleTable {
    std::mutex mutex;
    struct Slot {
        std::unique_ptr<HandleObject> object;
        HandleKind kind = HandleKind::None;
        std::uint32_t generation = 1;
    };
    std::vector<Slot> slots{1};  // slot 0 is never used
    std::deque<std::uint32_t> freeSlots;
};

HandleTable& TheHandles()
{
    static HandleTable table;
    return table;
}

std::intptr_t EncodeHandle(std::uint32_t slot, HandleKind kind, std::uint32_t generation)
{
    return static_cast<std::intptr_t>(slot | static_cast<std::uint32_t>(kind) << KindShift | generation << GenerationShift);
}

// The slot of a live handle, or null (lock held).
HandleTable::Slot* LiveSlot(HandleTable& table, std::intptr_t value, HandleKind kind)
{
    if (value <= 0 || value > 0x7FFFFFFF) {
        return nullptr;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint32_t slot = bits & 0xFFFF;
    if (slot == 0 || slot >= table.slots.size()) {
        return nullptr;
    }
    HandleTable::Slot& entry = table.slots[slot];
    if (!entry.object || entry.kind != kind || static_cast<HandleKind>((bits >> KindShift) & 0x1F) != kind ||
        (bits >> GenerationShift) != entry.generation) {
        return nullptr;
    }
    return &entry;
}

void FreeSlot(HandleTable& table, HandleTable::Slot& entry)
{
    entry.kind = HandleKind::None;
    entry.generation = entry.generation >= MaxHandleGeneration ? 1 : entry.generation + 1;
    table.freeSlots.push_back(static_cast<std::uint32_t>(&entry - table.slots.data()));
}

}  // namespace

std::intptr_t detail::AddHandle(HandleKind kind, std::unique_ptr<HandleObject> object)
{
    HandleTable& table = TheHandles();
    std::lock_guard lock(table.mutex);
    std::uint32_t slot;
    // Fresh slots before freed ones, and freed ones in the order they were freed, so a handle comes
    // back only after very many others.
    if (table.slots.size() <= MaxHandleSlots) {
        slot = static_cast<std::uint32_t>(table.slots.size());
        table.slots.emplace_back();
    } else if (!table.freeSlots.empty()) {
        slot = table.freeSlots.front();
        table.freeSlots.pop_front();
    } else {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    HandleTable::Slot& entry = table.slots[slot];
    entry.object = std::move(object);
    entry.kind = kind;
    return EncodeHandle(slot, kind, entry.generation);
}

HandleObject* detail::FindHandle(std::intptr_t value, HandleKind kind)
{
    HandleTable& table = TheHandles();
    std::lock_guard lock(table.mutex);
    HandleTable::Slot* entry = LiveSlot(table, value, kind);
    return entry ? entry->object.get() : nullptr;
}

std::unique_ptr<HandleObject> detail::RemoveHandle(std::intptr_t value, HandleKind kind)
{
    HandleTable& table = TheHandles();
    std::lock_guard lock(table.mutex);
    HandleTable::Slot* entry = LiveSlot(table, value, kind);
    if (!entry) {
        return nullptr;
    }
    std::unique_ptr<HandleObject> object = std::move(entry->object);
    FreeSlot(table, *entry);
    return object;
}

std::vector<std::unique_ptr<HandleObject>> detail::RemoveHandles(HandleKind kind)
{
    HandleTable& table = TheHandles();
    std::lock_guard lock(table.mutex);
    std::vector<std::unique_ptr<HandleObject>> removed;
    for (HandleTable::Slot& entry : table.slots) {
        if (entry.object && entry.kind == kind) {
            removed.push_back(std::move(entry.object));
            FreeSlot(table, entry);
        }
    }
    return removed;
}

void detail::ResetHandles()
{
    std::vector<HandleTable::Slot> slots;
    {
        HandleTable& table = TheHandles();
        std::lock_guard lock(table.mutex);
        slots = std::exchange(table.slots, std::vector<HandleTable::Slot>(1));
        table.freeSlots.clear();
    }
}

HandleKind detail::KindOfHandle(std::intptr_t value)
{
    if (value <= 0 || value > 0x7FFFFFFF) {
        return HandleKind::None;
    }
    const auto kind = static_cast<HandleKind>((value >> KindShift) & 0x1F);
    if ((value >> GenerationShift) == 0) {
        return (value & 0xFFFF) != 0 ? kind : HandleKind::None;
    }
    return FindHandle(value, kind) ? kind : HandleKind::None;
}

std::intptr_t detail::FixedHandle(HandleKind kind, std::uint16_t index)
{
    return EncodeHandle(index, kind, 0);
}

std::uint16_t detail::FixedHandleIndex(std::intptr_t value, HandleKind kind)
{
    if (value <= 0 || (value >> GenerationShift) != 0 || static_cast<HandleKind>((value >> KindShift) & 0x1F) != kind) {
        return 0;
    }
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

}  // namespace win
