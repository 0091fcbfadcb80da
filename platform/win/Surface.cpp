#include "platform/win/Surface.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <new>
#include <string>

namespace win {

Surface::Surface(int width, int height)
    : width_(width), height_(height)
{
    if (width < 0 || height < 0) {
        throw rtl::EInvalidArgument("A surface of " + std::to_string(width) + " x " + std::to_string(height) +
                                    " pixels has a negative size");
    }
    const std::int64_t count = std::int64_t{width} * height;
    if (count > MaxPixels) {
        throw rtl::EOutOfResources("A surface of " + std::to_string(width) + " x " + std::to_string(height) +
                                   " pixels is too large");
    }
    try {
        pixels_.assign(static_cast<std::size_t>(count), 0);
    } catch (const std::bad_alloc&) {
        throw rtl::EOutOfResources("Not enough memory for a surface of " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels");
    }
}

void Surface::Fill(const RECT& rect, std::uint32_t pixel)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, width_);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, height_);
    if (left >= right) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        std::fill(Row(y) + left, Row(y) + right, pixel);
    }
}

}  // namespace win
