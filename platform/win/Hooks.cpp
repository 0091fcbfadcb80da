#include "platform/win/Hooks.h"

#include "platform/win/detail/WindowTable.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

// What the handle table keeps of a hook: the thread whose chain holds it.
struct HookRecord : HandleObject {
    explicit HookRecord(DWORD owner) : thread(owner) {}
    DWORD thread;
};

bool SupportedType(int type)
{
    switch (type) {
    case WH_MSGFILTER:
    case WH_KEYBOARD:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_MOUSE:
    case WH_CALLWNDPROCRET:
        return true;
    default:
        return false;
    }
}

// The first hook of the type at or after position in the calling thread's chain. Lock held.
const Hook* FirstFrom(const ThreadQueue& queue, std::vector<Hook>::const_iterator position, int type)
{
    auto it = std::find_if(position, queue.hooks.end(), [&](const Hook& hook) { return hook.type == type; });
    return it == queue.hooks.end() ? nullptr : &*it;
}

LRESULT Call(SystemLock& lock, const Hook* hook, int code, WPARAM wParam, LPARAM lParam)
{
    if (!hook) {
        return 0;
    }
    const HOOKPROC proc = hook->proc;
    lock.unlock();
    return proc(code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int type, HOOKPROC proc, HINSTANCE, DWORD thread)
{
    if (!SupportedType(type)) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (thread == 0) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    auto lock = LockSystem();
    ThreadQueue* queue = thread == GetCurrentThreadId() ? &QueueOfCurrentThread() : QueueOf(thread);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return nullptr;
    }
    Hook hook;
    hook.handle = HandleFromValue<HHOOK>(AddHandle(HandleKind::Hook, std::make_unique<HookRecord>(queue->thread)));
    if (!hook.handle) {
        return nullptr;
    }
    hook.type = type;
    hook.proc = proc;
    queue->hooks.insert(queue->hooks.begin(), hook);
    return hook.handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto lock = LockSystem();
    const auto record = RemoveHandle(HandleValue(hook), HandleKind::Hook);
    if (!record) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    if (ThreadQueue* queue = QueueOf(static_cast<const HookRecord&>(*record).thread)) {
        std::erase_if(queue->hooks, [&](const Hook& installed) { return installed.handle == hook; });
    }
    return TRUE;
}

void detail::ForgetHooks(const ThreadQueue& queue)
{
    for (const Hook& hook : queue.hooks) {
        RemoveHandle(HandleValue(hook.handle), HandleKind::Hook);
    }
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto lock = LockSystem();
    const ThreadQueue& queue = QueueOfCurrentThread();
    auto it = std::find_if(queue.hooks.begin(), queue.hooks.end(), [&](const Hook& h) { return h.handle == hook; });
    if (it == queue.hooks.end()) {
        return 0;
    }
    return Call(lock, FirstFrom(queue, it + 1, it->type), code, wParam, lParam);
}

bool detail::HasHooks(int type)
{
    auto lock = LockSystem();
    const ThreadQueue& queue = QueueOfCurrentThread();
    return FirstFrom(queue, queue.hooks.begin(), type) != nullptr;
}

LRESULT detail::CallHooks(int type, int code, WPARAM wParam, LPARAM lParam)
{
    auto lock = LockSystem();
    const ThreadQueue& queue = QueueOfCurrentThread();
    return Call(lock, FirstFrom(queue, queue.hooks.begin(), type), code, wParam, lParam);
}

}  // namespace win
