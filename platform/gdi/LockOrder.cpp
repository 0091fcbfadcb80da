#include "platform/gdi/detail/LockOrder.h"

#include <cstdio>
#include <cstdlib>

namespace win {

using namespace detail;

namespace {

// How often the calling thread holds each rank (the GDI lock is recursive).
thread_local int held[3] = {0, 0, 0};

}  // namespace

void detail::NoteLockTaken([[maybe_unused]] LockRank rank)
{
#ifndef NDEBUG
    const auto index = static_cast<int>(rank);
    for (int later = index + 1; later < 3; ++later) {
        if (held[later] > 0) {
            std::fprintf(stderr, "Lock order broken: the %s lock is taken while the %s lock is held\n",
                         index == 1 ? "system" : "GDI", later == 2 ? "GDI" : "system");
            std::abort();
        }
    }
    ++held[index];
#endif
}

void detail::NoteLockReleased([[maybe_unused]] LockRank rank)
{
#ifndef NDEBUG
    --held[static_cast<int>(rank)];
#endif
}

}  // namespace win
