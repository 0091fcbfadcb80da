#include "platform/gdi/Blit.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/Compositing.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/RasterRows.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Stretch.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace win {

using namespace detail;

namespace {

// The destination pixels a blit may change, device coordinates, with the source pixels of each.
struct Mapping {
    Axis across;
    Axis down;
    Region area;
};

Mapping MapOnto(const DeviceContext& target, POINT origin, int width, int height, POINT source, int sourceWidth,
                int sourceHeight, bool box)
{
    Region clip = target.ClipRegion();
    const RECT bounds = clip.Bounds();
    Mapping mapping{MakeAxis(origin.x, width, source.x, sourceWidth, box, bounds.left, bounds.right),
                    MakeAxis(origin.y, height, source.y, sourceHeight, box, bounds.top, bounds.bottom), std::move(clip)};
    mapping.area.Intersect(Region(RECT{mapping.across.start, mapping.down.start, mapping.across.end, mapping.down.end}));
    return mapping;
}

// A copy of its own, so that a blit within one surface reads the pixels as they were.
Surface OwnCopy(const Surface& surface)
{
    Surface copy(surface.Width(), surface.Height());
    for (int y = 0; y < surface.Height(); ++y) {
        std::copy(surface.Row(y), surface.Row(y) + surface.Width(), copy.Row(y));
    }
    return copy;
}

bool IsMonochrome(const DeviceContext& context)
{
    const BitmapObject* bitmap = SelectedBitmap(context);
    return bitmap && bitmap->bitsPerPixel == 1;
}

// What a BitBlt-style call reads: the source context's surface and colours.
std::optional<BlitSource> SourceOf(HDC handle, POINT logical, POINT& surfacePoint)
{
    DeviceContext* context = FindDC(handle);
    if (!context || !context->Target()) {
        return std::nullopt;
    }
    BlitSource source;
    GatherScreen(*context);
    if (BitmapObject* bitmap = SelectedBitmap(*context)) {
        bitmap->Load();
        if (bitmap->bitsPerPixel == 1) {
            source.monochrome = true;
            source.oneColour = bitmap->palette[1];
        }
    }
    source.surface = context->Target();
    source.background = PixelFromColor(context->state.backgroundColor);
    const POINT device = context->ToDevice(logical);
    surfacePoint = POINT{device.x + context->surfaceOrigin.x, device.y + context->surfaceOrigin.y};
    return source;
}

// Extra rules of MaskBlt and TransparentBlt on top of the stretching blit.
struct BlitOptions {
    const BitmapObject* mask = nullptr;
    POINT maskOrigin;
    bool keyed = false;
    std::uint32_t key = 0;
};

// How the source's pixels turn into the target's colours.
ColourChange ColoursOf(const BlitSource& source, const DeviceContext& target)
{
    ColourChange change;
    change.fromMonochrome = source.monochrome;
    change.toMonochrome = IsMonochrome(target);
    change.oneColour = source.oneColour;
    change.sourceBackground = source.background;
    change.text = PixelFromColor(target.state.textColor);
    change.background = PixelFromColor(target.state.backgroundColor);
    return change;
}

// What every row of a blit is drawn with; rows is null without a source, pattern without a brush.
struct RowWork {
    Surface& surface;
    POINT shift;  // the surface pixel of device point (0, 0)
    BYTE fore;
    BYTE back;
    const BlitOptions& options;
    const Axis& across;
    const Axis& down;
    SourceRows* rows;
    const BrushPaint* pattern;
};

// One rectangle (device coordinates) of a blit that copies its source. A row that takes the same source
// rows as the one above copies that; any other goes straight into the destination, unless the source
// row can be copied as it stands.
void CopyRect(const RowWork& work, const RECT& rect)
{
    const int count = rect.right - rect.left;
    for (int row = rect.top; row < rect.bottom; ++row) {
        std::uint32_t* line = work.surface.Row(row + work.shift.y) + work.shift.x + rect.left;
        const auto j = static_cast<std::size_t>(row - work.down.start);
        if (row > rect.top && work.down.first[j] == work.down.first[j - 1] && work.down.last[j] == work.down.last[j - 1]) {
            const std::uint32_t* above = work.surface.Row(row - 1 + work.shift.y) + work.shift.x + rect.left;
            std::copy(above, above + count, line);
            continue;
        }
        const SourceRow from = work.rows->Row(row, rect.left, rect.right, line);
        if (from.pixels != line) {
            std::copy(from.pixels, from.pixels + count, line);
        }
    }
}

struct RowBuffers {
    std::vector<std::uint32_t> source;
    std::vector<std::uint32_t> raw;
    std::vector<std::uint32_t> foreground;
    std::vector<std::uint32_t> background;
};

// One rectangle (device coordinates) of any other blit: each row mixed whole where every pixel takes the
// foreground operation, else mixed both ways and chosen pixel by pixel (the mask's bit, the transparent
// colour, the brush's gaps).
void MixRect(const RowWork& work, const RECT& rect, RowBuffers& buffers)
{
    const BlitOptions& options = work.options;
    const int count = rect.right - rect.left;
    buffers.source.resize(static_cast<std::size_t>(count));
    buffers.raw.resize(options.keyed ? static_cast<std::size_t>(count) : 0);
    std::optional<BrushRows> brush;
    if (work.pattern) {
        brush.emplace(*work.pattern, rect);
    }
    for (int row = rect.top; row < rect.bottom; ++row) {
        std::uint32_t* line = work.surface.Row(row + work.shift.y) + work.shift.x + rect.left;
        const SourceRow from = work.rows ? work.rows->Row(row, rect.left, rect.right, buffers.source.data(),
                                                          options.keyed ? buffers.raw.data() : nullptr)
                                         : SourceRow{};
        const std::uint32_t* brushPixels = brush ? brush->Pixels(row) : nullptr;
        const std::uint8_t* paints = brush ? brush->Paints(row) : nullptr;
        if (!options.mask && !options.keyed && !paints) {
            MixRop3Row(work.fore, brushPixels, from.pixels, line, count);
            continue;
        }
        buffers.foreground.assign(line, line + count);
        MixRop3Row(work.fore, brushPixels, from.pixels, buffers.foreground.data(), count);
        const std::uint32_t* maskRow = nullptr;
        if (options.mask) {
            buffers.background.assign(line, line + count);
            MixRop3Row(work.back, brushPixels, from.pixels, buffers.background.data(), count);
            maskRow = options.mask->surface.Row(options.maskOrigin.y + static_cast<int>(row - work.down.origin)) +
                      options.maskOrigin.x + static_cast<int>(rect.left - work.across.origin);
        }
        if (maskRow && !options.keyed && !paints) {
            // The mask alone chooses: a select the compiler can keep in vector registers.
            const std::uint32_t foreground = options.mask->palette[1];
            for (int k = 0; k < count; ++k) {
                const auto j = static_cast<std::size_t>(k);
                line[k] = (maskRow[k] & 0x00FFFFFF) == foreground ? buffers.foreground[j] : buffers.background[j];
            }
            continue;
        }
        for (int k = 0; k < count; ++k) {
            if ((options.keyed && (from.raw[k] & 0x00FFFFFF) == options.key) || (paints && !paints[k])) {
                continue;
            }
            const bool background = maskRow && (maskRow[k] & 0x00FFFFFF) != options.mask->palette[1];
            line[k] = (background ? buffers.background : buffers.foreground)[static_cast<std::size_t>(k)];
        }
    }
}

void CopyRows(Surface& target, POINT shift, const Region& area, const Surface& source, POINT sourceShift)
{
    for (const RECT& rect : area.Rects()) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            const std::uint32_t* from = source.Row(y + sourceShift.y) + rect.left + sourceShift.x;
            std::copy(from, from + (rect.right - rect.left), target.Row(y + shift.y) + rect.left + shift.x);
        }
    }
}

