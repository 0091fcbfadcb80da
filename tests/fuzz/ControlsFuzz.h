#pragma once
// The libraries the fuzz targets of the control library stand on, started once for the whole run.

#include "controls/Controls.h"
#include "tests/support/GuiLibraries.h"

#include <cstdlib>

namespace fuzz {

// The GUI libraries and the control library, on the first call; they end at exit, before the program's
// static objects do.
inline void StartControlLibraries()
{
    static const bool started = (testsupport::StartGuiLibraries(), controls::initialize(), std::atexit([] {
                                     controls::finalize();
                                     testsupport::EndGuiLibraries();
                                 }),
                                 true);
    (void)started;
}

}  // namespace fuzz
