#pragma once
// Icon files: a directory of images of several sizes and depths, each a bitmap with an AND mask or a
// PNG file.

#include "platform/imaging/Image.h"

#include <string_view>
#include <vector>

namespace win {

struct IconEntry {
    int width = 0;   // as the directory says (256 for 0)
    int height = 0;
    int bitCount = 0;  // 0 where the directory does not say
};

// Raises EInvalidGraphic ("Icon image is not valid") for a damaged directory.
std::vector<IconEntry> ReadIcoDirectory(std::string_view data);

// The image of directory entry index.
Image ReadIcoImage(std::string_view data, size_t index);

// The image whose width is nearest to size (0: the largest), the deepest of those alike.
Image ReadIco(std::string_view data, int size = 0);

}  // namespace win
