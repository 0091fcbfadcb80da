#include "platform/gdi/detail/Raster.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

namespace win {

using namespace detail;

std::uint32_t detail::MixRop2(int mode, std::uint32_t pen, std::uint32_t destination)
{
    const unsigned table = static_cast<unsigned>(mode - 1);
    std::uint32_t result = 0;
    for (unsigned index = 0; index < 4; ++index) {
        if (table >> index & 1) {
            result |= ((index & 2) ? pen : ~pen) & ((index & 1) ? destination : ~destination);
        }
    }
    return result & 0x00FFFFFF;
}

std::uint32_t detail::MixRop3(BYTE code, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination)
{
    switch (code) {
    case 0x00:
        return 0;
    case 0xFF:
        return 0x00FFFFFF;
    case 0xCC:
        return source & 0x00FFFFFF;
    case 0xF0:
        return pattern & 0x00FFFFFF;
    case 0x66:
        return (source ^ destination) & 0x00FFFFFF;
    case 0x88:
        return source & destination & 0x00FFFFFF;
    case 0xEE:
        return (source | destination) & 0x00FFFFFF;
    case 0x5A:
        return (pattern ^ destination) & 0x00FFFFFF;
    case 0x55:
        return ~destination & 0x00FFFFFF;
    default:
        break;
    }
    std::uint32_t result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if (code >> index & 1) {
            result |= ((index & 4) ? pattern : ~pattern) & ((index & 2) ? source : ~source) &
                      ((index & 1) ? destination : ~destination);
        }
    }
    return result & 0x00FFFFFF;
}

void detail::PaintRegion(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2)
{
    Surface* surface = context.Target();
    if (!surface) {
        return;
    }
    Region area = region;
    area.Intersect(context.ClipRegion());
    const POINT shift = context.surfaceOrigin;
    for (const RECT& rect : area.Rects()) {
        if (paint.IsSolid() && rop2 == R2_COPYPEN) {
            surface->Fill(RECT{rect.left + shift.x, rect.top + shift.y, rect.right + shift.x, rect.bottom + shift.y},
                          paint.SolidPixel() & 0x00FFFFFF);
            continue;
        }
        for (int y = rect.top; y < rect.bottom; ++y) {
            std::uint32_t* row = surface->Row(y + shift.y) + shift.x;
            for (int x = rect.left; x < rect.right; ++x) {
                std::uint32_t pixel = 0;
                if (paint.At(x, y, pixel)) {
                    row[x] = MixRop2(rop2, pixel, row[x]);
                }
            }
        }
    }
}

BOOL RasterDevice::PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2)
{
    if (!context.Target()) {
        return FALSE;
    }
    DrawScope scope(context, region.Bounds(), true, rop2 != R2_COPYPEN);
    PaintRegion(context, region, paint, rop2);
    return TRUE;
}

BOOL RasterDevice::PaintPixels(DeviceContext& context, const RECT& area, const RowPaint& paint)
{
    Surface* surface = context.Target();
    if (!surface) {
        return FALSE;
    }
    DrawScope scope(context, area);
    Region part(area);
    part.Intersect(context.ClipRegion());
    const POINT shift = context.surfaceOrigin;
    for (const RECT& rect : part.Rects()) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            paint(surface->Row(y + shift.y) + shift.x + rect.left, rect.left, rect.right, y);
        }
    }
    return TRUE;
}

BOOL RasterDevice::Text(DeviceContext& context, const TextLayout& text)
{
    if (!context.Target()) {
        return FALSE;
    }
    // Wherever alignment and escapement put the text, it stays within its extent of the reference point.
    const POINT reference = context.ToDevice(text.reference);
    const std::int64_t reach = std::int64_t{text.extent.cx} + text.extent.cy + 2;
    RECT area = ClampedRect(reference.x - reach, reference.y - reach, reference.x + reach, reference.y + reach);
    if (text.rect) {
        const RECT opaque = context.ToDevice(*text.rect);
        UnionRect(&area, &area, &opaque);
    }
    DrawScope scope(context, area);
    text.Paint(context);
    return TRUE;
}

}  // namespace win
