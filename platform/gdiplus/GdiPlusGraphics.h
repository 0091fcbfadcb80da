#pragma once
// GDI+ drawing: a graphics object draws into a device context (through its origins and clip, in its
// logical coordinates) or into a GDI+ bitmap.
//
// Pixels: drawing is aliased (the smoothing mode is kept but not applied). A filled rectangle covers
// x .. x + width - 1; a pen of width w draws a line's pixels (both end points included) and a
// rectangle's outline x .. x + width, y .. y + height, each point as a square of max(1, round(w))
// pixels centred on it (inset pens keep the square inside the rectangle). Every pixel is drawn once
// per call.
//
// Compositing: colours are premultiplied and drawn over the destination with SourceOver
// (detail/GdiPlusPixels.h), or replace it with SourceCopy. A device context's pixels are opaque: the result is
// written as 0x00RRGGBB, the colour a copied translucent pixel shows over black.
//
// Images: a destination pixel (x, y) samples the source at u = sx + (x + 0.5 - dx) * sw / dw (v
// likewise), for the pixels whose centres lie inside the destination rectangle. Nearest neighbour
// takes pixel (floor(u), floor(v)) clamped to the image. Every other interpolation mode is bilinear
// with the pixel-centre convention: the four pixels around (u - 0.5, v - 0.5), the pixels outside the
// image transparent, weights fx = round(frac(u - 0.5) * 256) and fy likewise; each premultiplied channel
// is (sum of p * wx * wy + 32768) div 65536 with wx = 256 - fx or fx, wy = 256 - fy or fy.

#include "platform/gdiplus/GdiPlusImage.h"
#include "platform/gdiplus/GdiPlusPen.h"

namespace win::gdiplus {

class GpGraphics {
public:
    HDC dc = nullptr;  // one of the two
    GpBitmap* bitmap = nullptr;
    InterpolationMode interpolation = InterpolationModeBilinear;
    CompositingMode compositing = CompositingModeSourceOver;
    CompositingQuality quality = CompositingQualityDefault;
    SmoothingMode smoothing = SmoothingModeNone;
};

Status GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
// Drawing on the image while it is locked answers WrongState.
Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);

Status GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
Status GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode);
Status GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode);
Status GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode);
Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);

// Every pixel the graphics may draw becomes color (copied, not composited).
Status GdipGraphicsClear(GpGraphics* graphics, ARGB color);
Status GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, int x, int y, int width, int height);
Status GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, int x, int y, int width, int height);
Status GdipDrawLineI(GpGraphics* graphics, GpPen* pen, int x1, int y1, int x2, int y2);

// unit UnitPixel only; attributes, callback and its data must be null. Zero or negative extents draw
// nothing.
Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx, REAL sy, REAL sw,
                             REAL sh, GpUnit unit, const void* attributes = nullptr, void* callback = nullptr, void* data = nullptr);
Status GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                              GpUnit unit, const void* attributes = nullptr, void* callback = nullptr, void* data = nullptr);
// The whole image into the rectangle.
Status GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, int x, int y, int width, int height);
// The source rectangle at its own size with its top left at (x, y).
Status GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL sx, REAL sy, REAL sw, REAL sh, GpUnit unit);

}  // namespace win::gdiplus
