#pragma once
// Text between the window system's clipboard formats and the screen's clipboard, which carries UTF-8
// with LF line breaks; and window titles for the screen.

#include "platform/wintypes/Types.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

// The most text taken from another program's clipboard.
constexpr std::size_t MaxScreenClipboardText = 16u << 20;

// A CF_TEXT, CF_OEMTEXT or CF_UNICODETEXT block (up to its terminating zero) as the screen's text:
// UTF-8, CR LF as LF.
std::string ScreenTextOfClipboard(UINT format, const void* data, std::size_t bytes);

// Another program's UTF-8 text as a block of the format, zero-terminated: cut at its first NUL and at
// MaxScreenClipboardText bytes (never inside a character), LF as CR LF, invalid UTF-8 as U+FFFD and,
// in an ANSI format, characters the code page cannot hold as '?'.
std::vector<BYTE> ClipboardOfScreenText(std::string_view utf8, UINT format);

// A window text as a title for the screen: UTF-8 from the ANSI code page, control characters as blanks.
std::string ScreenTitle(std::string_view ansi);

}  // namespace win::detail
