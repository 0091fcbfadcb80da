#pragma once
// The hook a test driver installs on its thread: whenever the thread would block waiting for a message
// (GetMessage, WaitMessage, MsgWaitForMultipleObjects), the hook makes the next thing happen instead,
// or, with nothing to make happen and nothing arriving from other threads, ends the wait.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace win::detail {

struct IdleHook {
    // Runs what is due next: a scripted action, or the clock moved to the next timer or to the wait's
    // deadline (none: the wait has no timeout); false when nothing is due.
    std::function<bool(std::optional<std::uint64_t> deadline)> runNext;
    // Nothing was due and nothing arrived: ends the wait of loop (the innermost ModalLoopScope, or the
    // call waiting) by throwing.
    std::function<void(const std::string& loop)> stalled;
};

// Installs the hook for the calling thread (null removes it).
void SetIdleHook(const IdleHook* hook);

// Called by the waits, with the system lock released: true when the hook made something happen (look
// again); false when there is no hook or nothing was due (wait as usual, at most graceMs real milliseconds
// with a hook, then the hook's stalled runs).
bool RunIdleHook(std::optional<std::uint64_t> deadline, const char* waitingCall);
bool IdleHookInstalled();
void IdleHookStalled(const char* waitingCall);
constexpr std::uint32_t IdleHookGraceMs = 1000;

}  // namespace win::detail
