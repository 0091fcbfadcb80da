#include "controls/clResample.h"

#include "controls/clEntryPoints.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace controls {

namespace {

double Sinc(double x)
{
    if (x == 0)
        return 1;
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

double ScaleFactor(int sourceSize, int destinationSize)
{
    if (sourceSize == 1)
        return destinationSize;
    if (destinationSize == 1)
        return 1.0 / sourceSize;
    return double(destinationSize - 1) / double(sourceSize - 1);
}

std::uint8_t Weighted(long sum)
{
    return sum < 0 ? 0 : std::uint8_t(std::min(255L, sum / 256));
}

TclRGBQuad Apply(const std::vector<TclResampleContribution>& contributions, const TclRGBQuad* pixels,
                 std::size_t stride)
{
    long blue = 0, green = 0, red = 0, alpha = 0;
    for (const TclResampleContribution& c : contributions) {
        const TclRGBQuad& p = pixels[std::size_t(c.Index) * stride];
        blue += long(c.Weight) * p.Blue;
        green += long(c.Weight) * p.Green;
        red += long(c.Weight) * p.Red;
        alpha += long(c.Weight) * p.Alpha;
    }
    return TclRGBQuad{Weighted(blue), Weighted(green), Weighted(red), Weighted(alpha)};
}

void SoftwareResize(gui::TBitmap& source, gui::TBitmap& destination)
{
    const int sw = source.Width();
    const int sh = source.Height();
    const int dw = destination.Width();
    const int dh = destination.Height();
    const std::vector<TclRGBQuad> from = clGetBitmapPixels(source);
    const auto across = clBuildResampleContributions(sw, dw);
    const auto down = clBuildResampleContributions(sh, dh);
    std::vector<TclRGBQuad> wide(std::size_t(dw) * std::size_t(sh));
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < dw; ++x)
            wide[std::size_t(y) * std::size_t(dw) + std::size_t(x)] =
                Apply(across[std::size_t(x)], &from[std::size_t(y) * std::size_t(sw)], 1);
    std::vector<TclRGBQuad> to(std::size_t(dw) * std::size_t(dh));
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            to[std::size_t(y) * std::size_t(dw) + std::size_t(x)] = Apply(down[std::size_t(y)], &wide[std::size_t(x)],
                                                                          std::size_t(dw));
    clPutBitmapPixels(destination, to);
}

}  // namespace

double clLanczos3Weight(double x)
{
    if (std::abs(x) >= 3)
        return 0;
    return Sinc(x) * Sinc(x / 3);
}

std::vector<std::vector<TclResampleContribution>> clBuildResampleContributions(int sourceSize, int destinationSize)
{
    std::vector<std::vector<TclResampleContribution>> result(std::size_t(std::max(destinationSize, 0)));
    if (sourceSize <= 0)
        return result;
    const double factor = ScaleFactor(sourceSize, destinationSize);
    const double width = factor >= 1 ? 1 : 1 / factor;
    const double radius = 3 * width;
    for (int i = 0; i < destinationSize; ++i) {
        const double centre = i / factor;
        const int first = int(std::floor(centre - radius));
        const int last = int(std::ceil(centre + radius));
        for (int j = first; j <= last; ++j) {
            const int weight = int(std::lround(clLanczos3Weight((centre - j) / width) / width * 256));
            if (weight == 0)
                continue;
            int index = j < 0 ? -j : j >= sourceSize ? 2 * sourceSize - 1 - j : j;
            // One mirroring can still leave a short source: hold such an index at the nearest end.
            index = std::clamp(index, 0, sourceSize - 1);
            result[std::size_t(i)].push_back(TclResampleContribution{index, weight});
        }
    }
    return result;
}

void clSmoothResizeBitmap(gui::TBitmap& source, gui::TBitmap& destination, bool forceSoftware)
{
    if (source.Width() <= 0 || source.Height() <= 0 || destination.Width() <= 0 || destination.Height() <= 0)
        return;
    if (forceSoftware || !clPlatformNT4Up())
        return SoftwareResize(source, destination);
    source.Canvas()->Lock();
    destination.Canvas()->Lock();
    const win::HDC dc = destination.Canvas()->Handle();
    const int previous = win::SetStretchBltMode(dc, win::HALFTONE);
    win::StretchBlt(dc, 0, 0, destination.Width(), destination.Height(), source.Canvas()->Handle(), 0, 0,
                    source.Width(), source.Height(), win::SRCCOPY);
    win::SetStretchBltMode(dc, previous);
    destination.Canvas()->Unlock();
    source.Canvas()->Unlock();
}

bool clSystemAlphaBlend(win::HDC destination, const win::RECT& destinationRect, win::HDC source,
                        const win::RECT& sourceRect, std::uint8_t constantAlpha)
{
    const auto alphaBlend = clEntryPoints().AlphaBlend;
    if (!alphaBlend)
        return false;
    const win::BLENDFUNCTION blend{win::AC_SRC_OVER, 0, constantAlpha, win::AC_SRC_ALPHA};
    return alphaBlend(destination, destinationRect.left, destinationRect.top, clRectGetWidth(destinationRect),
                      clRectGetHeight(destinationRect), source, sourceRect.left, sourceRect.top,
                      clRectGetWidth(sourceRect), clRectGetHeight(sourceRect), blend) != win::FALSE;
}

void clAlphaBlend(win::HDC destination, const win::RECT& destinationRect, win::HDC source,
                  const win::RECT& sourceRect, std::uint8_t constantAlpha, bool smooth)
{
    const int dw = clRectGetWidth(destinationRect);
    const int dh = clRectGetHeight(destinationRect);
    const int sw = clRectGetWidth(sourceRect);
    const int sh = clRectGetHeight(sourceRect);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    const bool sameSize = dw == sw && dh == sh;
    if (!clPlatformWin9x() && !(smooth && !sameSize) &&
        clSystemAlphaBlend(destination, destinationRect, source, sourceRect, constantAlpha))
        return;
    gui::TBitmap from;
    from.SetPixelFormat(gui::pf32bit);
    clCopyDCToBitmap(from, source, sourceRect);
    gui::TBitmap onto;
    onto.SetPixelFormat(gui::pf32bit);
    clCopyDCToBitmap(onto, destination, destinationRect);
    gui::TBitmap scaled;
    gui::TBitmap* top = &from;
    if (!sameSize) {
        scaled.SetPixelFormat(gui::pf32bit);
        scaled.SetSize(dw, dh);
        if (smooth)
            clSmoothResizeBitmap(from, scaled, true);
        else
            win::StretchBlt(scaled.Canvas()->Handle(), 0, 0, dw, dh, from.Canvas()->Handle(), 0, 0, sw, sh,
                            win::SRCCOPY);
        top = &scaled;
    }
    const win::RECT all{0, 0, dw, dh};
    if (!clSystemAlphaBlend(onto.Canvas()->Handle(), all, top->Canvas()->Handle(), all, constantAlpha)) {
        const std::vector<TclRGBQuad> over = clGetBitmapPixels(*top);
        std::vector<TclRGBQuad> under = clGetBitmapPixels(onto);
        for (std::size_t i = 0; i < under.size(); ++i)
            under[i] = clBlendPixel(over[i], under[i], constantAlpha);
        clPutBitmapPixels(onto, under);
    }
    win::BitBlt(destination, destinationRect.left, destinationRect.top, dw, dh, onto.Canvas()->Handle(), 0, 0,
                win::SRCCOPY);
}

}  // namespace controls
