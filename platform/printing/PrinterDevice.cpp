#include "platform/printing/detail/PrinterDevice.h"

#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdiplus/detail/GdiPlusPixels.h"
#include "platform/text/TextOut.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace win {

using namespace detail;

namespace {

// Pixels a composite drawing leaves, premultiplied (0xAARRGGBB), row by row as runs of one pixel.
class ComposedImage {
public:
    // Runs paint over black and over white: over black a pixel shows its premultiplied colour, over
    // white in addition how much of what lies beneath it lets through.
    ComposedImage(const RECT& area, const RowPaint& paint) : area_(area)
    {
        const int width = area.right - area.left;
        std::vector<std::uint32_t> overBlack(static_cast<std::size_t>(width));
        std::vector<std::uint32_t> overWhite(static_cast<std::size_t>(width));
        for (int y = area.top; y < area.bottom; ++y) {
            rows_.push_back(runs_.size());
            std::fill(overBlack.begin(), overBlack.end(), 0);
            std::fill(overWhite.begin(), overWhite.end(), 0x00FFFFFF);
            paint(overBlack.data(), area.left, area.right, y);
            paint(overWhite.data(), area.left, area.right, y);
            for (int column = 0; column < width; ++column) {
                const std::uint32_t black = overBlack[std::size_t(column)] & 0x00FFFFFF;
                const std::uint32_t white = overWhite[std::size_t(column)] & 0x00FFFFFF;
                std::uint32_t through = 0;
                for (const int shift : {0, 8, 16}) {
                    const std::uint32_t b = (black >> shift) & 0xFF;
                    const std::uint32_t w = (white >> shift) & 0xFF;
                    through = std::max(through, w > b ? w - b : 0);
                }
                const std::uint32_t pixel = black | ((255 - through) << 24);
                if (runs_.size() > rows_.back() && runs_.back().pixel == pixel) {
                    ++runs_.back().count;
                } else {
                    runs_.push_back({pixel, 1});
                }
            }
        }
    }

    const RECT& Area() const { return area_; }

    // Composes row y's pixels left .. right - 1 over those beneath.
    void Compose(std::uint32_t* pixels, int left, int right, int y) const
    {
        const std::size_t row = std::size_t(y - area_.top);
        const std::size_t end = row + 1 < rows_.size() ? rows_[row + 1] : runs_.size();
        int x = area_.left;
        for (std::size_t index = rows_[row]; index < end && x < right; ++index) {
            const Run& run = runs_[index];
            const int from = std::max(x, left);
            const int to = std::min(x + run.count, right);
            if (AlphaOf(run.pixel) != 0 || (run.pixel & 0x00FFFFFF) != 0) {
                for (int at = from; at < to; ++at) {
                    std::uint32_t& pixel = pixels[at - left];
                    pixel = SourceOver(run.pixel, pixel | 0xFF000000) & 0x00FFFFFF;
                }
            }
            x += run.count;
        }
    }

private:
    struct Run {
        std::uint32_t pixel;
        int count;
    };
    RECT area_;
    std::vector<std::size_t> rows_;  // each row's first run
    std::vector<Run> runs_;
};

// Whether a source rectangle lies within the pixels of a source context, as AlphaBlend demands.
bool WithinSource(HDC source, int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    const DeviceContext* from = FindDC(source);
    const Surface* surface = from ? from->Target() : nullptr;
    if (!surface) {
        return false;
    }
    const POINT device = from->ToDevice(POINT{sourceX, sourceY});
    const int x = device.x + from->surfaceOrigin.x;
    const int y = device.y + from->surfaceOrigin.y;
    return x >= 0 && y >= 0 && std::int64_t{x} + sourceWidth <= surface->Width() &&
           std::int64_t{y} + sourceHeight <= surface->Height();
}

HDC HandleOf(const DeviceContext& context)
{
    return static_cast<HDC>(context.handle);
}

}  // namespace

PrinterDevice::PrinterDevice(std::shared_ptr<const PrinterModel> model, const FullDevMode& devMode, bool informationOnly)
    : information(informationOnly), printer(std::move(model))
{
    SetMode(devMode);
    if (!information) {
        WatchDeletions(*this);
    }
}

PrinterDevice::~PrinterDevice()
{
    if (!information) {
        UnwatchDeletions(*this);
    }
    if (job) {
        job->Abort();
    }
}

void PrinterDevice::SetMode(const FullDevMode& devMode)
{
    mode = devMode;
    settings = SettingsOf(*printer, mode);
    geometry = PageFor(settings.resolution, settings.paper, settings.orientation);
}

Device PrinterDevice::DeviceOf() const
{
    Device device;
    device.technology = DT_RASPRINTER;
    device.dpiX = geometry.dpi.x;
    device.dpiY = geometry.dpi.y;
    device.resolution = geometry.printable;
    device.physicalSize = geometry.physical;
    device.physicalOffset = geometry.offset;
    device.bitsPerPixel = settings.color ? 24 : 8;
    return device;
}

