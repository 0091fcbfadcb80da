#include "platform/win/ObjectInstance.h"

#include "platform/win/detail/ObjectInstance.h"

#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include "platform/rtl/Exceptions.h"

#include <array>
#include <mutex>
#include <utility>

namespace win {

namespace {

constexpr std::size_t PoolSize = 4096;

struct Pool {
    std::mutex mutex;
    std::array<TWndMethod, PoolSize> methods;
};

Pool& ThePool()
{
    static Pool pool;
    return pool;
}

// Kept out of line so that each of the thousands of thunks below is only a jump with its index.
[[gnu::noinline]] LRESULT Dispatch(std::size_t index, UINT message, WPARAM wParam, LPARAM lParam)
{
    TMessage msg{message, wParam, lParam, 0};
    // The slot is filled before the instance is handed out and emptied only by its owner.
    ThePool().methods[index](msg);
    return msg.Result;
}

template <std::size_t Index>
LRESULT Thunk(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(Index, message, wParam, lParam);
}

template <std::size_t... Index>
constexpr std::array<WNDPROC, PoolSize> MakeThunks(std::index_sequence<Index...>)
{
    return {&Thunk<Index>...};
}

constexpr std::array<WNDPROC, PoolSize> Thunks = MakeThunks(std::make_index_sequence<PoolSize>());

constexpr const char* UtilityClass = "UtilityWindow";

}  // namespace

void detail::ResetObjectInstances()
{
    Pool& pool = ThePool();
    std::lock_guard lock(pool.mutex);
    pool.methods.fill(nullptr);
}

WNDPROC MakeObjectInstance(TWndMethod method)
{
    if (!method) {
        throw rtl::EInvalidArgument("MakeObjectInstance needs a method");
    }
    Pool& pool = ThePool();
    std::lock_guard lock(pool.mutex);
    for (std::size_t i = 0; i < PoolSize; ++i) {
        if (!pool.methods[i]) {
            pool.methods[i] = std::move(method);
            return Thunks[i];
        }
    }
    throw rtl::EOutOfResources("Out of window procedure instances (" + std::to_string(PoolSize) + " in use)");
}

void FreeObjectInstance(WNDPROC proc)
{
    Pool& pool = ThePool();
    std::lock_guard lock(pool.mutex);
    for (std::size_t i = 0; i < PoolSize; ++i) {
        if (Thunks[i] == proc) {
            pool.methods[i] = nullptr;
            return;
        }
    }
}

HWND AllocateHWnd(TWndMethod method)
{
    WNDCLASSEX windowClass;
    if (!GetClassInfoEx(nullptr, UtilityClass, &windowClass)) {
        windowClass = WNDCLASSEX();
        windowClass.lpfnWndProc = DefWindowProc;
        windowClass.lpszClassName = UtilityClass;
        if (!RegisterClassEx(&windowClass)) {
            throw rtl::EOutOfResources("Cannot register the utility window class");
        }
    }
    const HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, UtilityClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     nullptr, nullptr);
    if (!hwnd) {
        throw rtl::EOutOfResources("Cannot create a utility window");
    }
    if (method) {
        SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(MakeObjectInstance(std::move(method))));
    }
    return hwnd;
}

void DeallocateHWnd(HWND hwnd)
{
    const auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWL_WNDPROC));
    if (!IsWindow(hwnd)) {
        return;
    }
    DestroyWindow(hwnd);
    if (proc != DefWindowProc) {
        FreeObjectInstance(proc);
    }
}

}  // namespace win
