#include "platform/win/DeviceContext.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace win {

namespace {

constexpr int ColorSchemeSize = 31;

Device DisplayDevice()
{
    Device device;
    device.resolution = SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return device;
}

// References from device-context states: an object held cannot be deleted, a bitmap belongs to one
// context at a time.
void Retain(HDC dc, HGDIOBJ handle)
{
    if (GdiObject* object = handle ? FindObject(handle) : nullptr) {
        ++object->references;
        object->owner = dc;
    }
}

void Release(HGDIOBJ handle)
{
    if (GdiObject* object = handle ? FindObject(handle) : nullptr) {
        if (--object->references == 0) {
            object->owner = nullptr;
        }
    }
}

void RetainState(HDC dc, const DcState& state)
{
    Retain(dc, state.brush);
    Retain(dc, state.pen);
    Retain(dc, state.font);
    Retain(dc, state.bitmap);
}

void ReleaseState(const DcState& state)
{
    Release(state.brush);
    Release(state.pen);
    Release(state.font);
    Release(state.bitmap);
}

HDC NewDC(std::unique_ptr<DeviceContext> context)
{
    context->state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    context->state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    context->state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    DeviceContext* record = context.get();
    const auto handle = static_cast<HDC>(AddObject(std::move(context)));
    if (handle) {
        RetainState(handle, record->state);
    }
    return handle;
}

// The colour of a brush handle or of a COLOR_ index + 1 standing for one; false for a null brush or an
// invalid handle.
bool BrushColor(HBRUSH brush, COLORREF& color)
{
    const std::intptr_t value = HandleValue(brush);
    if (value > 0 && value <= ColorSchemeSize) {
        color = GetSysColor(static_cast<int>(value - 1));
        return true;
    }
    const auto* object = FindObjectOf<BrushObject>(brush, OBJ_BRUSH);
    if (!object || object->IsNull()) {
        return false;
    }
    color = object->Color();
    return true;
}

// Fills the part of region (device coordinates) inside the clip.
void FillDeviceRegion(DeviceContext& context, Region region, COLORREF color)
{
    Surface* surface = context.Target();
    region.Intersect(context.ClipRegion());
    region.Offset(context.surfaceOrigin.x, context.surfaceOrigin.y);
    const std::uint32_t pixel = PixelFromColor(color);
    for (const RECT& rect : region.Rects()) {
        surface->Fill(rect, pixel);
    }
}

int ClipKind(const DeviceContext& context)
{
    return context.ClipRegion().Kind();
}

void SetPoint(POINT* out, POINT value)
{
    if (out) {
        *out = value;
    }
}

// Copies the source rectangle (source surface coordinates) of the pixels that land in region
// (destination device coordinates) first, so that overlapping copies within one surface read the
// pixels as they were.
void CopyPixels(DeviceContext& destination, const Region& region, const Surface& source, POINT sourceShift)
{
    Surface* target = destination.Target();
    const RECT bounds = region.Bounds();
    const int width = bounds.right - bounds.left;
    std::vector<std::uint32_t> copy(static_cast<std::size_t>(width) * static_cast<std::size_t>(bounds.bottom - bounds.top));
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        const std::uint32_t* row = source.Row(y + sourceShift.y) + bounds.left + sourceShift.x;
        std::copy(row, row + width, copy.begin() + static_cast<std::ptrdiff_t>(y - bounds.top) * width);
    }
    for (const RECT& rect : region.Rects()) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            const std::uint32_t* from =
                copy.data() + static_cast<std::ptrdiff_t>(y - bounds.top) * width + (rect.left - bounds.left);
            std::copy(from, from + (rect.right - rect.left),
                      target->Row(y + destination.surfaceOrigin.y) + rect.left + destination.surfaceOrigin.x);
        }
    }
}

