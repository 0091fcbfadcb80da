#pragma once
// Starts and ends every library the GUI class library stands on, and it, in the order of the program.

#include "platform/DrawingLibraries.h"
#include "platform/classes/Classes.h"
#include "platform/gui/Gui.h"
#include "platform/rtl/Rtl.h"
#include "platform/win/Win.h"

namespace testsupport {

inline void StartGuiLibraries()
{
    rtl::initialize();
    classes::initialize();
    win::StartDrawingLibraries();
    win::initialize();
    gui::initialize();
}

inline void EndGuiLibraries()
{
    gui::finalize();
    win::finalize();
    win::EndDrawingLibraries();
    classes::finalize();
}

}  // namespace testsupport
