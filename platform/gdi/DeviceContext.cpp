#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Collation.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string_view>
#include <utility>

namespace win {

using namespace detail;

namespace {

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
            // A bitmap that leaves its last context has its drawing written to its bits.
            if (object->type == OBJ_BITMAP) {
                static_cast<BitmapObject*>(object)->Flush();
            }
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
    Region visible = drawing->Reach(*this);
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

namespace {

ScreenPixels& ScreenHooks()
{
    static ScreenPixels pixels;
    return pixels;
}

}  // namespace

DrawScope::DrawScope(DeviceContext& context, const RECT& area, bool drawn, bool readsBeneath)
    : context_(context), bitmap_(SelectedBitmap(context)), drawn_(drawn)
{
    const RECT clip = context.ClipRegion().Bounds();
    if (!IntersectRect(&area_, &area, &clip)) {
        area_ = RECT{};
    } else {
        OffsetRect(&area_, context.surfaceOrigin.x, context.surfaceOrigin.y);
    }
    if (context.screen) {
        // What an enclosing call drew so far goes to the windows first, so gathering cannot undo it.
        const ScreenPixels& hooks = ScreenHooks();
        if (context.openScopes > 0 && hooks.spread) {
            hooks.spread(*context.windowSurface, context.openArea);
        }
        if (hooks.gather && !IsRectEmpty(&area_)) {
            hooks.gather(*context.windowSurface, area_);
        }
        UnionRect(&context.openArea, &context.openArea, &area_);
        ++context.openScopes;
    }
    if (IsRectEmpty(&area_)) {
        return;
    }
    if (bitmap_) {
        bitmap_->Load(area_, readsBeneath || !drawn);
    }
    if (drawn) {
        UnionRect(&context.drawn, &context.drawn, &area_);
    }
}

DrawScope::DrawScope(DeviceContext& context, bool drawn) : DrawScope(context, context.ClipRegion().Bounds(), drawn)
{
}

DrawScope::~DrawScope()
{
    if (bitmap_ && drawn_ && !IsRectEmpty(&area_)) {
        bitmap_->Touch(area_);
    }
    if (context_.screen) {
        if (drawn_ && ScreenHooks().spread && !IsRectEmpty(&area_)) {
            ScreenHooks().spread(*context_.windowSurface, area_);
        }
        if (--context_.openScopes == 0) {
            context_.openArea = RECT{};
        }
    }
}

void detail::SetScreenPixels(ScreenPixels pixels)
{
    auto lock = LockGdi();
    ScreenHooks() = pixels;
}

void detail::GatherScreen(DeviceContext& context)
{
    if (context.screen && context.windowSurface && ScreenHooks().gather) {
        ScreenHooks().gather(*context.windowSurface, context.windowSurface->Bounds());
    }
}

BitmapObject* detail::SelectedBitmap(const DeviceContext& context)
{
    if (context.windowSurface || !context.state.bitmap) {
        return nullptr;
    }
    return FindObjectOf<BitmapObject>(context.state.bitmap, OBJ_BITMAP);
}

DeviceContext* detail::FindDC(HDC handle)
{
    GdiObject* object = FindObject(handle);
    if (!object || (object->type != OBJ_DC && object->type != OBJ_MEMDC && object->type != OBJ_ENHMETADC)) {
        if (object) {
            SetLastError(ERROR_INVALID_HANDLE);
        }
        return nullptr;
    }
    return static_cast<DeviceContext*>(object);
}

HDC detail::CreateSurfaceDC(Surface& surface, POINT deviceOrigin, HRGN systemClip, bool screen)
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
    context->screen = screen;
    return NewDC(std::move(context));
}

RECT detail::TakeDrawnArea(HDC dc)
{
    return WithDC(dc, RECT{}, [](DeviceContext& context) { return std::exchange(context.drawn, RECT{}); });
}

BOOL detail::SetSystemClip(HDC dc, HRGN systemClip)
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

HDC detail::CreateDeviceSurfaceDC(Surface& surface, const Device& device, POINT deviceOrigin)
{
    auto lock = LockGdi();
    auto context = std::make_unique<DeviceContext>(OBJ_DC);
    context->device = device;
    context->windowSurface = &surface;
    context->surfaceOrigin = deviceOrigin;
    return NewDC(std::move(context));
}

HDC detail::CreateInformationDC(const Device& device)
{
    auto lock = LockGdi();
    auto context = std::make_unique<DeviceContext>(OBJ_DC, MakeInformationDevice());
    context->device = device;
    return NewDC(std::move(context));
}

HDC detail::AddDC(std::unique_ptr<DeviceContext> context)
{
    return NewDC(std::move(context));
}

namespace {

std::atomic<PrinterContextFactory> printerContexts{nullptr};

HDC CreatePrinterContext(const char* driver, const char* device, const DEVMODEA* mode, bool information)
{
    const std::string_view name = driver ? driver : "";
    const PrinterContextFactory factory = printerContexts.load();
    if (!device || (!name.empty() && !rtl::SameText(name, "WINSPOOL"))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!factory) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    return factory(device, mode, information);
}

}  // namespace

void detail::SetPrinterContextFactory(PrinterContextFactory factory)
{
    printerContexts.store(factory);
}

HDC CreateDCA(const char* driver, const char* device, const char*, const DEVMODEA* mode)
{
    return CreatePrinterContext(driver, device, mode, false);
}

HDC CreateICA(const char* driver, const char* device, const char*, const DEVMODEA* mode)
{
    return CreatePrinterContext(driver, device, mode, true);
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
            return context.palette ? context.palette : GetStockObject(DEFAULT_PALETTE);
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
        case BITSPIXEL: {
            const BitmapObject* bitmap = SelectedBitmap(context);
            return bitmap ? bitmap->bitsPerPixel : device.bitsPerPixel;
        }
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;  // more than 256 colours
        case RASTERCAPS:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
        case LOGPIXELSX:
            return device.dpiX;
        case LOGPIXELSY:
            return device.dpiY;
        case SIZEPALETTE:
            return 0;
        case COLORRES:
            return 24;
        case PHYSICALWIDTH:
            return static_cast<int>(device.physicalSize.cx ? device.physicalSize.cx : device.resolution.cx);
        case PHYSICALHEIGHT:
            return static_cast<int>(device.physicalSize.cy ? device.physicalSize.cy : device.resolution.cy);
        case PHYSICALOFFSETX:
            return static_cast<int>(device.physicalOffset.x);
        case PHYSICALOFFSETY:
            return static_cast<int>(device.physicalOffset.y);
        case SHADEBLENDCAPS:
            return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_PREMULT_ALPHA | SB_GRAD_RECT | SB_GRAD_TRI;
        default:
            return 0;
        }
    });
}

