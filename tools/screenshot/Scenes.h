#pragma once
// The screenshot tool's built-in scenes: windows made with the window system's own calls, so the
// display's frames, layered windows and window regions can be looked at without any form.
//   frames   a main window, an owned dialog and a tool window
//   layered  a main window under a half-transparent popup and a shadow with an alpha ramp
//   regions  a main window under an elliptic popup and a round-cornered hint

#include "platform/wintypes/Types.h"

#include <string>

namespace screenshot {

// Makes and shows the scene; answers its main window, or null for an unknown name.
win::HWND MakeScene(const std::string& name);

}  // namespace screenshot