bool Blit(DeviceContext& target, int x, int y, int width, int height, const BlitSource& source, int sourceX,
          int sourceY, int sourceWidth, int sourceHeight, DWORD rop, const BlitOptions& options)
{
    Surface* surface = target.Target();
    if (!surface) {
        return false;
    }
    const auto fore = static_cast<BYTE>(rop >> 16);
    const auto back = static_cast<BYTE>(options.mask ? rop >> 24 : rop >> 16);
    const bool usesSource = RopUsesSource(fore) || RopUsesSource(back);
    const bool usesPattern = RopUsesPattern(fore) || RopUsesPattern(back);
    if (usesSource && !source.surface) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::unique_ptr<BrushPaint> pattern;
    if (usesPattern) {
        pattern = BrushPaint::Of(target, target.state.brush);
        if (!pattern) {
            return true;  // a null brush paints nothing
        }
    }
    if (!usesSource) {
        sourceWidth = width;
        sourceHeight = height;
    }
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) {
        return true;
    }
    const POINT origin = target.ToDevice(POINT{x, y});
    DrawScope scope(target, SpanRect(origin, width, height), true,
                    RopUsesDestination(fore) || RopUsesDestination(back) || options.keyed || options.mask);
    const POINT shift = target.surfaceOrigin;
    const ColourChange change = usesSource ? ColoursOf(source, target) : ColourChange{};
    const bool oneToOne = sourceWidth == width && sourceHeight == height && width > 0 && height > 0;
    if (fore == 0xCC && back == 0xCC && !options.keyed && !change.Changes() && oneToOne) {
        // A plain copy row by row, without a map of the source pixels.
        Region area = target.ClipRegion();
        area.Intersect(Region(SpanRect(origin, width, height)));
        RECT available = source.surface->Bounds();
        OffsetRect(&available, origin.x - sourceX, origin.y - sourceY);
        area.Intersect(Region(available));
        std::optional<Surface> copy;
        if (source.surface == surface) {
            copy = OwnCopy(*surface);
        }
        CopyRows(*surface, shift, area, copy ? *copy : *source.surface, POINT{sourceX - origin.x, sourceY - origin.y});
        return true;
    }
    const bool box = target.state.stretchMode != COLORONCOLOR;
    auto [across, down, area] = MapOnto(target, origin, width, height, POINT{sourceX, sourceY}, sourceWidth,
                                        sourceHeight, box);
    if (area.IsEmpty()) {
        return true;
    }
    std::optional<Surface> copy;
    const Surface* pixels = source.surface;
    if (usesSource && pixels == surface) {
        copy = OwnCopy(*surface);
        pixels = &*copy;
    }
    if (!usesSource && !options.mask && fore == 0xF0 && CopyBrush(*surface, shift, area, *pattern)) {
        return true;
    }
    std::optional<SourceRows> rows;
    if (usesSource) {
        // Destination pixels whose source lies outside the source's surface are left as they are.
        const auto [left, right] = across.Reaching(pixels->Width());
        const auto [top, bottom] = down.Reaching(pixels->Height());
        area.Intersect(Region(RECT{left, top, right, bottom}));
        rows.emplace(*pixels, across, down, change, target.state.stretchMode);
    }
    const RowWork work{*surface, shift, fore, back, options, across, down, rows ? &*rows : nullptr, pattern.get()};
    const bool copies = fore == 0xCC && back == 0xCC && !options.keyed;
    RowBuffers buffers;
    for (const RECT& rect : area.Rects()) {
        if (copies) {
            CopyRect(work, rect);
        } else {
            MixRect(work, rect, buffers);
        }
    }
    return true;
}

