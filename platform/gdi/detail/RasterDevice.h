#pragma once
// The raster device: drawing on the surface of a context (a window's, a bitmap's, a printer band's).
// Each drawing unit carries out its own calls (Lines.cpp its lines, Shapes.cpp its shapes, Blit.cpp its
// blits ...); Raster.cpp holds the pixel arithmetic they share.

#include "platform/gdi/detail/DrawingDevice.h"

namespace win::detail {

class RasterDevice final : public DrawingDevice {
public:
    Region Reach(const DeviceContext& context) const override;

    BOOL LineTo(DeviceContext& context, int x, int y) override;
    BOOL Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count) override;
    BOOL PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                  std::size_t figures) override;
    BOOL Box(DeviceContext& context, BoxShape shape, const RECT& box) override;
    BOOL RoundRect(DeviceContext& context, const RECT& box, SIZE corner) override;
    BOOL Arc(DeviceContext& context, ArcShape shape, const RECT& box, POINT start, POINT end) override;
    COLORREF SetPixel(DeviceContext& context, int x, int y, COLORREF color) override;
    COLORREF GetPixel(DeviceContext& context, int x, int y) override;

    BOOL FillRgn(DeviceContext& context, const Region& region, HBRUSH brush) override;
    BOOL FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height) override;
    BOOL InvertRgn(DeviceContext& context, const Region& region) override;
    BOOL PaintRgn(DeviceContext& context, const Region& region) override;
    BOOL PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2) override;
    BOOL PaintPixels(DeviceContext& context, const RECT& area, const RowPaint& paint) override;

    BOOL Blit(DeviceContext& context, BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, DWORD rop) override;
    BOOL MaskBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                 BitmapObject& mask, POINT maskOrigin, DWORD rop) override;
    BOOL PatBlt(DeviceContext& context, int x, int y, int width, int height, DWORD rop) override;
    int StretchDIBits(DeviceContext& context, int x, int y, int width, int height, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop) override;
    BOOL GradientFill(DeviceContext& context, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                      ULONG meshCount, ULONG mode) override;

    BOOL Text(DeviceContext& context, const TextLayout& text) override;
};

// Polygons filled with the selected brush and outlined with the pen (Shapes.cpp), for Poly and PolyPoly.
BOOL RasterPolygons(DeviceContext& context, const POINT* points, const int* counts, int polygons);

}  // namespace win::detail
