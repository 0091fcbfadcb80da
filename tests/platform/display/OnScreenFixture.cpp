#include "OnScreenFixture.h"

#include "platform/display/detail/SdlDisplay.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/DisplayDriver.h"
#include "tests/support/RunTool.h"

#include <chrono>
#include <thread>

namespace displaytest {

using testsupport::RunTool;

void OnScreenTest::SetUp()
{
    if (!server_.SkipReason().empty()) {
        GTEST_SKIP() << server_.SkipReason();
    }
    for (const char* tool : {"xdotool", "xprop", "xwininfo", "import", "xclip"}) {
        if (!testsupport::FindProgram(tool)) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    DisplayTest::SetUp();
    win::detail::SetDisplayDriver(win::detail::StartSdlDisplay());
    started_ = true;
}

void OnScreenTest::TearDown()
{
    if (started_) {
        win::detail::SetDisplayDriver(nullptr);
        DisplayTest::TearDown();
    }
}

bool OnScreenTest::PumpUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
        Pump();
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void OnScreenTest::SettleFrom(std::uint64_t before)
{
    PumpUntil([&] { return win::detail::PresentCount() > before; });
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; });
}

void OnScreenTest::Settle()
{
    SettleFrom(win::detail::PresentCount());
}

void OnScreenTest::SettleAfterDrawing(win::HWND hwnd)
{
    // Counted before the drawing: its present may come before this thread looks again.
    const std::uint64_t before = win::detail::PresentCount();
    const win::HDC dc = win::GetWindowDC(hwnd);
    win::SetPixel(dc, 0, 0, win::GetPixel(dc, 0, 0));
    win::ReleaseDC(hwnd, dc);
    SettleFrom(before);
}

std::string OnScreenTest::Tool(const std::vector<std::string>& argv)
{
    const auto result = RunTool(argv);
    EXPECT_EQ(result.exitCode, 0) << argv[0] << " " << (argv.size() > 1 ? argv[1] : "");
    std::string output = result.output;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

std::string OnScreenTest::XWindowOf(const std::string& title)
{
    std::string id;
    PumpUntil([&] {
        id = RunTool({"xdotool", "search", "--name", "^" + title + "$"}).output;
        return !id.empty();
    });
    return id.substr(0, id.find('\n'));
}

win::HWND OnScreenTest::PatternedWindow(const char* title, int x, int y, int width, int height, win::DWORD style,
                                        win::HWND owner, win::DWORD exStyle)
{
    const win::HWND hwnd = MakeWindow(style, x, y, width, height, owner, exStyle);
    win::SetWindowText(hwnd, title);
    win::ShowWindow(hwnd, win::SW_SHOW);
    Pump();
    const win::HDC dc = win::GetWindowDC(hwnd);
    const win::HBRUSH yellow = win::CreateSolidBrush(PatternAt(5));
    const win::HBRUSH blue = win::CreateSolidBrush(PatternAt(0));
    const win::RECT all{0, 0, width, height};
    win::FillRect(dc, &all, yellow);
    for (int column = 0; column < width; column += 16) {
        const win::RECT bar{column, 0, column + 5, height};
        win::FillRect(dc, &bar, blue);
    }
    win::DeleteObject(yellow);
    win::DeleteObject(blue);
    win::ReleaseDC(hwnd, dc);
    return hwnd;
}

win::COLORREF OnScreenTest::PatternAt(int x)
{
    return x % 16 < 5 ? win::RGB(20, 60, 200) : win::RGB(250, 220, 30);
}

}  // namespace displaytest
