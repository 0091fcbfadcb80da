#pragma once
// Bitmap files: the file header with the core, info, V4 and V5 headers; 1, 4, 8, 16 (5-5-5 and bit
// fields), 24 and 32 bits; RLE4 and RLE8; top-down and bottom-up rows. Images are written uncompressed
// with the info header at 1, 4, 8, 24 or 32 bits.

#include "platform/imaging/Image.h"

#include <string>
#include <string_view>

namespace win {

// Raises EInvalidGraphic ("Bitmap image is not valid") for anything that is not a whole, valid bitmap.
// A 32-bit image has alpha when any of its fourth bytes is not zero (older writers leave them zero).
Image ReadBmp(std::string_view data);

// The image of an icon entry: a bitmap without file header whose height counts the image and its AND
// mask. The mask becomes the alpha of an image without alpha of its own.
Image ReadIconDib(std::string_view dib);

// bitsPerPixel is 1, 4, 8, 24 or 32; 0 chooses: the smallest palette depth that holds the image's palette,
// else 32 with alpha, else 24. A palette depth takes the image's palette and then the image's other
// colours (alpha dropped); more colours than the depth holds raise EInvalidGraphic.
std::string WriteBmp(const Image& image, int bitsPerPixel = 0);

}  // namespace win
