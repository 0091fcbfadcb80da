#include "platform/win/Types.h"

#include <atomic>

namespace win {

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

DWORD GetCurrentThreadId()
{
    static std::atomic<DWORD> nextId{1};
    thread_local const DWORD id = nextId.fetch_add(1);
    return id;
}

}  // namespace win
