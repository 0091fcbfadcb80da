// Speed of the drawing layer on a 1000 x 700 surface: filling it, copying it between bitmaps,
// stretching it, and blending a 32-bit bitmap with per-pixel alpha over it. Each figure is the time of
// one whole-surface operation and the pixels per second it reaches, measured for about half a second.
// Then drawing on DIB sections of 1000 x 1000 pixels of each depth, beside the same drawing on a 32-bit
// one (the reference) and the ratio.

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

// Seconds per run of operation, measured for about half a second (at least once).
double SecondsPerRun(const std::function<void()>& operation)
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
    return std::chrono::duration<double>(elapsed).count() / double(runs);
}

void Report(const char* name, const std::function<void()>& operation)
{
    const double seconds = SecondsPerRun(operation);
    std::printf("%-44s %9.3f ms  %8.1f Mpixel/s\n", name, seconds * 1000, kWidth * kHeight / seconds / 1e6);
}

constexpr int kSection = 1000;

// A memory context over a DIB section of kSection x kSection pixels of a depth.
struct Section {
    explicit Section(int depth)
    {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[256];
        } info{};
        info.header.biWidth = kSection;
        info.header.biHeight = kSection;
        info.header.biBitCount = static_cast<WORD>(depth);
        for (int index = 0; index < 256; ++index) {
            info.colours[index] = RGBQUAD{BYTE(index), BYTE(255 - index), BYTE(index * 7), 0};
        }
        void* bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(dc, bitmap);
    }
    ~Section()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

// One drawing on sections of every depth, beside the 32-bit figure and the ratio to it.
void CompareDepths(const char* name, const std::function<void(HDC)>& draw)
{
    Section reference(32);
    const double base = SecondsPerRun([&] { draw(reference.dc); });
    for (const int depth : {1, 8, 16, 24, 32}) {
        Section section(depth);
        const double seconds = SecondsPerRun([&] { draw(section.dc); });
        std::printf("%-30s %2d bits %10.2f us   32 bits %10.2f us   ratio %6.2f\n", name, depth, seconds * 1e6,
                    base * 1e6, seconds / base);
    }
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

    std::printf("\nDrawing on DIB sections of %d x %d pixels\n", kSection, kSection);
    CompareDepths("200 x SetPixel", [](HDC dc) {
        for (int k = 0; k < 200; ++k) {
            SetPixel(dc, (k * 37) % kSection, (k * 53) % kSection, RGB(k, 255 - k, 7 * k));
        }
    });
    const RECT section{0, 0, kSection, kSection};
    CompareDepths("FillRect, solid brush", [&](HDC dc) { FillRect(dc, &section, solid); });
    const RECT small{100, 100, 140, 120};
    CompareDepths("FillRect 40 x 20, solid brush", [&](HDC dc) { FillRect(dc, &small, solid); });
    Section picture(32);
    FillRect(picture.dc, &section, hatch);
    CompareDepths("BitBlt SRCCOPY from 32 bits", [&](HDC dc) { BitBlt(dc, 0, 0, kSection, kSection, picture.dc, 0, 0, SRCCOPY); });

    DeleteObject(hatch);
    DeleteObject(solid);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(sourceBitmap);
    DeleteObject(targetBitmap);
    win::gdi::finalize();
    return 0;
}