// Runs a blit from a source context onto a raster target; the answer is the blit's.
template <class Work>
BOOL WithSource(DeviceContext& target, HDC source, int sourceX, int sourceY, Work work)
{
    POINT surfacePoint;
    const std::optional<BlitSource> from = SourceOf(source, POINT{sourceX, sourceY}, surfacePoint);
    if (!from) {
        return FALSE;
    }
    return work(target, *from, surfacePoint) ? TRUE : FALSE;
}

std::uint32_t GradientChannel(COLOR16 from, COLOR16 to, std::int64_t step, std::int64_t steps)
{
    const std::int64_t value = from + (static_cast<std::int64_t>(to) - from) * step / steps;
    return static_cast<std::uint32_t>(value >> 8) & 0xFF;
}

void FillGradientRect(DeviceContext& context, const TRIVERTEX& first, const TRIVERTEX& second, bool vertical, bool keepAlpha)
{
    const POINT a = context.ToDevice(POINT{first.x, first.y});
    const POINT b = context.ToDevice(POINT{second.x, second.y});
    const RECT rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    // The colours go with the vertices' order along the shading axis.
    const bool swapped = vertical ? a.y > b.y : a.x > b.x;
    const TRIVERTEX& start = swapped ? second : first;
    const TRIVERTEX& end = swapped ? first : second;
    Region area(rect);
    area.Intersect(context.ClipRegion());
    Surface* surface = context.Target();
    const POINT shift = context.surfaceOrigin;
    const std::int64_t steps = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    for (const RECT& part : area.Rects()) {
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* line = surface->Row(y + shift.y) + shift.x;
            for (int x = part.left; x < part.right; ++x) {
                const std::int64_t step = vertical ? y - rect.top : x - rect.left;
                const std::uint32_t alpha = keepAlpha ? GradientChannel(start.Alpha, end.Alpha, step, steps) << 24 : 0;
                line[x] = alpha | GradientChannel(start.Red, end.Red, step, steps) << 16 |
                          GradientChannel(start.Green, end.Green, step, steps) << 8 |
                          GradientChannel(start.Blue, end.Blue, step, steps);
            }
        }
    }
}

