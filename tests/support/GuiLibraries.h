#pragma once
// Starts and ends every library the GUI class library stands on, and it, in the order of the program.
// StartWindowLibraries stops below the class library, for tests of one of its parts.

#include "platform/DrawingLibraries.h"
#include "platform/GuiLibraries.h"
#include "platform/classes/Classes.h"
#include "platform/rtl/Rtl.h"
#include "platform/win/Win.h"

namespace testsupport {

inline void StartWindowLibraries()
{
    rtl::initialize();
    classes::initialize();
    win::StartDrawingLibraries();
    win::initialize();
}

inline void EndWindowLibraries()
{
    win::finalize();
    win::EndDrawingLibraries();
    classes::finalize();
}

inline void StartGuiLibraries()
{
    StartWindowLibraries();
    gui::StartGuiLibraries();
}

inline void EndGuiLibraries()
{
    gui::EndGuiLibraries();
    EndWindowLibraries();
}

}  // namespace testsupport
