// The sdl display with a compositing manager running: layered windows are blended by it, from
// premultiplied pixels on windows of depth 32.

#include "OnScreenFixture.h"
#include "XProbe.h"

#include "platform/gdi/Region.h"
#include "platform/display/detail/SdlDisplay.h"
#include "platform/win/Activation.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "platform/win/Layered.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/RunTool.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <sstream>
#include <thread>

namespace displaytest {
namespace {

using testsupport::RunTool;

class CompositedScreenTest : public OnScreenTest {
protected:
    void SetUp() override
    {
        if (!server_.SkipReason().empty()) {
            GTEST_SKIP() << server_.SkipReason();
        }
        if (!testsupport::FindProgram("xcompmgr")) {
            GTEST_SKIP() << "xcompmgr is not installed";
        }
        probe_ = std::make_unique<XProbe>();
        ASSERT_TRUE(probe_->Connected());
        compositor_ = std::make_unique<testsupport::Background>(std::vector<std::string>{"xcompmgr"});
        // The display looks for a compositing manager once, as it starts: it must run by then.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!probe_->CompositorRuns() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(probe_->CompositorRuns()) << "xcompmgr did not take the screen's compositing selection";
        OnScreenTest::SetUp();
    }

    static unsigned long Id(const std::string& id) { return std::stoul(id); }

    // Pumps until the X window showing the window of that title has the depth and the pixels wanted
    // (computed anew each time from the window's surface); the image last read.
    WindowImage WaitForImage(const std::string& title, int depth, win::HWND hwnd,
                             const std::function<std::uint32_t(std::uint32_t)>& expected)
    {
        WindowImage image;
        PumpUntil([&] {
            image = probe_->Window(Id(XWindowOf(title)));
            return image.depth == depth && image.pixels == Expected(hwnd, expected);
        });
        return image;
    }

    // What each pixel of the window's surface should read back as.
    static std::vector<std::uint32_t> Expected(win::HWND hwnd, const std::function<std::uint32_t(std::uint32_t)>& of)
    {
        win::RECT rect;
        win::GetWindowRect(hwnd, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
        win::detail::CopyWindowPixels(hwnd, win::RECT{0, 0, width, height}, pixels.data(), width * 4);
        std::transform(pixels.begin(), pixels.end(), pixels.begin(), of);
        return pixels;
    }

    std::unique_ptr<XProbe> probe_;
    std::unique_ptr<testsupport::Background> compositor_;
};

void SetLayered(win::HWND hwnd, bool layered)
{
    const win::LONG_PTR style = win::GetWindowLongPtr(hwnd, win::GWL_EXSTYLE);
    win::SetWindowLongPtr(hwnd, win::GWL_EXSTYLE, layered ? style | win::WS_EX_LAYERED : style & ~win::WS_EX_LAYERED);
}

// A 0x00RRGGBB pixel at the alpha, premultiplied.
std::uint32_t AtAlpha(std::uint32_t pixel, std::uint32_t alpha)
{
    std::uint32_t out = alpha << 24;
    for (int shift : {0, 8, 16}) {
        out |= Premultiplied((pixel >> shift) & 0xFF, alpha) << shift;
    }
    return out;
}

TEST_F(CompositedScreenTest, LayeredWindowsAreOfDepth32AndShowPremultipliedPixels)
{
    PatternedWindow("Plain", 40, 40, 300, 200, win::WS_OVERLAPPEDWINDOW);
    const win::COLORREF bar = PatternAt(0);
    const std::uint32_t barPixel = win::detail::PixelFromColor(bar);
    struct Case {
        const char* title;
        win::DWORD flags;
        win::BYTE alpha;
    };
    const Case cases[] = {
        {"Alpha 100", win::LWA_ALPHA, 100},
        {"Keyed Bars", win::LWA_COLORKEY, 255},
        {"Keyed At 180", win::LWA_ALPHA | win::LWA_COLORKEY, 180},
    };
    int top = 300;
    for (const Case& c : cases) {
        // Popups without a frame: their pixels stay the pattern when the attributes repaint them.
        top += 60;
        const win::HWND hwnd = PatternedWindow(c.title, 400, top, 64, 40, win::WS_POPUP, nullptr, win::WS_EX_LAYERED);
        ASSERT_TRUE(win::SetLayeredWindowAttributes(hwnd, bar, c.alpha, c.flags));
        const auto expected = [&](std::uint32_t pixel) {
            pixel &= 0xFFFFFF;
            return (c.flags & win::LWA_COLORKEY) && pixel == barPixel ? 0u : AtAlpha(pixel, c.alpha);
        };
        const WindowImage image = WaitForImage(c.title, 32, hwnd, expected);
        EXPECT_EQ(image.depth, 32) << c.title;
        // Against the pattern the window was given: blue bars five pixels wide every 16, on yellow.
        ASSERT_EQ(image.pixels.size(), 64u * 40u) << c.title;
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t pixel = win::detail::PixelFromColor(PatternAt(x));
            EXPECT_EQ(image.pixels[static_cast<std::size_t>(20 * 64 + x)], expected(pixel)) << c.title << ", x " << x;
        }
    }

