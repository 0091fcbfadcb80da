#pragma once
// The surfaces of top-level windows.

#include "platform/gdi/detail/Surface.h"
#include "platform/win/Paint.h"

namespace win::detail {

// The surface of a top-level window, for display back ends and tests: null for a child window or one
// that has none yet. Valid until the window changes size or is destroyed.
Surface* GetWindowSurface(HWND hwnd);

}  // namespace win::detail
