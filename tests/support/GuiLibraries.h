#pragma once
// Starts and ends every library the GUI class library stands on, and it, in the order of the program.

#include "platform/classes/Classes.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/gui/Gui.h"
#include "platform/imaging/Imaging.h"
#include "platform/metafile/Metafile.h"
#include "platform/printing/Printing.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/Win.h"

namespace testsupport {

inline void StartGuiLibraries()
{
    rtl::initialize();
    classes::initialize();
    win::imaging::initialize();
    win::services::initialize();
    win::gdi::initialize();
    win::text::initialize();
    win::metafile::initialize();
    win::gdiplus::initialize();
    win::printing::initialize();
    win::initialize();
    gui::initialize();
}

inline void EndGuiLibraries()
{
    gui::finalize();
    win::finalize();
    win::printing::finalize();
    win::gdiplus::finalize();
    win::metafile::finalize();
    win::text::finalize();
    win::gdi::finalize();
    win::services::finalize();
    win::imaging::finalize();
    classes::finalize();
}

}  // namespace testsupport
