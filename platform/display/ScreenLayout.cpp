#include "platform/display/detail/ScreenLayout.h"

#include <algorithm>

namespace win::detail {

namespace {

RECT Shifted(const RECT& rect, POINT by)
{
    return RECT{rect.left - by.x, rect.top - by.y, rect.right - by.x, rect.bottom - by.y};
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left < inner.right && inner.top < inner.bottom && inner.left >= outer.left &&
           inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

}  // namespace

POINT ScreenOrigin(const std::vector<ScreenDisplay>& displays)
{
    return displays.empty() ? POINT{0, 0} : POINT{displays.front().bounds.left, displays.front().bounds.top};
}

std::vector<MonitorLayout> MonitorsOfDisplays(const std::vector<ScreenDisplay>& displays)
{
    const POINT origin = ScreenOrigin(displays);
    std::vector<MonitorLayout> monitors;
    for (const ScreenDisplay& display : displays) {
        const RECT usable = Inside(display.usable, display.bounds) ? display.usable : display.bounds;
        monitors.push_back(MonitorLayout{Shifted(display.bounds, origin), Shifted(usable, origin)});
    }
    return monitors;
}

bool SameMonitors(const std::vector<MonitorLayout>& before, const std::vector<MonitorLayout>& after)
{
    return std::equal(before.begin(), before.end(), after.begin(), after.end(),
                      [](const MonitorLayout& a, const MonitorLayout& b) { return Same(a.rect, b.rect) && Same(a.work, b.work); });
}

bool OnlyWorkAreasDiffer(const std::vector<MonitorLayout>& before, const std::vector<MonitorLayout>& after)
{
    if (before.size() != after.size()) {
        return false;
    }
    bool workChanged = false;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!Same(before[i].rect, after[i].rect)) {
            return false;
        }
        workChanged = workChanged || !Same(before[i].work, after[i].work);
    }
    return workChanged;
}

}  // namespace win::detail
