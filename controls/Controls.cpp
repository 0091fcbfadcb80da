#include "controls/Controls.h"

#include "controls/clClasses.h"
#include "controls/clGraphics.h"
#include "controls/uxTheme.h"

namespace controls {

void initialize(const TclEntryPoints& entries)
{
    detail::SetEntryPoints(entries);
    clDetectPlatform();
    detail::InitializeGraphics();
    detail::InitializeClasses();
    detail::InitializeTheme();
}

void finalize()
{
    detail::FinalizeTheme();
    detail::FinalizeClasses();
    detail::FinalizeGraphics();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
