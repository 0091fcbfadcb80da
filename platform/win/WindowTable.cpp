#include "platform/win/detail/WindowTable.h"

#include "platform/win/detail/DisplayDriver.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"
#include "platform/win/detail/ScreenDC.h"

#include <algorithm>
#include <utility>

namespace win {

using namespace detail;

namespace {

// Drops what an ending thread leaves behind, so messages sent to its windows fail instead of waiting.
void ReleaseThread(DWORD thread)
{
    WindowSystem& system = System();
    SystemLock lock(system.mutex);
    if (!system.initialized) {
        return;
    }
    auto it = system.queues.find(thread);
    if (it == system.queues.end()) {
        return;
    }
    for (auto& sent : it->second->sent) {
        sent->done = true;
    }
    ForgetHooks(*it->second);
    std::vector<HWND> orphans;
    for (HWND hwnd : system.windows) {
        if (FindWindowRecord(hwnd)->thread == thread) {
            orphans.push_back(hwnd);
        }
    }
    // A thread that ends without destroying its windows loses them without further messages.
    for (HWND hwnd : orphans) {
        if (Window* window = FindWindowRecord(hwnd)) {
            window->children.clear();
            FreeWindow(hwnd);
        }
    }
    system.queues.erase(it);
    system.changed.notify_all();
}

struct ThreadQueueOwner {
    DWORD thread = 0;
    ~ThreadQueueOwner()
    {
        if (thread != 0) {
            ReleaseThread(thread);
        }
    }
};

}  // namespace

WindowSystem& detail::System()
{
    static WindowSystem system;
    return system;
}

void detail::RequireInitialized(const WindowSystem& system)
{
    if (!system.initialized) {
        throw rtl::EInvalidOperation("The window system is not initialized (call win::initialize first)");
    }
}

Window* detail::FindWindowRecord(HWND hwnd)
{
    return FindHandleOf<Window>(hwnd, HandleKind::Window);
}

Window* detail::WindowOrError(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return window;
}

Window* detail::OwnWindowOrError(HWND hwnd)
{
    Window* window = WindowOrError(hwnd);
    if (window && window->thread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return window;
}

Window* detail::AllocateWindow()
{
    auto record = std::make_unique<Window>();
    Window* window = record.get();
    const std::intptr_t value = AddHandle(HandleKind::Window, std::move(record));
    if (value == 0) {
        return nullptr;
    }
    window->handle = HandleFromValue<HWND>(value);
    System().windows.push_back(window->handle);
    return window;
}

void detail::FreeWindow(HWND hwnd)
{
    WindowSystem& system = System();
    Window& window = *FindWindowRecord(hwnd);
    if (IsOnScreen(window)) {
        Display().WindowDestroyed(hwnd);
    }
    if (Window* parent = FindWindowRecord(window.parent)) {
        std::erase(parent->children, hwnd);
    }
    if (window.windowClass) {
        --window.windowClass->windows;
    }
    for (auto& [thread, queue] : system.queues) {
        std::erase_if(queue->posted, [&](const MSG& msg) { return msg.hwnd == hwnd; });
        std::erase_if(queue->input, [&](const MSG& msg) { return msg.hwnd == hwnd; });
        std::erase_if(queue->timers, [&](const Timer& timer) { return timer.hwnd == hwnd; });
        for (auto& sent : queue->sent) {
            if (sent->hwnd == hwnd) {
                sent->done = true;
            }
        }
        std::erase_if(queue->sent, [&](const auto& sent) { return sent->hwnd == hwnd; });
        if (queue->capture == hwnd) {
            queue->capture = nullptr;
            Display().CaptureChanged(nullptr);
        }
        if (queue->focus == hwnd) {
            queue->focus = nullptr;
        }
        if (queue->active == hwnd) {
            queue->active = nullptr;
        }
        if (queue->caret.hwnd == hwnd) {
            queue->caret = Caret();
        }
        if (queue->hoverTracked == hwnd) {
            queue->hoverTracked = nullptr;
        }
        if (queue->mouseTracked == hwnd) {
            queue->mouseTracked = nullptr;
        }
    }
    std::erase(system.windows, hwnd);
    for (HWND other : system.windows) {
        Window* record = FindWindowRecord(other);
        if (record->owner == hwnd) {
            record->owner = nullptr;
        }
    }
    RemoveHandle(HandleValue(hwnd), HandleKind::Window);
    system.changed.notify_all();
}

ThreadQueue& detail::QueueOfCurrentThread()
{
    thread_local ThreadQueueOwner owner;
    const DWORD thread = GetCurrentThreadId();
    WindowSystem& system = System();
    auto& queue = system.queues[thread];
    if (!queue) {
        queue = std::make_unique<ThreadQueue>();
        queue->thread = thread;
        owner.thread = thread;
    }
    return *queue;
}

ThreadQueue* detail::QueueOf(DWORD thread)
{
    WindowSystem& system = System();
    auto it = system.queues.find(thread);
    return it == system.queues.end() ? nullptr : it->second.get();
}

WindowClass* detail::FindClassRecord(const char* name)
{
    WindowSystem& system = System();
    if (name == nullptr) {
        return nullptr;
    }
    if (IS_INTRESOURCE(name)) {
        const auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
        for (auto& [key, record] : system.classes) {
            if (record->atom == atom) {
                return record.get();
            }
        }
        return nullptr;
    }
    auto it = system.classes.find(rtl::AnsiUpperCase(name));
    return it == system.classes.end() ? nullptr : it->second.get();
}

int detail::CopyToBuffer(const std::string& text, char* buffer, std::size_t size)
{
    if (!buffer || size == 0) {
        return 0;
    }
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

bool detail::IsSelfOrDescendant(HWND ancestor, HWND hwnd)
{
    for (Window* window = FindWindowRecord(hwnd); window; window = FindWindowRecord(window->parent)) {
        if (window->handle == ancestor) {
            return true;
        }
    }
    return false;
}

std::vector<HWND> detail::TopLevelWindows()
{
    std::vector<HWND> result;
    WindowSystem& system = System();
    for (HWND root : {system.desktop, system.messageRoot}) {
        if (Window* window = FindWindowRecord(root)) {
            result.insert(result.end(), window->children.begin(), window->children.end());
        }
    }
    return result;
}

LRESULT CallProcUnlocked(SystemLock& lock, WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!proc) {
        return 0;
    }
    lock.unlock();
    struct Relock {
        SystemLock& lock;
        ~Relock() { lock.lock(); }
    } relock{lock};
    return proc(hwnd, message, wParam, lParam);
}

void detail::ResetWindowSystem(WindowSystem& system)
{
    for (auto& [thread, queue] : system.queues) {
        for (auto& sent : queue->sent) {
            sent->done = true;
        }
    }
    for (const HandleKind kind : {HandleKind::Window, HandleKind::Event, HandleKind::Hook}) {
        RemoveHandles(kind);
    }
    system.windows.clear();
    system.desktop = nullptr;
    system.messageRoot = nullptr;
    system.classes.clear();
    system.nextClassAtom = 0xC000;
    system.queues.clear();
    system.cursor = POINT{};
    system.foregroundThread = 0;
    system.swapButtons = false;
    system.caretBlinkTime = 530;
    system.nextCascade = 0;
    system.windowDCs.clear();
    const auto surfaces = std::exchange(system.surfaces, {});
    ScreenLayoutChanged();
    system.display.reset();
    system.wakes = 0;
    system.lastClick = WindowSystem::LastClick();
    system.changed.notify_all();
}

}  // namespace win
