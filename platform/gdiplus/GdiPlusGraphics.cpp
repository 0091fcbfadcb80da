#include "platform/gdiplus/GdiPlusGraphics.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdiplus/detail/GdiPlusPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace win::gdiplus {

using namespace win::detail;

namespace {

template <class Value>
Status GetField(const GpGraphics* graphics, Value* out, Value GpGraphics::*field)
{
    if (const Status status = CheckCall(graphics); status != Ok || !out) {
        return status != Ok ? status : InvalidParameter;
    }
    *out = graphics->*field;
    return Ok;
}

template <class Value>
Status Set(GpGraphics* graphics, Value value, Value GpGraphics::*field, bool valid)
{
    if (const Status status = CheckCall(graphics); status != Ok || !valid) {
        return status != Ok ? status : InvalidParameter;
    }
    graphics->*field = value;
    return Ok;
}

// Draws shade(x, y), a premultiplied colour, at every pixel of area (graphics coordinates; none: every
// pixel the graphics may draw) that the target lets through.
template <class Shade>
Status Compose(GpGraphics& graphics, const std::optional<Region>& area, Shade shade)
{
    const bool copy = graphics.compositing == CompositingModeSourceCopy;
    if (GpBitmap* bitmap = graphics.bitmap) {
        if (bitmap->locked) {
            return WrongState;
        }
        Region clipped(RECT{0, 0, bitmap->Width(), bitmap->Height()});
        if (area) {
            clipped.Intersect(*area);
        }
        for (const RECT& rect : clipped.Rects()) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                for (int x = rect.left; x < rect.right; ++x) {
                    const std::uint32_t source = shade(x, y);
                    bitmap->SetPremultiplied(x, y, copy ? source : SourceOver(source, bitmap->Premultiplied(x, y)));
                }
            }
        }
        return Ok;
    }
    auto lock = LockGdi();
    DeviceContext* context = FindDC(graphics.dc);
    if (!context) {
        return InvalidParameter;
    }
    const POINT shift = context->ToDevice(POINT{0, 0});
    Region device = context->ClipRegion();
    if (area) {
        Region logical = *area;
        logical.Offset(shift.x, shift.y);
        device.Intersect(logical);
    }
    for (const RECT& rect : device.Rects()) {
        PaintClipped(*context, rect, [&](std::uint32_t& pixel, int x, int y) {
            const std::uint32_t source = shade(x - shift.x, y - shift.y);
            pixel = (copy ? source : SourceOver(source, pixel | 0xFF000000)) & 0x00FFFFFF;
        });
    }
    return Ok;
}

int StampSize(const GpPen& pen) { return std::max(1, static_cast<int>(std::lround(pen.width))); }

RECT Stamp(int x, int y, int size)
{
    const int left = x - (size - 1) / 2;
    const int top = y - (size - 1) / 2;
    return RECT{left, top, left + size, top + size};
}

Status Stroke(GpGraphics* graphics, GpPen* pen, const std::vector<RECT>& stamps)
{
    if (const Status status = CheckCall(graphics); status != Ok || !pen) {
        return status != Ok ? status : InvalidParameter;
    }
    return Compose(*graphics, Region(stamps), [&](int x, int y) { return Premultiply(pen->fill.ColorAt(x, y)); });
}

// The four pixels around a point in the pixel-centre convention, weighted in 1/256 steps.
std::uint32_t Bilinear(const GpBitmap& image, double u, double v)
{
    const double left = std::floor(u - 0.5);
    const double top = std::floor(v - 0.5);
    const auto fx = static_cast<std::uint64_t>(std::lround((u - 0.5 - left) * 256));
    const auto fy = static_cast<std::uint64_t>(std::lround((v - 0.5 - top) * 256));
    const std::uint64_t wx[2] = {256 - fx, fx};
    const std::uint64_t wy[2] = {256 - fy, fy};
    std::uint64_t sums[4] = {0, 0, 0, 0};
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            const double x = left + i;
            const double y = top + j;
            if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) {
                continue;
            }
            const std::uint32_t pixel = image.Premultiplied(static_cast<int>(x), static_cast<int>(y));
            for (int c = 0; c < 4; ++c) {
                sums[c] += ChannelOf(pixel, 24 - 8 * c) * wx[i] * wy[j];
            }
        }
    }
    const auto channel = [&](int c) { return static_cast<std::uint32_t>((sums[c] + 32768) >> 16); };
    return MakePixel(channel(0), channel(1), channel(2), channel(3));
}