HBITMAP NewBitmap(int width, int height, const void* bits)
{
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0) {
        return DefaultBitmap();
    }
    std::unique_ptr<BitmapObject> bitmap;
    try {
        bitmap = std::make_unique<BitmapObject>(width, height);
    } catch (const rtl::EOutOfResources&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (bits) {
        std::memcpy(bitmap->surface.Bits(), bits,
                    static_cast<std::size_t>(bitmap->surface.Stride()) * static_cast<std::size_t>(height));
    }
    auto lock = LockGdi();
    return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

HGDIOBJ SelectBitmap(DeviceContext& context, HBITMAP handle)
{
    auto* bitmap = FindObjectOf<BitmapObject>(handle, OBJ_BITMAP);
    if (!bitmap || context.type != OBJ_MEMDC) {
        return nullptr;
    }
    if (!bitmap->stock && bitmap->references > 0 && bitmap->owner != context.handle) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HBITMAP previous = context.state.bitmap;
    Retain(static_cast<HDC>(context.handle), handle);
    Release(previous);
    context.state.bitmap = handle;
    return previous;
}

template <class Handle>
HGDIOBJ SelectInto(DeviceContext& context, Handle& slot, HGDIOBJ object)
{
    const Handle previous = slot;
    Retain(static_cast<HDC>(context.handle), object);
    Release(previous);
    slot = static_cast<Handle>(object);
    return previous;
}

// Runs change on the context's state under the lock; the answer when the handle is not a device context.
template <class Result, class Change>
Result WithDC(HDC dc, Result failure, Change change)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return failure;
    }
    return change(*context);
}

}  // namespace

Surface* DeviceContext::Target() const
{
    if (windowSurface) {
        return windowSurface;
    }
    auto* bitmap = FindObjectOf<BitmapObject>(state.bitmap, OBJ_BITMAP);
    return bitmap ? &bitmap->surface : nullptr;
}

POINT DeviceContext::ToDevice(POINT logical) const
{
    return POINT{logical.x - state.windowOrigin.x + state.viewportOrigin.x,
                 logical.y - state.windowOrigin.y + state.viewportOrigin.y};
}

RECT DeviceContext::ToDevice(const RECT& logical) const
{
    const POINT a = ToDevice(POINT{logical.left, logical.top});
    const POINT b = ToDevice(POINT{logical.right, logical.bottom});
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

POINT DeviceContext::ToLogical(POINT device) const
{
    return POINT{device.x + state.windowOrigin.x - state.viewportOrigin.x,
                 device.y + state.windowOrigin.y - state.viewportOrigin.y};
}

Region DeviceContext::VisibleRegion() const
{
    const Surface* surface = Target();
    if (!surface) {
        return Region();
    }
    RECT bounds = surface->Bounds();
    OffsetRect(&bounds, -surfaceOrigin.x, -surfaceOrigin.y);
    Region visible(bounds);
    if (systemClip) {
        visible.Intersect(*systemClip);
    }
    return visible;
}

Region DeviceContext::ClipRegion() const
{
    Region region = VisibleRegion();
    if (state.clip) {
        region.Intersect(*state.clip);
    }
    return region;
}

DeviceContext* FindDC(HDC handle)
{
    GdiObject* object = FindObject(handle);
    if (!object || (object->type != OBJ_DC && object->type != OBJ_MEMDC)) {
        if (object) {
            SetLastError(ERROR_INVALID_HANDLE);
        }
        return nullptr;
    }
    return static_cast<DeviceContext*>(object);
}

HDC CreateSurfaceDC(Surface& surface, POINT deviceOrigin, HRGN systemClip)
{
    auto lock = LockGdi();
    auto context = std::make_unique<DeviceContext>(OBJ_DC);
    if (systemClip) {
        const RegionObject* clip = FindRegion(systemClip);
        if (!clip) {
            return nullptr;
        }
        context->systemClip = clip->region;
    }
    context->device = DisplayDevice();
    context->windowSurface = &surface;
    context->surfaceOrigin = deviceOrigin;
    return NewDC(std::move(context));
}

BOOL SetSystemClip(HDC dc, HRGN systemClip)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return FALSE;
    }
    if (!systemClip) {
        context->systemClip.reset();
        return TRUE;
    }
    const RegionObject* clip = FindRegion(systemClip);
    if (!clip) {
        return FALSE;
    }
    context->systemClip = clip->region;
    return TRUE;
}

HDC CreateCompatibleDC(HDC dc)
{
    auto lock = LockGdi();
    auto context = std::make_unique<DeviceContext>(OBJ_MEMDC);
    if (dc) {
        const DeviceContext* model = FindDC(dc);
        if (!model) {
            return nullptr;
        }
        context->device = model->device;
    } else {
        context->device = DisplayDevice();
    }
    context->state.bitmap = DefaultBitmap();
    return NewDC(std::move(context));
}

