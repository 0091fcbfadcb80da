#pragma once
// The atom table's reset.

#include "platform/win/Atoms.h"

namespace win::detail {

// Empties the table (the window system's start-up calls it).
void ResetAtoms();

}  // namespace win::detail
