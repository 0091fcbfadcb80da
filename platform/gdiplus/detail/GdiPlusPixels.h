#pragma once
// The pixel arithmetic that GDI+ drawing and image lists share, and the walk over the pixels a device
// context lets a drawing touch.
//
// Pixels are 32-bit words 0xAARRGGBB (B, G, R, A bytes in memory). "Straight" pixels keep their colour
// apart from their alpha; "premultiplied" pixels hold colour * alpha / 255 in each colour byte.
//
// Rounding, the same everywhere so that results are exact and repeatable:
// - Scale(c, a) = (c * a + 127) div 255: c * a / 255 to the nearest integer (255 is odd, so no halves).
// - Premultiply: each colour byte becomes Scale(c, alpha).
// - Unpremultiply: alpha 0 gives 0; otherwise each colour byte becomes min(255, (p * 255 + alpha div 2)
//   div alpha). Premultiplying and then unpremultiplying loses colour precision at low alpha.
// - Source over (both premultiplied): result = s + Scale(d, 255 - source alpha), for each of the four
//   bytes. A device context's pixels count as opaque; what is drawn on them is written as 0x00RRGGBB.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>

namespace win::detail {

constexpr std::uint32_t Scale(std::uint32_t value, std::uint32_t alpha) { return (value * alpha + 127) / 255; }

constexpr std::uint32_t AlphaOf(std::uint32_t pixel) { return pixel >> 24; }
constexpr std::uint32_t ChannelOf(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }
constexpr std::uint32_t MakePixel(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

std::uint32_t Premultiply(std::uint32_t straight);
std::uint32_t Unpremultiply(std::uint32_t premultiplied);
// Every byte, alpha included, scaled by alpha / 255: a premultiplied pixel made more transparent.
std::uint32_t ScaleAll(std::uint32_t premultiplied, std::uint32_t alpha);
std::uint32_t SourceOver(std::uint32_t source, std::uint32_t destination);
// The straight pixel's colour mixed with colour (0x00RRGGBB) by weight / 4, alpha kept:
// (c * (4 - weight) + m * weight + 2) div 4 per colour byte.
std::uint32_t MixColor(std::uint32_t straight, std::uint32_t colour, int weight);

// Calls paint(pixel, x, y) for every pixel of the device rectangle deviceRect (device coordinates of
// context) that the context's clip lets through: pixel holds what lies beneath, and paint leaves the
// result in it; x, y are its device coordinates. The pixels reach the context's drawing device as one
// composed image. The caller holds the GDI lock.
template <class Paint>
void PaintClipped(DeviceContext& context, const RECT& deviceRect, Paint paint)
{
    context.Drawing().PaintPixels(context, deviceRect, [&](std::uint32_t* pixels, int left, int right, int y) {
        for (int x = left; x < right; ++x) {
            paint(pixels[x - left], x, y);
        }
    });
}

}  // namespace win::detail
