// The sdl display on a private Xvfb, checked with the X tools a user's desktop would use.

#include "OnScreenFixture.h"
#include "XProbe.h"

#include "platform/display/detail/SdlDisplay.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/win/Layered.h"
#include "platform/rtl/CodePage.h"
#include "platform/services/Sound.h"
#include "platform/win/Activation.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UsingCodePage.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

namespace displaytest {
namespace {

using testsupport::RunTool;

TEST_F(OnScreenTest, ACaptionedWindowIsFoundByTitleAtItsPlaceWithItsPixels)
{
    const win::HWND hwnd = PatternedWindow("Rivuve On Screen", 100, 80, 400, 300, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string id = XWindowOf("Rivuve On Screen");
    ASSERT_FALSE(id.empty());
    const std::string geometry = Tool({"xdotool", "getwindowgeometry", id});
    EXPECT_NE(geometry.find("Position: 100,80"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 400x300"), std::string::npos) << geometry;

    // The screen's pixels, as import reads them, are the surface's.
    const auto shot = RunTool({"import", "-window", id, "-depth", "8", "rgb:-"});
    ASSERT_EQ(shot.exitCode, 0);
    ASSERT_EQ(shot.output.size(), 400u * 300u * 3u);
    std::vector<std::uint32_t> surface(400 * 300);
    ASSERT_TRUE(win::detail::CopyWindowPixels(hwnd, win::RECT{0, 0, 400, 300}, surface.data(), 400 * 4));
    int different = 0;
    for (std::size_t i = 0; i < surface.size(); ++i) {
        const auto* rgb = reinterpret_cast<const unsigned char*>(shot.output.data()) + i * 3;
        const std::uint32_t pixel = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
        different += pixel != (surface[i] & 0xFFFFFF);
    }
    EXPECT_EQ(different, 0);
}

TEST_F(OnScreenTest, TypedTextArrivesInTheCodePage)
{
    testsupport::UsingCodePage page(1252);
    const win::HWND hwnd = PatternedWindow("Typing", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string id = XWindowOf("Typing");
    ASSERT_FALSE(id.empty());
    Tool({"xdotool", "windowfocus", "--sync", id});
    ASSERT_TRUE(PumpUntil([&] { return win::GetActiveWindow() == hwnd; }));
    ClearLog();
    Tool({"xdotool", "type", "--delay", "30", "Gr\xC3\xBC\xC3\x9F" "e 1,5"});
    std::string typed;
    PumpUntil([&] {
        typed.clear();
        for (const Received& entry : Only({win::WM_CHAR})) {
            typed += static_cast<char>(entry.wParam);
        }
        return typed.size() >= 9;
    });
    EXPECT_EQ(typed, "Gr\xFC\xDF" "e 1,5");
}

TEST_F(OnScreenTest, ClipboardTextGoesToOtherProgramsAndComesBack)
{
    testsupport::UsingCodePage page(1252);
    const win::HWND hwnd = PatternedWindow("Clipboard", 100, 100, 200, 100, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string text = "Gr\xFC\xDF" "e 1,5\r\nzweite Zeile";
    ASSERT_TRUE(win::OpenClipboard(hwnd));
    win::EmptyClipboard();
    const win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(win::GlobalLock(block), text.c_str(), text.size() + 1);
    win::GlobalUnlock(block);
    win::SetClipboardData(win::CF_TEXT, block);
    win::CloseClipboard();
    std::string pasted;
    PumpUntil([&] {
        pasted = RunTool({"xclip", "-o", "-selection", "clipboard"}).output;
        return !pasted.empty();
    });
    EXPECT_EQ(pasted, "Gr\xC3\xBC\xC3\x9F" "e 1,5\nzweite Zeile");

    // Another program's text, with its line breaks made CR LF.
    testsupport::ScratchFolder folder;
    const std::string file = folder.Path("clip.txt");
    folder.WriteFile("clip.txt", "from xclip \xE2\x82\xAC\nline 2");
    testsupport::Background xclip({"xclip", "-quiet", "-selection", "clipboard", "-i", file});
    ASSERT_TRUE(PumpUntil([&] {
        return RunTool({"xclip", "-o", "-selection", "clipboard"}).output.starts_with("from xclip");
    }));
    ASSERT_TRUE(win::OpenClipboard(hwnd));
    const win::HANDLE got = win::GetClipboardData(win::CF_TEXT);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(win::GlobalLock(got))), "from xclip \x80\r\nline 2");
    win::GlobalUnlock(got);
    win::CloseClipboard();
}

TEST_F(OnScreenTest, ClickingAnotherWindowMovesTheActivationAndTheScreenFocus)
{
    const win::HWND first = PatternedWindow("First", 50, 50, 300, 200, win::WS_OVERLAPPEDWINDOW);
    const win::HWND second = PatternedWindow("Second", 500, 50, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    win::SetActiveWindow(first);
    Settle();
    const std::string secondId = XWindowOf("Second");
    ClearLog();
    Tool({"xdotool", "mousemove", "--sync", "650", "150", "click", "1"});
    ASSERT_TRUE(PumpUntil([&] { return win::GetActiveWindow() == second; }));
    bool clickActive = false;
    bool firstInactive = false;
    for (const Received& entry : Only({win::WM_ACTIVATE})) {
        clickActive = clickActive || (entry.hwnd == second && win::LOWORD(entry.wParam) == win::WA_CLICKACTIVE);
        firstInactive = firstInactive || (entry.hwnd == first && win::LOWORD(entry.wParam) == win::WA_INACTIVE);
    }
    EXPECT_TRUE(clickActive);
    EXPECT_TRUE(firstInactive);
    std::string focus;
    PumpUntil([&] {
        focus = Tool({"xdotool", "getwindowfocus"});
        return focus == secondId;
    });
    EXPECT_EQ(focus, secondId);
}

TEST_F(OnScreenTest, TheScreensFocusFollowsTheProgramsLastActivationAndShowingAloneMovesNothing)
{
    XProbe probe;
    ASSERT_TRUE(probe.Connected());
    // Each shown and activated in turn, then the second activated again at once: the screen's news of
    // the earlier activations must not undo the last.
    PatternedWindow("One", 50, 50, 200, 150, win::WS_OVERLAPPEDWINDOW);
    const win::HWND second = PatternedWindow("Two", 300, 50, 200, 150, win::WS_OVERLAPPEDWINDOW);
    PatternedWindow("Three", 550, 50, 200, 150, win::WS_OVERLAPPEDWINDOW);
    win::SetActiveWindow(second);
    const unsigned long secondId = std::stoul(XWindowOf("Two"));
    EXPECT_TRUE(PumpUntil([&] { return probe.Focus() == secondId; }));
    SettleAfterDrawing(second);
    EXPECT_EQ(win::GetActiveWindow(), second);
    EXPECT_EQ(probe.Focus(), secondId);

    // Shown without being activated, an owned window leaves the keyboard where it is.
    const win::HWND owned = MakeWindow(win::WS_POPUP | win::WS_CAPTION, 100, 100, 150, 100, second);
    win::SetWindowText(owned, "Not Active");
    win::ShowWindow(owned, win::SW_SHOWNA);
    ASSERT_TRUE(PumpUntil([&] { return probe.Window(std::stoul(XWindowOf("Not Active"))).depth != 0; }));
    SettleAfterDrawing(owned);
    EXPECT_EQ(win::GetActiveWindow(), second);
    EXPECT_EQ(probe.Focus(), secondId);
}

TEST_F(OnScreenTest, ClickingAWindowUnderAModalDialogFocusesTheDialog)
{
    if (!testsupport::FindProgram("xmessage")) {
        GTEST_SKIP() << "xmessage is not installed";
    }
    const win::HWND owner = PatternedWindow("Owner", 50, 50, 400, 300, win::WS_OVERLAPPEDWINDOW);
    Settle();
    win::SetActiveWindow(owner);
    const win::HWND dialog = PatternedWindow("Modal", 500, 100, 200, 120,
                                             win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU, owner);
    win::EnableWindow(owner, win::FALSE);
    win::SetActiveWindow(dialog);
    Settle();
    const std::string dialogId = XWindowOf("Modal");
    // Another program has the keyboard; then the user clicks the disabled window.
    testsupport::Background message({"xmessage", "-geometry", "+900+700", "another program"});
    std::string other;
    ASSERT_TRUE(PumpUntil([&] {
        other = RunTool({"xdotool", "search", "--name", "^xmessage$"}).output;
        return !other.empty();
    }));
    Tool({"xdotool", "windowfocus", "--sync", other.substr(0, other.find('\n'))});
    ASSERT_TRUE(PumpUntil([&] { return win::GetActiveWindow() == nullptr; }));
    Tool({"xdotool", "mousemove", "--sync", "200", "200", "click", "1"});
    EXPECT_TRUE(PumpUntil([&] { return Tool({"xdotool", "getwindowfocus"}) == dialogId; }));
    EXPECT_EQ(win::GetActiveWindow(), dialog);
}

TEST_F(OnScreenTest, WheelNotchesAndDoubleClicksByTheProgramsOwnTiming)
{
    const win::HWND hwnd = MakeWindow(win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, 100, 100, 300, 200, nullptr, 0,
                                      win::CS_DBLCLKS);
    win::SetWindowText(hwnd, "Wheel");
    Settle();
    win::SetActiveWindow(hwnd);
    Settle();
    ClearLog();
    Tool({"xdotool", "mousemove", "--sync", "250", "200", "click", "4", "click", "5"});
    ASSERT_TRUE(PumpUntil([&] { return Only({win::WM_MOUSEWHEEL}).size() >= 2; }));
    const auto wheels = Only({win::WM_MOUSEWHEEL});
    EXPECT_EQ(static_cast<short>(win::HIWORD(wheels[0].wParam)), 120);
    EXPECT_EQ(static_cast<short>(win::HIWORD(wheels[1].wParam)), -120);

    ClearLog();
    Tool({"xdotool", "click", "--repeat", "2", "--delay", "100", "1"});
    ASSERT_TRUE(PumpUntil([&] { return Only({win::WM_LBUTTONUP}).size() >= 2; }));
    EXPECT_EQ(Only({win::WM_LBUTTONDBLCLK}).size(), 1u);
    Tool({"xdotool", "sleep", "0.6"});
    ClearLog();
    Tool({"xdotool", "click", "--repeat", "2", "--delay", "700", "1"});
    ASSERT_TRUE(PumpUntil([&] { return Only({win::WM_LBUTTONUP}).size() >= 2; }));
    EXPECT_TRUE(Only({win::WM_LBUTTONDBLCLK}).empty());
}

TEST_F(OnScreenTest, OwnedTopmostAndPopupWindowsAsTheWindowManagerSeesThem)
{
    const win::HWND owner = PatternedWindow("Owner", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    PatternedWindow("Owned Dialog", 150, 150, 200, 100, win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU, owner);
    PatternedWindow("Always Above", 600, 100, 200, 100, win::WS_OVERLAPPEDWINDOW, nullptr, win::WS_EX_TOPMOST);
    PatternedWindow("Menu Popup", 600, 400, 120, 80, win::WS_POPUP);
    Settle();
    const std::string ownerId = XWindowOf("Owner");
    const std::string transient = Tool({"xprop", "-id", XWindowOf("Owned Dialog"), "WM_TRANSIENT_FOR"});
    const std::string hex = [&] {
        std::ostringstream out;
        out << std::hex << std::stoul(ownerId);
        return out.str();
    }();
    EXPECT_NE(transient.find(hex), std::string::npos) << transient;
    // The captioned owned window is a dialog to the window manager; the owner a normal window.
    EXPECT_NE(Tool({"xprop", "-id", XWindowOf("Owned Dialog"), "_NET_WM_WINDOW_TYPE"}).find("_NET_WM_WINDOW_TYPE_DIALOG"),
              std::string::npos);
    EXPECT_EQ(Tool({"xprop", "-id", ownerId, "_NET_WM_WINDOW_TYPE"}).find("_NET_WM_WINDOW_TYPE_DIALOG"),
              std::string::npos);
    EXPECT_NE(Tool({"xprop", "-id", XWindowOf("Always Above"), "_NET_WM_STATE"}).find("_NET_WM_STATE_ABOVE"),
              std::string::npos);
    EXPECT_NE(Tool({"xwininfo", "-id", XWindowOf("Menu Popup")}).find("Override Redirect State: yes"),
              std::string::npos);
    EXPECT_NE(Tool({"xwininfo", "-id", ownerId}).find("Override Redirect State: no"), std::string::npos);
}

// The screen's pixels of a root rectangle, as 0x00RRGGBB.
std::vector<std::uint32_t> RootPixels(const win::RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const auto shot = RunTool({"import", "-window", "root", "-crop",
                               std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(area.left) +
                                   "+" + std::to_string(area.top),
                               "-depth", "8", "rgb:-"});
    std::vector<std::uint32_t> pixels;
    const auto* rgb = reinterpret_cast<const unsigned char*>(shot.output.data());
    for (std::size_t i = 0; i + 2 < shot.output.size(); i += 3) {
        pixels.push_back((std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2]);
    }
    return pixels;
}

std::vector<std::uint32_t> Composed(const win::RECT& area)
{
    win::detail::Surface surface(area.right - area.left, area.bottom - area.top);
    win::ComposeScreen(area, surface);
    return std::vector<std::uint32_t>(surface.Bits(), surface.Bits() + surface.Width() * surface.Height());
}

TEST_F(OnScreenTest, ALayeredWindowShowsWhatTheProgramComposesAndARegionIsTheShape)
{
    const win::HWND main = PatternedWindow("Beneath", 40, 40, 320, 200, win::WS_OVERLAPPEDWINDOW);
    win::SetActiveWindow(main);  // activating the owner keeps the windows it owns above it
    const win::HWND half = PatternedWindow("Half", 100, 100, 120, 80, win::WS_POPUP, main, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(half, 0, 100, win::LWA_ALPHA));
    const win::HWND hint = PatternedWindow("Hint", 100, 60, 140, 40, win::WS_POPUP, main, win::WS_EX_TOOLWINDOW);
    win::SetWindowRgn(hint, win::CreateRoundRectRgn(0, 0, 141, 41, 12, 12), win::TRUE);
    Settle();
    const win::RECT area{100, 100, 220, 180};
    EXPECT_TRUE(PumpUntil([&] { return RootPixels(area) == Composed(area); }));

    const std::string shape = Tool({"xwininfo", "-shape", "-id", XWindowOf("Hint")});
    EXPECT_NE(shape.find("Override Redirect State: yes"), std::string::npos) << shape;
    EXPECT_NE(shape.find("Window shape extents:  140x40+0+0"), std::string::npos) << shape;
    // The round corners are cut out of the shape: the window beneath shows there.
    const win::RECT corner{100, 60, 101, 61};
    std::uint32_t own = 0;
    ASSERT_TRUE(win::detail::CopyWindowPixels(hint, win::RECT{0, 0, 1, 1}, &own, 4));
    EXPECT_NE(Composed(corner).front(), own & 0xFFFFFF) << "the window beneath differs from the hint there";
    EXPECT_EQ(RootPixels(corner), Composed(corner));
}

TEST_F(OnScreenTest, AFaintLayeredWindowShowsOnlyOverTheProgramsWindows)
{
    const win::HWND main = PatternedWindow("Under", 100, 100, 200, 150, win::WS_POPUP);
    win::SetActiveWindow(main);
    const win::HWND faint = PatternedWindow("Faint", 250, 120, 100, 50, win::WS_POPUP, main, win::WS_EX_LAYERED);
    ASSERT_TRUE(win::SetLayeredWindowAttributes(faint, 0, 100, win::LWA_ALPHA));
    Settle();
    const std::string id = XWindowOf("Faint");
    EXPECT_TRUE(PumpUntil([&] {
        return Tool({"xwininfo", "-shape", "-id", id}).find("Window shape extents:  50x50+0+0") != std::string::npos;
    })) << Tool({"xwininfo", "-shape", "-id", id});
    // Moved wholly over the window beneath, all of it shows.
    win::SetWindowPos(faint, nullptr, 150, 120, 0, 0, win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] {
        return Tool({"xwininfo", "-shape", "-id", id}).find("Window shape extents:  100x50+0+0") != std::string::npos;
    })) << Tool({"xwininfo", "-shape", "-id", id});
}

TEST_F(OnScreenTest, UncoveredPixelsComeBackWithoutPainting)
{
    if (!testsupport::FindProgram("xmessage")) {
        GTEST_SKIP() << "xmessage is not installed";
    }
    PatternedWindow("Covered", 100, 100, 400, 300, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const win::RECT area{100, 100, 500, 400};
    const auto before = RootPixels(area);
    ASSERT_EQ(before, Composed(area));
    ClearLog();
    {
        testsupport::Background message({"xmessage", "-geometry", "300x200+150+150", "covering"});
        ASSERT_TRUE(PumpUntil([&] { return !RunTool({"xdotool", "search", "--name", "^xmessage$"}).output.empty(); }));
        PumpUntil([&] { return RootPixels(area) != before; });
    }
    EXPECT_TRUE(PumpUntil([&] { return RootPixels(area) == before; }));
    EXPECT_TRUE(Only({win::WM_PAINT, win::WM_NCPAINT}).empty());
}

TEST_F(OnScreenTest, InvertingOnTheScreensContextShowsOnEveryWindowBeneath)
{
    PatternedWindow("Left", 100, 100, 200, 150, win::WS_POPUP);
    PatternedWindow("Right", 300, 100, 200, 150, win::WS_POPUP);
    Settle();
    const win::RECT band{250, 150, 350, 160};
    ASSERT_TRUE(PumpUntil([&] { return RootPixels(band) == Composed(band); }));
    std::vector<std::uint32_t> inverted = Composed(band);
    for (std::uint32_t& pixel : inverted) {
        pixel = ~pixel & 0xFFFFFF;
    }
    const win::HDC screen = win::GetDC(nullptr);
    win::PatBlt(screen, band.left, band.top, band.right - band.left, band.bottom - band.top, win::DSTINVERT);
    win::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(PumpUntil([&] { return RootPixels(band) == inverted; }));
}

// The program's windows capture the mouse while the left button is down, as a drag does.
win::WNDPROC capturingBase = nullptr;
win::LRESULT CapturingProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message == win::WM_LBUTTONDOWN) {
        win::SetCapture(hwnd);
    } else if (message == win::WM_LBUTTONUP) {
        win::ReleaseCapture();
    }
    return capturingBase(hwnd, message, wParam, lParam);
}

TEST_F(OnScreenTest, AnotherProgramTakesTheKeyboardAndADragGoesOutside)
{
    if (!testsupport::FindProgram("xmessage")) {
        GTEST_SKIP() << "xmessage is not installed";
    }
    const win::HWND hwnd = PatternedWindow("App", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    capturingBase = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(hwnd, win::GWLP_WNDPROC));
    win::SetWindowLongPtr(hwnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(CapturingProc));
    Settle();
    win::SetActiveWindow(hwnd);
    Settle();
    testsupport::Background message({"xmessage", "-geometry", "+1100+850", "another program"});
    std::string other;
    ASSERT_TRUE(PumpUntil([&] {
        other = RunTool({"xdotool", "search", "--name", "^xmessage$"}).output;
        return !other.empty();
    }));
    other = other.substr(0, other.find('\n'));
    auto activateApp = [&](win::WPARAM active) {
        for (const Received& entry : Only({win::WM_ACTIVATEAPP})) {
            if (entry.hwnd == hwnd && entry.wParam == active) {
                return true;
            }
        }
        return false;
    };
    ClearLog();
    Tool({"xdotool", "windowfocus", "--sync", other});
    EXPECT_TRUE(PumpUntil([&] { return activateApp(win::FALSE); }));
    EXPECT_EQ(win::GetForegroundWindow(), nullptr);
    ClearLog();
    Tool({"xdotool", "mousemove", "--sync", "250", "200", "click", "1"});
    EXPECT_TRUE(PumpUntil([&] { return activateApp(win::TRUE); }));

    // A press, a drag over the other program and a release: all of it comes to the window.
    ClearLog();
    Tool({"xdotool", "mousemove", "--sync", "260", "210", "mousedown", "1", "sleep", "0.2", "mousemove", "700", "500",
          "sleep", "0.1", "mousemove", "1200", "900", "sleep", "0.2", "mouseup", "1"});
    ASSERT_TRUE(PumpUntil([&] { return !Only({win::WM_LBUTTONUP}).empty(); })) << [&] {
        std::string seen;
        for (const Received& entry : Only({win::WM_MOUSEMOVE, win::WM_LBUTTONDOWN, win::WM_LBUTTONUP, win::WM_CAPTURECHANGED})) {
            seen += std::to_string(entry.message) + "@" + std::to_string(win::GET_X_LPARAM(entry.lParam)) + " ";
        }
        return seen;
    }();
    win::RECT client;
    win::GetClientRect(hwnd, &client);
    bool outside = false;
    for (const Received& entry : Only({win::WM_MOUSEMOVE})) {
        outside = outside || win::GET_X_LPARAM(entry.lParam) > client.right;
    }
    EXPECT_TRUE(outside);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(OnScreenTest, ScreenshotWritesTheSameBytesOnScreenAsHeadless)
{
    testsupport::ScratchFolder folder;
    for (const char* display : {"headless", "sdl"}) {
        const auto run = RunTool({RIVUVE_SCREENSHOT, "--scene", "layered", "--display", display, "--out",
                                  folder.Path(display)},
                                 {}, testsupport::ToolErrors::Joined);
        ASSERT_EQ(run.exitCode, 0) << display << ": " << run.output;
    }
    // The scene's two owned popups do not overlap, and their stacking on screen can come out either way
    // (their numbers then swap): each picture is compared with its equal, not by its number.
    std::map<std::string, std::multiset<std::string>> pictures;
    for (const char* display : {"headless", "sdl"}) {
        for (const char* name : {"01-ScreenshotScene.png", "02-ScreenshotScene.png", "03-ScreenshotScene.png"}) {
            const std::string bytes = testsupport::ReadBytes(folder.Path(std::string(display) + "/" + name));
            EXPECT_FALSE(bytes.empty()) << display << "/" << name;
            pictures[display].insert(bytes);
        }
    }
    EXPECT_TRUE(pictures["headless"] == pictures["sdl"]);
    const std::string screen = testsupport::ReadBytes(folder.Path("headless/screen.png"));
    EXPECT_FALSE(screen.empty());
    EXPECT_EQ(screen, testsupport::ReadBytes(folder.Path("sdl/screen.png")));
}

// The root point in the middle of xmessage's button: the lowest of its inner windows.
win::POINT XmessageButton(const std::string& id)
{
    std::istringstream tree(RunTool({"xwininfo", "-tree", "-id", id}).output);
    win::POINT centre{-1, -1};
    int lowest = -1;
    for (std::string line; std::getline(tree, line);) {
        int width = 0;
        int height = 0;
        int x = 0;
        int y = 0;
        const auto sizeAt = line.find("()");
        if (sizeAt == std::string::npos ||
            std::sscanf(line.c_str() + sizeAt + 2, " %dx%d%*d%*d +%d+%d", &width, &height, &x, &y) != 4) {
            continue;
        }
        if (y > lowest) {
            lowest = y;
            centre = win::POINT{x + width / 2, y + height / 2};
        }
    }
    return centre;
}

TEST_F(OnScreenTest, TheCaptureHoldsThePointerUntilItIsReleased)
{
    if (!testsupport::FindProgram("xmessage")) {
        GTEST_SKIP() << "xmessage is not installed";
    }
    const win::HWND hwnd = PatternedWindow("Capturing", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    testsupport::Background message({"xmessage", "-geometry", "+900+700", "another program"});
    const std::string other = XWindowOf("xmessage");
    ASSERT_FALSE(other.empty());
    const win::POINT button = XmessageButton(other);
    ASSERT_GT(button.x, 900) << Tool({"xwininfo", "-tree", "-id", other});
    auto clickButton = [&] {
        Tool({"xdotool", "mousemove", "--sync", std::to_string(button.x), std::to_string(button.y), "sleep", "0.1",
              "mousedown", "1", "sleep", "0.1", "mouseup", "1"});
    };

    // Held: the press on the other program's button comes to the capturing window.
    win::SetCapture(hwnd);
    Settle();
    ClearLog();
    clickButton();
    ASSERT_TRUE(PumpUntil([&] { return !Only({win::WM_LBUTTONUP}).empty(); }));
    const auto presses = Only({win::WM_LBUTTONDOWN});
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].hwnd, hwnd);
    win::POINT client = button;
    win::ScreenToClient(hwnd, &client);
    EXPECT_EQ(win::GET_X_LPARAM(presses[0].lParam), client.x);
    EXPECT_EQ(win::GET_Y_LPARAM(presses[0].lParam), client.y);
    EXPECT_FALSE(message.Exited());

    // Released: the same click reaches the button, which ends the program.
    win::ReleaseCapture();
    Settle();
    ClearLog();
    clickButton();
    EXPECT_TRUE(PumpUntil([&] { return message.Exited(); }));
    EXPECT_TRUE(Only({win::WM_LBUTTONDOWN}).empty());
}

TEST_F(OnScreenTest, SetCursorPosMovesTheScreensPointer)
{
    PatternedWindow("Pointer", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    ASSERT_TRUE(win::SetCursorPos(321, 234));
    std::string location;
    EXPECT_TRUE(PumpUntil([&] {
        location = Tool({"xdotool", "getmouselocation"});
        return location.starts_with("x:321 y:234 ");
    })) << location;
}

TEST_F(OnScreenTest, MovesAndSizesOfTheWindowManagerComeBackAndOwnMovesDoNotEcho)
{
    const win::HWND hwnd = PatternedWindow("Placed", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string id = XWindowOf("Placed");
    auto rectIs = [&](const win::RECT& wanted) {
        win::RECT rect;
        win::GetWindowRect(hwnd, &rect);
        return rect.left == wanted.left && rect.top == wanted.top && rect.right == wanted.right &&
               rect.bottom == wanted.bottom;
    };
    Tool({"xdotool", "windowmove", "--sync", id, "400", "300"});
    EXPECT_TRUE(PumpUntil([&] { return rectIs(win::RECT{400, 300, 700, 500}); }));
    Tool({"xdotool", "windowsize", "--sync", id, "350", "220"});
    EXPECT_TRUE(PumpUntil([&] { return rectIs(win::RECT{400, 300, 750, 520}); }));

    // The program moves it several times in a row: the screen's answers to the earlier moves, which
    // come after the later ones were asked for, are no moves of the window manager.
    Settle();
    ClearLog();
    for (int step = 1; step <= 8; ++step) {
        win::SetWindowPos(hwnd, nullptr, 400 - step * 30, 300 - step * 20, 0, 0,
                          win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    Settle();
    std::string geometry;
    PumpUntil([&] {
        geometry = Tool({"xdotool", "getwindowgeometry", id});
        return geometry.find("Position: 160,140") != std::string::npos;
    });
    EXPECT_NE(geometry.find("Position: 160,140"), std::string::npos) << geometry;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; });
    EXPECT_TRUE(rectIs(win::RECT{160, 140, 510, 360}));
    EXPECT_EQ(Only({win::WM_MOVE}).size(), 8u);
}

TEST_F(OnScreenTest, AMinimisedWindowLeavesTheScreenAndComesBack)
{
    const win::HWND hwnd = PatternedWindow("Iconic", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    const std::string id = XWindowOf("Iconic");
    // No window manager runs here: nothing would show the icon, so the window is unmapped.
    win::ShowWindow(hwnd, win::SW_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return Tool({"xwininfo", "-id", id}).find("IsUnMapped") != std::string::npos; }));
    EXPECT_EQ(XWindowOf("Iconic"), id) << "the same X window stays";
    win::ShowWindow(hwnd, win::SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return Tool({"xwininfo", "-id", id}).find("IsViewable") != std::string::npos; }));
}

TEST_F(OnScreenTest, EachFrameOfAnAnimationIsPresentedAndTheLastShowsTheWindowItself)
{
    PatternedWindow("Beneath", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    const win::HWND hwnd = MakeWindow(win::WS_POPUP, 150, 150, 200, 100);
    Settle();
    const std::uint64_t before = win::detail::PresentCount();
    // 200 ms make 20 frames; the first is shown with the window.
    ASSERT_TRUE(win::AnimateWindow(hwnd, 200, win::AW_BLEND));
    EXPECT_GE(win::detail::PresentCount() - before, 20u);
    // Faded in fully, the window shows its own pixels again, not a blend over the one beneath.
    const win::HDC dc = win::GetWindowDC(hwnd);
    const win::HBRUSH green = win::CreateSolidBrush(win::RGB(40, 180, 60));
    const win::RECT all{0, 0, 200, 100};
    win::FillRect(dc, &all, green);
    win::DeleteObject(green);
    win::ReleaseDC(hwnd, dc);
    const win::RECT area{150, 150, 350, 250};
    EXPECT_TRUE(PumpUntil([&] { return RootPixels(area) == Composed(area); }));
    EXPECT_EQ(RootPixels(win::RECT{200, 200, 201, 201}).front(), 0x28B43Cu);
}

TEST_F(OnScreenTest, TheBigIconIsTheScreensIconOfTheWindow)
{
    const win::HWND hwnd = PatternedWindow("With Icon", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    PatternedWindow("Without Icon", 500, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    win::SendMessage(hwnd, win::WM_SETICON, 1, reinterpret_cast<win::LPARAM>(win::LoadIcon(nullptr, win::IDI_APPLICATION)));
    Settle();
    std::string icon;
    EXPECT_TRUE(PumpUntil([&] {
        icon = Tool({"xprop", "-id", XWindowOf("With Icon"), "_NET_WM_ICON"});
        return icon.find("32 x 32") != std::string::npos;
    })) << icon.substr(0, 200);
    EXPECT_NE(Tool({"xprop", "-id", XWindowOf("Without Icon"), "_NET_WM_ICON"}).find("not found"), std::string::npos);
}

TEST_F(OnScreenTest, LeavingEveryWindowForTheDesktopEndsMouseLeaveTracking)
{
    const win::HWND hwnd = PatternedWindow("Tracked", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    Tool({"xdotool", "mousemove", "--sync", "250", "200"});
    ASSERT_TRUE(PumpUntil([&] {
        win::POINT at;
        win::GetCursorPos(&at);
        return at.x == 250 && at.y == 200;
    }));
    win::TRACKMOUSEEVENT track;
    track.dwFlags = win::TME_LEAVE;
    track.hwndTrack = hwnd;
    ASSERT_TRUE(win::TrackMouseEvent(&track));
    ClearLog();
    // Out to where no window is: the window hears of it, and the pointer's place is known.
    Tool({"xdotool", "mousemove", "--sync", "900", "700"});
    EXPECT_TRUE(PumpUntil([&] { return !Only({win::WM_MOUSELEAVE}).empty(); }));
    win::POINT at;
    win::GetCursorPos(&at);
    EXPECT_EQ(at.x, 900);
    EXPECT_EQ(at.y, 700);
}

TEST_F(OnScreenTest, TheScreenShowsTheProgramsCursorUnlessItIsHidden)
{
    PatternedWindow("Cursor", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    XProbe probe;
    ASSERT_TRUE(probe.Connected());
    ASSERT_TRUE(win::SetCursorPos(200, 150));
    ASSERT_TRUE(PumpUntil([&] { return Tool({"xdotool", "getmouselocation"}).starts_with("x:200 y:150 "); }));
    // 16 x 16: the left half black above and white below, the right half transparent.
    std::vector<win::BYTE> andMask(32, 0x00);
    std::vector<win::BYTE> xorMask(32, 0x00);
    for (int row = 0; row < 16; ++row) {
        andMask[row * 2 + 1] = 0xFF;
        xorMask[row * 2] = row >= 8 ? 0xFF : 0x00;
    }
    const win::HCURSOR cursor = win::CreateCursor(nullptr, 3, 5, 16, 16, andMask.data(), xorMask.data());
    ASSERT_NE(cursor, nullptr);
    win::SetCursor(cursor);
    CursorImage shown;
    auto showsOurs = [&] {
        shown = probe.Cursor();
        return shown.width == 16 && shown.height == 16 && shown.xHot == 3 && shown.yHot == 5;
    };
    ASSERT_TRUE(PumpUntil(showsOurs)) << shown.width << "x" << shown.height;
    EXPECT_EQ(shown.pixels[0], 0xFF000000u);
    EXPECT_EQ(shown.pixels[15 * 16], 0xFFFFFFFFu);
    EXPECT_EQ(shown.pixels[15] >> 24, 0u);

    // Hidden by the display count, then shown again.
    win::ShowCursor(win::FALSE);
    EXPECT_TRUE(PumpUntil([&] {
        const CursorImage hidden = probe.Cursor();
        return !hidden.pixels.empty() &&
               std::all_of(hidden.pixels.begin(), hidden.pixels.end(), [](std::uint32_t pixel) { return pixel >> 24 == 0; });
    }));
    win::ShowCursor(win::TRUE);
    EXPECT_TRUE(PumpUntil(showsOurs));
}

TEST_F(OnScreenTest, MessageBeepRingsTheBell)
{
    PatternedWindow("Bell", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    XProbe probe;
    ASSERT_TRUE(probe.Connected());
    EXPECT_FALSE(probe.BellRang());
    win::MessageBeep(win::MB_ICONHAND);
    EXPECT_TRUE(PumpUntil([&] { return probe.BellRang(); }));
}

TEST_F(OnScreenTest, ADeadKeyOfAGermanLayoutComposesThroughTheInputMethod)
{
    if (!testsupport::FindProgram("setxkbmap")) {
        GTEST_SKIP() << "setxkbmap is not installed";
    }
    testsupport::UsingCodePage page(1252);
    // The display starts again on the German layout, with a locale whose input method composes.
    win::detail::SetDisplayDriver(nullptr);
    Tool({"setxkbmap", "de"});
    const char* previous = std::getenv("LC_ALL");
    const std::string restore = previous ? previous : "";
    ::setenv("LC_ALL", "C.UTF-8", 1);
    win::detail::SetDisplayDriver(win::detail::StartSdlDisplay());
    previous ? ::setenv("LC_ALL", restore.c_str(), 1) : ::unsetenv("LC_ALL");

    const win::HWND hwnd = PatternedWindow("Dead Keys", 100, 100, 300, 200, win::WS_OVERLAPPEDWINDOW);
    Settle();
    Tool({"xdotool", "windowfocus", "--sync", XWindowOf("Dead Keys")});
    ASSERT_TRUE(PumpUntil([&] { return win::GetActiveWindow() == hwnd; }));
    ClearLog();
    Tool({"xdotool", "key", "--delay", "50", "dead_acute", "e", "z"});
    std::string typed;
    PumpUntil([&] {
        typed.clear();
        for (const Received& entry : Only({win::WM_CHAR})) {
            typed += static_cast<char>(entry.wParam);
        }
        return typed.size() >= 2;
    });
    // The key labelled Z on a German keyboard types z, after the composed e acute.
    EXPECT_EQ(typed, "\xE9z");
    EXPECT_TRUE(Only({win::WM_DEADCHAR}).empty()) << "the input method composes, not the window system";
}

// With the standard controls of the GUI class library.
class ControlsOnScreenTest : public OnScreenTest {
protected:
    ControlsOnScreenTest() { withGui_ = true; }
};

TEST_F(ControlsOnScreenTest, AnEditTakesTypedTextAndTradesItWithOtherProgramsClipboard)
{
    testsupport::UsingCodePage page(1252);
    const win::HWND top = PatternedWindow("Form", 100, 100, 400, 200, win::WS_OVERLAPPEDWINDOW);
    const win::HWND edit = win::CreateWindowEx(0, "EDIT", "", win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER | win::ES_AUTOHSCROLL,
                                               20, 40, 300, 24, top, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    Settle();
    win::RECT rect;
    win::GetWindowRect(edit, &rect);
    Tool({"xdotool", "mousemove", "--sync", std::to_string((rect.left + rect.right) / 2),
          std::to_string((rect.top + rect.bottom) / 2), "click", "1"});
    ASSERT_TRUE(PumpUntil([&] { return win::GetFocus() == edit; }));

    Tool({"xdotool", "type", "--delay", "30", "Gr\xC3\xBC\xC3\x9F" "e 1,5"});
    EXPECT_TRUE(PumpUntil([&] { return win::GetWindowText(edit) == "Gr\xFC\xDF" "e 1,5"; })) << win::GetWindowText(edit);

    // Ctrl+A, Ctrl+C: the other programs read it.
    Tool({"xdotool", "key", "--delay", "50", "ctrl+a", "ctrl+c"});
    std::string copied;
    PumpUntil([&] {
        copied = RunTool({"xclip", "-o", "-selection", "clipboard"}).output;
        return !copied.empty();
    });
    EXPECT_EQ(copied, "Gr\xC3\xBC\xC3\x9F" "e 1,5");

    // Another program's text replaces it with Ctrl+A, Ctrl+V.
    testsupport::ScratchFolder folder;
    folder.WriteFile("clip.txt", "from xclip \xE2\x82\xAC");
    testsupport::Background xclip({"xclip", "-quiet", "-selection", "clipboard", "-i", folder.Path("clip.txt")});
    ASSERT_TRUE(PumpUntil([&] {
        return RunTool({"xclip", "-o", "-selection", "clipboard"}).output.starts_with("from xclip");
    }));
    Tool({"xdotool", "key", "--delay", "50", "ctrl+a", "ctrl+v"});
    EXPECT_TRUE(PumpUntil([&] { return win::GetWindowText(edit) == "from xclip \x80"; })) << win::GetWindowText(edit);
    win::DestroyWindow(top);  // the edit lets go of its state
}

}  // namespace
}  // namespace displaytest
