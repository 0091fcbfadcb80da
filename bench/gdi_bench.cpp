// Speed of the drawing layer on a 1000 x 700 surface: filling it, copying it between bitmaps,
// stretching it, and blending a 32-bit bitmap with per-pixel alpha over it. Each figure is the time of
// one whole-surface operation and the pixels per second it reaches, measured for about half a second.

#include "platform/rtl/Rtl.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace {

using namespace win;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

void Report(const char* name, const std::function<void()>& operation)
{
    using Clock = std::chrono::steady_clock;
    std::size_t runs = 0;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    while (elapsed < std::chrono::milliseconds(500)) {
        operation();
        ++runs;
        elapsed = Clock::now() - start;
    }
    const double seconds = std::chrono::duration<double>(elapsed).count();
    std::printf("%-44s %9.3f ms  %8.1f Mpixel/s\n", name, seconds / runs * 1000,
                double(runs) * kWidth * kHeight / seconds / 1e6);
}

HBITMAP AlphaBitmap(void** bits)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biBitCount = 32;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(*bits);
    for (int k = 0; k < kWidth * kHeight; ++k) {
        // Premultiplied: every channel at most the alpha.
        const std::uint32_t alpha = static_cast<std::uint32_t>(k % 256);
        pixels[k] = alpha << 24 | (alpha / 2) << 16 | (alpha / 3) << 8 | alpha / 4;
    }
    return bitmap;
}

}  // namespace

int main()
{
    rtl::initialize();
    win::gdi::initialize();
    HDC target = CreateCompatibleDC(nullptr);
    HBITMAP targetBitmap = CreateCompatibleBitmap(target, kWidth, kHeight);
    SelectObject(target, targetBitmap);
    HDC source = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP sourceBitmap = AlphaBitmap(&bits);
    SelectObject(source, sourceBitmap);
    HBRUSH solid = CreateSolidBrush(RGB(10, 120, 200));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0));
    const RECT all{0, 0, kWidth, kHeight};

    std::printf("Drawing on %d x %d pixels\n", kWidth, kHeight);
    Report("FillRect, solid brush", [&] { FillRect(target, &all, solid); });
    Report("FillRect, hatch brush", [&] { FillRect(target, &all, hatch); });
    Report("PatBlt PATINVERT", [&] { PatBlt(target, 0, 0, kWidth, kHeight, PATINVERT); });
    Report("BitBlt SRCCOPY", [&] { BitBlt(target, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY); });
    Report("BitBlt SRCINVERT", [&] { BitBlt(target, 0, 0, kWidth, kHeight, source, 0, 0, SRCINVERT); });
    Report("StretchBlt mirrored, COLORONCOLOR", [&] {
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, kWidth, 0, -kWidth, kHeight, source, 0, 0, kWidth, kHeight, SRCCOPY);
    });
    Report("StretchBlt halved, HALFTONE", [&] {
        SetStretchBltMode(target, HALFTONE);
        StretchBlt(target, 0, 0, kWidth / 2, kHeight / 2, source, 0, 0, kWidth, kHeight, SRCCOPY);
    });
    BLENDFUNCTION perPixel;
    perPixel.AlphaFormat = AC_SRC_ALPHA;
    Report("AlphaBlend, per-pixel alpha", [&] { AlphaBlend(target, 0, 0, kWidth, kHeight, source, 0, 0, kWidth, kHeight, perPixel); });
    BLENDFUNCTION constant;
    constant.SourceConstantAlpha = 100;
    Report("AlphaBlend, constant alpha", [&] { AlphaBlend(target, 0, 0, kWidth, kHeight, source, 0, 0, kWidth, kHeight, constant); });

    DeleteObject(hatch);
    DeleteObject(solid);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(sourceBitmap);
    DeleteObject(targetBitmap);
    win::gdi::finalize();
    return 0;
}
