#include "platform/win/MessageQueue.h"

#include "platform/wintypes/Messages.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/IdleHook.h"
#include "platform/win/detail/WindowTable.h"

#include "platform/rtl/Clock.h"

#include <algorithm>
#include <chrono>

namespace win {

using namespace detail;

namespace {

const HWND ThreadMessagesOnly = HandleFromValue<HWND>(-1);

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = rtl::GetTickCount();
    msg.pt = System().cursor;
    return msg;
}

// Calls the window procedure on the calling thread, after the WH_CALLWNDPROC hooks and before the
// WH_CALLWNDPROCRET hooks. The procedure is read after the hooks: a hook may subclass the window for
// this very message.
LRESULT CallWithHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool fromThisThread)
{
    if (HasHooks(WH_CALLWNDPROC)) {
        CWPSTRUCT call{lParam, wParam, message, hwnd};
        CallHooks(WH_CALLWNDPROC, HC_ACTION, fromThisThread ? 1 : 0, reinterpret_cast<LPARAM>(&call));
    }
    WNDPROC proc;
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return 0;
        }
        proc = window->proc;
    }
    const LRESULT result = proc ? proc(hwnd, message, wParam, lParam) : 0;
    if (HasHooks(WH_CALLWNDPROCRET)) {
        CWPRETSTRUCT ret{result, lParam, wParam, message, hwnd};
        CallHooks(WH_CALLWNDPROCRET, HC_ACTION, fromThisThread ? 1 : 0, reinterpret_cast<LPARAM>(&ret));
    }
    return result;
}

void HandleOneSent(SystemLock& lock, ThreadQueue& queue)
{
    std::shared_ptr<SentMessage> sent = queue.sent.front();
    queue.sent.pop_front();
    ++queue.sendDepth;
    LRESULT result = 0;
    lock.unlock();
    struct Answer {
        SystemLock& lock;
        ThreadQueue& queue;
        SentMessage& sent;
        LRESULT& result;
        ~Answer()
        {
            lock.lock();
            --queue.sendDepth;
            sent.result = result;
            sent.done = true;
            System().changed.notify_all();
        }
    } answer{lock, queue, *sent, result};
    result = CallWithHooks(sent->hwnd, sent->message, sent->wParam, sent->lParam, false);
}

// Queues a message for the window's thread; with wait, handles messages sent to this thread until the
// answer comes.
LRESULT SendToOtherThread(HWND hwnd, DWORD thread, UINT message, WPARAM wParam, LPARAM lParam, bool wait)
{
    WindowSystem& system = System();
    auto lock = LockSystem();
    ThreadQueue* target = QueueOf(thread);
    if (!target) {
        return 0;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = GetCurrentThreadId();
    target->sent.push_back(sent);
    system.changed.notify_all();
    if (!wait) {
        return 0;
    }
    ThreadQueue& own = QueueOfCurrentThread();
    while (!sent->done) {
        if (!own.sent.empty()) {
            HandleOneSent(lock, own);
            continue;
        }
        system.changed.wait(lock.Native());
    }
    return sent->result;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool wait)
{
    if (hwnd == HWND_BROADCAST) {
        std::vector<HWND> targets;
        {
            auto lock = LockSystem();
            targets = TopLevelWindows();
        }
        for (HWND target : targets) {
            Send(target, message, wParam, lParam, wait);
        }
        return 0;
    }
    DWORD thread;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        thread = window->thread;
    }
    if (thread == 0 || thread == GetCurrentThreadId()) {
        return CallWithHooks(hwnd, message, wParam, lParam, true);
    }
    return SendToOtherThread(hwnd, thread, message, wParam, lParam, wait);
}

// True when the keyboard or mouse hooks of the thread discard the input message.
bool HooksDiscardInput(const MSG& msg, bool removed)
{
    const int code = removed ? HC_ACTION : HC_NOREMOVE;
    if (IsKeyboardMessage(msg.message)) {
        return HasHooks(WH_KEYBOARD) && CallHooks(WH_KEYBOARD, code, msg.wParam, msg.lParam) != 0;
    }
    if (IsMouseMessage(msg.message) && HasHooks(WH_MOUSE)) {
        MOUSEHOOKSTRUCT mouse;
        mouse.pt = msg.pt;
        mouse.hwnd = msg.hwnd;
        const bool nonClient = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
        mouse.wHitTestCode = nonClient ? static_cast<UINT>(msg.wParam) : static_cast<UINT>(HTCLIENT);
        return CallHooks(WH_MOUSE, code, msg.message, reinterpret_cast<LPARAM>(&mouse)) != 0;
    }
    return false;
}