COLORREF GetNearestColor(HDC dc, COLORREF color)
{
    return WithDC(dc, CLR_INVALID, [color](DeviceContext& context) {
        const BitmapObject* bitmap = SelectedBitmap(context);
        if (bitmap && bitmap->bitsPerPixel == 1) {
            const int luminance = GetRValue(color) * 30 + GetGValue(color) * 59 + GetBValue(color) * 11;
            return luminance >= 128 * 100 ? RGB(255, 255, 255) : RGB(0, 0, 0);
        }
        return color & 0x00FFFFFF;
    });
}

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
    if (!palette || palette->palNumEntries == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto object = std::make_unique<PaletteObject>();
    object->entries = palette->palNumEntries;
    object->colors.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    auto lock = LockGdi();
    return static_cast<HPALETTE>(AddObject(std::move(object)));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries)
{
    auto lock = LockGdi();
    const auto* object = FindObjectOf<PaletteObject>(palette, OBJ_PAL);
    if (!object) {
        return 0;
    }
    if (!entries) {
        return object->entries;
    }
    UINT copied = 0;
    for (UINT index = start; index < object->colors.size() && copied < count; ++index) {
        entries[copied++] = object->colors[index];
    }
    return copied;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL)
{
    return WithDC(dc, HPALETTE{}, [palette](DeviceContext& context) -> HPALETTE {
        if (!FindObjectOf<PaletteObject>(palette, OBJ_PAL)) {
            return nullptr;
        }
        const HPALETTE previous = context.palette ? context.palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        context.palette = palette;
        return previous;
    });
}