void FillGradientTriangle(DeviceContext& context, const TRIVERTEX* corner[3], bool keepAlpha)
{
    POINT points[3];
    for (int k = 0; k < 3; ++k) {
        points[k] = context.ToDevice(POINT{corner[k]->x, corner[k]->y});
    }
    const double area2 = static_cast<double>(points[1].x - points[0].x) * (points[2].y - points[0].y) -
                         static_cast<double>(points[2].x - points[0].x) * (points[1].y - points[0].y);
    if (area2 == 0) {
        return;
    }
    const int count = 3;
    Region region = Region::Polygons(points, &count, 1, ALTERNATE);
    region.Intersect(context.ClipRegion());
    Surface* surface = context.Target();
    const POINT shift = context.surfaceOrigin;
    for (const RECT& part : region.Rects()) {
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* line = surface->Row(y + shift.y) + shift.x;
            for (int x = part.left; x < part.right; ++x) {
                // Barycentric weights of the pixel's point.
                double weight[3];
                weight[0] = (static_cast<double>(points[1].x - x) * (points[2].y - y) -
                             static_cast<double>(points[2].x - x) * (points[1].y - y)) / area2;
                weight[1] = (static_cast<double>(points[2].x - x) * (points[0].y - y) -
                             static_cast<double>(points[0].x - x) * (points[2].y - y)) / area2;
                weight[2] = 1 - weight[0] - weight[1];
                std::uint32_t pixel = 0;
                const auto channel = [&](COLOR16 TRIVERTEX::*member, int shiftBits) {
                    double value = 0;
                    for (int k = 0; k < 3; ++k) {
                        value += std::clamp(weight[k], 0.0, 1.0) * (corner[k]->*member);
                    }
                    pixel |= (static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 65535L)) >> 8) << shiftBits;
                };
                channel(&TRIVERTEX::Red, 16);
                channel(&TRIVERTEX::Green, 8);
                channel(&TRIVERTEX::Blue, 0);
                if (keepAlpha) {
                    channel(&TRIVERTEX::Alpha, 24);
                }
                line[x] = pixel;
            }
        }
    }
}

}  // namespace

