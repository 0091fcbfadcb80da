#pragma once
// Hit testing as the window system's input uses it.

#include "platform/win/HitTest.h"

namespace win::detail {

// Within the window system: the window the mouse at a screen point goes to and its hit-test code
// (null over the desktop).
struct MouseHit {
    HWND hwnd = nullptr;
    LRESULT code = HTNOWHERE;
};
MouseHit HitTestScreenPoint(POINT point);
// True when the screen point lies in the window's rectangle and window region. Lock held.
bool WindowContainsPoint(HWND hwnd, POINT point);

}  // namespace win::detail