BOOL DeleteDC(HDC dc)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return FALSE;
    }
    ReleaseState(context->state);
    for (const DcState& state : context->saved) {
        ReleaseState(state);
    }
    RemoveObject(context);
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    {
        auto lock = LockGdi();
        if (dc && !FindDC(dc)) {
            return nullptr;
        }
    }
    return NewBitmap(width, height, nullptr);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || bitsPerPixel != 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewBitmap(width, height, bits);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    GdiObject* record = context ? FindObject(object) : nullptr;
    if (!record) {
        return nullptr;
    }
    switch (record->type) {
    case OBJ_BRUSH:
        return SelectInto(*context, context->state.brush, object);
    case OBJ_PEN:
        return SelectInto(*context, context->state.pen, object);
    case OBJ_FONT:
        return SelectInto(*context, context->state.font, object);
    case OBJ_BITMAP:
        return SelectBitmap(*context, static_cast<HBITMAP>(object));
    case OBJ_REGION:
        return HandleFromValue<HGDIOBJ>(SelectClipRgn(dc, static_cast<HRGN>(object)));
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    return WithDC<HGDIOBJ>(dc, nullptr, [type](DeviceContext& context) -> HGDIOBJ {
        switch (type) {
        case OBJ_BRUSH:
            return context.state.brush;
        case OBJ_PEN:
            return context.state.pen;
        case OBJ_FONT:
            return context.state.font;
        case OBJ_BITMAP:
            return context.state.bitmap;
        case OBJ_PAL:
            return GetStockObject(DEFAULT_PALETTE);
        default:
            return nullptr;
        }
    });
}

int GetDeviceCaps(HDC dc, int index)
{
    return WithDC(dc, 0, [index](DeviceContext& context) {
        const Device& device = context.device;
        switch (index) {
        case TECHNOLOGY:
            return device.technology;
        case HORZSIZE:
            return device.resolution.cx * 254 / (device.dpiX * 10);
        case VERTSIZE:
            return device.resolution.cy * 254 / (device.dpiY * 10);
        case HORZRES:
            return static_cast<int>(device.resolution.cx);
        case VERTRES:
            return static_cast<int>(device.resolution.cy);
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case LOGPIXELSX:
            return device.dpiX;
        case LOGPIXELSY:
            return device.dpiY;
        default:
            return 0;
        }
    });
}

int SelectClipRgn(HDC dc, HRGN region)
{
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return ERROR;
    }
    if (!region) {
        if (mode != RGN_COPY) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        context->state.clip.reset();
        return ClipKind(*context);
    }
    const RegionObject* object = FindRegion(region);
    if (!object) {
        return ERROR;
    }
    Region result;
    if (!result.Combine(context->state.clip ? *context->state.clip : context->VisibleRegion(), object->region, mode)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    context->state.clip = mode == RGN_COPY ? object->region : std::move(result);
    return ClipKind(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    return WithDC(dc, ERROR, [&](DeviceContext& context) {
        const Region rect(context.ToDevice(RECT{left, top, right, bottom}));
        if (context.state.clip) {
            context.state.clip->Intersect(rect);
        } else {
            context.state.clip = rect;
        }
        return ClipKind(context);
    });
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    return WithDC(dc, ERROR, [&](DeviceContext& context) {
        if (!context.state.clip) {
            context.state.clip = context.VisibleRegion();
        }
        context.state.clip->Subtract(Region(context.ToDevice(RECT{left, top, right, bottom})));
        return ClipKind(context);
    });
}

int GetClipRgn(HDC dc, HRGN region)
{
    return WithDC(dc, -1, [region](DeviceContext& context) {
        RegionObject* object = FindRegion(region);
        if (!object) {
            return -1;
        }
        if (!context.state.clip) {
            return 0;
        }
        object->region = *context.state.clip;
        return 1;
    });
}

int GetClipBox(HDC dc, RECT* rect)
{
    return WithDC(dc, ERROR, [rect](DeviceContext& context) {
        if (!rect) {
            return ERROR;
        }
        const Region clip = context.ClipRegion();
        if (clip.IsEmpty()) {
            *rect = RECT{};
        } else {
            const RECT box = clip.Bounds();
            const POINT topLeft = context.ToLogical(POINT{box.left, box.top});
            const POINT bottomRight = context.ToLogical(POINT{box.right, box.bottom});
            *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        }
        return clip.Kind();
    });
}

BOOL RectVisible(HDC dc, const RECT* rect)
{
    return WithDC(dc, FALSE, [rect](DeviceContext& context) {
        return rect && context.ClipRegion().Intersects(context.ToDevice(*rect)) ? TRUE : FALSE;
    });
}

BOOL PtVisible(HDC dc, int x, int y)
{
    return WithDC(dc, FALSE, [x, y](DeviceContext& context) {
        return context.ClipRegion().Contains(context.ToDevice(POINT{x, y})) ? TRUE : FALSE;
    });
}

int GetMapMode(HDC dc)
{
    return WithDC(dc, 0, [](DeviceContext&) { return MM_TEXT; });
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        SetPoint(previous, context.state.windowOrigin);
        context.state.windowOrigin = POINT{x, y};
        return TRUE;
    });
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        SetPoint(previous, context.state.viewportOrigin);
        context.state.viewportOrigin = POINT{x, y};
        return TRUE;
    });
}

BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        SetPoint(previous, context.state.windowOrigin);
        context.state.windowOrigin.x += dx;
        context.state.windowOrigin.y += dy;
        return TRUE;
    });
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        SetPoint(previous, context.state.viewportOrigin);
        context.state.viewportOrigin.x += dx;
        context.state.viewportOrigin.y += dy;
        return TRUE;
    });
}

BOOL GetWindowOrgEx(HDC dc, POINT* origin)
{
    return WithDC(dc, FALSE, [origin](DeviceContext& context) {
        SetPoint(origin, context.state.windowOrigin);
        return origin ? TRUE : FALSE;
    });
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin)
{
    return WithDC(dc, FALSE, [origin](DeviceContext& context) {
        SetPoint(origin, context.state.viewportOrigin);
        return origin ? TRUE : FALSE;
    });
}

int SaveDC(HDC dc)
{
    return WithDC(dc, 0, [dc](DeviceContext& context) {
        context.saved.push_back(context.state);
        RetainState(dc, context.state);
        return static_cast<int>(context.saved.size());
    });
}

BOOL RestoreDC(HDC dc, int level)
{
    return WithDC(dc, FALSE, [level](DeviceContext& context) {
        const auto count = static_cast<int>(context.saved.size());
        const int index = level < 0 ? count + level : level - 1;
        if (level == 0 || index < 0 || index >= count) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        // The restored state's references pass to the current state; the states above it let theirs go.
        ReleaseState(context.state);
        for (int above = index + 1; above < count; ++above) {
            ReleaseState(context.saved[static_cast<std::size_t>(above)]);
        }
        context.state = std::move(context.saved[static_cast<std::size_t>(index)]);
        context.saved.resize(static_cast<std::size_t>(index));
        return TRUE;
    });
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    return WithDC(dc, CLR_INVALID, [color](DeviceContext& context) {
        return std::exchange(context.state.textColor, color);
    });
}

COLORREF GetTextColor(HDC dc)
{
    return WithDC(dc, CLR_INVALID, [](DeviceContext& context) { return context.state.textColor; });
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    return WithDC(dc, CLR_INVALID, [color](DeviceContext& context) {
        return std::exchange(context.state.backgroundColor, color);
    });
}

COLORREF GetBkColor(HDC dc)
{
    return WithDC(dc, CLR_INVALID, [](DeviceContext& context) { return context.state.backgroundColor; });
}

int SetBkMode(HDC dc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDC(dc, 0, [mode](DeviceContext& context) { return std::exchange(context.state.backgroundMode, mode); });
}

int GetBkMode(HDC dc)
{
    return WithDC(dc, 0, [](DeviceContext& context) { return context.state.backgroundMode; });
}

int SetROP2(HDC dc, int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDC(dc, 0, [mode](DeviceContext& context) { return std::exchange(context.state.rop2, mode); });
}

int GetROP2(HDC dc)
{
    return WithDC(dc, 0, [](DeviceContext& context) { return context.state.rop2; });
}

int SetStretchBltMode(HDC dc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDC(dc, 0, [mode](DeviceContext& context) { return std::exchange(context.state.stretchMode, mode); });
}

