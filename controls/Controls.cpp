#include "controls/Controls.h"

#include "controls/clClasses.h"
#include "controls/clControls.h"
#include "controls/clExtendedStylePainters.h"
#include "controls/clGraphics.h"
#include "controls/clImageLists.h"
#include "controls/clLookAndFeels.h"
#include "controls/clPainterResources.h"
#include "controls/clWindows.h"
#include "controls/uxOffice11Colors.h"
#include "controls/uxTheme.h"

namespace controls {

void initialize(const TclEntryPoints& entries)
{
    detail::SetEntryPoints(entries);
    clDetectPlatform();
    detail::InitializeGraphics();
    detail::InitializeImageLists();
    detail::InitializeClasses();
    detail::InitializeTheme();
    detail::InitializeOffice11Colors();
    detail::InitializeLookAndFeels();
    detail::InitializePainters();
    detail::InitializeWindows();
    detail::InitializeControls();
}

void finalize()
{
    detail::FinalizeControls();
    detail::FinalizeWindows();
    detail::FinalizePainters();
    detail::FinalizeLookAndFeels();
    detail::FinalizeOffice11Colors();
    detail::FinalizeTheme();
    detail::FinalizeClasses();
    detail::FinalizeImageLists();
    detail::FinalizeGraphics();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
