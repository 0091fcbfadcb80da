#include "DisplayFixture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/WindowPos.h"
#include "platform/gdi/Region.h"
#include "platform/win/Layered.h"
#include "platform/win/Paint.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/wintypes/GdiTypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace displaytest {
namespace {

using win::detail::Surface;

// Paints the whole window, frame included, in one colour.
void PaintWhole(win::HWND hwnd, win::COLORREF color)
{
    const win::HDC dc = win::GetWindowDC(hwnd);
    win::RECT rect;
    win::GetWindowRect(hwnd, &rect);
    const win::RECT all{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    const win::HBRUSH brush = win::CreateSolidBrush(color);
    win::FillRect(dc, &all, brush);
    win::DeleteObject(brush);
    win::ReleaseDC(hwnd, dc);
}

Surface Compose(const win::RECT& area)
{
    Surface surface(area.right - area.left, area.bottom - area.top);
    win::ComposeScreen(area, surface);
    return surface;
}

TEST_F(DisplayTest, PerPixelAlphaBlendsOverTheWindowBeneath)
{
    const win::HWND below = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, 0, 100, 100);
    PaintWhole(below, win::RGB(255, 255, 255));
    const win::HWND ramp = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 10, 10, 4, 1, nullptr, win::WS_EX_LAYERED);

    // Red with alpha 0, 85, 170, 255, premultiplied.
    const std::uint32_t alphas[4] = {0, 85, 170, 255};
    std::vector<std::uint32_t> row;
    for (std::uint32_t alpha : alphas) {
        row.push_back((alpha << 24) | (alpha << 16));
    }
    ASSERT_TRUE(GivePicture(ramp, 4, row));

    const Surface screen = Compose(win::RECT{0, 0, 100, 100});
    for (int x = 0; x < 4; ++x) {
        // Red stays full; green and blue keep the white's share the popup leaves uncovered.
        const std::uint32_t rest = 255 - alphas[x];
        EXPECT_EQ(screen.Pixel(10 + x, 10), 0xFF0000u | (rest << 8) | rest) << "alpha " << alphas[x];
    }
    EXPECT_EQ(screen.Pixel(14, 10), 0xFFFFFFu);
}

TEST_F(DisplayTest, ConstantAlphaAndColourKey)
{
    const win::HWND below = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, 0, 50, 50);
    PaintWhole(below, win::RGB(0, 0, 200));
    const win::HWND faded = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, 0, 20, 20, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(faded, 0, 51, win::LWA_ALPHA));
    PaintWhole(faded, win::RGB(255, 0, 0));
    const win::HWND keyed = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 30, 30, 20, 20, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(keyed, win::RGB(0, 255, 0), 255, win::LWA_COLORKEY));
    PaintWhole(keyed, win::RGB(0, 255, 0));

    const Surface screen = Compose(win::RECT{0, 0, 50, 50});
    // A fifth of red over blue 200: 51 red, 160 blue.
    EXPECT_EQ(screen.Pixel(5, 5), 0x3300A0u);
    EXPECT_EQ(screen.Pixel(40, 40), 0x0000C8u) << "the key colour shows what is beneath";
}

TEST_F(DisplayTest, AWindowRegionShowsTheWindowBeneathOutsideIt)
{
    const win::HWND below = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 20, 20, 60, 40);
    PaintWhole(below, win::RGB(0, 0, 255));
    const win::HWND rounded = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 20, 20, 60, 40);
    win::SetWindowRgn(rounded, win::CreateRoundRectRgn(0, 0, 60, 40, 20, 20), win::TRUE);
    PaintWhole(rounded, win::RGB(0, 255, 0));

    // Composed from an area that starts off the windows: the desktop shows there.
    const Surface screen = Compose(win::RECT{10, 10, 90, 70});
    EXPECT_EQ(screen.Pixel(10, 10), 0x0000FFu) << "the corner outside the round rectangle";
    EXPECT_EQ(screen.Pixel(40, 30), 0x00FF00u);
    EXPECT_EQ(screen.Pixel(0, 0), win::detail::PixelFromColor(win::GetSysColor(win::COLOR_DESKTOP)));
}

