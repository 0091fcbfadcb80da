#include "tools/common/ProgramLibraries.h"

#include "analysis/Analysis.h"
#include "components/Components.h"
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/classes/Classes.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/gui/Gui.h"
#include "platform/imaging/Imaging.h"
#include "platform/metafile/Metafile.h"
#include "platform/printing/Printing.h"
#include "platform/registry/RegistryStore.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/Win.h"
#include "tools/rescomp/ProgramResources.h"
#include "translation/Translation.h"

#include <cerrno>
#include <cstdio>

namespace tools {

ProgramLibraries::ProgramLibraries(Reach reach) : reach_(reach)
{
    rtl::initialize();
    classes::initialize();
    resources::initialize();
    win::registry::initialize();
    if (reach_ == Reach::Windows) {
        win::imaging::initialize();
        win::services::initialize();
        win::gdi::initialize();
        win::text::initialize();
        win::metafile::initialize();
        win::gdiplus::initialize();
        win::printing::initialize();
        win::initialize();
        try {
            win::display::initialize();
        } catch (...) {
            EndPlatform();
            throw;
        }
        gui::initialize();
        chart::initialize();
        controls::initialize();
        pagecontrol::initialize();
        components::initialize();
    }
    translation::initialize();
    analysis::initialize();
}

ProgramLibraries::~ProgramLibraries()
{
    analysis::finalize();
    translation::finalize();
    if (reach_ == Reach::Windows) {
        components::finalize();
        pagecontrol::finalize();
        controls::finalize();
        chart::finalize();
        gui::finalize();
        win::display::finalize();
    }
    EndPlatform();
}

void ProgramLibraries::EndPlatform()
{
    if (reach_ == Reach::Windows) {
        win::finalize();
        win::printing::finalize();
        win::gdiplus::finalize();
        win::metafile::finalize();
        win::text::finalize();
        win::gdi::finalize();
        win::services::finalize();
        win::imaging::finalize();
    }
    try {
        win::registry::finalize();
    } catch (const rtl::Exception& error) {
        std::fprintf(stderr, "%s: the settings could not be saved: %s\n", program_invocation_short_name, error.what());
    }
    resources::finalize();
    classes::finalize();
    rtl::finalize();
}

}  // namespace tools
