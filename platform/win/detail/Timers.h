#pragma once
// The system's own timers and the due time of the next timer.

#include "platform/win/Timers.h"

#include <cstdint>

namespace win::detail {

bool SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse);
void KillSystemTimer(HWND hwnd, UINT_PTR id);

// The tick (rtl::GetTickCount64) at which the calling thread's next timer is due; false when it has none.
bool GetNextTimerDue(std::uint64_t& due);

}  // namespace win::detail
