#pragma once
// The screen as the user sees the program's windows: for the display's fallback composition, the
// screenshot tool and headless tests.

#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/Types.h"

namespace win {

// Draws the screen rectangle area onto surface (its pixel (0, 0) is area's top-left): the desktop
// colour, then each visible top-level window from the bottom up, clipped by its window region and by
// the part an animation shows, layered windows blended by their constant or per-pixel alpha with their
// colour key cut out.
void ComposeScreen(const RECT& area, detail::Surface& surface);

}  // namespace win
