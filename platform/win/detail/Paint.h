#pragma once
// The surfaces of top-level windows.

#include "platform/gdi/detail/Surface.h"
#include "platform/win/Paint.h"

#include <functional>

namespace win::detail {

// Lets read see the surface of a top-level window, for display drivers and tests, with the system and
// GDI locks held (read must not call the window system); false for a child window or one that has no
// surface yet.
bool ReadWindowSurface(HWND hwnd, const std::function<void(const Surface&)>& read);
// Tells the display that a round of drawing changed pixels of a top-level surface (surface
// coordinates; system lock held).
void ShowDrawn(HWND root, const RECT& rect);

}  // namespace win::detail
