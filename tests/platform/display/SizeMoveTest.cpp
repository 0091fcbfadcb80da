#include "DisplayFixture.h"

#include "platform/rtl/Clock.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/wintypes/Messages.h"

#include <gtest/gtest.h>

namespace displaytest {
namespace {

using win::TestDriver;

class SizeMoveTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        window_ = MakeWindow(win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, 100, 100, 300, 200);
        driver_.Pump();
        ClearLog();
    }

    // A screen point on the window's caption.
    win::POINT CaptionPoint() const
    {
        win::RECT rect;
        win::GetWindowRect(window_, &rect);
        const int x = (rect.left + rect.right) / 2;
        for (int y = rect.top; y < rect.bottom; ++y) {
            if (win::SendMessage(window_, win::WM_NCHITTEST, 0, win::MAKELPARAM(x, y)) == win::HTCAPTION) {
                return {x, y};
            }
        }
        ADD_FAILURE() << "no caption";
        return {x, rect.top};
    }

    win::RECT Rect() const
    {
        win::RECT rect;
        win::GetWindowRect(window_, &rect);
        return rect;
    }

    // Presses at a screen point, then runs the steps one tick apart (each at screen points) while the
    // loop runs.
    void Drag(win::POINT from, std::initializer_list<std::function<void()>> steps)
    {
        std::uint64_t tick = clock_.TickCount64();
        for (const auto& step : steps) {
            driver_.At(++tick, step);
        }
        driver_.MouseDown(desktop_, TestDriver::Button::Left, from.x, from.y);
        driver_.Pump();
    }

    std::vector<win::UINT> LoopMessages()
    {
        std::vector<win::UINT> messages;
        for (const Received& entry :
             Only({win::WM_ENTERSIZEMOVE, win::WM_MOVING, win::WM_SIZING, win::WM_EXITSIZEMOVE})) {
            if (messages.empty() || messages.back() != entry.message) {
                messages.push_back(entry.message);
            }
        }
        return messages;
    }

    rtl::VirtualClock clock_;
    rtl::ScopedClock installed_{clock_};
    TestDriver driver_{clock_};
    win::HWND window_ = nullptr;
    win::HWND desktop_ = win::GetDesktopWindow();
};

TEST_F(SizeMoveTest, DraggingTheCaptionMovesTheWindow)
{
    const win::POINT from = CaptionPoint();
    Drag(from, {[&] { driver_.MouseMove(desktop_, from.x + 20, from.y + 10); },
                [&] { driver_.MouseMove(desktop_, from.x + 50, from.y + 30); },
                [&] { driver_.MouseUp(desktop_, TestDriver::Button::Left, from.x + 50, from.y + 30); }});
    EXPECT_EQ(Rect(), (win::RECT{150, 130, 450, 330}));
    EXPECT_EQ(LoopMessages(), (std::vector<win::UINT>{win::WM_ENTERSIZEMOVE, win::WM_MOVING, win::WM_EXITSIZEMOVE}));
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_TRUE(driver_.Stalls().empty());
}

TEST_F(SizeMoveTest, SizingByTheCornerStopsAtTheSmallestTrackSize)
{
    SetMinTrackSize({100, 100});
    const win::POINT corner{398, 298};
    ASSERT_EQ(win::SendMessage(window_, win::WM_NCHITTEST, 0, win::MAKELPARAM(corner.x, corner.y)), win::HTBOTTOMRIGHT);
    Drag(corner, {[&] { driver_.MouseMove(desktop_, 150, 150); },
                  [&] { driver_.MouseUp(desktop_, TestDriver::Button::Left, 150, 150); }});
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 200, 200}));
    EXPECT_EQ(LoopMessages(), (std::vector<win::UINT>{win::WM_ENTERSIZEMOVE, win::WM_SIZING,
                                                       win::WM_EXITSIZEMOVE}));
}

TEST_F(SizeMoveTest, EscapePutsTheStartingRectangleBack)
{
    const win::POINT from = CaptionPoint();
    Drag(from, {[&] { driver_.MouseMove(desktop_, from.x + 50, from.y + 30); },
                [&] {
                    EXPECT_EQ(Rect(), (win::RECT{150, 130, 450, 330}));
                    driver_.KeyDown(win::VK_ESCAPE);
                }});
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 400, 300}));
    EXPECT_EQ(LoopMessages().back(), win::WM_EXITSIZEMOVE);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

// A window may change the rectangle it is moved or sized to.
TEST_F(SizeMoveTest, TheWindowMayChangeTheRectangle)
{
    // Keep the top where it was: only horizontal moves.
    static win::WNDPROC base;
    base = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(window_, win::GWLP_WNDPROC));
    win::SetWindowLongPtr(window_, win::GWLP_WNDPROC,
                          reinterpret_cast<win::LONG_PTR>(+[](win::HWND hwnd, win::UINT message, win::WPARAM wParam,
                                                              win::LPARAM lParam) -> win::LRESULT {
                              if (message == win::WM_MOVING) {
                                  auto* rect = reinterpret_cast<win::RECT*>(lParam);
                                  const int height = rect->bottom - rect->top;
                                  rect->top = 100;
                                  rect->bottom = 100 + height;
                              }
                              return base(hwnd, message, wParam, lParam);
                          }));
    const win::POINT from = CaptionPoint();
    Drag(from, {[&] { driver_.MouseMove(desktop_, from.x + 50, from.y + 30); },
                [&] { driver_.MouseUp(desktop_, TestDriver::Button::Left, from.x + 50, from.y + 30); }});
    EXPECT_EQ(Rect(), (win::RECT{150, 100, 450, 300}));
}

}  // namespace
}  // namespace displaytest
