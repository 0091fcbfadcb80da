#include "platform/gdiplus/GdiPlusPen.h"

#include <new>

namespace win::gdiplus {

namespace {

Status NewPen(GpPen** out, const GpPen& value)
{
    if (const Status status = CheckCall(out); status != Ok) {
        return status;
    }
    *out = new (std::nothrow) GpPen(value);
    return *out ? Ok : OutOfMemory;
}

bool ValidUnit(GpUnit unit) { return unit == UnitWorld || unit == UnitPixel; }

}  // namespace

Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen)
{
    if (!ValidUnit(unit) || width < 0) {
        return GdiPlusStarted() ? InvalidParameter : GdiplusNotInitialized;
    }
    GpPen value;
    value.fill.color = color;
    value.width = width;
    return NewPen(pen, value);
}

Status GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen)
{
    if (const Status status = CheckCall(brush); status != Ok || !ValidUnit(unit) || width < 0) {
        return status != Ok ? status : InvalidParameter;
    }
    GpPen value;
    value.fill = *brush;
    value.width = width;
    return NewPen(pen, value);
}

Status GdipClonePen(GpPen* pen, GpPen** clone)
{
    if (const Status status = CheckCall(pen); status != Ok) {
        return status;
    }
    return NewPen(clone, *pen);
}

Status GdipDeletePen(GpPen* pen)
{
    if (const Status status = CheckCall(pen); status != Ok) {
        return status;
    }
    delete pen;
    return Ok;
}

Status GdipGetPenFillType(GpPen* pen, PenType* type)
{
    if (const Status status = CheckCall(pen); status != Ok || !type) {
        return status != Ok ? status : InvalidParameter;
    }
    *type = static_cast<PenType>(pen->fill.type);
    return Ok;
}

Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush)
{
    if (const Status status = CheckCall(pen); status != Ok || !brush) {
        return status != Ok ? status : InvalidParameter;
    }
    pen->fill = *brush;
    return Ok;
}

Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush)
{
    if (const Status status = CheckCall(pen); status != Ok) {
        return status;
    }
    return GdipCloneBrush(&pen->fill, brush);
}

Status GdipSetPenColor(GpPen* pen, ARGB color)
{
    if (const Status status = CheckCall(pen); status != Ok) {
        return status;
    }
    pen->fill = GpBrush{};
    pen->fill.color = color;
    return Ok;
}

Status GdipGetPenColor(GpPen* pen, ARGB* color)
{
    if (const Status status = CheckCall(pen); status != Ok || !color || pen->fill.type != BrushTypeSolidColor) {
        return status != Ok ? status : InvalidParameter;
    }
    *color = pen->fill.color;
    return Ok;
}

Status GdipSetPenMode(GpPen* pen, PenAlignment alignment)
{
    if (const Status status = CheckCall(pen); status != Ok || (alignment != PenAlignmentCenter && alignment != PenAlignmentInset)) {
        return status != Ok ? status : InvalidParameter;
    }
    pen->alignment = alignment;
    return Ok;
}

Status GdipGetPenMode(GpPen* pen, PenAlignment* alignment)
{
    if (const Status status = CheckCall(pen); status != Ok || !alignment) {
        return status != Ok ? status : InvalidParameter;
    }
    *alignment = pen->alignment;
    return Ok;
}

Status GdipSetPenWidth(GpPen* pen, REAL width)
{
    if (const Status status = CheckCall(pen); status != Ok || width < 0) {
        return status != Ok ? status : InvalidParameter;
    }
    pen->width = width;
    return Ok;
}

Status GdipGetPenWidth(GpPen* pen, REAL* width)
{
    if (const Status status = CheckCall(pen); status != Ok || !width) {
        return status != Ok ? status : InvalidParameter;
    }
    *width = pen->width;
    return Ok;
}

}  // namespace win::gdiplus