// Which pixels of a one-row window the shape of a layered window keeps, from its rectangles.
std::vector<bool> KeptRow(win::HWND hwnd, int width)
{
    std::vector<win::RECT> rects;
    EXPECT_TRUE(win::detail::ReadLayeredShape(hwnd, rects));
    std::vector<bool> kept(static_cast<std::size_t>(width), false);
    for (const win::RECT& rect : rects) {
        EXPECT_TRUE(rect.top <= 0 && rect.bottom >= 1);
        for (int x = rect.left; x < rect.right; ++x) {
            kept[static_cast<std::size_t>(x)] = true;
        }
    }
    return kept;
}

TEST_F(DisplayTest, ALayeredWindowsShapeCutsItsFaintPixelsOverNoWindowOfOurs)
{
    // A window beneath the left half of each popup; the right half lies over the bare desktop.
    const win::HWND below = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, 0, 110, 100);
    PaintWhole(below, win::RGB(255, 255, 255));
    constexpr int width = 20;
    const std::uint32_t alphas[4] = {255, 0, 127, 128};

    // Per-pixel alpha: the pattern 255, 0, 127, 128 along the row.
    const win::HWND pictured = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 100, 10, width, 1, nullptr,
                                          win::WS_EX_LAYERED);
    std::vector<std::uint32_t> row;
    for (int x = 0; x < width; ++x) {
        row.push_back(alphas[x % 4] << 24);
    }
    ASSERT_TRUE(GivePicture(pictured, width, row));

    // Constant alpha below half; and a colour key matching every other pixel.
    const win::HWND faint = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 100, 20, width, 1, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(faint, 0, 100, win::LWA_ALPHA));
    PaintWhole(faint, win::RGB(255, 0, 0));
    const win::HWND keyed = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 100, 30, width, 1, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(keyed, win::RGB(0, 255, 0), 255, win::LWA_COLORKEY));
    PaintWhole(keyed, win::RGB(255, 0, 0));
    const win::HDC dc = win::GetWindowDC(keyed);
    for (int x = 1; x < width; x += 2) {
        win::SetPixel(dc, x, 0, win::RGB(0, 255, 0));
    }
    win::ReleaseDC(keyed, dc);

    struct Case {
        win::HWND hwnd;
        const char* what;
        bool (*keptOverDesktop)(int x);
    };
    const Case cases[] = {
        {pictured, "per-pixel alpha", [](int x) { return x % 4 == 0 || x % 4 == 3; }},
        {faint, "constant alpha 100", [](int) { return false; }},
        {keyed, "colour key", [](int x) { return x % 2 == 0; }},
    };
    for (const Case& c : cases) {
        const std::vector<bool> kept = KeptRow(c.hwnd, width);
        for (int x = 0; x < width; ++x) {
            const bool expected = x < 10 || c.keptOverDesktop(x);
            EXPECT_EQ(kept[static_cast<std::size_t>(x)], expected) << c.what << ", x " << x;
        }
    }

    // An opaque layered window is shaped by nothing.
    const win::HWND opaque = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 100, 40, width, 1, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(opaque, 0, 200, win::LWA_ALPHA));
    std::vector<win::RECT> rects;
    EXPECT_FALSE(win::detail::ReadLayeredShape(opaque, rects));
}

std::uint32_t Argb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

std::vector<std::uint32_t> LayeredRow(win::HWND hwnd, const win::RECT& rect)
{
    std::vector<std::uint32_t> row(static_cast<std::size_t>(rect.right - rect.left));
    EXPECT_TRUE(win::detail::CopyLayeredPixels(hwnd, rect, row.data(), static_cast<std::ptrdiff_t>(row.size() * 4)));
    return row;
}

