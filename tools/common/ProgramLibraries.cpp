#include "tools/common/ProgramLibraries.h"

#include "analysis/Analysis.h"
#include "components/Components.h"
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "platform/DrawingLibraries.h"
#include "platform/GuiLibraries.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/classes/Classes.h"
#include "platform/display/Display.h"
#include "platform/registry/RegistryStore.h"
#include "platform/rtl/Rtl.h"
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
        win::StartDrawingLibraries();
        win::initialize();
        try {
            win::display::initialize();
        } catch (...) {
            EndPlatform();
            throw;
        }
        gui::StartGuiLibraries();
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
        gui::EndGuiLibraries();
        win::display::finalize();
    }
    EndPlatform();
}

void ProgramLibraries::EndPlatform()
{
    if (reach_ == Reach::Windows) {
        win::finalize();
        win::EndDrawingLibraries();
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
