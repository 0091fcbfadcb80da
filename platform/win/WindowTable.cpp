#include "platform/win/detail/WindowTable.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

constexpr std::uint32_t MaxSlots = 0xFFFF;  // slot numbers fit the low 16 bits of a handle
constexpr WORD MaxGeneration = 0x7FFF;     // keeps handles positive 32-bit values

HWND MakeHandle(std::uint32_t slot, WORD generation)
{
    return HandleFromValue<HWND>(static_cast<std::intptr_t>((static_cast<std::uint32_t>(generation) << 16) | slot));
}

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
    std::vector<HWND> orphans;
    for (auto& slot : system.slots) {
        if (slot.window && slot.window->thread == thread) {
            orphans.push_back(slot.window->handle);
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
    const std::intptr_t value = HandleValue(hwnd);
    if (value <= 0 || value > 0x7FFFFFFF) {
        return nullptr;
    }
    const auto slot = static_cast<std::uint32_t>(value & 0xFFFF);
    const auto generation = static_cast<WORD>(value >> 16);
    WindowSystem& system = System();
    if (slot >= system.slots.size()) {
        return nullptr;
    }
    WindowSystem::Slot& entry = system.slots[slot];
    if (!entry.window || entry.generation != generation) {
        return nullptr;
    }
    return entry.window.get();
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
    WindowSystem& system = System();
    std::uint32_t slot;
    // Fresh slots are used before freed ones, and freed ones in the order they were freed, so a handle
    // comes back only after very many windows.
    if (system.slots.size() < MaxSlots) {
        if (system.slots.empty()) {
            system.slots.emplace_back();  // slot 0 is never used: handle values start above 0xFFFF
        }
        slot = static_cast<std::uint32_t>(system.slots.size());
        system.slots.emplace_back();
    } else if (!system.freeSlots.empty()) {
        slot = system.freeSlots.front();
        system.freeSlots.pop_front();
    } else {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    WindowSystem::Slot& entry = system.slots[slot];
    entry.window = std::make_unique<Window>();
    entry.window->handle = MakeHandle(slot, entry.generation);
    return entry.window.get();
}

void detail::FreeWindow(HWND hwnd)
{
    const auto slot = static_cast<std::uint32_t>(HandleValue(hwnd) & 0xFFFF);
    WindowSystem& system = System();
    WindowSystem::Slot& entry = system.slots[slot];
    Window& window = *entry.window;
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
    for (auto& other : system.slots) {
        if (other.window && other.window->owner == hwnd) {
            other.window->owner = nullptr;
        }
    }
    entry.window.reset();
    entry.generation = entry.generation >= MaxGeneration ? 1 : static_cast<WORD>(entry.generation + 1);
    system.freeSlots.push_back(slot);
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
    system.slots.clear();
    system.freeSlots.clear();
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
    system.surfaces.clear();
    system.lastClick = WindowSystem::LastClick();
    system.changed.notify_all();
}

}  // namespace win
