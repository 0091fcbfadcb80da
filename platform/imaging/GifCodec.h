#pragma once
// GIF files (87a and 89a): the first frame, with its transparency index and interlace, on the logical
// screen. Pixels of the screen the frame does not cover are transparent.

#include "platform/imaging/Image.h"

#include <string_view>

namespace win {

// Raises EInvalidGraphic ("Invalid GIF file: ...") for anything that is not a whole, valid first frame.
Image ReadGif(std::string_view data);

}  // namespace win
