#include "controls/Controls.h"

#include "controls/clClasses.h"
#include "controls/clGraphics.h"

namespace controls {

void initialize(const TclEntryPoints& entries)
{
    detail::SetEntryPoints(entries);
    clDetectPlatform();
    detail::InitializeGraphics();
    detail::InitializeClasses();
}

void finalize()
{
    detail::FinalizeClasses();
    detail::FinalizeGraphics();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
