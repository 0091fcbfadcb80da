#include "platform/gdi/detail/Raster.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Compositing.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/detail/RasterRows.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>

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
    if (rop2 == R2_COPYPEN && CopyBrush(*surface, shift, area, paint)) {
        return;
    }
    std::vector<std::uint32_t> mixed;
    for (const RECT& rect : area.Rects()) {
        const BrushRows brush(paint, rect);
        const int count = rect.right - rect.left;
        for (int y = rect.top; y < rect.bottom; ++y) {
            std::uint32_t* row = surface->Row(y + shift.y) + shift.x + rect.left;
            const std::uint8_t* paints = brush.Paints(y);
            if (!paints) {
                MixRop2Row(rop2, brush.Pixels(y), row, count);
                continue;
            }
            mixed.assign(row, row + count);
            MixRop2Row(rop2, brush.Pixels(y), mixed.data(), count);
            for (int k = 0; k < count; ++k) {
                row[k] = paints[k] ? mixed[static_cast<std::size_t>(k)] : row[k];
            }
        }
    }
}

bool detail::CopyBrush(Surface& surface, POINT surfaceOrigin, const Region& area, const BrushPaint& paint)
{
    POINT tileOrigin;
    const Surface* tile = paint.IsSolid() ? nullptr : paint.Tile(tileOrigin);
    if (!paint.IsSolid() && !tile) {
        return false;
    }
    for (RECT rect : area.Rects()) {
        OffsetRect(&rect, surfaceOrigin.x, surfaceOrigin.y);
        if (tile) {
            FillTiled(surface, rect, *tile, POINT{tileOrigin.x + surfaceOrigin.x, tileOrigin.y + surfaceOrigin.y});
        } else {
            surface.Fill(rect, paint.SolidPixel() & 0x00FFFFFF);
        }
    }
    return true;
}

BrushRows::BrushRows(const BrushPaint& paint, const RECT& rect)
    : top_(rect.top), width_(rect.right - rect.left), rows_(std::max(1, std::min(paint.Period(), rect.bottom - rect.top)))
{
    const auto size = static_cast<std::size_t>(width_) * static_cast<std::size_t>(rows_);
    pixels_.resize(size);
    paints_.resize(size, 1);
    for (int row = 0; row < rows_; ++row) {
        const std::size_t offset = static_cast<std::size_t>(row) * static_cast<std::size_t>(width_);
        gaps_ = !paint.Row(rect.left, rect.top + row, width_, pixels_.data() + offset, paints_.data() + offset) || gaps_;
    }
    if (!gaps_) {
        paints_.clear();
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
