#include "platform/gdi/detail/Surface.h"

#include "platform/rtl/Exceptions.h"

#include <pixman.h>

#include <algorithm>
#include <new>
#include <string>

namespace win {

using namespace detail;

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
        first_ = pixels_.data();
        rowStep_ = width;
    } catch (const std::bad_alloc&) {
        throw rtl::EOutOfResources("Not enough memory for a surface of " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels");
    }
}

Surface::Surface(int width, int height, std::uint32_t* firstRow, std::ptrdiff_t rowStep)
    : width_(width), height_(height), own_(false), first_(firstRow), rowStep_(rowStep)
{
    if (width < 0 || height < 0) {
        throw rtl::EInvalidArgument("A surface of " + std::to_string(width) + " x " + std::to_string(height) +
                                    " pixels has a negative size");
    }
}

Surface::Surface(const Surface& other)
    : width_(other.width_), height_(other.height_), own_(other.own_), pixels_(other.pixels_),
      first_(own_ ? pixels_.data() : other.first_), rowStep_(other.rowStep_)
{
}

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_), height_(other.height_), own_(other.own_), pixels_(std::move(other.pixels_)),
      first_(own_ ? pixels_.data() : other.first_), rowStep_(other.rowStep_)
{
    other.width_ = 0;
    other.height_ = 0;
    other.first_ = nullptr;
}

Surface& Surface::operator=(Surface other) noexcept
{
    width_ = other.width_;
    height_ = other.height_;
    own_ = other.own_;
    pixels_ = std::move(other.pixels_);
    first_ = own_ ? pixels_.data() : other.first_;
    rowStep_ = other.rowStep_;
    return *this;
}

void Surface::Fill(const RECT& rect, std::uint32_t pixel)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, width_);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    // pixman's fill stores whole cache lines; the rows are counted from row 0 whichever way they run.
    if (pixman_fill(first_, static_cast<int>(rowStep_), 32, left, top, right - left, bottom - top, pixel)) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        std::fill(Row(y) + left, Row(y) + right, pixel);
    }
}

}  // namespace win