PrinterDevice* detail::FindPrinterDevice(HDC dc)
{
    DeviceContext* context = FindDC(dc);
    auto* device = context ? dynamic_cast<PrinterDevice*>(&context->Drawing()) : nullptr;
    if (context && !device) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return device;
}

PageList* PrinterDevice::Recording() const
{
    if (!page) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return page.get();
}

Region PrinterDevice::Reach(const DeviceContext&) const
{
    return Region(RECT{0, 0, geometry.printable.cx, geometry.printable.cy});
}

void PrinterDevice::Forget(HGDIOBJ object)
{
    if (page) {
        page->Forget(object);
    }
}

BOOL PrinterDevice::LineTo(DeviceContext& context, int x, int y)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [x, y](DeviceContext& band) { band.Drawing().LineTo(band, x, y); });
    context.state.currentPosition = POINT{x, y};
    return TRUE;
}

BOOL PrinterDevice::Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [shape, kept = std::vector<POINT>(points, points + count)](DeviceContext& band) {
        band.Drawing().Poly(band, shape, kept.data(), kept.size());
    });
    if (shape == PolyShape::PolylineTo && count > 0) {
        context.state.currentPosition = points[count - 1];
    }
    return TRUE;
}

BOOL PrinterDevice::PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                             std::size_t figures)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    std::vector<DWORD> sizes(counts, counts + figures);
    std::size_t total = 0;
    for (const DWORD size : sizes) {
        total += size;
    }
    list->Add(context, [shape, sizes = std::move(sizes), kept = std::vector<POINT>(points, points + total)](DeviceContext& band) {
        band.Drawing().PolyPoly(band, shape, kept.data(), sizes.data(), sizes.size());
    });
    return TRUE;
}

BOOL PrinterDevice::Box(DeviceContext& context, BoxShape shape, const RECT& box)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [shape, box](DeviceContext& band) { band.Drawing().Box(band, shape, box); });
    return TRUE;
}

BOOL PrinterDevice::RoundRect(DeviceContext& context, const RECT& box, SIZE corner)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [box, corner](DeviceContext& band) { band.Drawing().RoundRect(band, box, corner); });
    return TRUE;
}

BOOL PrinterDevice::Arc(DeviceContext& context, ArcShape shape, const RECT& box, POINT start, POINT end)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [shape, box, start, end](DeviceContext& band) { band.Drawing().Arc(band, shape, box, start, end); });
    return TRUE;
}

COLORREF PrinterDevice::SetPixel(DeviceContext& context, int x, int y, COLORREF color)
{
    PageList* list = Recording();
    if (!list || !context.ClipRegion().Contains(context.ToDevice(POINT{x, y}))) {
        return CLR_INVALID;
    }
    list->Add(context, [x, y, color](DeviceContext& band) { band.Drawing().SetPixel(band, x, y, color); });
    return color & 0x00FFFFFF;
}

COLORREF PrinterDevice::GetPixel(DeviceContext&, int, int)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return CLR_INVALID;
}

BOOL PrinterDevice::FillRgn(DeviceContext& context, const Region& region, HBRUSH brush)
{
    PageList* list = Recording();
    if (!list || !BrushPaint::Of(context, brush ? brush : context.state.brush)) {
        return FALSE;
    }
    const auto kept = static_cast<HBRUSH>(list->Keep(brush));
    list->Add(context, [region, kept](DeviceContext& band) { band.Drawing().FillRgn(band, region, kept); });
    return TRUE;
}

BOOL PrinterDevice::FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height)
{
    PageList* list = Recording();
    if (!list || !BrushPaint::Of(context, brush)) {
        return FALSE;
    }
    const auto kept = static_cast<HBRUSH>(list->Keep(brush));
    list->Add(context, [region, kept, width, height](DeviceContext& band) {
        band.Drawing().FrameRgn(band, region, kept, width, height);
    });
    return TRUE;
}

BOOL PrinterDevice::InvertRgn(DeviceContext& context, const Region& region)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [region](DeviceContext& band) { band.Drawing().InvertRgn(band, region); });
    return TRUE;
}

BOOL PrinterDevice::PaintRgn(DeviceContext& context, const Region& region)
{
    PageList* list = Recording();
    if (!list || !BrushPaint::Of(context, context.state.brush)) {
        return FALSE;
    }
    list->Add(context, [region](DeviceContext& band) { band.Drawing().PaintRgn(band, region); });
    return TRUE;
}

BOOL PrinterDevice::PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [region, paint, rop2](DeviceContext& band) { band.Drawing().PaintDevice(band, region, paint, rop2); });
    return TRUE;
}

