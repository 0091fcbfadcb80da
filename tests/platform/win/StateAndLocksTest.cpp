// Process-wide state and locks: the window library's start-up resets all of its state, the lock order
// is checked, and device contexts of windows keep their surfaces while other threads make contexts of
// a window that changes size.

#include "WinFixture.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Paint.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/WindowTable.h"

#include <atomic>
#include <thread>

namespace wintest {
namespace {

using namespace win;

class StateAndLocksTest : public WinTest {
protected:
    void Restart()
    {
        TearDown();
        SetUp();
    }
};

TEST_F(StateAndLocksTest, StartingAgainForgetsEventsMemoryAndObjectInstances)
{
    const HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
    const WNDPROC first = MakeObjectInstance([](TMessage&) {});
    ASSERT_NE(event, nullptr);
    ASSERT_NE(memory, nullptr);
    Restart();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED) << "the event is gone";
    EXPECT_EQ(GlobalSize(memory), 0u) << "the block is gone";
    const WNDPROC again = MakeObjectInstance([](TMessage&) {});
    EXPECT_EQ(again, first) << "the pool of object instances is empty again";
    FreeObjectInstance(again);
}

#ifndef NDEBUG
TEST_F(StateAndLocksTest, TakingTheSystemLockUnderTheGdiLockStopsADebugBuild)
{
    EXPECT_DEATH(
        {
            auto gdi = detail::LockGdi();
            auto system = detail::LockSystem();
        },
        "Lock order broken: the system lock is taken while the GDI lock is held");
    // The other order is the one the window system uses.
    auto system = detail::LockSystem();
    auto gdi = detail::LockGdi();
}
#endif

TEST_F(StateAndLocksTest, ContextsOfAWindowDrawWhileItChangesSizeOnAnotherThread)
{
    RegisterRecorderClass();
    const HWND hwnd = MakeWindow(WS_POPUP | WS_VISIBLE);
    HDC held = GetDC(hwnd);
    std::atomic<bool> stop{false};
    std::thread painter([&] {
        const RECT all{0, 0, 400, 400};
        while (!stop) {
            HDC dc = GetDC(hwnd);
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            ReleaseDC(hwnd, dc);
        }
    });
    for (int size = 10; size < 300; size += 7) {
        MoveWindow(hwnd, 0, 0, size, size, FALSE);
        const RECT box{0, 0, size, size};
        EXPECT_NE(FillRect(held, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    }
    stop = true;
    painter.join();
    ReleaseDC(hwnd, held);
    // With no context left, the next one gets a surface of the window's size.
    HDC dc = GetDC(hwnd);
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip.right, 297);
    ReleaseDC(hwnd, dc);
}

}  // namespace
}  // namespace wintest
