#include "platform/win/Timers.h"

#include "platform/win/detail/Timers.h"
#include "platform/win/detail/WindowTable.h"

#include "platform/rtl/Clock.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

UINT Clamp(UINT elapse)
{
    return std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    if (hwnd && !OwnWindowOrError(hwnd)) {
        return 0;
    }
    ThreadQueue& queue = QueueOfCurrentThread();
    auto same = std::find_if(queue.timers.begin(), queue.timers.end(), [&](const Timer& timer) {
        return !timer.system && timer.hwnd == hwnd && timer.id == id && (hwnd || id != 0);
    });
    Timer timer;
    timer.hwnd = hwnd;
    timer.id = id;
    if (!hwnd && same == queue.timers.end()) {
        auto used = [&](UINT_PTR candidate) {
            return std::any_of(queue.timers.begin(), queue.timers.end(),
                               [&](const Timer& t) { return !t.hwnd && t.id == candidate; });
        };
        do {
            timer.id = system.nextThreadTimerId++;
        } while (timer.id == 0 || used(timer.id));
    }
    timer.interval = Clamp(elapse);
    timer.proc = proc;
    timer.due = rtl::GetTickCount64() + timer.interval;
    timer.serial = system.nextTimerSerial++;
    if (same != queue.timers.end()) {
        *same = timer;
    } else {
        queue.timers.push_back(timer);
    }
    system.changed.notify_all();
    return hwnd ? (id != 0 ? id : 1) : timer.id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto lock = LockSystem();
    ThreadQueue& queue = QueueOfCurrentThread();
    if (std::erase_if(queue.timers, [&](const Timer& timer) {
            return !timer.system && timer.hwnd == hwnd && timer.id == id;
        }) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

bool detail::SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return false;
    }
    ThreadQueue* queue = QueueOf(window->thread);
    if (!queue) {
        return false;
    }
    std::erase_if(queue->timers, [&](const Timer& timer) { return timer.system && timer.hwnd == hwnd && timer.id == id; });
    Timer timer;
    timer.hwnd = hwnd;
    timer.id = id;
    timer.interval = Clamp(elapse);
    timer.due = rtl::GetTickCount64() + timer.interval;
    timer.serial = system.nextTimerSerial++;
    timer.system = true;
    queue->timers.push_back(timer);
    system.changed.notify_all();
    return true;
}

void detail::KillSystemTimer(HWND hwnd, UINT_PTR id)
{
    auto lock = LockSystem();
    for (auto& [thread, queue] : System().queues) {
        std::erase_if(queue->timers, [&](const Timer& timer) { return timer.system && timer.hwnd == hwnd && timer.id == id; });
    }
}

bool detail::GetNextTimerDue(std::uint64_t& due)
{
    auto lock = LockSystem();
    return NextTimerDue(QueueOfCurrentThread(), due);
}

bool detail::TakeDueTimer(ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax, bool remove, MSG& msg)
{
    const std::uint64_t now = rtl::GetTickCount64();
    Timer* next = nullptr;
    for (Timer& timer : queue.timers) {
        MSG candidate;
        candidate.hwnd = timer.hwnd;
        candidate.message = timer.system ? WM_SYSTIMER : WM_TIMER;
        if (timer.due > now || !MatchesFilter(candidate, hwnd, filterMin, filterMax)) {
            continue;
        }
        if (!next || timer.due < next->due || (timer.due == next->due && timer.serial < next->serial)) {
            next = &timer;
        }
    }
    if (!next) {
        return false;
    }
    msg = MSG();
    msg.hwnd = next->hwnd;
    msg.message = next->system ? WM_SYSTIMER : WM_TIMER;
    msg.wParam = next->id;
    msg.lParam = reinterpret_cast<LPARAM>(next->proc);
    msg.time = static_cast<DWORD>(now);
    msg.pt = System().cursor;
    if (remove) {
        next->due = now + next->interval;
    }
    return true;
}

bool detail::NextTimerDue(const ThreadQueue& queue, std::uint64_t& due)
{
    if (queue.timers.empty()) {
        return false;
    }
    due = std::min_element(queue.timers.begin(), queue.timers.end(), [](const Timer& a, const Timer& b) {
              return a.due < b.due;
          })->due;
    return true;
}

bool detail::IsLiveTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    for (const auto& [thread, queue] : System().queues) {
        for (const Timer& timer : queue->timers) {
            if (!timer.system && timer.hwnd == hwnd && timer.id == id && timer.proc == proc) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace win
