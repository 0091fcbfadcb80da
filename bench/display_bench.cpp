// The on-screen display's present: how long a full-window drawing takes to reach the screen, and how
// many presents a second it makes, on a private Xvfb with the sdl display. The reference, measured in
// the same run, is a plain copy of the same pixels (the least any present must do).

#include "Timing.h"

#include "platform/display/detail/SdlDisplay.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Win.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/wintypes/GdiTypes.h"
#include "tests/support/Xvfb.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Width = 1000;
constexpr int Height = 700;

void Pump()
{
    win::MSG msg;
    while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        win::DispatchMessage(&msg);
    }
}

// Fills rect of the window in a colour of its own and waits until the display has presented it;
// answers the seconds that took.
double FillAndPresent(win::HWND hwnd, const win::RECT& rect, int round)
{
    const std::uint64_t before = win::detail::PresentCount();
    const auto start = Clock::now();
    const win::HDC dc = win::GetWindowDC(hwnd);
    const win::HBRUSH brush = win::CreateSolidBrush(win::RGB(round * 37 % 256, round * 91 % 256, 128));
    win::FillRect(dc, &rect, brush);
    win::DeleteObject(brush);
    win::ReleaseDC(hwnd, dc);
    while (win::detail::PresentCount() == before) {
        std::this_thread::yield();
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * double(values.size() - 1))];
}

// Presents a second over two seconds.
double Rate(win::HWND hwnd, const win::RECT& rect)
{
    int presents = 0;
    const auto end = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < end) {
        FillAndPresent(hwnd, rect, presents++);
        Pump();
    }
    return presents / 2.0;
}

}  // namespace

int main()
{
    testsupport::XvfbServer server;
    if (!server.SkipReason().empty()) {
        std::printf("display_bench: %s\n", server.SkipReason().c_str());
        return 1;
    }
    rtl::initialize();
    win::services::initialize();
    win::gdi::initialize();
    win::text::initialize();
    win::initialize();
    win::detail::SetDisplayDriver(win::detail::StartSdlDisplay());
    win::WNDCLASSEX windowClass;
    windowClass.lpfnWndProc = win::DefWindowProc;
    windowClass.lpszClassName = "Bench";
    win::RegisterClassEx(&windowClass);
    const win::HWND hwnd = win::CreateWindowEx(0, "Bench", "Bench", win::WS_POPUP | win::WS_VISIBLE, 0, 0, Width,
                                               Height, nullptr, nullptr, nullptr, nullptr);
    Pump();
    FillAndPresent(hwnd, win::RECT{0, 0, Width, Height}, 0);

    std::vector<double> latencies;
    std::vector<double> copies;
    std::vector<std::uint32_t> from(Width * Height, 0x123456);
    std::vector<std::uint32_t> to(Width * Height);
    for (int round = 1; round <= 200; ++round) {
        latencies.push_back(FillAndPresent(hwnd, win::RECT{0, 0, Width, Height}, round));
        Pump();
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), to.size() * 4);
        copies.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        bench::Keep(to[round]);
    }
    std::printf("Present on a %d x %d window (Xvfb, sdl display)\n", Width, Height);
    const double median = bench::Median(latencies);
    const double copy = bench::Median(copies);
    bench::Print("present latency, median", "copying the window's pixels", bench::Comparison{median, copy, median / copy});
    const double high = Percentile(latencies, 0.95);
    bench::Print("present latency, 95th percentile", "copying the window's pixels",
                 bench::Comparison{high, copy, high / copy});
    const double full = Rate(hwnd, win::RECT{0, 0, Width, Height});
    const double small = Rate(hwnd, win::RECT{0, 0, 100, 100});
    std::printf("%-44s %10.0f /s | %-40s %10.0f /s | ratio %6.2f\n", "full-window presents", full,
                "pixel copies of the window", 1 / copy, full * copy);
    std::printf("%-44s %10.0f /s | %-40s %10.0f /s | ratio %6.2f\n", "100 x 100 presents", small,
                "pixel copies of the window", 1 / copy, small * copy);
    win::DestroyWindow(hwnd);
    win::detail::SetDisplayDriver(nullptr);
    win::finalize();
    win::text::finalize();
    win::gdi::finalize();
    win::services::finalize();
    return 0;
}
