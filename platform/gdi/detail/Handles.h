#pragma once
// One table for the handles of every kind: windows, graphics objects, cursors and icons, events, hooks,
// global memory, image lists and whatever comes later. A handle's value carries its kind, and every
// lookup names the kind it wants, so a handle of one kind used as another finds nothing, and the
// caller fails as the API says (null, FALSE, ERROR_INVALID_HANDLE). Freed handles are not given out
// again until every other slot has been used, and then with a new generation, so a stale handle does
// not reach a new object.
//
// Values are positive and fit 31 bits: the slot (1 .. 0xFFFF) in bits 0 to 15, the kind in bits 16 to
// 20 and the generation (1 .. 0x3FF) in bits 21 to 30. Handles of fixed identity outside the table
// (monitors) have generation 0.
//
// Locking: the table has a leaf lock of its own (LockOrder.h). An object's contents and its life are
// guarded by its kind's own lock: a kind adds, finds and removes its objects under that lock, so an
// object found stays alive while it is held.

#include "platform/wintypes/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace win::detail {

// Adding a kind is one line here.
enum class HandleKind : std::uint8_t {
    None = 0,
    Window,
    GdiObject,
    Cursor,  // cursors and icons are one kind of object
    Event,
    Hook,
    GlobalMemory,
    Monitor,
    ImageList,
    Printer,
    Menu,
};

// What a kind keeps behind its handles.
struct HandleObject {
    HandleObject() = default;
    HandleObject(const HandleObject&) = delete;
    HandleObject& operator=(const HandleObject&) = delete;
    virtual ~HandleObject() = default;
};

// Gives the object a handle of the kind; 0 with ERROR_NOT_ENOUGH_MEMORY when the table is full.
std::intptr_t AddHandle(HandleKind kind, std::unique_ptr<HandleObject> object);
// The object of a live handle of the kind, or null (no error set: each caller sets its own).
HandleObject* FindHandle(std::intptr_t value, HandleKind kind);
// Takes the object of a live handle of the kind out of the table; null when there is none.
std::unique_ptr<HandleObject> RemoveHandle(std::intptr_t value, HandleKind kind);
// Takes every object of the kind out (a library's reset).
std::vector<std::unique_ptr<HandleObject>> RemoveHandles(HandleKind kind);
// Empties the table (the GDI's start-up and shut-down, after and before every library above).
void ResetHandles();
// The kind a value carries: that of a live handle or a fixed one, None for anything else.
HandleKind KindOfHandle(std::intptr_t value);

// A handle of fixed identity (index from 1), and its index (0 when the value is no fixed handle of the kind).
std::intptr_t FixedHandle(HandleKind kind, std::uint16_t index);
std::uint16_t FixedHandleIndex(std::intptr_t value, HandleKind kind);

// Typed forms for the kinds' own handle types.
template <class Object, class Handle>
Object* FindHandleOf(Handle handle, HandleKind kind)
{
    return static_cast<Object*>(FindHandle(HandleValue(handle), kind));
}

}  // namespace win::detail
