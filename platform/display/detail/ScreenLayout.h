#pragma once
// The screen's displays as the window system's monitors. The screen reports display bounds and their
// usable parts (without panels) in root-window coordinates; the window system's screen coordinates put
// the primary display's top-left at (0, 0).

#include "platform/gdi/SystemInfo.h"

#include <vector>

namespace win::detail {

struct ScreenDisplay {
    RECT bounds;  // root coordinates
    RECT usable;
};

// The root position of the window system's screen point (0, 0): the first (primary) display's top-left.
POINT ScreenOrigin(const std::vector<ScreenDisplay>& displays);

// The monitors, primary first, shifted by the origin; a display whose usable part is empty or outside
// its bounds works on all of it.
std::vector<MonitorLayout> MonitorsOfDisplays(const std::vector<ScreenDisplay>& displays);

// Whether two layouts are the same monitors with the same work areas.
bool SameMonitors(const std::vector<MonitorLayout>& before, const std::vector<MonitorLayout>& after);

// Whether only the work areas differ between two layouts (the same monitors otherwise).
bool OnlyWorkAreasDiffer(const std::vector<MonitorLayout>& before, const std::vector<MonitorLayout>& after);

}  // namespace win::detail
