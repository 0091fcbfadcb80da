#pragma once
// The stretching blit the drawing units share.

#include "platform/gdi/Blit.h"
#include "platform/gdi/detail/Surface.h"

#include <cstdint>

namespace win::detail {

struct DeviceContext;

// For the drawing units: a source of pixels (surface coordinates) and how they turn into the
// destination's colours.
struct BlitSource {
    const Surface* surface = nullptr;
    bool monochrome = false;  // a 1-bit bitmap, whose 1 bits are the pixels of oneColour
    std::uint32_t oneColour = 0x00FFFFFF;
    std::uint32_t background = 0x00FFFFFF;  // the source context's background colour, as a pixel
};
// The stretching blit on a context whose lock the caller holds; sourceX and sourceY are surface
// coordinates.
bool StretchSurface(DeviceContext& target, int x, int y, int width, int height, const BlitSource& source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, DWORD rop);

}  // namespace win::detail
