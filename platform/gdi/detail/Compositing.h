#pragma once
// Compositing with pixman on surfaces, where its arithmetic is ours to the bit: copying a repeated tile
// and blending premultiplied pixels OVER the destination (with a constant alpha as well). The pixels are
// shared with pixman, never copied; the top byte of a pixel is pixman's alpha.

#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/Types.h"

#include <cstdint>

namespace win::detail {

// Fills rect (destination coordinates, inside it) with the tile repeated, tile pixel (0, 0) lying on
// destination point origin. Every pixel is copied as it is.
void FillTiled(Surface& destination, const RECT& rect, const Surface& tile, POINT origin);

// Blends the source's pixels from sourceAt on over rect of the destination (both inside their surfaces),
// per channel and the top byte too: s' = s * k / 255 and a' = a * k / 255 for the constant alpha k,
// then d = min(s' + d * (255 - a') / 255, 255), each quotient rounded to the nearest. The source may
// not be the destination.
void BlendOver(Surface& destination, const RECT& rect, const Surface& source, POINT sourceAt, std::uint8_t constantAlpha);

}  // namespace win::detail