    // A picture with per-pixel alpha, premultiplied, at constant alpha 200.
    const win::HWND pictured = MakeWindow(win::WS_POPUP, 600, 100, 4, 2, nullptr, win::WS_EX_LAYERED);
    win::SetWindowText(pictured, "Pictured");
    std::vector<std::uint32_t> picture;
    for (std::uint32_t alpha : {0u, 85u, 170u, 255u, 255u, 128u, 64u, 1u}) {
        const std::uint32_t red = Premultiplied(200, alpha);
        const std::uint32_t green = Premultiplied(100, alpha);
        picture.push_back((alpha << 24) | (red << 16) | (green << 8) | alpha / 2);
    }
    ASSERT_TRUE(GivePicture(pictured, 4, picture, 200));
    win::ShowWindow(pictured, win::SW_SHOWNA);
    std::vector<std::uint32_t> wanted;
    for (std::uint32_t pixel : picture) {
        std::uint32_t scaled = 0;
        for (int shift : {0, 8, 16, 24}) {
            scaled |= Premultiplied((pixel >> shift) & 0xFF, 200) << shift;
        }
        wanted.push_back(scaled);
    }
    WindowImage image;
    PumpUntil([&] {
        image = probe_->Window(Id(XWindowOf("Pictured")));
        return image.pixels == wanted;
    });
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.pixels, wanted);

    // A window that is not layered keeps the screen's depth.
    EXPECT_EQ(probe_->Window(Id(XWindowOf("Plain"))).depth, 24);
}

TEST_F(CompositedScreenTest, TheCompositorBlendsFaintPixelsItselfAndARegionStaysTheShape)
{
    const win::HWND under = PatternedWindow("Under", 100, 100, 200, 150, win::WS_POPUP);
    win::SetActiveWindow(under);
    // Half of it over the window beneath, half over nothing of ours.
    const win::HWND faint = PatternedWindow("Faint", 250, 120, 100, 50, win::WS_POPUP, under, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(faint, 0, 100, win::LWA_ALPHA));
    const win::HWND cut = PatternedWindow("Cut", 250, 300, 100, 50, win::WS_POPUP, under, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(cut, 0, 100, win::LWA_ALPHA));
    win::SetWindowRgn(cut, win::CreateRectRgn(10, 5, 90, 45), win::TRUE);
    const auto faded = [](std::uint32_t pixel) { return AtAlpha(pixel & 0xFFFFFF, 100); };
    const WindowImage image = WaitForImage("Faint", 32, faint, faded);
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.pixels, Expected(faint, faded)) << "every pixel, over a window of ours or not";
    EXPECT_TRUE(PumpUntil([&] { return probe_->Window(Id(XWindowOf("Cut"))).depth == 32; }));
    const std::string faintShape = Tool({"xwininfo", "-shape", "-id", XWindowOf("Faint")});
    EXPECT_NE(faintShape.find("No window shape defined"), std::string::npos)
        << "nothing is cut: the compositor blends the faint pixels";
    EXPECT_TRUE(PumpUntil([&] {
        return Tool({"xwininfo", "-shape", "-id", XWindowOf("Cut")}).find("Window shape extents:  80x40+10+5") !=
               std::string::npos;
    })) << Tool({"xwininfo", "-shape", "-id", XWindowOf("Cut")});
}

