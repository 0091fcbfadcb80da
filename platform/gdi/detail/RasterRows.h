#pragma once
// The pixel arithmetic of the raster device a row at a time: the mixes of SetROP2 and of the blits'
// raster operations, and blending with a constant alpha. Each gives, pixel for pixel, what the single
// pixel forms of Raster.h give (MixRop2, MixRop3), in loops the compiler can keep in vector registers:
// the operations the program uses each have a loop of their own, every other code one loop that
// evaluates its truth table on whole words.

#include "platform/wintypes/GdiTypes.h"

#include <cstdint>

namespace win::detail {

// destination[k] = MixRop3(code, pattern[k], source[k], destination[k]) for k < count, except that
// SRCCOPY (0xCC) copies the source's top byte too, as the blits do. pattern or source may be null when
// the code does not use it.
void MixRop3Row(BYTE code, const std::uint32_t* pattern, const std::uint32_t* source, std::uint32_t* destination,
                int count);

// destination[k] = MixRop2(mode, pen[k], destination[k]) for k < count.
void MixRop2Row(int mode, const std::uint32_t* pen, std::uint32_t* destination, int count);

// Each channel, the top byte too: d = (s * alpha + d * (255 - alpha)) / 255, rounded to the nearest.
void BlendConstantRow(const std::uint32_t* source, std::uint32_t* destination, int count, BYTE alpha);

// Clears the top byte of count pixels.
void ClearTopBytes(std::uint32_t* pixels, int count);

}  // namespace win::detail
