#include "platform/gui/dialogs/detail/HlsColor.h"

#include <algorithm>

namespace gui::detail {

namespace {

constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

// One channel from the two magic values and a hue, in 0..kHlsMax.
int HueToChannel(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2)
        return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

int ToByte(int value)
{
    return std::clamp((value * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
}

}  // namespace

Hls RgbToHls(win::COLORREF color)
{
    const int r = win::GetRValue(color);
    const int g = win::GetGValue(color);
    const int b = win::GetBValue(color);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    Hls hls;
    hls.lum = ((high + low) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (high == low) {
        hls.hue = kUndefinedHue;
        return hls;
    }
    const int range = high - low;
    if (hls.lum <= kHlsMax / 2)
        hls.sat = (range * kHlsMax + (high + low) / 2) / (high + low);
    else
        hls.sat = (range * kHlsMax + (2 * kRgbMax - high - low) / 2) / (2 * kRgbMax - high - low);
    const int rDelta = ((high - r) * (kHlsMax / 6) + range / 2) / range;
    const int gDelta = ((high - g) * (kHlsMax / 6) + range / 2) / range;
    const int bDelta = ((high - b) * (kHlsMax / 6) + range / 2) / range;
    if (r == high)
        hls.hue = bDelta - gDelta;
    else if (g == high)
        hls.hue = kHlsMax / 3 + rDelta - bDelta;
    else
        hls.hue = kHlsMax * 2 / 3 + gDelta - rDelta;
    if (hls.hue < 0)
        hls.hue += kHlsMax;
    if (hls.hue >= kHlsMax)
        hls.hue -= kHlsMax;
    return hls;
}

win::COLORREF HlsToRgb(const Hls& hls)
{
    const int lum = std::clamp(hls.lum, 0, kHlsMax);
    const int sat = std::clamp(hls.sat, 0, kHlsMax);
    if (sat == 0) {
        const auto grey = win::BYTE(lum * kRgbMax / kHlsMax);
        return win::RGB(grey, grey, grey);
    }
    const int magic2 = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + kHlsMax / 2) / kHlsMax
                                          : lum + sat - (lum * sat + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * lum - magic2;
    const int hue = std::clamp(hls.hue, 0, kHlsMax - 1);
    return win::RGB(win::BYTE(ToByte(HueToChannel(magic1, magic2, hue + kHlsMax / 3))),
                    win::BYTE(ToByte(HueToChannel(magic1, magic2, hue))),
                    win::BYTE(ToByte(HueToChannel(magic1, magic2, hue - kHlsMax / 3))));
}

}  // namespace gui::detail
