#include "controls/Controls.h"

#include "controls/clClasses.h"

namespace controls {

void initialize(const TclEntryPoints& entries)
{
    detail::SetEntryPoints(entries);
    detail::InitializeClasses();
}

void finalize()
{
    detail::FinalizeClasses();
    detail::SetEntryPoints(TclEntryPoints{});
}

}  // namespace controls
