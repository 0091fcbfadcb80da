#include "controls/clEntryPoints.h"

namespace controls {

namespace {
TclEntryPoints entryPoints;
}

TclEntryPoints PlatformEntryPoints()
{
    TclEntryPoints entries;
    entries.GradientFill = &win::GradientFill;
    entries.AlphaBlend = &win::AlphaBlend;
    entries.AnimateWindow = &win::AnimateWindow;
    entries.UpdateLayeredWindow = &win::UpdateLayeredWindow;
    entries.SetLayeredWindowAttributes = &win::SetLayeredWindowAttributes;
    entries.MonitorFromWindow = &win::MonitorFromWindow;
    entries.MonitorFromPoint = &win::MonitorFromPoint;
    entries.MonitorFromRect = &win::MonitorFromRect;
    entries.GetMonitorInfo = &win::GetMonitorInfo;
    return entries;
}

const TclEntryPoints& clEntryPoints()
{
    return entryPoints;
}

namespace detail {
void SetEntryPoints(const TclEntryPoints& entries)
{
    entryPoints = entries;
}
}  // namespace detail

}  // namespace controls
