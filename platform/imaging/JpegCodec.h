#pragma once
// JPEG files: grey, colour (YCbCr or RGB) and CMYK/YCCK images are read; images are written as colour
// JPEGs with a quality from 1 to 100. JPEG has no alpha: a writer drops it.

#include "platform/imaging/Image.h"

#include <string>
#include <string_view>

namespace win {

inline constexpr int kDefaultJpegQuality = 75;

// Raises EInvalidGraphic ("JPEG error #N") for anything that is not a whole, valid JPEG.
Image ReadJpeg(std::string_view data);

// Raises EInvalidGraphic for a quality outside 1..100 or an empty image.
std::string WriteJpeg(const Image& image, int quality = kDefaultJpegQuality);

}  // namespace win
