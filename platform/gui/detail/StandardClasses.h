#pragma once
// Each standard window class's own registration (StandardWindowClasses.h registers them all).

#include "platform/gui/StandardWindowClasses.h"

namespace gui::detail {

void RegisterEditClass();
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterListBoxClass();
void RegisterScrollBarClass();
EditContextMenuHook& EditContextMenu();

}  // namespace gui::detail