bool detail::StretchSurface(DeviceContext& target, int x, int y, int width, int height, const BlitSource& source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, DWORD rop)
{
    return Blit(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop, BlitOptions{});
}

namespace {

BOOL DeviceBlit(HDC destination, BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    return WithDC(destination, FALSE, [&](DeviceContext& context) {
        return context.Drawing().Blit(context, kind, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                                      sourceHeight, rop);
    });
}

}  // namespace

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    if (!RopUsesSource(static_cast<BYTE>(rop >> 16))) {
        return PatBlt(destination, x, y, width, height, rop);
    }
    return DeviceBlit(destination, BlitKind::BitBlt, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    if (!RopUsesSource(static_cast<BYTE>(rop >> 16))) {
        return PatBlt(destination, x, y, width, height, rop);
    }
    return DeviceBlit(destination, BlitKind::StretchBlt, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                      sourceHeight, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    if (RopUsesSource(static_cast<BYTE>(rop >> 16))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) { return context.Drawing().PatBlt(context, x, y, width, height, rop); });
}

BOOL MaskBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
             HBITMAP mask, int maskX, int maskY, DWORD rop)
{
    if (!mask) {
        return BitBlt(destination, x, y, width, height, source, sourceX, sourceY, rop & 0x00FFFFFF);
    }
    return WithDC(destination, FALSE, [&](DeviceContext& context) {
        BitmapObject* bitmap = FindBitmap(mask);
        if (!FindDC(source) || !bitmap || bitmap->bitsPerPixel != 1 || width < 0 || height < 0 || maskX < 0 ||
            maskY < 0 || std::int64_t{maskX} + width > bitmap->Width() ||
            std::int64_t{maskY} + height > bitmap->Height()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return context.Drawing().MaskBlt(context, x, y, width, height, source, sourceX, sourceY, *bitmap,
                                         POINT{maskX, maskY}, rop);
    });
}

BOOL TransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparent)
{
    if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return DeviceBlit(destination, BlitKind::TransparentBlt, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                      sourceHeight, transparent);
}

BOOL AlphaBlend(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0 || blend.BlendOp != AC_SRC_OVER) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD packed = blend.BlendOp | (DWORD{blend.BlendFlags} << 8) | (DWORD{blend.SourceConstantAlpha} << 16) |
                         (DWORD{blend.AlphaFormat} << 24);
    return DeviceBlit(destination, BlitKind::AlphaBlend, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                      sourceHeight, packed);
}

BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode)
{
    if (!vertices || !mesh || mode > GRADIENT_FILL_TRIANGLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Every index is checked before anything is drawn.
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (ULONG k = 0; k < meshCount; ++k) {
        const bool valid = mode == GRADIENT_FILL_TRIANGLE
                               ? triangles[k].Vertex1 < vertexCount && triangles[k].Vertex2 < vertexCount &&
                                     triangles[k].Vertex3 < vertexCount
                               : rects[k].UpperLeft < vertexCount && rects[k].LowerRight < vertexCount;
        if (!valid) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().GradientFill(context, vertices, vertexCount, mesh, meshCount, mode);
    });
}

// The raster device's blits.

