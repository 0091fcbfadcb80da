#pragma once
// The reset of global memory.

#include "platform/win/GlobalMemory.h"

namespace win::detail {

// Frees every block (the window system's start-up and shut-down call it).
void ResetGlobalMemory();

}  // namespace win::detail
