#include "platform/imaging/Image.h"

#include <string>

namespace win {

void CheckImageSize(std::uint64_t width, std::uint64_t height)
{
    if (width == 0 || height == 0)
        throw EInvalidGraphic("Image has no pixels (" + std::to_string(width) + " by " + std::to_string(height) + ")");
    if (width > kMaxImageDimension || height > kMaxImageDimension || width * height > kMaxImagePixels)
        throw EInvalidGraphic("Image is too large (" + std::to_string(width) + " by " + std::to_string(height)
                              + " pixels)");
}

Image::Image(int width, int height)
{
    CheckImageSize(static_cast<std::uint64_t>(width < 0 ? 0 : width), static_cast<std::uint64_t>(height < 0 ? 0 : height));
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

void Image::SetResolution(int xPixelsPerMetre, int yPixelsPerMetre)
{
    xPixelsPerMetre_ = xPixelsPerMetre > 0 ? xPixelsPerMetre : 0;
    yPixelsPerMetre_ = yPixelsPerMetre > 0 ? yPixelsPerMetre : 0;
}

}  // namespace win
