// The display driver: what the window system tells it in a scripted session, in order, and a message
// wait that the driver wakes from another thread to deliver input from the screen.

#include "WinFixture.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/win/Caret.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursor.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/DisplayDriver.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wintest {
namespace {

using namespace win;
using namespace win::detail;

std::string Text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

// Notes what it is told, one line each; its PumpEvents posts a mouse move when the screen has one.
class RecordingDriver final : public DisplayDriver {
public:
    void WindowShown(HWND, const RECT& rect) override { Note("shown " + Text(rect)); }
    void WindowHidden(HWND) override { Note("hidden"); }
    void WindowMoved(HWND, const RECT& rect) override { Note("moved " + Text(rect)); }
    void WindowResized(HWND, const RECT& rect) override { Note("resized " + Text(rect)); }
    void WindowRestacked(HWND, HWND) override { Note("restacked"); }
    void WindowRegionChanged(HWND) override { Note("region"); }
    void WindowLayeredChanged(HWND) override { Note("layered"); }
    void WindowDestroyed(HWND) override { Note("destroyed"); }
    void SurfaceDamaged(HWND, const RECT& rect) override { Note("damaged " + Text(rect)); }
    void Present(HWND) override { Note("present"); }
    void CursorChanged(HCURSOR) override { Note("cursor"); }
    void ClipboardHandedOver(HWND) override { Note("clipboard"); }
    void CaretBlinked(HWND, const RECT&, bool shown) override { Note(shown ? "caret on" : "caret off"); }
    void PumpEvents() override
    {
        if (screenMove.exchange(false)) {
            PostMouseInput(WM_MOUSEMOVE, POINT{30, 30}, 0, 0);
        }
    }

    std::vector<std::string> Events()
    {
        std::lock_guard lock(mutex_);
        return events_;
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        events_.clear();
    }
    std::atomic<bool> screenMove{false};

private:
    void Note(std::string event)
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    std::mutex mutex_;
    std::vector<std::string> events_;
};

class DisplayDriverTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
        SetDisplayDriver(driver);
    }

    std::shared_ptr<RecordingDriver> driver = std::make_shared<RecordingDriver>();
};

TEST_F(DisplayDriverTest, AScriptedSessionReachesTheDriverInOrder)
{
    const HWND hwnd = MakeWindow(WS_POPUP);
    const HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, hwnd);
    EXPECT_TRUE(driver->Events().empty()) << "hidden windows and children are not on the screen";

    ShowWindow(hwnd, SW_SHOWNA);
    MoveWindow(hwnd, 40, 50, 100, 50, FALSE);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MoveWindow(child, 5, 5, 10, 10, FALSE);  // children stay inside the window system
    HDC dc = GetDC(hwnd);
    const RECT box{0, 0, 8, 4};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(hwnd, dc);
    HDC untouched = GetDC(hwnd);
    ReleaseDC(hwnd, untouched);
    SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    SetWindowRgn(hwnd, CreateRectRgn(0, 0, 50, 50), FALSE);
    CreateCaret(hwnd, nullptr, 2, 10);
    ShowCaret(hwnd);
    OpenClipboard(hwnd);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, GlobalAlloc(GMEM_MOVEABLE, 4));
    CloseClipboard();
    DestroyCaret();
    ShowWindow(hwnd, SW_HIDE);
    DestroyWindow(hwnd);

    const std::vector<std::string> events = driver->Events();
    const std::vector<std::string> script{
        "shown 10,20,110,70",
        "moved 40,50,140,100",
        "restacked",
        // The box filled, once; the context given back untouched damages nothing.
        "damaged 0,0,8,4",
        "present",
        "cursor",
        "region",
        "caret on",
        "damaged 0,0,2,10",
        "present",
        "clipboard",
        "caret off",
        "damaged 0,0,2,10",
        "present",
        "hidden",
        "destroyed",
    };
    EXPECT_EQ(events, script);
}

TEST_F(DisplayDriverTest, MakingAShownWindowLayeredOrPlainReachesTheDriver)
{
    const HWND hwnd = MakeWindow(WS_POPUP | WS_VISIBLE);
    driver->Clear();
    SetWindowLongPtr(hwnd, GWL_EXSTYLE, WS_EX_LAYERED);
    SetWindowLongPtr(hwnd, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    SetWindowLongPtr(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    // Made layered, then plain again.
    EXPECT_EQ(driver->Events(), (std::vector<std::string>{"layered", "layered"}));
}

TEST_F(DisplayDriverTest, DrawingOnTheScreenDamagesEachWindowBeneathWhenGivenBackOrWhenTheThreadLooksForMessages)
{
    const HWND left = MakeWindow(WS_POPUP);
    const HWND right = MakeWindow(WS_POPUP);
    SetWindowPos(left, HWND_TOP, 0, 0, 100, 100, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetWindowPos(right, HWND_TOP, 100, 0, 100, 100, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    for (HWND hwnd : {left, right}) {
        HDC dc = GetWindowDC(hwnd);
        const RECT all{0, 0, 100, 100};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(hwnd, dc);
    }
    driver->Clear();
    // Across both windows and beyond them, where nothing of ours is.
    HDC screen = GetDC(nullptr);
    PatBlt(screen, 90, 10, 200, 5, DSTINVERT);
    EXPECT_TRUE(driver->Events().empty()) << "shown when the context is given back";
    ReleaseDC(nullptr, screen);
    std::vector<std::string> events = driver->Events();
    std::sort(events.begin(), events.end());
    const std::vector<std::string> given{"damaged 0,10,100,15", "damaged 90,10,100,15", "present", "present"};
    EXPECT_EQ(events, given);

    // A context kept: shown when the thread next looks at its queue.
    driver->Clear();
    screen = GetDC(nullptr);
    PatBlt(screen, 20, 30, 10, 10, DSTINVERT);
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const std::vector<std::string> kept{"damaged 20,30,30,40", "present"};
    EXPECT_EQ(driver->Events(), kept);
    ReleaseDC(nullptr, screen);
}

TEST_F(DisplayDriverTest, TheDriverWakesAMessageWaitFromAnotherThread)
{
    const HWND hwnd = MakeWindow(WS_POPUP | WS_VISIBLE);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessage(&msg);
    }
    std::thread screen([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        driver->screenMove = true;
        WakeMessageWaits();
    });
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    screen.join();
    EXPECT_EQ(msg.message, WM_MOUSEMOVE) << "the screen's input came through the driver";
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 20);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 10);
}

TEST_F(DisplayDriverTest, RivuveDisplayHeadlessForcesTheHeadlessDriver)
{
    const char* saved = std::getenv("RIVUVE_DISPLAY");
    const std::string previous = saved ? saved : "";
    setenv("RIVUVE_DISPLAY", "headless", 1);
    EXPECT_TRUE(HeadlessForced());
    setenv("RIVUVE_DISPLAY", "", 1);
    EXPECT_FALSE(HeadlessForced());
    unsetenv("RIVUVE_DISPLAY");
    EXPECT_FALSE(HeadlessForced());
    if (saved) {
        setenv("RIVUVE_DISPLAY", previous.c_str(), 1);
    }
}

}  // namespace
}  // namespace wintest
