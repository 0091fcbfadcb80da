#pragma once
// The standard window classes and the four parts of the GUI class library, started in the program's order
// and ended in reverse, after the window system's start-up and before its shut-down. Header only and in
// no library, so that the program, the developer tools and the test fixtures start them in one order; a
// caller links every library named here.

#include "platform/commctrl/CommCtrl.h"
#include "platform/gui/controls/GuiControls.h"
#include "platform/gui/core/GuiCore.h"
#include "platform/gui/dialogs/GuiDialogs.h"
#include "platform/gui/graphics/GuiGraphics.h"

namespace gui {

inline void StartGuiLibraries()
{
    win::commctrl::initialize();
    graphics::initialize();
    core::initialize();
    controls::initialize();
    dialogs::initialize();
}

inline void EndGuiLibraries()
{
    dialogs::finalize();
    controls::finalize();
    core::finalize();
    graphics::finalize();
    win::commctrl::finalize();
}

}  // namespace gui