std::uint32_t Nearest(const GpBitmap& image, double u, double v)
{
    const auto pick = [](double value, int size) {
        return static_cast<int>(std::clamp(std::floor(value), 0.0, static_cast<double>(size - 1)));
    };
    return image.Premultiplied(pick(u, image.Width()), pick(v, image.Height()));
}

}  // namespace

Status GdipCreateFromHDC(HDC dc, GpGraphics** graphics)
{
    if (const Status status = CheckCall(graphics); status != Ok) {
        return status;
    }
    {
        auto lock = LockGdi();
        if (!FindDC(dc)) {
            return InvalidParameter;
        }
    }
    *graphics = new (std::nothrow) GpGraphics{};
    if (!*graphics) {
        return OutOfMemory;
    }
    (*graphics)->dc = dc;
    return Ok;
}

Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics)
{
    if (const Status status = CheckCall(image); status != Ok || !graphics) {
        return status != Ok ? status : InvalidParameter;
    }
    *graphics = new (std::nothrow) GpGraphics{};
    if (!*graphics) {
        return OutOfMemory;
    }
    (*graphics)->bitmap = image;
    return Ok;
}

Status GdipDeleteGraphics(GpGraphics* graphics)
{
    if (const Status status = CheckCall(graphics); status != Ok) {
        return status;
    }
    delete graphics;
    return Ok;
}

Status GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode)
{
    const bool valid = mode >= InterpolationModeDefault && mode <= InterpolationModeHighQualityBicubic;
    return Set(graphics, mode, &GpGraphics::interpolation, valid);
}

Status GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode)
{
    return GetField(graphics, mode, &GpGraphics::interpolation);
}

Status GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode)
{
    const bool valid = mode == CompositingModeSourceOver || mode == CompositingModeSourceCopy;
    return Set(graphics, mode, &GpGraphics::compositing, valid);
}

Status GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode)
{
    return GetField(graphics, mode, &GpGraphics::compositing);
}

Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality)
{
    const bool valid = quality >= CompositingQualityDefault && quality <= CompositingQualityAssumeLinear;
    return Set(graphics, quality, &GpGraphics::quality, valid);
}

Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality)
{
    return GetField(graphics, quality, &GpGraphics::quality);
}

Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode)
{
    const bool valid = mode >= SmoothingModeDefault && mode <= SmoothingModeAntiAlias;
    return Set(graphics, mode, &GpGraphics::smoothing, valid);
}

Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode)
{
    return GetField(graphics, mode, &GpGraphics::smoothing);
}

Status GdipGraphicsClear(GpGraphics* graphics, ARGB color)
{
    if (const Status status = CheckCall(graphics); status != Ok) {
        return status;
    }
    const CompositingMode mode = std::exchange(graphics->compositing, CompositingModeSourceCopy);
    const std::uint32_t pixel = Premultiply(color);
    const Status status = Compose(*graphics, std::nullopt, [pixel](int, int) { return pixel; });
    graphics->compositing = mode;
    return status;
}

Status GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, int x, int y, int width, int height)
{
    if (const Status status = CheckCall(graphics); status != Ok || !brush) {
        return status != Ok ? status : InvalidParameter;
    }
    const Region area(RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)});
    return Compose(*graphics, area, [brush](int px, int py) { return Premultiply(brush->ColorAt(px, py)); });
}

