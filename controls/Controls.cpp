#include "controls/Controls.h"

#include "controls/clClasses.h"
#include "controls/clExtendedStylePainters.h"
#include "controls/clGraphics.h"
#include "controls/clLookAndFeels.h"
#include "controls/clPainterResources.h"
#include "controls/uxOffice11Colors.h"
#include "controls/uxTheme.h"

namespace controls {

void initialize(const TclEntryPoints& entries)
{
    detail::SetEntryPoints(entries);
    clDetectPlatform();
    detail::InitializeGraphics();
    detail::InitializeClasses();
    detail::InitializeTheme();
    detail::InitializeOffice11Colors();
    detail::InitializeLookAndFeels();
    detail::InitializePainters();
}

void finalize()
{
    detail::FinalizePainters();
    detail::FinalizeLookAndFeels();
    detail::FinalizeOffice11Colors();
    detail::FinalizeTheme();
    detail::FinalizeClasses();
    detail::FinalizeGraphics();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
