#include "platform/printing/detail/PageList.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <algorithm>
#include <cstring>

namespace win {

using namespace detail;

namespace {

bool SameState(const DcState& a, const DcState& b)
{
    return a.brush == b.brush && a.pen == b.pen && a.font == b.font && a.textColor == b.textColor &&
           a.backgroundColor == b.backgroundColor && a.backgroundMode == b.backgroundMode && a.rop2 == b.rop2 &&
           a.stretchMode == b.stretchMode && a.polyFillMode == b.polyFillMode && a.currentPosition == b.currentPosition &&
           a.textAlign == b.textAlign && a.textCharacterExtra == b.textCharacterExtra &&
           a.justifyExtra == b.justifyExtra && a.justifyBreaks == b.justifyBreaks && a.brushOrigin == b.brushOrigin &&
           a.windowOrigin == b.windowOrigin && a.viewportOrigin == b.viewportOrigin && a.clip == b.clip;
}

std::unique_ptr<GdiObject> CopyOf(const GdiObject& object)
{
    switch (object.type) {
    case OBJ_PEN: {
        const auto& pen = static_cast<const PenObject&>(object);
        auto copy = std::make_unique<PenObject>();
        copy->logPen = pen.logPen;
        copy->extended = pen.extended;
        copy->extStyle = pen.extStyle;
        copy->dashes = pen.dashes;
        return copy;
    }
    case OBJ_BRUSH: {
        const auto& brush = static_cast<const BrushObject&>(object);
        auto copy = std::make_unique<BrushObject>();
        copy->logBrush = brush.logBrush;
        copy->sysColor = brush.sysColor;
        copy->pattern = brush.pattern;
        copy->monochrome = brush.monochrome;
        return copy;
    }
    case OBJ_FONT: {
        auto copy = std::make_unique<FontObject>();
        copy->logFont = static_cast<const FontObject&>(object).logFont;
        return copy;
    }
    default:
        return nullptr;
    }
}

void CopyRows(const Surface& from, Surface& to)
{
    for (int y = 0; y < from.Height(); ++y) {
        std::memcpy(to.Row(y), from.Row(y), std::size_t(from.Width()) * 4);
    }
}

// A bitmap below 32 bits as it stands: its bits, its working pixels and what is not yet in its bits.
std::unique_ptr<BitmapObject> Clone(const BitmapObject& bitmap)
{
    auto copy = std::make_unique<BitmapObject>(bitmap.Width(), bitmap.Height(), bitmap.bitsPerPixel, bitmap.dibSection,
                                               bitmap.topDown);
    copy->palette = bitmap.palette;
    copy->memory = bitmap.memory;
    copy->mirror = bitmap.mirror;
    copy->dirty = bitmap.dirty;
    copy->unsettled = bitmap.unsettled;
    CopyRows(bitmap.surface, copy->surface);
    return copy;
}

// What blits read from a source: a 1-bit bitmap as it is (its two colours matter), anything else as
// the 32-bit pixels a blit reads either way.
std::unique_ptr<BitmapObject> CopyPixels(const Surface& surface, const BitmapObject* bitmap)
{
    if (bitmap && bitmap->bitsPerPixel == 1) {
        return Clone(*bitmap);
    }
    auto copy = std::make_unique<BitmapObject>(surface.Width(), surface.Height(), 32);
    CopyRows(surface, copy->surface);
    return copy;
}

}  // namespace

PageList::~PageList()
{
    auto lock = LockGdi();
    for (const HGDIOBJ object : owned_) {
        if (GdiObject* record = FindObject(object)) {
            if (record->type == OBJ_MEMDC) {
                DeleteDC(static_cast<HDC>(object));
            } else {
                DeleteObject(object);
            }
        }
    }
}

void PageList::Add(const DeviceContext& context, Replay replay)
{
    Add(context.state, std::move(replay));
}

void PageList::Add(DcState state, Replay replay)
{
    state.brush = static_cast<HBRUSH>(Keep(state.brush));
    state.pen = static_cast<HPEN>(Keep(state.pen));
    state.font = static_cast<HFONT>(Keep(state.font));
    state.bitmap = nullptr;
    if (commands_.empty() || !SameState(*commands_.back().state, state)) {
        commands_.push_back({std::make_shared<const DcState>(std::move(state)), std::move(replay)});
    } else {
        commands_.push_back({commands_.back().state, std::move(replay)});
    }
}

HGDIOBJ PageList::Keep(HGDIOBJ object)
{
    if (!object) {
        return nullptr;
    }
    if (const auto found = copies_.find(object); found != copies_.end()) {
        return found->second;
    }
    // A system colour's index + 1 in place of a brush is no handle.
    if (HandleValue(object) <= COLOR_MENUBAR + 1) {
        return object;
    }
    const GdiObject* record = FindObject(object);
    if (!record || record->stock) {
        return record ? object : nullptr;
    }
    std::unique_ptr<GdiObject> copy = CopyOf(*record);
    const HGDIOBJ kept = copy ? AddObject(std::move(copy)) : nullptr;
    if (kept) {
        owned_.push_back(kept);
        copies_.emplace(object, kept);
    }
    return kept;
}

HDC PageList::KeepSource(HDC source)
{
    const DeviceContext* from = FindDC(source);
    const Surface* surface = from ? from->Target() : nullptr;
    if (!surface) {
        return nullptr;
    }
    BitmapObject* bitmap = SelectedBitmap(*from);
    if (bitmap) {
        bitmap->Load();
    }
    std::unique_ptr<BitmapObject> pixels;
    try {
        pixels = CopyPixels(*surface, bitmap);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const auto handle = static_cast<HBITMAP>(AddObject(std::move(pixels)));
    if (!handle) {
        return nullptr;
    }
    owned_.push_back(handle);
    auto context = std::make_unique<DeviceContext>(OBJ_MEMDC);
    context->device = from->device;
    context->state.bitmap = DefaultBitmap();
    const HDC replica = AddDC(std::move(context));
    if (!replica) {
        return nullptr;
    }
    owned_.push_back(replica);
    SelectObject(replica, handle);
    DeviceContext& copy = *FindDC(replica);
    copy.surfaceOrigin = from->surfaceOrigin;
    copy.state.windowOrigin = from->state.windowOrigin;
    copy.state.viewportOrigin = from->state.viewportOrigin;
    copy.state.backgroundColor = from->state.backgroundColor;
    return replica;
}

BitmapObject& PageList::KeepMask(const BitmapObject& mask)
{
    masks_.push_back(Clone(mask));
    return *masks_.back();
}

const Surface* PageList::KeepDib(const BITMAPINFO* info, const void* bits)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    BitmapObject* pixels = nullptr;
    try {
        auto bitmap = std::make_unique<BitmapObject>(header.biWidth, height, 32);
        pixels = bitmap.get();
        const HGDIOBJ handle = AddObject(std::move(bitmap));
        if (!handle) {
            return nullptr;
        }
        owned_.push_back(handle);
        SetDIBits(nullptr, static_cast<HBITMAP>(handle), 0, UINT(height), bits, info, DIB_RGB_COLORS);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return &pixels->surface;
}

void PageList::Forget(HGDIOBJ object)
{
    copies_.erase(object);
}

void PageList::Draw(DeviceContext& band) const
{
    const DcState own = band.state;
    for (const Command& command : commands_) {
        band.state = *command.state;
        command.replay(band);
    }
    band.state = own;
}

}  // namespace win
