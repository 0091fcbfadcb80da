#pragma once
// A 32-bit pixel buffer that device contexts draw on: each pixel one 0x00RRGGBB word, stored in the
// byte order B, G, R, X; rows follow each other without padding (the stride is width * 4 bytes).
// A new surface is black.

#include "platform/win/Types.h"

#include <cstdint>
#include <vector>

namespace win {

class Surface {
public:
    // Raises rtl::EInvalidArgument for a negative size and rtl::EOutOfResources for one too large to
    // hold (more than MaxPixels pixels).
    Surface(int width, int height);

    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return width_ * 4; }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    std::uint32_t* Bits() { return pixels_.data(); }
    const std::uint32_t* Bits() const { return pixels_.data(); }
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const std::uint32_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }

    // A pixel as 0x00RRGGBB; the point must lie inside.
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, std::uint32_t pixel) { Row(y)[x] = pixel; }

    // Fills the part of rect inside the surface.
    void Fill(const RECT& rect, std::uint32_t pixel);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Between the COLORREF order (0x00BBGGRR) and the pixel order (0x00RRGGBB).
constexpr std::uint32_t PixelFromColor(DWORD color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
constexpr DWORD ColorFromPixel(std::uint32_t pixel)
{
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

}  // namespace win
