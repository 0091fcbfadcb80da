#pragma once
// What the metafile units share: file names of the wide calls, handles over finished bytes and the
// players' limit on fonts.

#include "platform/metafile/EnhMetaFile.h"
#include "platform/wintypes/LogFont.h"

#include <string>
#include <string_view>

namespace win::detail {

// For the wide calls: the ANSI form of a file name, which the file calls take. False, with
// ERROR_INVALID_NAME, when the code page cannot hold the name: a stand-in character would name
// another file.
bool AnsiFileNameOfWide(const char16_t* fileName, std::string& ansi);

// For the recorder: a handle over finished bytes, written atomically to fileName when it is not empty;
// null (ERROR_ACCESS_DENIED) when the file cannot be written.
HENHMETAFILE AddEnhMetaFile(std::string bytes, std::string_view fileName);

// For the players: raises rtl::EInvalidArgument for a font (already scaled to the target) whose height
// or width is beyond what the target can show: more than twice its larger extent, and more than
// kMaxPlayedFontFloor pixels. Its letters would cost the square of that in memory to draw only for
// the clip to throw them away; a file that asks for them has a record that cannot be drawn.
inline constexpr long kMaxPlayedFontFloor = 256;
void CheckPlayedFont(const LOGFONT& font, const RECT& target);

}  // namespace win::detail
