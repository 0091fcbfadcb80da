#pragma once
// GDI+ brushes: solid colours and linear gradients between two colours across a rectangle.
//
// A gradient's colour at a pixel is taken at the pixel's centre (x + 0.5, y + 0.5). Its position t
// along the gradient is (x + 0.5 - left) / width for a horizontal gradient, (y + 0.5 - top) / height for
// a vertical one, and the mean of the two for a forward diagonal (the horizontal part taken from the
// right for a backward one). Outside 0..1 the wrap mode folds t back: tiling repeats, the flip modes
// mirror every other tile, clamping holds the end colours. Each of the four straight channels is
// c1 + (c2 - c1) * t rounded to the nearest integer.

#include "platform/gdiplus/GdiPlusTypes.h"

namespace win::gdiplus {

class GpBrush {
public:
    BrushType type = BrushTypeSolidColor;
    ARGB color = 0;  // solid
    GpRect rect;  // gradient
    ARGB colors[2] = {0, 0};
    LinearGradientMode mode = LinearGradientModeHorizontal;
    WrapMode wrap = WrapModeTile;

    // The straight colour at pixel (x, y).
    ARGB ColorAt(int x, int y) const;
};
using GpSolidFill = GpBrush;
using GpLineGradient = GpBrush;

Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
Status GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);
Status GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
// An empty rectangle is refused (OutOfMemory, as the documented interface answers).
Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode, WrapMode wrap,
                                    GpLineGradient** brush);
Status GdipGetLineRectI(GpLineGradient* brush, GpRect* rect);
Status GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2);
Status GdipGetLineColors(GpLineGradient* brush, ARGB* colors);
Status GdipSetLineWrapMode(GpLineGradient* brush, WrapMode wrap);
Status GdipGetLineWrapMode(GpLineGradient* brush, WrapMode* wrap);
Status GdipCloneBrush(GpBrush* brush, GpBrush** clone);
Status GdipDeleteBrush(GpBrush* brush);
Status GdipGetBrushType(GpBrush* brush, BrushType* type);

}  // namespace win::gdiplus
