#pragma once
// Hatch and pattern brushes, and the painting of any brush as drawing sees it. Solid and null brushes
// and CreateBrushIndirect: GdiObjects.h.
//
// Patterns repeat from the brush origin (SetBrushOrgEx, device coordinates): the pattern's pixel
// (0, 0) falls on every device point origin + (i * width, j * height). Hatches are 8 x 8: their lines
// take the brush colour, the gaps the background colour in OPAQUE mode and nothing in TRANSPARENT
// mode. A monochrome pattern bitmap paints its 0 bits in the text colour and its 1 bits in the
// background colour.

#include "platform/gdi/GdiObjects.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <memory>

namespace win {

struct BITMAPINFO;
struct DeviceContext;

// style HS_HORIZONTAL .. HS_DIAGCROSS; null with ERROR_INVALID_PARAMETER for another.
HBRUSH CreateHatchBrush(int style, COLORREF color);
// The whole bitmap repeats; the brush keeps a copy, so the bitmap may be deleted afterwards.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// A pattern of device-independent bits (a BITMAPINFO with its colour table and bits after it).
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);

// A brush resolved against a device context's colours and brush origin for one drawing.
class BrushPaint {
public:
    // Null for a null brush or an invalid handle; brush may be a COLOR_ index + 1.
    static std::unique_ptr<BrushPaint> Of(const DeviceContext& context, HBRUSH brush);
    explicit BrushPaint(std::uint32_t pixel) : solid_(pixel) {}

    bool IsSolid() const { return !pattern_ && hatch_ < 0; }
    std::uint32_t SolidPixel() const { return solid_; }
    // The brush's pixel at a device point; false where it paints nothing (a transparent hatch's gaps).
    bool At(int x, int y, std::uint32_t& pixel) const;

private:
    BrushPaint() = default;

    std::uint32_t solid_ = 0;
    int hatch_ = -1;
    std::uint32_t background_ = 0;
    bool opaque_ = true;
    std::shared_ptr<const Surface> pattern_;
    bool monochrome_ = false;
    std::uint32_t text_ = 0;
    POINT origin_;
};

}  // namespace win
