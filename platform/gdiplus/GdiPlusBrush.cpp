#include "platform/gdiplus/GdiPlusBrush.h"

#include "platform/gdiplus/detail/GdiPlusPixels.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace win::gdiplus {

using namespace win::detail;

namespace {

// t folded into 0..1 by the wrap mode; mirrored: the wrap mode flips along this gradient.
double Fold(double t, WrapMode wrap, bool mirrored)
{
    if (wrap == WrapModeClamp) {
        return std::clamp(t, 0.0, 1.0);
    }
    const double tile = std::floor(t);
    const double inside = t - tile;
    const bool odd = std::fmod(std::abs(tile), 2.0) == 1.0;
    return mirrored && odd ? 1 - inside : inside;
}

template <class Value>
Status Put(const GpBrush* brush, Value* out, Value value)
{
    if (const Status status = CheckCall(brush); status != Ok || !out) {
        return status != Ok ? status : InvalidParameter;
    }
    *out = value;
    return Ok;
}

Status NewBrush(GpBrush** out, const GpBrush& value)
{
    if (const Status status = CheckCall(out); status != Ok) {
        return status;
    }
    *out = new (std::nothrow) GpBrush(value);
    return *out ? Ok : OutOfMemory;
}

}  // namespace

ARGB GpBrush::ColorAt(int x, int y) const
{
    if (type == BrushTypeSolidColor) {
        return color;
    }
    const double across = (x + 0.5 - rect.X) / rect.Width;
    const double down = (y + 0.5 - rect.Y) / rect.Height;
    double t = across;
    bool mirrored = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
    switch (mode) {
    case LinearGradientModeHorizontal:
        break;
    case LinearGradientModeVertical:
        t = down;
        mirrored = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
        break;
    case LinearGradientModeForwardDiagonal:
        t = (across + down) / 2;
        break;
    case LinearGradientModeBackwardDiagonal:
        t = (1 - across + down) / 2;
        break;
    }
    t = Fold(t, wrap, mirrored);
    const auto channel = [&](int shift) {
        const double from = ChannelOf(colors[0], shift);
        const double to = ChannelOf(colors[1], shift);
        return static_cast<std::uint32_t>(std::floor(from + (to - from) * t + 0.5));
    };
    return MakePixel(channel(24), channel(16), channel(8), channel(0));
}

Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush)
{
    GpBrush value;
    value.color = color;
    return NewBrush(brush, value);
}

Status GdipSetSolidFillColor(GpSolidFill* brush, ARGB color)
{
    if (const Status status = CheckCall(brush); status != Ok || brush->type != BrushTypeSolidColor) {
        return status != Ok ? status : InvalidParameter;
    }
    brush->color = color;
    return Ok;
}

Status GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color)
{
    if (brush && brush->type != BrushTypeSolidColor) {
        return InvalidParameter;
    }
    return Put(brush, color, brush ? brush->color : 0);
}

Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode, WrapMode wrap,
                                    GpLineGradient** brush)
{
    if (const Status status = CheckCall(rect); status != Ok) {
        return status;
    }
    if (rect->Width <= 0 || rect->Height <= 0) {
        return OutOfMemory;
    }
    if (mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal || wrap < WrapModeTile || wrap > WrapModeClamp) {
        return InvalidParameter;
    }
    GpBrush value;
    value.type = BrushTypeLinearGradient;
    value.rect = *rect;
    value.colors[0] = color1;
    value.colors[1] = color2;
    value.mode = mode;
    value.wrap = wrap;
    return NewBrush(brush, value);
}

Status GdipGetLineRectI(GpLineGradient* brush, GpRect* rect)
{
    return Put(brush, rect, brush ? brush->rect : GpRect{});
}

Status GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2)
{
    if (const Status status = CheckCall(brush); status != Ok || brush->type != BrushTypeLinearGradient) {
        return status != Ok ? status : InvalidParameter;
    }
    brush->colors[0] = color1;
    brush->colors[1] = color2;
    return Ok;
}

Status GdipGetLineColors(GpLineGradient* brush, ARGB* colors)
{
    if (const Status status = CheckCall(brush); status != Ok || !colors) {
        return status != Ok ? status : InvalidParameter;
    }
    colors[0] = brush->colors[0];
    colors[1] = brush->colors[1];
    return Ok;
}

Status GdipSetLineWrapMode(GpLineGradient* brush, WrapMode wrap)
{
    if (const Status status = CheckCall(brush); status != Ok || wrap < WrapModeTile || wrap > WrapModeClamp) {
        return status != Ok ? status : InvalidParameter;
    }
    brush->wrap = wrap;
    return Ok;
}

Status GdipGetLineWrapMode(GpLineGradient* brush, WrapMode* wrap)
{
    return Put(brush, wrap, brush ? brush->wrap : WrapModeTile);
}

Status GdipCloneBrush(GpBrush* brush, GpBrush** clone)
{
    if (const Status status = CheckCall(brush); status != Ok) {
        return status;
    }
    return NewBrush(clone, *brush);
}

Status GdipDeleteBrush(GpBrush* brush)
{
    if (const Status status = CheckCall(brush); status != Ok) {
        return status;
    }
    delete brush;
    return Ok;
}

Status GdipGetBrushType(GpBrush* brush, BrushType* type)
{
    return Put(brush, type, brush ? brush->type : BrushTypeSolidColor);
}

}  // namespace win::gdiplus
