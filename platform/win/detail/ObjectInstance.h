#pragma once
// The reset of the pool of object instances.

#include "platform/win/ObjectInstance.h"

namespace win::detail {

// Empties every instance (the window system's start-up and shut-down call it).
void ResetObjectInstances();

}  // namespace win::detail
