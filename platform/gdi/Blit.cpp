#include "platform/gdi/Blit.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace win {

using namespace detail;

namespace {

// For each destination pixel along one axis that lies in [low, high), the source pixels it takes:
// [first, last). Only the pixels in that span are listed, so that an extent far beyond the clip costs
// nothing.
struct Axis {
    std::int64_t origin = 0;  // the destination's first pixel, device coordinates
    int start = 0;  // the first pixel listed
    int end = 0;
    std::vector<int> first;  // indexed by pixel - start
    std::vector<int> last;
};

Axis MakeAxis(int destination, int destinationExtent, int source, int sourceExtent, bool box, int low, int high)
{
    const std::int64_t count = std::abs(std::int64_t{destinationExtent});
    const std::int64_t sourceCount = std::abs(std::int64_t{sourceExtent});
    const std::int64_t sourceStart = sourceExtent < 0 ? std::int64_t{source} + sourceExtent : source;
    const bool mirror = (destinationExtent < 0) != (sourceExtent < 0);
    Axis axis;
    axis.origin = destinationExtent < 0 ? std::int64_t{destination} + destinationExtent : destination;
    axis.start = static_cast<int>(std::clamp<std::int64_t>(axis.origin, low, std::max(low, high)));
    axis.end = static_cast<int>(std::clamp<std::int64_t>(axis.origin + count, axis.start, std::max(low, high)));
    axis.first.reserve(static_cast<std::size_t>(axis.end - axis.start));
    axis.last.reserve(static_cast<std::size_t>(axis.end - axis.start));
    for (std::int64_t pixel = axis.start; pixel < axis.end; ++pixel) {
        const std::int64_t k = pixel - axis.origin;
        const std::int64_t i = mirror ? count - 1 - k : k;
        std::int64_t first = 0;
        std::int64_t last = 0;
        if (box && sourceCount > count) {
            first = i * sourceCount / count;
            last = std::max((i + 1) * sourceCount / count, first + 1);
        } else {
            first = (2 * i + 1) * sourceCount / (2 * count);
            last = first + 1;
        }
        axis.first.push_back(static_cast<int>(sourceStart + first));
        axis.last.push_back(static_cast<int>(sourceStart + last));
    }
    return axis;
}

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

class SourceSampler {
public:
    SourceSampler(const BlitSource& source, const Surface& pixels, const DeviceContext& target, int stretchMode)
        : source_(source), pixels_(pixels), destinationMonochrome_(IsMonochrome(target)),
          text_(PixelFromColor(target.state.textColor)), background_(PixelFromColor(target.state.backgroundColor)),
          mode_(stretchMode)
    {
    }

    bool Converts() const { return source_.monochrome != destinationMonochrome_; }

    std::uint32_t Convert(std::uint32_t pixel) const
    {
        if (source_.monochrome && !destinationMonochrome_) {
            return (pixel & 0x00FFFFFF) == source_.oneColour ? background_ : text_;
        }
        if (destinationMonochrome_ && !source_.monochrome) {
            return (pixel & 0x00FFFFFF) == source_.background ? 0x00FFFFFF : 0;
        }
        return pixel;
    }

    // The source pixel for the source ranges, with the raw pixel of the first; false when none lies on
    // the surface.
    bool Sample(int x0, int x1, int y0, int y1, std::uint32_t& pixel, std::uint32_t& raw) const
    {
        x0 = std::max(x0, 0);
        y0 = std::max(y0, 0);
        x1 = std::min(x1, pixels_.Width());
        y1 = std::min(y1, pixels_.Height());
        if (x0 >= x1 || y0 >= y1) {
            return false;
        }
        raw = pixels_.Pixel(x0, y0);
        if (x1 - x0 == 1 && y1 - y0 == 1) {
            pixel = Convert(raw);
            return true;
        }
        if (mode_ == HALFTONE) {
            std::uint32_t sums[4] = {0, 0, 0, 0};
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const std::uint32_t value = Convert(pixels_.Pixel(x, y));
                    for (int channel = 0; channel < 4; ++channel) {
                        sums[channel] += value >> (channel * 8) & 0xFF;
                    }
                }
            }
            const auto count = static_cast<std::uint32_t>((x1 - x0) * (y1 - y0));
            pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                pixel |= ((sums[channel] + count / 2) / count) << (channel * 8);
            }
            return true;
        }
        const bool combineAnd = mode_ == BLACKONWHITE;
        pixel = combineAnd ? 0xFFFFFFFF : 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t value = Convert(pixels_.Pixel(x, y));
                pixel = combineAnd ? pixel & value : pixel | value;
            }
        }
        return true;
    }

