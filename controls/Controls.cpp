#include "controls/Controls.h"

#include "controls/clClasses.h"
#include "controls/clGraphics.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/clWindows.h"
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
    detail::InitializePainters();
    detail::InitializeWindows();
}

void finalize()
{
    detail::FinalizeWindows();
    detail::FinalizePainters();
    detail::FinalizeOffice11Colors();
    detail::FinalizeTheme();
    detail::FinalizeClasses();
    detail::FinalizeGraphics();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
