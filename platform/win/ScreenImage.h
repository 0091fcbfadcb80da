#pragma once
// The screen as the user sees the program's windows: for the display's fallback composition, the
// screenshot tool and headless tests.

#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/Types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win {

// Draws the screen rectangle area onto surface (its pixel (0, 0) is area's top-left): the desktop
// colour, then each visible top-level window from the bottom up, clipped by its window region and by
// the part an animation shows, layered windows blended by their constant or per-pixel alpha with their
// colour key cut out.
void ComposeScreen(const RECT& area, detail::Surface& surface);

namespace detail {

// A top-level window as the display shows it, read without sending it any message.
struct ScreenWindowState {
    RECT rect;  // on the screen
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    std::string text;  // ANSI
    bool hasRegion = false;
    std::vector<RECT> region;  // the window region's rectangles (window coordinates)
    bool layered = false;
    HICON icon = nullptr;  // the big icon, else the class's
};
// False when hwnd is not a top-level window of the desktop (destroyed, a child, message-only).
bool ReadScreenWindow(HWND hwnd, ScreenWindowState& state);

// Where a screen that cannot blend shows a layered window: its window region less the pixels that lie
// over no window of ours and are less than half opaque (alpha below 128 after its picture's alpha, its
// constant alpha and its colour key), as rectangles in window coordinates. False when nothing is cut
// (not layered, or opaque enough everywhere) or the window has no surface.
bool ReadLayeredShape(HWND hwnd, std::vector<RECT>& rects);

// Copies rect (window coordinates) of a top-level window's surface to rows of pitch bytes starting at
// to (the rectangle's top-left); false when the window has no surface yet.
bool CopyWindowPixels(HWND hwnd, const RECT& rect, std::uint32_t* to, std::ptrdiff_t pitch);

// The same as premultiplied ARGB, ready for a screen that blends each pixel by its alpha: a layered
// window's constant alpha, its picture's per-pixel alpha and its colour key (keyed pixels fully
// transparent) are folded in, and what an animation does not show yet is transparent. A window that is
// not layered comes opaque.
bool CopyLayeredPixels(HWND hwnd, const RECT& rect, std::uint32_t* to, std::ptrdiff_t pitch);

}  // namespace detail

}  // namespace win