Status GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, int x, int y, int width, int height)
{
    if (!pen || width < 0 || height < 0) {
        return Stroke(graphics, pen, {});
    }
    const int s = StampSize(*pen);
    const int right = x + width;
    const int bottom = y + height;
    std::vector<RECT> sides;
    if (pen->alignment == PenAlignmentInset) {
        sides = {RECT{x, y, right + 1, y + s}, RECT{x, bottom + 1 - s, right + 1, bottom + 1}, RECT{x, y, x + s, bottom + 1},
                 RECT{right + 1 - s, y, right + 1, bottom + 1}};
    } else {
        const RECT topLeft = Stamp(x, y, s);
        const RECT bottomRight = Stamp(right, bottom, s);
        sides = {RECT{topLeft.left, topLeft.top, bottomRight.right, topLeft.bottom},
                 RECT{topLeft.left, bottomRight.top, bottomRight.right, bottomRight.bottom},
                 RECT{topLeft.left, topLeft.top, topLeft.right, bottomRight.bottom},
                 RECT{bottomRight.left, topLeft.top, bottomRight.right, bottomRight.bottom}};
    }
    return Stroke(graphics, pen, sides);
}

Status GdipDrawLineI(GpGraphics* graphics, GpPen* pen, int x1, int y1, int x2, int y2)
{
    if (!pen) {
        return Stroke(graphics, pen, {});
    }
    const int s = StampSize(*pen);
    std::vector<RECT> stamps;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (int x = x1, y = y1;;) {
        stamps.push_back(Stamp(x, y, s));
        if (x == x2 && y == y2) {
            break;
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
    return Stroke(graphics, pen, stamps);
}

Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx, REAL sy, REAL sw,
                             REAL sh, GpUnit unit, const void* attributes, void* callback, void* data)
{
    if (const Status status = CheckCall(graphics); status != Ok || !image) {
        return status != Ok ? status : InvalidParameter;
    }
    if (unit != UnitPixel || attributes || callback || data) {
        return InvalidParameter;
    }
    if (image->locked) {
        return WrongState;
    }
    if (!(dw > 0 && dh > 0 && sw > 0 && sh > 0)) {
        return Ok;
    }
    // Drawing an image onto itself reads the pixels as they were.
    std::optional<GpBitmap> before;
    if (image == graphics->bitmap) {
        before.emplace(*image);
    }
    const GpBitmap& source = before ? *before : *image;
    const auto first = [](double start) { return static_cast<int>(std::ceil(start - 0.5)); };
    const Region area(RECT{first(dx), first(dy), first(double{dx} + dw), first(double{dy} + dh)});
    const bool nearest = graphics->interpolation == InterpolationModeNearestNeighbor;
    const double scaleX = double{sw} / dw;
    const double scaleY = double{sh} / dh;
    return Compose(*graphics, area, [&](int x, int y) {
        const double u = sx + (x + 0.5 - dx) * scaleX;
        const double v = sy + (y + 0.5 - dy) * scaleY;
        return nearest ? Nearest(source, u, v) : Bilinear(source, u, v);
    });
}

Status GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                              GpUnit unit, const void* attributes, void* callback, void* data)
{
    return GdipDrawImageRectRect(graphics, image, static_cast<REAL>(dx), static_cast<REAL>(dy), static_cast<REAL>(dw),
                                 static_cast<REAL>(dh), static_cast<REAL>(sx), static_cast<REAL>(sy), static_cast<REAL>(sw),
                                 static_cast<REAL>(sh), unit, attributes, callback, data);
}

Status GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, int x, int y, int width, int height)
{
    if (const Status status = CheckCall(image); status != Ok) {
        return status;
    }
    return GdipDrawImageRectRectI(graphics, image, x, y, width, height, 0, 0, image->Width(), image->Height(), UnitPixel);
}

Status GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL sx, REAL sy, REAL sw, REAL sh, GpUnit unit)
{
    return GdipDrawImageRectRect(graphics, image, x, y, sw, sh, sx, sy, sw, sh, unit);
}

}  // namespace win::gdiplus