TEST_F(CompositedScreenTest, EachFrameOfALayeredWindowsAnimationIsPresentedAndTheLastAtItsOwnAlpha)
{
    const win::HWND hwnd = PatternedWindow("Fading", 150, 150, 64, 40, win::WS_POPUP, nullptr, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(hwnd, 0, 200, win::LWA_ALPHA));
    win::ShowWindow(hwnd, win::SW_HIDE);
    ASSERT_TRUE(PumpUntil([&] { return RunTool({"xdotool", "search", "--name", "^Fading$"}).output.empty(); }));
    const std::uint64_t before = win::detail::PresentCount();
    // 200 ms make 20 frames, each fading the window further in.
    ASSERT_TRUE(win::AnimateWindow(hwnd, 200, win::AW_BLEND));
    EXPECT_GE(win::detail::PresentCount() - before, 20u);
    const auto ownAlpha = [](std::uint32_t pixel) { return AtAlpha(pixel & 0xFFFFFF, 200); };
    const WindowImage image = WaitForImage("Fading", 32, hwnd, ownAlpha);
    EXPECT_EQ(image.pixels, Expected(hwnd, ownAlpha)) << "the last frame is the window at its constant alpha";
}

TEST_F(CompositedScreenTest, AMinimisedWindowMadeLayeredComesBackOnDepth32WhereItWas)
{
    const win::HWND hwnd = PatternedWindow("Iconic", 120, 90, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string id = XWindowOf("Iconic");
    win::ShowWindow(hwnd, win::SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return Tool({"xwininfo", "-id", id}).find("IsUnMapped") != std::string::npos; }));
    SetLayered(hwnd, true);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(hwnd, 0, 90, win::LWA_ALPHA));
    win::ShowWindow(hwnd, win::SW_RESTORE);
    const auto faded = [](std::uint32_t pixel) { return AtAlpha(pixel & 0xFFFFFF, 90); };
    const WindowImage image = WaitForImage("Iconic", 32, hwnd, faded);
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.pixels, Expected(hwnd, faded));
    const std::string geometry = Tool({"xdotool", "getwindowgeometry", XWindowOf("Iconic")});
    EXPECT_NE(geometry.find("Position: 120,90"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 300x200"), std::string::npos) << geometry;
}

TEST_F(CompositedScreenTest, AWindowMadeLayeredIsMadeAgainOnDepth32AndKeepsItsPlaceOrderOwnersAndFocus)
{
    const win::HWND main = PatternedWindow("Main", 60, 60, 500, 400, win::WS_OVERLAPPEDWINDOW);
    const win::DWORD dialogStyle = win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU;
    const win::HWND dialog = PatternedWindow("Dialog", 150, 140, 260, 180, dialogStyle, main);
    const win::HWND tool = PatternedWindow("Tool", 300, 200, 160, 90, dialogStyle, dialog);
    PatternedWindow("Aside", 700, 100, 200, 150, win::WS_OVERLAPPEDWINDOW);
    win::SetActiveWindow(dialog);
    Settle();
    const std::string oldId = XWindowOf("Dialog");
    ASSERT_TRUE(PumpUntil([&] { return probe_->Focus() == Id(oldId); }))
        << "active: " << win::GetWindowText(win::GetActiveWindow());
    ASSERT_EQ(probe_->Window(Id(oldId)).depth, 24);
    ClearLog();

    SetLayered(dialog, true);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(dialog, 0, 180, win::LWA_ALPHA));
    const auto faded = [](std::uint32_t pixel) { return AtAlpha(pixel & 0xFFFFFF, 180); };
    const WindowImage image = WaitForImage("Dialog", 32, dialog, faded);
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.pixels, Expected(dialog, faded));
    const std::string newId = XWindowOf("Dialog");
    EXPECT_NE(newId, oldId);

    const std::string geometry = Tool({"xdotool", "getwindowgeometry", newId});
    EXPECT_NE(geometry.find("Position: 150,140"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 260x180"), std::string::npos) << geometry;
    // Transient for its owner still, and the window it owns transient for it.
    const auto hex = [](const std::string& id) {
        std::ostringstream out;
        out << "0x" << std::hex << std::stoul(id);
        return out.str();
    };
    EXPECT_NE(Tool({"xprop", "-id", newId, "WM_TRANSIENT_FOR"}).find(hex(XWindowOf("Main"))), std::string::npos);
    EXPECT_NE(Tool({"xprop", "-id", XWindowOf("Tool"), "WM_TRANSIENT_FOR"}).find(hex(newId)), std::string::npos);
    // The screen's order of the program's windows is still the program's.
    std::vector<unsigned long> programOrder;  // bottom to top
    for (win::HWND hwnd = win::GetWindow(win::GetDesktopWindow(), win::GW_CHILD); hwnd;
         hwnd = win::GetWindow(hwnd, win::GW_HWNDNEXT)) {
        if (win::IsWindowVisible(hwnd)) {
            programOrder.insert(programOrder.begin(), Id(XWindowOf(win::GetWindowText(hwnd))));
        }
    }
    ASSERT_EQ(programOrder.size(), 4u);
    std::vector<unsigned long> screenOrder;
    PumpUntil([&] {
        screenOrder.clear();
        for (unsigned long window : probe_->Stacking()) {
            if (std::find(programOrder.begin(), programOrder.end(), window) != programOrder.end()) {
                screenOrder.push_back(window);
            }
        }
        return screenOrder == programOrder;
    });
    EXPECT_EQ(screenOrder, programOrder);
    // The keyboard stays with it, on the screen and in the program, which hears of no change.
    EXPECT_TRUE(PumpUntil([&] { return probe_->Focus() == Id(newId); }));
    EXPECT_EQ(win::GetActiveWindow(), dialog);
    EXPECT_EQ(win::GetFocus(), dialog);
    EXPECT_TRUE(Only({win::WM_ACTIVATE, win::WM_ACTIVATEAPP, win::WM_KILLFOCUS, win::WM_SETFOCUS}).empty());
    EXPECT_EQ(win::GetWindow(tool, win::GW_OWNER), dialog);

    // Plain again: back on the screen's depth, opaque, in the same place.
    SetLayered(dialog, false);
    const WindowImage plain = WaitForImage("Dialog", 24, dialog, [](std::uint32_t pixel) { return pixel & 0xFFFFFF; });
    EXPECT_EQ(plain.depth, 24);
    EXPECT_NE(Tool({"xdotool", "getwindowgeometry", XWindowOf("Dialog")}).find("Position: 150,140"), std::string::npos);
    EXPECT_TRUE(PumpUntil([&] { return probe_->Focus() == Id(XWindowOf("Dialog")); }));

    // A window without the focus made layered does not take it.
    const win::HWND aside = win::FindWindow(nullptr, "Aside");
    SetLayered(aside, true);
    ASSERT_TRUE(PumpUntil([&] { return probe_->Window(Id(XWindowOf("Aside"))).depth == 32; }));
    SettleAfterDrawing(aside);
    EXPECT_EQ(probe_->Focus(), Id(XWindowOf("Dialog")));
    EXPECT_EQ(win::GetActiveWindow(), dialog);
}

}  // namespace
}  // namespace displaytest
