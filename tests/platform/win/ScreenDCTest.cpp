// The screen's device context: drawing lands on the windows beneath where each shows, reading gives
// what they show, and both follow the windows as they move, grow and go.

#include "WinFixture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Layered.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Paint.h"

#include <cstdint>
#include <string>

namespace wintest {
namespace {

using namespace win;

constexpr std::uint32_t PixelRed = 0xC00000;
constexpr std::uint32_t PixelBlue = 0x0000A0;
constexpr std::uint32_t PixelGreen = 0x00B000;

COLORREF ColourOf(std::uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::uint32_t Inverted(std::uint32_t pixel)
{
    return ~pixel & 0xFFFFFF;
}

class ScreenDCTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }

    // A visible frameless window at rect painted in one colour.
    static HWND Painted(const RECT& rect, std::uint32_t pixel, DWORD exStyle = 0)
    {
        const HWND hwnd = MakeWindow(WS_POPUP, nullptr, "", exStyle);
        SetWindowPos(hwnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        Paint(hwnd, pixel);
        return hwnd;
    }

    static void Paint(HWND hwnd, std::uint32_t pixel)
    {
        const HDC dc = GetWindowDC(hwnd);
        RECT rect;
        GetWindowRect(hwnd, &rect);
        const RECT all{0, 0, rect.right - rect.left, rect.bottom - rect.top};
        const HBRUSH brush = CreateSolidBrush(ColourOf(pixel));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
    }

    // A pixel of a window's surface, at a screen point.
    static std::uint32_t SurfacePixel(HWND hwnd, POINT screen)
    {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        std::uint32_t pixel = 0xDEADBEEF;
        detail::ReadWindowSurface(hwnd, [&](const detail::Surface& surface) {
            pixel = surface.Pixel(screen.x - rect.left, screen.y - rect.top);
        });
        return pixel;
    }

    static void InvertOnScreen(const RECT& rect)
    {
        const HDC screen = GetDC(nullptr);
        PatBlt(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, DSTINVERT);
        ReleaseDC(nullptr, screen);
    }
};

TEST_F(ScreenDCTest, InvertingAcrossTwoWindowsInvertsEachWhereItShowsAndTwiceRestoresThem)
{
    const HWND below = Painted(RECT{0, 0, 100, 100}, PixelRed);
    const HWND above = Painted(RECT{60, 20, 160, 80}, PixelBlue);
    // A band from the lower window through the upper one and out over the bare desktop.
    const RECT band{40, 40, 200, 50};
    struct Case {
        HWND hwnd;
        POINT at;
        std::uint32_t before;
        bool inverted;
        const char* what;
    };
    const Case cases[] = {
        {below, {40, 40}, PixelRed, true, "lower window, band's first pixel"},
        {below, {59, 49}, PixelRed, true, "lower window, last pixel before the upper one"},
        {below, {70, 45}, PixelRed, false, "lower window under the upper one"},
        {below, {50, 50}, PixelRed, false, "lower window below the band"},
        {below, {39, 45}, PixelRed, false, "lower window left of the band"},
        {above, {60, 40}, PixelBlue, true, "upper window's left edge"},
        {above, {159, 49}, PixelBlue, true, "upper window's right edge"},
        {above, {100, 39}, PixelBlue, false, "upper window above the band"},
    };
    InvertOnScreen(band);
    for (const Case& c : cases) {
        EXPECT_EQ(SurfacePixel(c.hwnd, c.at), c.inverted ? Inverted(c.before) : c.before) << c.what;
    }
    InvertOnScreen(band);
    for (const Case& c : cases) {
        EXPECT_EQ(SurfacePixel(c.hwnd, c.at), c.before) << "inverted twice: " << c.what;
    }
}

TEST_F(ScreenDCTest, ReadingGivesWhatTheWindowsShowAndTheDesktopElsewhere)
{
    Painted(RECT{0, 0, 100, 100}, PixelRed);
    Painted(RECT{60, 20, 160, 80}, PixelBlue);
    const HWND rounded = Painted(RECT{200, 0, 260, 40}, PixelGreen);
    SetWindowRgn(rounded, CreateEllipticRgn(0, 0, 60, 40), FALSE);
    const std::uint32_t bare = detail::PixelFromColor(GetSysColor(COLOR_DESKTOP));
    struct Case {
        POINT at;
        std::uint32_t expected;
        const char* what;
    };
    const Case cases[] = {
        {{10, 10}, PixelRed, "lower window"},
        {{70, 30}, PixelBlue, "upper window over the lower one"},
        {{150, 70}, PixelBlue, "upper window alone"},
        {{30, 30}, PixelRed, "lower window left of the upper"},
        {{170, 10}, bare, "no window"},
        {{230, 20}, PixelGreen, "inside a window's region"},
        {{201, 1}, bare, "a window's corner its region cuts away"},
    };
    const HDC screen = GetDC(nullptr);
    for (const Case& c : cases) {
        EXPECT_EQ(detail::PixelFromColor(GetPixel(screen, c.at.x, c.at.y)), c.expected) << "GetPixel: " << c.what;
    }
    // The same through a blit into a bitmap.
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 100);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 300, 100, screen, 0, 0, SRCCOPY));
    for (const Case& c : cases) {
        EXPECT_EQ(detail::PixelFromColor(GetPixel(memory, c.at.x, c.at.y)), c.expected) << "BitBlt: " << c.what;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(ScreenDCTest, DrawingKeepsToTheWindowsRegionsAndPassesUnderPicturedLayeredWindows)
{
    const HWND rounded = Painted(RECT{0, 0, 60, 40}, PixelGreen);
    SetWindowRgn(rounded, CreateEllipticRgn(0, 0, 60, 40), FALSE);
    const HWND below = Painted(RECT{100, 0, 200, 100}, PixelRed);
    // A popup whose picture UpdateLayeredWindow gives, over the middle of the red window.
    const HWND pictured = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "", WS_EX_LAYERED);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(memory, 20, 20);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 20, 20};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    POINT at{140, 40};
    SIZE size{20, 20};
    POINT from{0, 0};
    ASSERT_TRUE(UpdateLayeredWindow(pictured, nullptr, &at, &size, memory, &from, 0, nullptr, ULW_OPAQUE));

    InvertOnScreen(RECT{0, 0, 200, 100});
    EXPECT_EQ(SurfacePixel(rounded, POINT{30, 20}), Inverted(PixelGreen)) << "inside the region";
    EXPECT_EQ(SurfacePixel(rounded, POINT{1, 1}), PixelGreen) << "outside the region nothing lands";
    EXPECT_EQ(SurfacePixel(below, POINT{150, 50}), Inverted(PixelRed)) << "under the pictured popup";
    EXPECT_EQ(SurfacePixel(pictured, POINT{150, 50}), 0xFFFFFFu) << "the popup's picture is its own";
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(ScreenDCTest, AContextHeldLongFollowsWindowsThatMoveGrowAndGo)
{
    const HDC screen = GetDC(nullptr);  // as the shared screen canvas holds it for the program's life
    const HWND moving = Painted(RECT{0, 0, 50, 50}, PixelRed);
    const HWND going = Painted(RECT{100, 0, 150, 50}, PixelBlue);
    SetWindowPos(moving, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PatBlt(screen, 310, 310, 5, 5, DSTINVERT);
    EXPECT_EQ(SurfacePixel(moving, POINT{310, 310}), Inverted(PixelRed)) << "drawn where the window went";
    PatBlt(screen, 10, 10, 5, 5, DSTINVERT);
    EXPECT_EQ(SurfacePixel(moving, POINT{310, 310}), Inverted(PixelRed)) << "its old place no longer reaches it";

    // Grown: its surface is made again at the new size when next drawn on; the plan follows.
    SetWindowPos(moving, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Paint(moving, PixelGreen);
    PatBlt(screen, 480, 480, 5, 5, DSTINVERT);
    EXPECT_EQ(SurfacePixel(moving, POINT{480, 480}), Inverted(PixelGreen)) << "the grown part";

    DestroyWindow(going);
    PatBlt(screen, 100, 0, 50, 50, DSTINVERT);  // where the destroyed window's surface was
    EXPECT_EQ(detail::PixelFromColor(GetPixel(screen, 120, 20)), detail::PixelFromColor(GetSysColor(COLOR_DESKTOP)));
    ReleaseDC(nullptr, screen);
}

TEST_F(ScreenDCTest, ALockedScreenContextDrawsLikeTheScreensOwn)
{
    const HWND hwnd = Painted(RECT{0, 0, 40, 40}, PixelBlue);
    const HDC locked = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    const RECT box{10, 10, 20, 20};
    FillRect(locked, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(GetDesktopWindow(), locked);
    EXPECT_EQ(SurfacePixel(hwnd, POINT{15, 15}), 0xFFFFFFu);
    EXPECT_EQ(SurfacePixel(hwnd, POINT{25, 25}), PixelBlue);
}

}  // namespace
}  // namespace wintest
