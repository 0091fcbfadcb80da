#include "platform/win/Cursor.h"

#include "platform/win/Input.h"
#include "platform/gdi/detail/Handles.h"
#include "platform/win/detail/Cursor.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/WindowTable.h"

#include <map>
#include <mutex>
#include <utility>

namespace win {

using namespace detail;

namespace {

struct CursorRecord : HandleObject {
    explicit CursorRecord(CursorShape cursorShape) : shape(std::move(cursorShape)) {}
    CursorShape shape;
};

// The cursors live in the handle table; this lock guards them and the state below.
struct Cursors {
    std::mutex mutex;
    std::map<WORD, HCURSOR> system;
    CursorResourceLoader loader;
    HCURSOR current = nullptr;
    int showCount = 0;
};

Cursors& TheCursors()
{
    static Cursors cursors;
    return cursors;
}

constexpr WORD SystemCursorIds[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                    32644, 32645, 32646, 32648, 32649, 32650, 32651};

HCURSOR AddCursor(CursorShape shape)
{
    return HandleFromValue<HCURSOR>(AddHandle(HandleKind::Cursor, std::make_unique<CursorRecord>(std::move(shape))));
}

CursorRecord* FindCursor(HCURSOR cursor)
{
    return FindHandleOf<CursorRecord>(cursor, HandleKind::Cursor);
}

}  // namespace

void detail::ResetCursors()
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    RemoveHandles(HandleKind::Cursor);
    cursors.system.clear();
    cursors.loader = nullptr;
    cursors.showCount = 0;
    for (WORD id : SystemCursorIds) {
        CursorShape shape;
        shape.systemId = id;
        shape.size = SIZE{32, 32};
        cursors.system[id] = AddCursor(std::move(shape));
    }
    cursors.current = cursors.system[32512];
}

HCURSOR LoadCursor(HINSTANCE instance, const char* name)
{
    Cursors& cursors = TheCursors();
    CursorResourceLoader loader;
    {
        std::lock_guard lock(cursors.mutex);
        if (!instance && IS_INTRESOURCE(name)) {
            auto it = cursors.system.find(static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name)));
            if (it != cursors.system.end()) {
                return it->second;
            }
        }
        loader = cursors.loader;
    }
    HCURSOR cursor = instance && loader ? loader(instance, name) : nullptr;
    if (!cursor) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return cursor;
}

void SetCursorResourceLoader(CursorResourceLoader loader)
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    cursors.loader = std::move(loader);
}

HCURSOR CreateCursor(HINSTANCE, int xHotSpot, int yHotSpot, int width, int height, const void* andMask,
                     const void* xorMask)
{
    if (width <= 0 || height <= 0 || width > 256 || height > 256 || !andMask || !xorMask) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::size_t bytes = static_cast<std::size_t>((width + 15) / 16 * 2) * static_cast<std::size_t>(height);
    CursorShape shape;
    shape.hotSpot = POINT{xHotSpot, yHotSpot};
    shape.size = SIZE{width, height};
    const auto* andBytes = static_cast<const BYTE*>(andMask);
    const auto* xorBytes = static_cast<const BYTE*>(xorMask);
    shape.andMask.assign(andBytes, andBytes + bytes);
    shape.xorMask.assign(xorBytes, xorBytes + bytes);
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    return AddCursor(std::move(shape));
}

BOOL DestroyCursor(HCURSOR cursor)
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    const CursorRecord* record = FindCursor(cursor);
    if (!record || record->shape.systemId != 0) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    if (record->shape.shared) {
        return TRUE;
    }
    RemoveHandle(HandleValue(cursor), HandleKind::Cursor);
    if (cursors.current == cursor) {
        cursors.current = nullptr;
    }
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    Cursors& cursors = TheCursors();
    HCURSOR old;
    bool shown;
    {
        std::lock_guard lock(cursors.mutex);
        if (cursor && !FindCursor(cursor)) {
            SetLastError(ERROR_INVALID_CURSOR_HANDLE);
            return nullptr;
        }
        old = std::exchange(cursors.current, cursor);
        shown = cursors.showCount >= 0;
    }
    if (old != cursor && shown) {
        auto lock = LockSystem();
        Display().CursorChanged(cursor);
    }
    return old;
}

HCURSOR GetCursor()
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    return cursors.current;
}

int ShowCursor(BOOL show)
{
    Cursors& cursors = TheCursors();
    int count;
    HCURSOR current;
    {
        std::lock_guard lock(cursors.mutex);
        count = show ? ++cursors.showCount : --cursors.showCount;
        current = cursors.current;
    }
    // The screen hears of it only when the cursor appears or disappears.
    if (count == (show ? 0 : -1)) {
        auto lock = LockSystem();
        Display().CursorChanged(show ? current : nullptr);
    }
    return count;
}

BOOL SetCursorPos(int x, int y)
{
    {
        auto lock = LockSystem();
        Display().CursorMoved(POINT{x, y});
    }
    return PostMouseInput(WM_MOUSEMOVE, POINT{x, y}, 0, 0);
}

HCURSOR detail::AddCursorShape(CursorShape shape)
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    return AddCursor(std::move(shape));
}

bool detail::GetCursorShape(HCURSOR cursor, CursorShape& shape)
{
    Cursors& cursors = TheCursors();
    std::lock_guard lock(cursors.mutex);
    const CursorRecord* record = FindCursor(cursor);
    if (!record) {
        return false;
    }
    shape = record->shape;
    return true;
}

}  // namespace win
