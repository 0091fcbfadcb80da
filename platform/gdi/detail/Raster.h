#pragma once
// The pixel arithmetic the drawing units share: the mixes of SetROP2 and of the blits' raster
// operations over 0x00RRGGBB pixels, and painting a region with a brush.

#include "platform/gdi/detail/Region.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/gdi/Region.h"

#include <cstdint>

namespace win::detail {

class BrushPaint;
struct DeviceContext;

// mode R2_BLACK .. R2_WHITE. The top byte of the result is 0.
std::uint32_t MixRop2(int mode, std::uint32_t pen, std::uint32_t destination);
// code is a raster operation's byte (bits 16 to 23 of the operation).
std::uint32_t MixRop3(BYTE code, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination);
constexpr bool RopUsesSource(BYTE code) { return ((code >> 2) ^ code) & 0x33; }
constexpr bool RopUsesPattern(BYTE code) { return ((code >> 4) ^ code) & 0x0F; }

// For the raster device: paints the part of region (device coordinates) inside the clip, mixed with
// rop2. The caller holds the GDI lock and a DrawScope.
void PaintRegion(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2);

}  // namespace win::detail
