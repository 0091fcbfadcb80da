#pragma once
// The platform libraries below the window system, started in the program's order and ended in reverse:
// pictures, services, the GDI, text, metafiles, GDI+ and printing. Header only and in no library, so that
// the developer tools and the test fixtures start them in the one order the program uses; a caller links
// every library named here.

#include "platform/gdi/Gdi.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/imaging/Imaging.h"
#include "platform/metafile/Metafile.h"
#include "platform/printing/Printing.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"

namespace win {

inline void StartDrawingLibraries()
{
    imaging::initialize();
    services::initialize();
    gdi::initialize();
    text::initialize();
    metafile::initialize();
    gdiplus::initialize();
    printing::initialize();
}

inline void EndDrawingLibraries()
{
    printing::finalize();
    gdiplus::finalize();
    metafile::finalize();
    text::finalize();
    gdi::finalize();
    services::finalize();
    imaging::finalize();
}

}  // namespace win
