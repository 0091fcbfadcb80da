#pragma once
// Text measured on the screen in a control's font, for layouts made before the control has a window.

#include "platform/wintypes/Types.h"

#include <string>

namespace gui {
class TFont;
}

namespace gui::detail {

// One line, & marking the mnemonic as captions do.
win::SIZE SingleLineExtent(TFont* font, const std::string& text);

}  // namespace gui::detail
