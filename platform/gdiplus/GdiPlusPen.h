#pragma once
// GDI+ pens: a width and a fill, a solid colour or any brush. Drawing with them is in GdiPlusGraphics.h.

#include "platform/gdiplus/GdiPlusBrush.h"

namespace win::gdiplus {

class GpPen {
public:
    GpBrush fill;
    REAL width = 1;
    PenAlignment alignment = PenAlignmentCenter;
};

// unit UnitWorld or UnitPixel (the same here: there is no world transform).
Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
Status GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen);
Status GdipClonePen(GpPen* pen, GpPen** clone);
Status GdipDeletePen(GpPen* pen);
Status GdipGetPenFillType(GpPen* pen, PenType* type);
// The pen keeps its own copy of the brush.
Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
// A new brush the caller deletes.
Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush);
Status GdipSetPenColor(GpPen* pen, ARGB color);
// InvalidParameter unless the pen's fill is a solid colour.
Status GdipGetPenColor(GpPen* pen, ARGB* color);
Status GdipSetPenMode(GpPen* pen, PenAlignment alignment);
Status GdipGetPenMode(GpPen* pen, PenAlignment* alignment);
Status GdipSetPenWidth(GpPen* pen, REAL width);
Status GdipGetPenWidth(GpPen* pen, REAL* width);

}  // namespace win::gdiplus
