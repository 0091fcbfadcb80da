#pragma once
// Drives the window system in tests: scripted keyboard and mouse input with timestamps on a virtual
// clock, pumping the calling thread's messages, and reading windows back.
//
// Input goes to the given window (or the focus window for keys), or to the window holding the capture,
// as if the user acted at the current virtual time. Surface pixels are read where the window shows them.
//
// While the driver lives, a loop of its thread that would block waiting for a message (a modal loop, a
// message loop, a drag) runs the next scripted action or moves the clock to the next timer instead; with
// nothing due and nothing arriving from other threads, the wait ends with EStalled naming the loop, the
// stall is recorded (Stalls) and the thread is asked to quit, so that a loop that catches the exception
// ends too.

#include "platform/win/detail/Window.h"
#include "platform/wintypes/Types.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/detail/IdleHook.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace win {

// A loop waited for a message that nothing was going to bring.
class EStalled : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EStalled"; }
};

class TestDriver {
public:
    enum class Button { Left, Right, Middle };

    // The clock must be installed (rtl::ScopedClock) for as long as the driver is used.
    explicit TestDriver(rtl::VirtualClock& clock);
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    // How Pump handles one message: fetches and handles it, answering false when the queue was empty
    // (a class library's own loop step). Without one: PeekMessage, TranslateMessage, DispatchMessage.
    void SetMessageLoop(std::function<bool()> processOne) { processOne_ = std::move(processOne); }

    // Keyboard: WM_KEYDOWN / WM_KEYUP, or the WM_SYS forms while Alt is down (and for F10).
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void PressKey(UINT vk);
    // A key that produces ch (in the ANSI code page) on the user's layout; dead for an accent key.
    void TypeChar(char ch, UINT vk = VK_PACKET, bool dead = false);
    void TypeText(const std::string& text);

    // Mouse, at a point in the client coordinates of hwnd: the mouse goes where the user's would, to the
    // window under that point or the capture (PostMouseInput). A second press of the same button within
    // the double-click time and distance becomes a double click on windows whose class has CS_DBLCLKS.
    void MouseMove(HWND hwnd, int x, int y);
    void MouseDown(HWND hwnd, Button button, int x, int y);
    void MouseUp(HWND hwnd, Button button, int x, int y);
    void Click(HWND hwnd, Button button, int x, int y);
    void Wheel(HWND hwnd, int delta, int x, int y);

    // Runs action when the clock reaches tick.
    void At(std::uint64_t tick, std::function<void()> action);

    // Fetches, translates and dispatches what the queue holds now (due timers included); answers the
    // number of messages dispatched.
    int Pump();
    // Moves the clock to the next due timer or scripted action, runs the actions due and pumps. False
    // when nothing is scheduled.
    bool AdvanceToNext();
    // Advances by milliseconds, stopping at every timer and action due on the way.
    void AdvanceBy(std::uint64_t milliseconds);

    // A window anywhere in the tree by class (null for any) and text (null for any).
    static HWND Find(const char* className, const char* text = nullptr);
    // The messages of the stalls so far; a test that expects one clears them.
    const std::vector<std::string>& Stalls() const { return stalls_; }
    void ClearStalls() { stalls_.clear(); }
    static detail::WindowState State(HWND hwnd);
    // The colour at a client point of hwnd on its top-level window's surface; CLR_INVALID when the
    // point is outside the surface or the window has not been drawn yet.
    static DWORD PixelAt(HWND hwnd, int x, int y);

private:
    void PostKey(HWND hwnd, UINT message, UINT vk, DWORD lPrivate);
    void PostMouse(HWND hwnd, UINT message, int wheelDelta, int x, int y);
    bool ProcessOne();
    // The idle hook: the next action or timer, or the wait's deadline; false when nothing is due.
    bool RunNext(std::optional<std::uint64_t> deadline);
    // Moves the clock to next and runs the actions due by then.
    void MoveTo(std::uint64_t next);

    rtl::VirtualClock& clock_;
    std::multimap<std::uint64_t, std::function<void()>> script_;
    std::function<bool()> processOne_;
    detail::IdleHook hook_;
    std::vector<std::string> stalls_;
};

}  // namespace win
