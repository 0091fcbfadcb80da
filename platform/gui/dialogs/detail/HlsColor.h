#pragma once
// The colour dialog's hue, luminosity and saturation: each 0..240 (hue 0..239, a full turn being 240),
// converted to and from RGB with integer rounding; a grey has hue 160 and saturation 0.

#include "platform/wintypes/GdiTypes.h"

namespace gui::detail {

struct Hls {
    int hue = 0;
    int lum = 0;
    int sat = 0;
    bool operator==(const Hls&) const = default;
};

constexpr int kHlsMax = 240;

Hls RgbToHls(win::COLORREF color);
win::COLORREF HlsToRgb(const Hls& hls);

}  // namespace gui::detail