bool SameMessage(const MSG& a, const MSG& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
}

enum class Fetched { Nothing, Message, Discarded };

// One look at the queue for a message of the filter, after the display's input and the sent messages.
Fetched FetchOnce(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    PumpDisplayEvents();
    auto lock = LockSystem();
    ThreadQueue& queue = QueueOfCurrentThread();
    HandleSentMessages(lock, queue);
    auto matches = [&](const MSG& queued) { return MatchesFilter(queued, hwnd, filterMin, filterMax); };
    if (auto it = std::find_if(queue.posted.begin(), queue.posted.end(), matches); it != queue.posted.end()) {
        msg = *it;
        if (remove) {
            queue.posted.erase(it);
        }
        return Fetched::Message;
    }
    if (auto it = std::find_if(queue.input.begin(), queue.input.end(), matches); it != queue.input.end()) {
        msg = *it;
        if (remove) {
            queue.input.erase(it);
        }
        lock.unlock();
        if (HooksDiscardInput(msg, remove)) {
            if (!remove) {
                lock.lock();
                auto same = std::find_if(queue.input.begin(), queue.input.end(),
                                         [&](const MSG& queued) { return SameMessage(queued, msg); });
                if (same != queue.input.end()) {
                    queue.input.erase(same);
                }
            }
            return Fetched::Discarded;
        }
        if (remove) {
            lock.lock();
            NoteInputFetched(queue, msg);
            lock.unlock();
            if (!PrepareMouseMessage(msg)) {
                return Fetched::Discarded;
            }
        }
        return Fetched::Message;
    }
    if (queue.quit) {
        msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        if (remove) {
            queue.quit = false;
        }
        return Fetched::Message;
    }
    if (TakePaintMessage(queue, hwnd, filterMin, filterMax, msg)) {
        return Fetched::Message;
    }
    return TakeDueTimer(queue, hwnd, filterMin, filterMax, remove, msg) ? Fetched::Message : Fetched::Nothing;
}

bool Fetch(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    for (;;) {
        switch (FetchOnce(msg, hwnd, filterMin, filterMax, remove)) {
        case Fetched::Nothing:
            return false;
        case Fetched::Discarded:
            continue;
        case Fetched::Message:
            break;
        }
        if (HasHooks(WH_GETMESSAGE)) {
            CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
        }
        auto lock = LockSystem();
        QueueOfCurrentThread().lastMessage = msg;
        return true;
    }
}

bool Ready(const ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax)
{
    auto matches = [&](const MSG& queued) { return MatchesFilter(queued, hwnd, filterMin, filterMax); };
    MSG paint;
    if (queue.quit || !queue.sent.empty() || std::any_of(queue.posted.begin(), queue.posted.end(), matches) ||
        std::any_of(queue.input.begin(), queue.input.end(), matches) ||
        TakePaintMessage(queue, hwnd, filterMin, filterMax, paint)) {
        return true;
    }
    std::uint64_t due;
    return NextTimerDue(queue, due) && due <= rtl::GetTickCount64();
}

// Waits until something of the filter can be fetched: the display pumped before every look, timers
// due on the installed clock. With a test's idle hook, the hook makes the next thing happen instead.
void WaitForMessage(HWND hwnd, UINT filterMin, UINT filterMax, const char* waitingCall)
{
    WindowSystem& system = System();
    auto lock = LockSystem();
    for (;;) {
        const std::uint64_t wakes = system.wakes;
        lock.unlock();
        PumpDisplayEvents();
        lock.lock();
        ThreadQueue& queue = QueueOfCurrentThread();
        if (Ready(queue, hwnd, filterMin, filterMax)) {
            return;
        }
        if (system.wakes != wakes) {
            continue;  // woken while pumping: pump again
        }
        if (IdleHookInstalled()) {
            lock.unlock();
            const bool ran = RunIdleHook(std::nullopt, waitingCall);
            lock.lock();
            if (ran) {
                continue;
            }
            if (system.changed.wait_for(lock.Native(), std::chrono::milliseconds(IdleHookGraceMs)) ==
                    std::cv_status::timeout &&
                system.wakes == wakes && !Ready(QueueOfCurrentThread(), hwnd, filterMin, filterMax)) {
                lock.unlock();
                IdleHookStalled(waitingCall);
                lock.lock();
            }
            continue;
        }
        std::uint64_t due;
        if (NextTimerDue(queue, due)) {
            rtl::CurrentClock().WaitUntil(system.changed, lock.Native(), due);
        } else {
            system.changed.wait(lock.Native());
        }
    }
}

