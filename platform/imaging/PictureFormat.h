#pragma once
// Which picture format a file holds, told by its first bytes rather than by its name.

#include <string_view>

namespace win {

enum class PictureFormat { Unknown, Png, Jpeg, Bmp, Ico, Gif, Emf, Wmf };

PictureFormat SniffPictureFormat(std::string_view data);

}  // namespace win
