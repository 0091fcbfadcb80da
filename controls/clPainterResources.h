#pragma once
// What every look-and-feel painter shares: the indicator images, the two brush bitmaps of a scroll bar's
// page areas, the extent of the system's check box, and a primary palette notifier. They live from the
// painters' start to their end, together with the registry of named style painters.

#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/wintypes/GdiTypes.h"

namespace controls {

// Six 8 x 9 images, white transparent, for the indicator kinds 1 to 6 (arrow, edit, insert, multi-dot,
// multi-arrow, filter); null when the program's bitmaps are not loaded.
gui::TCustomImageList* clIndicatorImages();

// 8 x 8 page-area patterns: 0 normal (clBtnHighlight where x + y is odd, clBtnFace elsewhere), 1 pressed
// (cl3DDkShadow where x + y is odd, black elsewhere); null outside the painters' lifetime.
gui::TBitmap* clScrollPageBrushBitmap(int index);
// Fills both patterns from the current system colours, making them first when needed.
void clUpdateScrollPageBrushBitmaps();

// The extent of the system's check box: its bitmap's width / 4 by its height / 3, measured at start-up.
win::SIZE clCheckBoxSize();

namespace detail {
// In this order: the style painter registry, the indicator images, the page bitmaps, the palette
// notifier (which rebuilds the radio-button images), the check-box extent; the end frees the notifier,
// the page bitmaps, the indicator and radio-button images and the registry.
void InitializePainters();
void FinalizePainters();
}  // namespace detail

}  // namespace controls