int GetStretchBltMode(HDC dc)
{
    return WithDC(dc, 0, [](DeviceContext& context) { return context.state.stretchMode; });
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        SetPoint(previous, context.state.brushOrigin);
        context.state.brushOrigin = POINT{x, y};
        return TRUE;
    });
}

BOOL GetBrushOrgEx(HDC dc, POINT* origin)
{
    return WithDC(dc, FALSE, [origin](DeviceContext& context) {
        SetPoint(origin, context.state.brushOrigin);
        return origin ? TRUE : FALSE;
    });
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    return WithDC(dc, 0, [&](DeviceContext& context) {
        COLORREF color = 0;
        if (!rect || !BrushColor(brush, color)) {
            return 0;
        }
        if (rect->right <= rect->left || rect->bottom <= rect->top) {
            return 1;
        }
        FillDeviceRegion(context, Region(context.ToDevice(*rect)), color);
        return 1;
    });
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        const RegionObject* object = FindRegion(region);
        COLORREF color = 0;
        if (!object || !BrushColor(brush, color)) {
            return FALSE;
        }
        Region area = object->region;
        const POINT shift = context.ToDevice(POINT{0, 0});
        area.Offset(shift.x, shift.y);
        FillDeviceRegion(context, std::move(area), color);
        return TRUE;
    });
}

BOOL PaintRgn(HDC dc, HRGN region)
{
    HBRUSH brush = nullptr;
    {
        auto lock = LockGdi();
        const DeviceContext* context = FindDC(dc);
        if (!context) {
            return FALSE;
        }
        brush = context->state.brush;
    }
    return FillRgn(dc, region, brush);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    auto lock = LockGdi();
    DeviceContext* target = FindDC(destination);
    if (!target) {
        return FALSE;
    }
    if (rop != SRCCOPY && rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT topLeft = target->ToDevice(POINT{x, y});
    Region area(RECT{topLeft.x, topLeft.y, topLeft.x + std::max(width, 0), topLeft.y + std::max(height, 0)});
    if (rop == BLACKNESS || rop == WHITENESS) {
        FillDeviceRegion(*target, std::move(area), rop == BLACKNESS ? RGB(0, 0, 0) : RGB(255, 255, 255));
        return TRUE;
    }
    if (rop == PATCOPY) {
        COLORREF color = 0;
        if (BrushColor(target->state.brush, color)) {
            FillDeviceRegion(*target, std::move(area), color);
        }
        return TRUE;
    }
    const DeviceContext* from = FindDC(source);
    if (!from) {
        return FALSE;
    }
    const Surface* sourceSurface = from->Target();
    if (!sourceSurface || !target->Target()) {
        return FALSE;
    }
    // Destination device point d reads source surface pixel d + shift; pixels the source lacks stay as
    // they are.
    const POINT sourceDevice = from->ToDevice(POINT{sourceX, sourceY});
    const POINT shift{sourceDevice.x + from->surfaceOrigin.x - topLeft.x, sourceDevice.y + from->surfaceOrigin.y - topLeft.y};
    RECT available = sourceSurface->Bounds();
    OffsetRect(&available, -shift.x, -shift.y);
    area.Intersect(Region(available));
    area.Intersect(target->ClipRegion());
    if (!area.IsEmpty()) {
        CopyPixels(*target, area, *sourceSurface, shift);
    }
    return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color)
{
    return WithDC(dc, CLR_INVALID, [&](DeviceContext& context) {
        const POINT point = context.ToDevice(POINT{x, y});
        if (!context.ClipRegion().Contains(point)) {
            return CLR_INVALID;
        }
        const COLORREF stored = color & 0x00FFFFFF;
        context.Target()->SetPixel(point.x + context.surfaceOrigin.x, point.y + context.surfaceOrigin.y,
                                   PixelFromColor(stored));
        return stored;
    });
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    return WithDC(dc, CLR_INVALID, [&](DeviceContext& context) {
        const POINT point = context.ToDevice(POINT{x, y});
        if (!context.ClipRegion().Contains(point)) {
            return CLR_INVALID;
        }
        return ColorFromPixel(context.Target()->Pixel(point.x + context.surfaceOrigin.x, point.y + context.surfaceOrigin.y));
    });
}

}  // namespace win
