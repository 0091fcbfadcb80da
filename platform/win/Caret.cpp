#include "platform/win/Caret.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/win/Timers.h"
#include "platform/win/detail/Caret.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/Timers.h"
#include "platform/win/detail/WindowTable.h"

namespace win {

using namespace detail;

namespace {

constexpr UINT_PTR BlinkTimerId = 0xFFFF;

RECT CaretRect(const Caret& caret)
{
    return RECT{caret.pos.x, caret.pos.y, caret.pos.x + caret.size.cx, caret.pos.y + caret.size.cy};
}

// Draws or takes away the caret: it inverts the pixels under it, so doing it twice restores them.
void SetDrawn(Caret& caret, bool drawn)
{
    if (caret.drawn != drawn && caret.hwnd) {
        if (const Window* window = FindWindowRecord(caret.hwnd)) {
            const POINT origin = ClientOriginOnScreen(*window);
            Display().CaretBlinked(caret.hwnd, Moved(CaretRect(caret), origin.x, origin.y), drawn);
        }
        InvertClientRect(caret.hwnd, CaretRect(caret));
    }
    caret.drawn = drawn;
}

// Starts the blinking over: drawn now when shown, switching after a full blink time.
void RestartBlink(SystemLock& lock, Caret& caret)
{
    SetDrawn(caret, caret.hideLevel == 0);
    const HWND hwnd = caret.hwnd;
    const UINT blink = System().caretBlinkTime;
    const bool shown = caret.hideLevel == 0;
    lock.unlock();
    if (shown) {
        SetSystemTimer(hwnd, BlinkTimerId, blink);
    } else {
        KillSystemTimer(hwnd, BlinkTimerId);
    }
    lock.lock();
}

}  // namespace

bool detail::DefCaretMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_SYSTIMER || wParam != BlinkTimerId) {
        return false;
    }
    auto lock = LockSystem();
    Caret& caret = QueueOfCurrentThread().caret;
    if (caret.hwnd == hwnd && caret.hideLevel == 0) {
        SetDrawn(caret, !caret.drawn);
    }
    result = 0;
    return true;
}

BOOL CreateCaret(HWND hwnd, HANDLE bitmap, int width, int height)
{
    HWND old;
    {
        auto lock = LockSystem();
        if (!OwnWindowOrError(hwnd)) {
            return FALSE;
        }
        Caret& caret = QueueOfCurrentThread().caret;
        old = caret.hwnd;
        SetDrawn(caret, false);
        caret = Caret();
        caret.hwnd = hwnd;
        caret.bitmap = bitmap;
        caret.size = SIZE{width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                          height > 0 ? height : GetSystemMetrics(SM_CYBORDER)};
    }
    if (old && old != hwnd) {
        KillSystemTimer(old, BlinkTimerId);
    }
    return TRUE;
}

BOOL DestroyCaret()
{
    HWND hwnd;
    {
        auto lock = LockSystem();
        Caret& caret = QueueOfCurrentThread().caret;
        hwnd = caret.hwnd;
        SetDrawn(caret, false);
        caret = Caret();
    }
    if (!hwnd) {
        return FALSE;
    }
    KillSystemTimer(hwnd, BlinkTimerId);
    return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
    auto lock = LockSystem();
    Caret& caret = QueueOfCurrentThread().caret;
    if (!caret.hwnd || (hwnd && hwnd != caret.hwnd) || caret.hideLevel == 0) {
        return FALSE;
    }
    if (--caret.hideLevel == 0) {
        RestartBlink(lock, caret);
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
    auto lock = LockSystem();
    Caret& caret = QueueOfCurrentThread().caret;
    if (!caret.hwnd || (hwnd && hwnd != caret.hwnd)) {
        return FALSE;
    }
    if (caret.hideLevel++ == 0) {
        RestartBlink(lock, caret);
    }
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    auto lock = LockSystem();
    Caret& caret = QueueOfCurrentThread().caret;
    if (!caret.hwnd) {
        return FALSE;
    }
    SetDrawn(caret, false);
    caret.pos = POINT{x, y};
    if (caret.hideLevel == 0) {
        RestartBlink(lock, caret);
    }
    return TRUE;
}

BOOL GetCaretPos(POINT* point)
{
    if (!point) {
        return FALSE;
    }
    auto lock = LockSystem();
    const Caret& caret = QueueOfCurrentThread().caret;
    if (!caret.hwnd) {
        return FALSE;
    }
    *point = caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    auto lock = LockSystem();
    return System().caretBlinkTime;
}

BOOL SetCaretBlinkTime(UINT milliseconds)
{
    auto lock = LockSystem();
    System().caretBlinkTime = milliseconds;
    Caret& caret = QueueOfCurrentThread().caret;
    if (caret.hwnd && caret.hideLevel == 0) {
        RestartBlink(lock, caret);
    }
    return TRUE;
}

bool detail::GetCaretState(CaretState& state)
{
    auto lock = LockSystem();
    const Caret& caret = QueueOfCurrentThread().caret;
    if (!caret.hwnd) {
        return false;
    }
    state.hwnd = caret.hwnd;
    state.rect = CaretRect(caret);
    state.shown = caret.hideLevel == 0;
    state.drawn = caret.drawn;
    return true;
}

}  // namespace win
