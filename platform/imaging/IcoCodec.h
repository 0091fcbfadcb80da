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
    int bitCount = 0;  // 0 where the directory does not say, and for cursors
    int hotSpotX = 0;  // cursors only
    int hotSpotY = 0;
};

// Raises EInvalidGraphic ("Icon image is not valid") for a damaged directory.
std::vector<IconEntry> ReadIcoDirectory(std::string_view data);
// Cursor files: an icon file's layout (type 2) whose entries give the hot spot in place of the depth.
std::vector<IconEntry> ReadCurDirectory(std::string_view data);

// The bytes of entry index of an icon or cursor file: a bitmap without file header whose height counts
// its AND mask, or a PNG file. EInvalidGraphic when they do not lie within the file.
std::string_view IcoEntryBytes(std::string_view data, size_t index);
// The entry whose width is nearest to size (0: the largest), the deepest of those alike.
size_t BestIcoEntry(const std::vector<IconEntry>& entries, int size);

// The image of directory entry index.
Image ReadIcoImage(std::string_view data, size_t index);

// The image whose width is nearest to size (0: the largest), the deepest of those alike.
Image ReadIco(std::string_view data, int size = 0);

}  // namespace win