private:
    const BlitSource& source_;
    const Surface& pixels_;
    bool destinationMonochrome_;
    std::uint32_t text_;
    std::uint32_t background_;
    int mode_;
};

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
    const POINT shift = target.surfaceOrigin;
    const Surface empty(0, 0);
    const SourceSampler sampler(source, pixels ? *pixels : empty, target, target.state.stretchMode);

    const bool oneToOne = sourceWidth == width && sourceHeight == height && width > 0 && height > 0;
    if (fore == 0xCC && back == 0xCC && !options.keyed && !sampler.Converts() && oneToOne) {
        RECT available = pixels->Bounds();
        OffsetRect(&available, origin.x - sourceX, origin.y - sourceY);
        area.Intersect(Region(available));
        CopyRows(*surface, shift, area, *pixels, POINT{sourceX - origin.x, sourceY - origin.y});
        return true;
    }
    for (const RECT& rect : area.Rects()) {
        for (int row = rect.top; row < rect.bottom; ++row) {
            const auto j = static_cast<std::size_t>(row - down.start);
            std::uint32_t* line = surface->Row(row + shift.y) + shift.x;
            for (int column = rect.left; column < rect.right; ++column) {
                const auto i = static_cast<std::size_t>(column - across.start);
                std::uint32_t sourcePixel = 0;
                std::uint32_t raw = 0;
                if (usesSource && !sampler.Sample(across.first[i], across.last[i], down.first[j], down.last[j],
                                                  sourcePixel, raw)) {
                    continue;
                }
                if (options.keyed && (raw & 0x00FFFFFF) == options.key) {
                    continue;
                }
                std::uint32_t patternPixel = 0;
                if (pattern && !pattern->At(column, row, patternPixel)) {
                    continue;
                }
                BYTE code = fore;
                if (options.mask) {
                    const std::uint32_t bit =
                        options.mask->surface.Pixel(options.maskOrigin.x + static_cast<int>(column - across.origin),
                                                    options.maskOrigin.y + static_cast<int>(row - down.origin));
                    code = (bit & 0x00FFFFFF) == options.mask->palette[1] ? fore : back;
                }
                line[column] = code == 0xCC ? sourcePixel : MixRop3(code, patternPixel, sourcePixel, line[column]);
            }
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

// Rounds value / 255 to the nearest, exactly for 0 .. 255 * 255.
constexpr std::uint32_t Divide255(std::uint32_t value)
{
    const std::uint32_t rounded = value + 128;
    return (rounded + (rounded >> 8)) >> 8;
}

std::uint32_t BlendPixel(std::uint32_t source, std::uint32_t destination, BLENDFUNCTION blend, bool keepAlpha)
{
    const std::uint32_t constant = blend.SourceConstantAlpha;
    std::uint32_t result = 0;
    if (blend.AlphaFormat & AC_SRC_ALPHA) {
        const std::uint32_t alpha =
            constant == 255 ? source >> 24 : Divide255((source >> 24) * constant);
        for (int channel = 0; channel < 4; ++channel) {
            const std::uint32_t s = source >> (channel * 8) & 0xFF;
            const std::uint32_t d = destination >> (channel * 8) & 0xFF;
            const std::uint32_t scaled = constant == 255 ? s : Divide255(s * constant);
            result |= std::min<std::uint32_t>(scaled + Divide255(d * (255 - alpha)), 255) << (channel * 8);
        }
    } else {
        for (int channel = 0; channel < 4; ++channel) {
            const std::uint32_t s = source >> (channel * 8) & 0xFF;
            const std::uint32_t d = destination >> (channel * 8) & 0xFF;
            result |= Divide255(s * constant + d * (255 - constant)) << (channel * 8);
        }
    }
    return keepAlpha ? result : result & 0x00FFFFFF;
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
        const bool keepAlpha = SelectedBitmap(target) != nullptr;
        const POINT shift = target.surfaceOrigin;
        for (const RECT& rect : area.Rects()) {
            for (int row = rect.top; row < rect.bottom; ++row) {
                const std::uint32_t* sourceLine = read->Row(down.first[static_cast<std::size_t>(row - down.start)]);
                std::uint32_t* line = surface->Row(row + shift.y) + shift.x;
                for (int column = rect.left; column < rect.right; ++column) {
                    const std::uint32_t value = sourceLine[across.first[static_cast<std::size_t>(column - across.start)]];
                    line[column] = BlendPixel(value, line[column], blend, keepAlpha);
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
