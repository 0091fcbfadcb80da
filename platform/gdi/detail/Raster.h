#pragma once
// The pixel arithmetic the drawing units share: the mixes of SetROP2 and of the blits' raster
// operations over 0x00RRGGBB pixels, and painting a region with a brush.

#include "platform/gdi/detail/Region.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/gdi/Region.h"

#include <cstdint>
#include <vector>

namespace win::detail {

class BrushPaint;
class Surface;
struct DeviceContext;

// mode R2_BLACK .. R2_WHITE. The top byte of the result is 0.
std::uint32_t MixRop2(int mode, std::uint32_t pen, std::uint32_t destination);
// code is a raster operation's byte (bits 16 to 23 of the operation).
std::uint32_t MixRop3(BYTE code, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination);
constexpr bool RopUsesSource(BYTE code) { return ((code >> 2) ^ code) & 0x33; }
constexpr bool RopUsesPattern(BYTE code) { return ((code >> 4) ^ code) & 0x0F; }
constexpr bool RopUsesDestination(BYTE code) { return ((code >> 1) ^ code) & 0x55; }
// A rectangle of wide coordinates cut to what a RECT holds.
constexpr RECT ClampedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    constexpr std::int64_t low = INT32_MIN;
    constexpr std::int64_t high = INT32_MAX;
    const auto clamp = [](std::int64_t value) { return static_cast<LONG>(value < low ? low : value > high ? high : value); };
    return RECT{clamp(left), clamp(top), clamp(right), clamp(bottom)};
}
// The device rectangle width x height from origin, whichever way the extents run.
constexpr RECT SpanRect(POINT origin, int width, int height)
{
    const std::int64_t x = origin.x;
    const std::int64_t y = origin.y;
    return ClampedRect(width < 0 ? x + width : x, height < 0 ? y + height : y, width < 0 ? x : x + width,
                       height < 0 ? y : y + height);
}

// For the raster device: paints the part of region (device coordinates) inside the clip, mixed with
// rop2. The caller holds the GDI lock and a DrawScope.
void PaintRegion(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2);

// Copies the brush onto the area (device coordinates, inside the surface), the pixels of a solid brush
// or a tile, surfaceOrigin being the surface pixel of device point (0, 0); false, painting nothing, for a
// brush that is neither (one with gaps, a pattern too large to tile).
bool CopyBrush(Surface& surface, POINT surfaceOrigin, const Region& area, const BrushPaint& paint);

// A brush's pixels over the columns [left, right) of the rows of one rectangle (device coordinates),
// made for one period of the brush and then reused.
class BrushRows {
public:
    BrushRows(const BrushPaint& paint, const RECT& rect);
    const std::uint32_t* Pixels(int y) const { return pixels_.data() + Offset(y); }
    // Null when every pixel of the row is painted; else 0 for each gap.
    const std::uint8_t* Paints(int y) const { return gaps_ ? paints_.data() + Offset(y) : nullptr; }

private:
    std::size_t Offset(int y) const
    {
        return static_cast<std::size_t>((y - top_) % rows_) * static_cast<std::size_t>(width_);
    }

    int top_;
    int width_;
    int rows_;
    bool gaps_ = false;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> paints_;
};

}  // namespace win::detail