namespace {

// Blends the source's premultiplied pixels over one rectangle (device coordinates) with pixman: straight
// from the source (its pixel sourceAt under the rectangle's first), or from its stretched rows a band at
// a time, small enough to stay in the cache.
void BlendPremultiplied(Surface& surface, POINT shift, const RECT& rect, const Surface& source, POINT sourceAt,
                        SourceRows* stretched, BYTE constant, std::vector<std::uint32_t>& buffer)
{
    RECT onSurface = rect;
    OffsetRect(&onSurface, shift.x, shift.y);
    if (!stretched) {
        BlendOver(surface, onSurface, source, sourceAt, constant);
        return;
    }
    const int count = rect.right - rect.left;
    const int band = std::max(1, std::min(rect.bottom - rect.top, 16384 / count));
    buffer.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(band));
    for (int bandTop = rect.top; bandTop < rect.bottom; bandTop += band) {
        const int bandBottom = std::min(rect.bottom, bandTop + band);
        Surface rowsOfBand(count, bandBottom - bandTop, buffer.data(), count);
        for (int row = bandTop; row < bandBottom; ++row) {
            std::uint32_t* line = rowsOfBand.Row(row - bandTop);
            const SourceRow from = stretched->Row(row, rect.left, rect.right, line);
            if (from.pixels != line) {
                std::copy(from.pixels, from.pixels + count, line);
            }
        }
        const RECT part{onSurface.left, bandTop + shift.y, onSurface.right, bandBottom + shift.y};
        BlendOver(surface, part, rowsOfBand, POINT{0, 0}, constant);
    }
}

// Mixes the source's pixels into one rectangle (device coordinates) with a constant alpha.
void BlendConstant(Surface& surface, POINT shift, const RECT& rect, SourceRows& rows, BYTE constant,
                   std::vector<std::uint32_t>& buffer)
{
    const int count = rect.right - rect.left;
    buffer.resize(static_cast<std::size_t>(count));
    for (int row = rect.top; row < rect.bottom; ++row) {
        std::uint32_t* line = surface.Row(row + shift.y) + shift.x + rect.left;
        BlendConstantRow(rows.Row(row, rect.left, rect.right, buffer.data()).pixels, line, count, constant);
    }
}

BOOL RasterTransparentBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX,
                          int sourceY, int sourceWidth, int sourceHeight, UINT transparent)
{
    return WithSource(context, source, sourceX, sourceY, [&](DeviceContext& target, const BlitSource& from, POINT at) {
        BlitOptions options;
        options.keyed = true;
        options.key = PixelFromColor(transparent & 0x00FFFFFF);
        const int mode = std::exchange(target.state.stretchMode, COLORONCOLOR);
        const bool done = Blit(target, x, y, width, height, from, at.x, at.y, sourceWidth, sourceHeight, SRCCOPY, options);
        target.state.stretchMode = mode;
        return done;
    });
}

BOOL RasterAlphaBlend(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    return WithSource(context, source, sourceX, sourceY, [&](DeviceContext& target, const BlitSource& from, POINT at) {
        const Surface& pixels = *from.surface;
        if (at.x < 0 || at.y < 0 || std::int64_t{at.x} + sourceWidth > pixels.Width() ||
            std::int64_t{at.y} + sourceHeight > pixels.Height()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        Surface* surface = target.Target();
        if (!surface) {
            return false;
        }
        if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) {
            return true;
        }
        const POINT origin = target.ToDevice(POINT{x, y});
        DrawScope scope(target, SpanRect(origin, width, height));
        const auto [across, down, area] = MapOnto(target, origin, width, height, at, sourceWidth, sourceHeight, false);
        std::optional<Surface> copy;
        const Surface* read = &pixels;
        if (read == surface) {
            copy = OwnCopy(pixels);
            read = &*copy;
        }
        // Blending on a bitmap keeps its alpha; a window's pixels carry none.
        const bool keepAlpha = SelectedBitmap(target) != nullptr;
        const ColourChange none;
        SourceRows rows(*read, across, down, none, COLORONCOLOR);
        const bool stretched = sourceWidth != width || sourceHeight != height;
        std::vector<std::uint32_t> buffer;
        for (const RECT& rect : area.Rects()) {
            if (blend.AlphaFormat & AC_SRC_ALPHA) {
                const POINT sourceAt{across.first[static_cast<std::size_t>(rect.left - across.start)],
                                     down.first[static_cast<std::size_t>(rect.top - down.start)]};
                BlendPremultiplied(*surface, target.surfaceOrigin, rect, *read, sourceAt, stretched ? &rows : nullptr,
                                   blend.SourceConstantAlpha, buffer);
            } else {
                BlendConstant(*surface, target.surfaceOrigin, rect, rows, blend.SourceConstantAlpha, buffer);
            }
            if (!keepAlpha) {
                for (int row = rect.top; row < rect.bottom; ++row) {
                    ClearTopBytes(surface->Row(row + target.surfaceOrigin.y) + target.surfaceOrigin.x + rect.left,
                                  rect.right - rect.left);
                }
            }
        }
        return true;
    });
}

}  // namespace