TEST_F(DisplayTest, LayeredPixelsComePremultipliedWithConstantAlphaAndColourKeyFoldedIn)
{
    const win::COLORREF key = win::RGB(0, 255, 0);
    const win::COLORREF colours[4] = {win::RGB(200, 100, 50), key, win::RGB(255, 255, 255), win::RGB(3, 128, 254)};
    struct Case {
        const char* what;
        win::DWORD exStyle;
        win::DWORD flags;
        win::BYTE alpha;
    };
    const Case cases[] = {
        {"not layered: opaque", 0, 0, 255},
        {"constant alpha 100", win::WS_EX_LAYERED, win::LWA_ALPHA, 100},
        {"colour key; its alpha is not asked for", win::WS_EX_LAYERED, win::LWA_COLORKEY, 50},
        {"colour key and alpha 180", win::WS_EX_LAYERED, win::LWA_ALPHA | win::LWA_COLORKEY, 180},
    };
    int top = 0;
    for (const Case& c : cases) {
        const win::HWND hwnd = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, top += 10, 4, 1, nullptr, c.exStyle);
        if (c.exStyle) {
            ASSERT_TRUE(win::SetLayeredWindowAttributes(hwnd, key, c.alpha, c.flags)) << c.what;
        }
        const win::HDC dc = win::GetWindowDC(hwnd);
        for (int x = 0; x < 4; ++x) {
            win::SetPixel(dc, x, 0, colours[x]);
        }
        win::ReleaseDC(hwnd, dc);

        const std::vector<std::uint32_t> row = LayeredRow(hwnd, win::RECT{0, 0, 4, 1});
        const std::uint32_t alpha = (c.flags & win::LWA_ALPHA) ? c.alpha : 255;
        for (int x = 0; x < 4; ++x) {
            const win::COLORREF colour = colours[x];
            const bool keyed = (c.flags & win::LWA_COLORKEY) && colour == key;
            const std::uint32_t red = Premultiplied(win::GetRValue(colour), alpha);
            const std::uint32_t green = Premultiplied(win::GetGValue(colour), alpha);
            const std::uint32_t blue = Premultiplied(win::GetBValue(colour), alpha);
            const std::uint32_t expected = keyed ? 0 : Argb(alpha, red, green, blue);
            EXPECT_EQ(row[static_cast<std::size_t>(x)], expected) << c.what << ", x " << x;
        }
    }
}

TEST_F(DisplayTest, APicturesPerPixelAlphaIsScaledByItsConstantAlpha)
{
    // Premultiplied already: red at alpha 0, 85, 170, 255, then a grey at 128 whose colour is its own.
    const std::uint32_t alphas[4] = {0, 85, 170, 255};
    std::vector<std::uint32_t> picture;
    for (std::uint32_t alpha : alphas) {
        picture.push_back(Argb(alpha, alpha, 0, 0));
    }
    picture.push_back(Argb(128, 64, 64, 64));
    const win::HWND hwnd = MakeWindow(win::WS_POPUP | win::WS_VISIBLE, 0, 0, 5, 1, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(GivePicture(hwnd, 5, picture, 200));

    const std::vector<std::uint32_t> row = LayeredRow(hwnd, win::RECT{0, 0, 5, 1});
    for (std::size_t x = 0; x < 4; ++x) {
        const std::uint32_t scaled = Premultiplied(alphas[x], 200);
        EXPECT_EQ(row[x], Argb(scaled, scaled, 0, 0)) << "alpha " << alphas[x];
    }
    const std::uint32_t grey = Premultiplied(64, 200);
    EXPECT_EQ(row[4], Argb(Premultiplied(128, 200), grey, grey, grey));
    // Part of the window: its pixels at their own places.
    EXPECT_EQ(LayeredRow(hwnd, win::RECT{3, 0, 5, 1}), std::vector<std::uint32_t>(row.begin() + 3, row.end()));
}

}  // namespace
}  // namespace displaytest
