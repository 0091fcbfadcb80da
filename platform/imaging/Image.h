#pragma once
// A decoded picture in memory, independent of any device context: what the picture readers produce and
// the writers consume. Pixels are 32-bit, 0xAARRGGBB as a uint32 (B, G, R, A bytes in memory), rows top
// to bottom, with straight (not premultiplied) alpha; the GDI layer decides how to composite them.

#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <vector>

namespace win {

// A picture file that cannot be read or an image that cannot be written.
class EInvalidGraphic : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EInvalidGraphic"; }
};

// Images are refused above these sizes before anything is allocated: 64 megapixels (256 MB of pixels)
// is more than any picture of a report needs, while a few hundred bytes of a damaged or hostile file may
// state thousands of megapixels. The readers also refuse a size the file's data could not hold, where
// the format tells.
inline constexpr std::uint32_t kMaxImageDimension = 65535;
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t{1} << 26;

// Raises EInvalidGraphic unless width by height is a size an Image may have (both at least 1).
void CheckImageSize(std::uint64_t width, std::uint64_t height);

class Image {
public:
    // The empty image (0 by 0).
    Image() = default;
    // A width by height image of transparent black; the size is checked with CheckImageSize.
    Image(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }

    std::uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint32_t argb) { pixels_[Index(x, y)] = argb; }
    std::uint32_t* Row(int y) { return pixels_.data() + Index(0, y); }
    const std::uint32_t* Row(int y) const { return pixels_.data() + Index(0, y); }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    // Whether the alpha bytes mean anything; without it every pixel is to be taken as opaque.
    bool HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(bool hasAlpha) { hasAlpha_ = hasAlpha; }

    // The colours of a 1-, 4- or 8-bit source (0xAARRGGBB each), so that a writer can keep the depth;
    // empty when the source had none. Every pixel read from such a source is one of these colours.
    const std::vector<std::uint32_t>& Palette() const { return palette_; }
    void SetPalette(std::vector<std::uint32_t> palette) { palette_ = std::move(palette); }

    // The source's resolution in pixels per metre; 0 where the file did not say.
    int XPixelsPerMetre() const { return xPixelsPerMetre_; }
    int YPixelsPerMetre() const { return yPixelsPerMetre_; }
    void SetResolution(int xPixelsPerMetre, int yPixelsPerMetre);

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    bool hasAlpha_ = false;
    std::vector<std::uint32_t> palette_;
    int xPixelsPerMetre_ = 0;
    int yPixelsPerMetre_ = 0;
};

}  // namespace win
