#pragma once
// The clipboard's reset.

#include "platform/win/Clipboard.h"

namespace win::detail {

// Empties the clipboard (the window system's start-up calls it).
void ResetClipboard();

}  // namespace win::detail