BOOL RasterDevice::Blit(DeviceContext& context, BlitKind kind, int x, int y, int width, int height, HDC source,
                        int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop)
{
    switch (kind) {
    case BlitKind::TransparentBlt:
        return RasterTransparentBlt(context, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop);
    case BlitKind::AlphaBlend: {
        BLENDFUNCTION blend;
        blend.BlendOp = static_cast<BYTE>(rop);
        blend.BlendFlags = static_cast<BYTE>(rop >> 8);
        blend.SourceConstantAlpha = static_cast<BYTE>(rop >> 16);
        blend.AlphaFormat = static_cast<BYTE>(rop >> 24);
        return RasterAlphaBlend(context, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend);
    }
    case BlitKind::BitBlt:
    case BlitKind::StretchBlt:
        break;
    }
    return WithSource(context, source, sourceX, sourceY, [&](DeviceContext& target, const BlitSource& from, POINT at) {
        return ::win::Blit(target, x, y, width, height, from, at.x, at.y, sourceWidth, sourceHeight, rop, BlitOptions{});
    });
}

BOOL RasterDevice::MaskBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, BitmapObject& mask, POINT maskOrigin, DWORD rop)
{
    return WithSource(context, source, sourceX, sourceY, [&](DeviceContext& target, const BlitSource& from, POINT at) {
        mask.Load();
        BlitOptions options;
        options.mask = &mask;
        options.maskOrigin = maskOrigin;
        return ::win::Blit(target, x, y, width, height, from, at.x, at.y, width, height, rop, options);
    });
}

BOOL RasterDevice::PatBlt(DeviceContext& context, int x, int y, int width, int height, DWORD rop)
{
    return ::win::Blit(context, x, y, width, height, BlitSource{}, 0, 0, width, height, rop, BlitOptions{}) ? TRUE : FALSE;
}

BOOL RasterDevice::GradientFill(DeviceContext& context, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                                ULONG meshCount, ULONG mode)
{
    if (!context.Target()) {
        return FALSE;
    }
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    std::vector<POINT> corners;
    for (ULONG k = 0; k < vertexCount; ++k) {
        corners.push_back(context.ToDevice(POINT{vertices[k].x, vertices[k].y}));
    }
    DrawScope scope(context, PointsBounds(corners), true, false);
    const bool keepAlpha = SelectedBitmap(context) != nullptr;
    for (ULONG k = 0; k < meshCount; ++k) {
        if (mode == GRADIENT_FILL_TRIANGLE) {
            const TRIVERTEX* corner[3] = {&vertices[triangles[k].Vertex1], &vertices[triangles[k].Vertex2],
                                          &vertices[triangles[k].Vertex3]};
            FillGradientTriangle(context, corner, keepAlpha);
        } else {
            FillGradientRect(context, vertices[rects[k].UpperLeft], vertices[rects[k].LowerRight],
                             mode == GRADIENT_FILL_RECT_V, keepAlpha);
        }
    }
    return TRUE;
}

}  // namespace win