bool ValidFilterWindow(HWND hwnd)
{
    if (!hwnd || hwnd == ThreadMessagesOnly) {
        return true;
    }
    auto lock = LockSystem();
    return WindowOrError(hwnd) != nullptr;
}

}  // namespace

bool detail::MatchesFilter(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (hwnd == ThreadMessagesOnly) {
        if (msg.hwnd) {
            return false;
        }
    } else if (hwnd && msg.hwnd != hwnd) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
}

DWORD detail::QueueStatus(const ThreadQueue& queue)
{
    DWORD status = 0;
    if (!queue.posted.empty() || queue.quit) {
        status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    }
    if (!queue.sent.empty()) {
        status |= QS_SENDMESSAGE;
    }
    for (const MSG& msg : queue.input) {
        if (IsKeyboardMessage(msg.message)) {
            status |= QS_KEY;
        } else if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            status |= QS_MOUSEMOVE;
        } else {
            status |= QS_MOUSEBUTTON;
        }
    }
    std::uint64_t due;
    if (NextTimerDue(queue, due) && due <= rtl::GetTickCount64()) {
        status |= QS_TIMER;
    }
    if (ThreadNeedsPaint(queue)) {
        status |= QS_PAINT;
    }
    return status;
}

bool detail::HandleSentMessages(SystemLock& lock, ThreadQueue& queue)
{
    bool any = false;
    while (!queue.sent.empty()) {
        HandleOneSent(lock, queue);
        any = true;
    }
    return any;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Send(hwnd, message, wParam, lParam, true);
}

BOOL SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd != HWND_BROADCAST) {
        auto lock = LockSystem();
        if (!WindowOrError(hwnd)) {
            return FALSE;
        }
    }
    Send(hwnd, message, wParam, lParam, false);
    return TRUE;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd) {
        return PostThreadMessage(GetCurrentThreadId(), message, wParam, lParam);
    }
    auto lock = LockSystem();
    if (hwnd == HWND_BROADCAST) {
        for (HWND target : TopLevelWindows()) {
            Window* window = FindWindowRecord(target);
            if (ThreadQueue* queue = window ? QueueOf(window->thread) : nullptr) {
                queue->posted.push_back(MakeMessage(target, message, wParam, lParam));
            }
        }
        System().changed.notify_all();
        return TRUE;
    }
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return FALSE;
    }
    ThreadQueue* queue = QueueOf(window->thread);
    if (!queue) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    queue->posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
    System().changed.notify_all();
    return TRUE;
}

BOOL PostThreadMessage(DWORD thread, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto lock = LockSystem();
    ThreadQueue* queue = thread == GetCurrentThreadId() ? &QueueOfCurrentThread() : QueueOf(thread);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    queue->posted.push_back(MakeMessage(nullptr, message, wParam, lParam));
    System().changed.notify_all();
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    auto lock = LockSystem();
    ThreadQueue& queue = QueueOfCurrentThread();
    queue.quit = true;
    queue.quitCode = exitCode;
    System().changed.notify_all();
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg || !ValidFilterWindow(hwnd)) {
        return -1;
    }
    while (!Fetch(*msg, hwnd, filterMin, filterMax, true)) {
        WaitForMessage(hwnd, filterMin, filterMax, "GetMessage");
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg || !ValidFilterWindow(hwnd)) {
        return FALSE;
    }
    return Fetch(*msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WaitMessage()
{
    WaitForMessage(nullptr, 0, 0, "WaitMessage");
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        {
            auto lock = LockSystem();
            // Only the procedure of a timer that still runs is called: never a killed timer's, never an
            // address that came in a forged message.
            if (!IsLiveTimer(msg->hwnd, msg->wParam, proc)) {
                return 0;
            }
        }
        proc(msg->hwnd, WM_TIMER, msg->wParam, rtl::GetTickCount());
        return 0;
    }
    if (!msg->hwnd) {
        return 0;
    }
    WNDPROC proc;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(msg->hwnd);
        if (!window) {
            return 0;
        }
        if (window->thread != 0 && window->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return 0;
        }
        proc = window->proc;
    }
    return proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

DWORD GetQueueStatus(UINT flags)
{
    auto lock = LockSystem();
    const DWORD status = QueueStatus(QueueOfCurrentThread()) & flags;
    return (status << 16) | status;
}

BOOL InSendMessage()
{
    auto lock = LockSystem();
    return QueueOfCurrentThread().sendDepth > 0;
}

LONG GetMessageTime()
{
    auto lock = LockSystem();
    return static_cast<LONG>(QueueOfCurrentThread().lastMessage.time);
}

DWORD GetMessagePos()
{
    auto lock = LockSystem();
    const POINT pt = QueueOfCurrentThread().lastMessage.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

}  // namespace win
