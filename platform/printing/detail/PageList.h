#pragma once
// The drawing of one printed page, kept until the page ends: every call with the state it was made in,
// replayed band by band on the contexts of band surfaces. What a call refers to is kept with it: copies of
// the pens, brushes and fonts it used (the program may delete its own before the page ends), one copy of
// a blit's source pixels and of any bits or points it was given, so each band replays the same call.
// The GDI lock is held around every call.

#include "platform/gdi/detail/DeviceContext.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace win::detail {

class PageList {
public:
    using Replay = std::function<void(DeviceContext& band)>;

    PageList() = default;
    PageList(const PageList&) = delete;
    PageList& operator=(const PageList&) = delete;
    ~PageList();

    // Keeps a call made on context in its state as it stands; replay then runs on a band whose state is
    // that state.
    void Add(const DeviceContext& context, Replay replay);
    // As Add, with the state changed first (text is replayed without moving the current position).
    void Add(DcState state, Replay replay);
    // A pen, brush or font of the page's own with the object's settings (stock objects, and brushes given
    // as a system colour's index, stay as they are); null for a handle that is no such object.
    HGDIOBJ Keep(HGDIOBJ object);
    // A memory context holding a copy of what a blit reads from source, at the same logical coordinates;
    // null when the source has no pixels (a printer, an information or metafile context).
    HDC KeepSource(HDC source);
    // A copy of a mask bitmap.
    BitmapObject& KeepMask(const BitmapObject& mask);
    // Device-independent bits (checked) as the 32-bit pixels a stretch reads, converted once for every
    // band; null with ERROR_NOT_ENOUGH_MEMORY when they do not fit.
    const Surface* KeepDib(const BITMAPINFO* info, const void* bits);
    // The program deletes object: a later object of the same handle is another one.
    void Forget(HGDIOBJ object);

    // Draws the page on band, whose state is as it was before.
    void Draw(DeviceContext& band) const;
    std::size_t Size() const { return commands_.size(); }

private:
    struct Command {
        std::shared_ptr<const DcState> state;
        Replay replay;
    };
    std::vector<Command> commands_;
    std::map<HGDIOBJ, HGDIOBJ> copies_;  // the program's objects and the page's copies of them
    std::vector<HGDIOBJ> owned_;  // objects and source contexts to delete with the page
    std::vector<std::unique_ptr<BitmapObject>> masks_;
};

}  // namespace win::detail