UINT RealizePalette(HDC dc)
{
    return WithDC(dc, UINT{0}, [](DeviceContext&) { return UINT{0}; });
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
        const std::optional<Region> before = context.state.clip;
        const Region rect(context.ToDevice(RECT{left, top, right, bottom}));
        if (context.state.clip) {
            context.state.clip->Intersect(rect);
        } else {
            context.state.clip = rect;
        }
        context.Drawing().ClipRect(context, ClipChange::Intersect, RECT{left, top, right, bottom}, before);
        return ClipKind(context);
    });
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    return WithDC(dc, ERROR, [&](DeviceContext& context) {
        const std::optional<Region> before = context.state.clip;
        if (!context.state.clip) {
            context.state.clip = context.VisibleRegion();
        }
        context.state.clip->Subtract(Region(context.ToDevice(RECT{left, top, right, bottom})));
        context.Drawing().ClipRect(context, ClipChange::Exclude, RECT{left, top, right, bottom}, before);
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
        context.Drawing().SaveDC(context);
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
        context.Drawing().RestoreDC(context, level);
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

int SetPolyFillMode(HDC dc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDC(dc, 0, [mode](DeviceContext& context) { return std::exchange(context.state.polyFillMode, mode); });
}

int GetPolyFillMode(HDC dc)
{
    return WithDC(dc, 0, [](DeviceContext& context) { return context.state.polyFillMode; });
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
        if (!rect || !BrushPaint::Of(context, brush)) {
            return 0;
        }
        if (rect->right <= rect->left || rect->bottom <= rect->top) {
            return 1;
        }
        return context.Drawing().FillRgn(context, Region(*rect), brush) ? 1 : 0;
    });
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush)
{
    if (!brush) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        const RegionObject* object = FindRegion(region);
        return object ? context.Drawing().FillRgn(context, object->region, brush) : FALSE;
    });
}

BOOL PaintRgn(HDC dc, HRGN region)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        const RegionObject* object = FindRegion(region);
        return object ? context.Drawing().PaintRgn(context, object->region) : FALSE;
    });
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color)
{
    return WithDC(dc, CLR_INVALID, [&](DeviceContext& context) { return context.Drawing().SetPixel(context, x, y, color); });
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    return WithDC(dc, CLR_INVALID, [&](DeviceContext& context) { return context.Drawing().GetPixel(context, x, y); });
}

// The raster device's own calls of this unit.

Region RasterDevice::Reach(const DeviceContext& context) const
{
    const Surface* surface = context.Target();
    if (!surface) {
        return Region();
    }
    RECT bounds = surface->Bounds();
    OffsetRect(&bounds, -context.surfaceOrigin.x, -context.surfaceOrigin.y);
    return Region(bounds);
}

namespace {

BOOL PaintLogicalRegion(DeviceContext& context, const Region& region, HBRUSH brush, int rop2)
{
    const auto paint = BrushPaint::Of(context, brush);
    if (!paint) {
        return FALSE;
    }
    Region area = region;
    const POINT shift = context.ToDevice(POINT{0, 0});
    area.Offset(shift.x, shift.y);
    DrawScope scope(context, area.Bounds(), true, rop2 != R2_COPYPEN);
    PaintRegion(context, area, *paint, rop2);
    return TRUE;
}

}  // namespace

BOOL RasterDevice::FillRgn(DeviceContext& context, const Region& region, HBRUSH brush)
{
    return PaintLogicalRegion(context, region, brush ? brush : context.state.brush, R2_COPYPEN);
}

BOOL RasterDevice::PaintRgn(DeviceContext& context, const Region& region)
{
    return PaintLogicalRegion(context, region, context.state.brush, context.state.rop2);
}

COLORREF RasterDevice::SetPixel(DeviceContext& context, int x, int y, COLORREF color)
{
    const POINT point = context.ToDevice(POINT{x, y});
    if (!context.ClipRegion().Contains(point)) {
        return CLR_INVALID;
    }
    const COLORREF stored = color & 0x00FFFFFF;
    DrawScope scope(context, RECT{point.x, point.y, point.x + 1, point.y + 1}, true, false);
    context.Target()->SetPixel(point.x + context.surfaceOrigin.x, point.y + context.surfaceOrigin.y,
                               PixelFromColor(stored));
    return stored;
}

COLORREF RasterDevice::GetPixel(DeviceContext& context, int x, int y)
{
    const POINT point = context.ToDevice(POINT{x, y});
    if (!context.ClipRegion().Contains(point)) {
        return CLR_INVALID;
    }
    DrawScope scope(context, RECT{point.x, point.y, point.x + 1, point.y + 1}, false);
    return ColorFromPixel(context.Target()->Pixel(point.x + context.surfaceOrigin.x, point.y + context.surfaceOrigin.y));
}

}  // namespace win
