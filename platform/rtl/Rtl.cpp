#include "platform/rtl/Rtl.h"

#include "platform/rtl/Threads.h"

namespace rtl {

void initialize()
{
    InitializeThreads();
}

void finalize()
{
}

}  // namespace rtl
