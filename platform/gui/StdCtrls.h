#pragma once
// The standard control and dialog classes, as stored window data and scripts make them by name.

#include "platform/classes/Persistent.h"

#include <vector>

namespace gui {

std::vector<const classes::TClassInfo*> StandardControlClasses();

}  // namespace gui
