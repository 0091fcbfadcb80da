#pragma once
// PNG files: every colour type and depth, palettes with tRNS transparency, 16-bit samples and interlace
// are read; images are written as 8-bit RGB, or RGBA when the image has alpha.

#include "platform/imaging/Image.h"

#include <string>
#include <string_view>

namespace win {

// Raises EInvalidGraphic ("Invalid PNG file: ...") for anything that is not a whole, valid PNG.
Image ReadPng(std::string_view data);

std::string WritePng(const Image& image);

}  // namespace win