BOOL PrinterDevice::PaintPixels(DeviceContext& context, const RECT& wanted, const RowPaint& paint)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    RECT area;
    const RECT clip = context.ClipRegion().Bounds();
    if (!IntersectRect(&area, &wanted, &clip)) {
        return TRUE;
    }
    auto image = std::make_shared<const ComposedImage>(area, paint);
    list->Add(context, [image](DeviceContext& band) {
        band.Drawing().PaintPixels(band, image->Area(), [&](std::uint32_t* pixels, int left, int right, int y) {
            image->Compose(pixels, left, right, y);
        });
    });
    return TRUE;
}

BOOL PrinterDevice::Blit(DeviceContext& context, BlitKind kind, int x, int y, int width, int height, HDC source,
                         int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    if (kind == BlitKind::AlphaBlend && !WithinSource(source, sourceX, sourceY, sourceWidth, sourceHeight)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const HDC kept = list->KeepSource(source);
    if (!kept) {
        return FALSE;
    }
    list->Add(context, [=](DeviceContext& band) {
        band.Drawing().Blit(band, kind, x, y, width, height, kept, sourceX, sourceY, sourceWidth, sourceHeight, rop);
    });
    return TRUE;
}

BOOL PrinterDevice::MaskBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX,
                            int sourceY, BitmapObject& mask, POINT maskOrigin, DWORD rop)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    const HDC kept = list->KeepSource(source);
    if (!kept) {
        return FALSE;
    }
    BitmapObject* keptMask = &list->KeepMask(mask);
    list->Add(context, [=](DeviceContext& band) {
        band.Drawing().MaskBlt(band, x, y, width, height, kept, sourceX, sourceY, *keptMask, maskOrigin, rop);
    });
    return TRUE;
}

BOOL PrinterDevice::PatBlt(DeviceContext& context, int x, int y, int width, int height, DWORD rop)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    list->Add(context, [=](DeviceContext& band) { band.Drawing().PatBlt(band, x, y, width, height, rop); });
    return TRUE;
}

int PrinterDevice::StretchDIBits(DeviceContext& context, int x, int y, int width, int height, int sourceX, int sourceY,
                                 int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop)
{
    PageList* list = Recording();
    const Surface* pixels = list ? list->KeepDib(info, bits) : nullptr;
    if (!pixels) {
        return 0;
    }
    // Bottom-up bits count the source rectangle from their bottom row, as the raster device counts it.
    const bool topDown = info->bmiHeader.biHeight < 0;
    const int top = topDown ? sourceY : pixels->Height() - sourceY - sourceHeight;
    list->Add(context, [=](DeviceContext& band) {
        BlitSource from;
        from.surface = pixels;
        StretchSurface(band, x, y, width, height, from, sourceX, top, sourceWidth, sourceHeight, rop);
    });
    return sourceHeight < 0 ? -sourceHeight : sourceHeight;
}

BOOL PrinterDevice::GradientFill(DeviceContext& context, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                                 ULONG meshCount, ULONG fillMode)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    const std::size_t meshBytes =
        std::size_t(meshCount) * (fillMode == GRADIENT_FILL_TRIANGLE ? sizeof(GRADIENT_TRIANGLE) : sizeof(GRADIENT_RECT));
    std::vector<ULONG> keptMesh((meshBytes + sizeof(ULONG) - 1) / sizeof(ULONG));
    std::memcpy(keptMesh.data(), mesh, meshBytes);
    list->Add(context, [fillMode, meshCount, keptVertices = std::vector<TRIVERTEX>(vertices, vertices + vertexCount),
                        keptMesh = std::move(keptMesh)](DeviceContext& band) {
        band.Drawing().GradientFill(band, keptVertices.data(), ULONG(keptVertices.size()), keptMesh.data(), meshCount,
                                    fillMode);
    });
    return TRUE;
}

BOOL PrinterDevice::Text(DeviceContext& context, const TextLayout& text)
{
    PageList* list = Recording();
    if (!list) {
        return FALSE;
    }
    // Replayed as the same glyphs at the same advances from the reference point the layout found.
    DcState state = context.state;
    state.textAlign &= ~UINT{TA_UPDATECP};
    state.justifyExtra = 0;
    state.justifyBreaks = 0;
    state.textCharacterExtra = 0;
    const std::optional<RECT> rect = text.rect ? std::optional<RECT>(*text.rect) : std::nullopt;
    list->Add(std::move(state), [reference = text.reference, options = text.options, rect,
                                 units = std::u16string(text.text), advances = text.advances](DeviceContext& band) {
        ExtTextOutW(HandleOf(band), reference.x, reference.y, options, rect ? &*rect : nullptr, units.data(),
                    UINT(units.size()), advances.data());
    });
    return TRUE;
}

}  // namespace win
