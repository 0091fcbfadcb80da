#pragma once
// The standard control and menu classes, as stored window data and scripts make them by name (the dialog
// components' classes are the dialogs library's).

#include "platform/classes/Persistent.h"

#include <vector>

namespace gui {

std::vector<const classes::TClassInfo*> StandardControlClasses();

}  // namespace gui
