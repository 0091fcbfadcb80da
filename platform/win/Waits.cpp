#include "platform/win/Waits.h"

#include "platform/rtl/Clock.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/IdleHook.h"
#include "platform/win/detail/WindowTable.h"

#include <chrono>
#include <optional>
#include <vector>

namespace win {

using namespace detail;

namespace {

thread_local const IdleHook* idleHook = nullptr;
thread_local std::vector<const char*> loopNames;

// Events live in the handle table under the window system's lock, so a wait for events and messages
// is one wait.
struct Event : HandleObject {
    Event(bool manual, bool initial) : manualReset(manual), set(initial) {}
    bool manualReset;
    bool set;
};

Event* FindEvent(HANDLE handle)
{
    return FindHandleOf<Event>(handle, HandleKind::Event);
}

// Checks the events once (lock held): the index answered, or none yet. Auto-reset events that release
// the wait are cleared.
std::optional<DWORD> CheckEvents(DWORD count, const HANDLE* handles, bool waitAll, bool& failed)
{
    failed = false;
    bool all = true;
    for (DWORD i = 0; i < count; ++i) {
        Event* event = FindEvent(handles[i]);
        if (!event) {
            failed = true;
            return std::nullopt;
        }
        if (event->set && !waitAll) {
            if (!event->manualReset) {
                event->set = false;
            }
            return WAIT_OBJECT_0 + i;
        }
        all = all && event->set;
    }
    if (waitAll && all && count > 0) {
        for (DWORD i = 0; i < count; ++i) {
            Event* event = FindEvent(handles[i]);
            if (!event->manualReset) {
                event->set = false;
            }
        }
        return WAIT_OBJECT_0;
    }
    return std::nullopt;
}

// Timeouts run on the installed clock; with wakeMask the display is pumped before every look.
DWORD Wait(DWORD count, const HANDLE* handles, bool waitAll, DWORD milliseconds, std::optional<DWORD> wakeMask)
{
    const std::uint64_t deadline = rtl::GetTickCount64() + milliseconds;
    WindowSystem& system = System();
    auto lock = LockSystem();
    bool graceOver = false;
    bool hookIdle = false;  // the hook had nothing to run: one more look, then the grace
    for (;;) {
        const std::uint64_t wakes = system.wakes;
        if (wakeMask) {
            lock.unlock();
            PumpDisplayEvents();
            lock.lock();
            ThreadQueue& queue = QueueOfCurrentThread();
            if (!(*wakeMask & QS_SENDMESSAGE) && HandleSentMessages(lock, queue)) {
                graceOver = false;  // the sender goes on and may end the wait yet
            }
            if (QueueStatus(queue) & *wakeMask) {
                return WAIT_OBJECT_0 + count;
            }
        }
        bool failed;
        if (auto index = CheckEvents(count, handles, waitAll, failed)) {
            return *index;
        }
        if (failed) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        if (wakeMask && system.wakes != wakes) {
            continue;  // woken while pumping: pump again
        }
        if (wakeMask && IdleHookInstalled()) {
            if (graceOver) {
                graceOver = false;
                lock.unlock();
                IdleHookStalled("MsgWaitForMultipleObjects");
                lock.lock();
                continue;
            }
            if (milliseconds != INFINITE && rtl::GetTickCount64() >= deadline) {
                return WAIT_TIMEOUT;
            }
            if (hookIdle) {
                hookIdle = false;
                graceOver = system.changed.wait_for(lock.Native(), std::chrono::milliseconds(IdleHookGraceMs)) ==
                                std::cv_status::timeout &&
                            system.wakes == wakes;
                continue;
            }
            // Other threads (the ones setting the events) get a real moment first.
            if (system.changed.wait_for(lock.Native(), std::chrono::milliseconds(rtl::VirtualClock::RealSlice)) ==
                    std::cv_status::no_timeout ||
                system.wakes != wakes) {
                continue;
            }
            lock.unlock();
            const bool ran = RunIdleHook(milliseconds == INFINITE ? std::nullopt : std::optional(deadline),
                                         "MsgWaitForMultipleObjects");
            lock.lock();
            if (ran) {
                continue;
            }
            // An event set or a message sent while the hook ran was told before any wait began: the
            // queue and the events are looked at once more before the grace (which would otherwise
            // sit out its whole length for it), and once more after it before calling it a stall.
            hookIdle = true;
            continue;
        }
        if (milliseconds == INFINITE) {
            system.changed.wait(lock.Native());
        } else if (!rtl::CurrentClock().WaitUntil(system.changed, lock.Native(), deadline)) {
            if (auto index = CheckEvents(count, handles, waitAll, failed)) {
                return *index;
            }
            return WAIT_TIMEOUT;
        }
    }
}

}  // namespace

void detail::SetIdleHook(const IdleHook* hook)
{
    idleHook = hook;
}

bool detail::IdleHookInstalled()
{
    return idleHook != nullptr;
}

bool detail::RunIdleHook(std::optional<std::uint64_t> deadline, const char*)
{
    return idleHook && idleHook->runNext && idleHook->runNext(deadline);
}

void detail::IdleHookStalled(const char* waitingCall)
{
    if (idleHook && idleHook->stalled) {
        idleHook->stalled(loopNames.empty() ? waitingCall : loopNames.back());
    }
}

ModalLoopScope::ModalLoopScope(const char* name)
{
    loopNames.push_back(name);
}

ModalLoopScope::~ModalLoopScope()
{
    loopNames.pop_back();
}

HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, const char*)
{
    auto lock = LockSystem();
    return HandleFromValue<HANDLE>(AddHandle(HandleKind::Event, std::make_unique<Event>(manualReset != FALSE, initialState != FALSE)));
}

BOOL SetEvent(HANDLE handle)
{
    auto lock = LockSystem();
    Event* event = FindEvent(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->set = true;
    System().changed.notify_all();
    return TRUE;
}

BOOL ResetEvent(HANDLE handle)
{
    auto lock = LockSystem();
    Event* event = FindEvent(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->set = false;
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    auto lock = LockSystem();
    if (!RemoveHandle(HandleValue(handle), HandleKind::Event)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return Wait(1, &handle, false, milliseconds, std::nullopt);
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask)
{
    if (count > 0 && !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return Wait(count, handles, waitAll != FALSE, milliseconds, wakeMask);
}

}  // namespace win
