#pragma once
// Smooth resizing and alpha blending of bitmaps: the system's HALFTONE stretching, or Lanczos-3
// resampling in integer weights (x 256) in two passes, horizontal then vertical; the system's AlphaBlend,
// or blending done here when it is missing or a smooth blend changes the size.

#include "controls/clBitmaps.h"

#include <vector>

namespace controls {

// 0 for |x| >= 3, else sinc(x) x sinc(x / 3), sinc(0) = 1.
double clLanczos3Weight(double x);

struct TclResampleContribution {
    int Index;
    int Weight;
};
// For each destination pixel, the source pixels it takes and their weights. Indexes outside the source
// are mirrored at its ends and, when still outside, held at the nearest end.
std::vector<std::vector<TclResampleContribution>> clBuildResampleContributions(int sourceSize, int destinationSize);

// The source's picture scaled onto the destination's size; nothing unless both have pixels. Unless
// forced to software, HALFTONE StretchBlt.
void clSmoothResizeBitmap(gui::TBitmap& source, gui::TBitmap& destination, bool forceSoftware = false);

// The system's AlphaBlend of the source rect over the destination rect (AC_SRC_ALPHA) at a constant alpha;
// false when the system has none or it fails.
bool clSystemAlphaBlend(win::HDC destination, const win::RECT& destinationRect, win::HDC source,
                        const win::RECT& sourceRect, std::uint8_t constantAlpha);

// The source rect blended (alpha-premultiplied, AC_SRC_ALPHA) over the destination rect at a constant
// alpha; nothing when a rect is empty. A smooth blend of unequal sizes scales the source with Lanczos-3.
void clAlphaBlend(win::HDC destination, const win::RECT& destinationRect, win::HDC source,
                  const win::RECT& sourceRect, std::uint8_t constantAlpha = 255, bool smooth = false);

}  // namespace controls
