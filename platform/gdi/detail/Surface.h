#pragma once
// A 32-bit pixel buffer that device contexts draw on: each pixel one 0x00RRGGBB word, stored in the
// byte order B, G, R, X. A surface of its own holds its rows from top to bottom without padding and
// starts black. A view works on memory someone else owns (a 32-bit bitmap's bits, whose rows may run
// from the bottom up): Row(y) is Bits() + y * Stride() / 4 either way.
//
// The top byte: fills, lines and shapes write 0 there; copying blits carry it, so that 32-bit bitmaps
// keep their alpha through BitBlt with SRCCOPY, and AlphaBlend reads it as premultiplied alpha.

#include "platform/wintypes/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace win::detail {

class Surface {
public:
    // Raises rtl::EInvalidArgument for a negative size and rtl::EOutOfResources for one too large to
    // hold (more than MaxPixels pixels).
    Surface(int width, int height);
    // A view: row 0 at firstRow, each next row rowStep pixels further (negative for bottom-up rows).
    // The memory must outlive the surface and its copies.
    Surface(int width, int height, std::uint32_t* firstRow, std::ptrdiff_t rowStep);
    // A copy of a surface of its own has pixels of its own; a copy of a view is another view.
    Surface(const Surface& other);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface other) noexcept;

    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes from one row to the next: width * 4 for a surface of its own, negative for a bottom-up view.
    std::ptrdiff_t Stride() const { return rowStep_ * 4; }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    // Row 0.
    std::uint32_t* Bits() { return first_; }
    const std::uint32_t* Bits() const { return first_; }
    std::uint32_t* Row(int y) { return first_ + y * rowStep_; }
    const std::uint32_t* Row(int y) const { return first_ + y * rowStep_; }

    // A pixel as 0x00RRGGBB; the point must lie inside.
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, std::uint32_t pixel) { Row(y)[x] = pixel; }

    // Fills the part of rect inside the surface.
    void Fill(const RECT& rect, std::uint32_t pixel);

private:
    int width_ = 0;
    int height_ = 0;
    bool own_ = true;
    std::vector<std::uint32_t> pixels_;  // empty for a view
    std::uint32_t* first_ = nullptr;
    std::ptrdiff_t rowStep_ = 0;
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

}  // namespace win::detail
