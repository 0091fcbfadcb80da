#include "platform/gdi/detail/DrawingDevice.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/RasterDevice.h"

namespace win {

using namespace detail;

namespace {

// An information context answers questions about its device and draws nothing.
class InformationDevice final : public DrawingDevice {
public:
    Region Reach(const DeviceContext& context) const override
    {
        return Region(RECT{0, 0, context.device.resolution.cx, context.device.resolution.cy});
    }

    BOOL LineTo(DeviceContext&, int, int) override { return Refuse(); }
    BOOL Poly(DeviceContext&, PolyShape, const POINT*, std::size_t) override { return Refuse(); }
    BOOL PolyPoly(DeviceContext&, PolyPolyShape, const POINT*, const DWORD*, std::size_t) override { return Refuse(); }
    BOOL Box(DeviceContext&, BoxShape, const RECT&) override { return Refuse(); }
    BOOL RoundRect(DeviceContext&, const RECT&, SIZE) override { return Refuse(); }
    BOOL Arc(DeviceContext&, ArcShape, const RECT&, POINT, POINT) override { return Refuse(); }
    COLORREF SetPixel(DeviceContext&, int, int, COLORREF) override { return Refuse(), CLR_INVALID; }
    COLORREF GetPixel(DeviceContext&, int, int) override { return Refuse(), CLR_INVALID; }
    BOOL FillRgn(DeviceContext&, const Region&, HBRUSH) override { return Refuse(); }
    BOOL FrameRgn(DeviceContext&, const Region&, HBRUSH, int, int) override { return Refuse(); }
    BOOL InvertRgn(DeviceContext&, const Region&) override { return Refuse(); }
    BOOL PaintRgn(DeviceContext&, const Region&) override { return Refuse(); }
    BOOL PaintDevice(DeviceContext&, const Region&, const BrushPaint&, int) override { return Refuse(); }
    BOOL PaintPixels(DeviceContext&, const RECT&, const RowPaint&) override { return Refuse(); }
    BOOL Blit(DeviceContext&, BlitKind, int, int, int, int, HDC, int, int, int, int, DWORD) override { return Refuse(); }
    BOOL MaskBlt(DeviceContext&, int, int, int, int, HDC, int, int, BitmapObject&, POINT, DWORD) override
    {
        return Refuse();
    }
    BOOL PatBlt(DeviceContext&, int, int, int, int, DWORD) override { return Refuse(); }
    int StretchDIBits(DeviceContext&, int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*,
                      DWORD) override
    {
        return Refuse();
    }
    BOOL GradientFill(DeviceContext&, const TRIVERTEX*, ULONG, const void*, ULONG, ULONG) override { return Refuse(); }
    BOOL Text(DeviceContext&, const TextLayout&) override { return Refuse(); }

private:
    static BOOL Refuse()
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
};

}  // namespace

std::unique_ptr<DrawingDevice> detail::MakeRasterDevice()
{
    return std::make_unique<RasterDevice>();
}

std::unique_ptr<DrawingDevice> detail::MakeInformationDevice()
{
    return std::make_unique<InformationDevice>();
}

}  // namespace win
