#include "platform/display/detail/ScreenLayout.h"

#include <gtest/gtest.h>

namespace displaytest {
namespace {

using win::RECT;
using win::detail::MonitorsOfDisplays;
using win::detail::ScreenDisplay;

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ScreenLayoutTest, PrimaryDisplayRightOfAnotherBecomesTheOrigin)
{
    // The primary display at root x 1920, a second one left of it; both lose 30 pixels to a panel.
    const std::vector<ScreenDisplay> displays = {
        {RECT{1920, 0, 3840, 1080}, RECT{1920, 0, 3840, 1050}},
        {RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1050}},
    };
    const auto monitors = MonitorsOfDisplays(displays);
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_TRUE(SameRect(monitors[0].rect, RECT{0, 0, 1920, 1080}));
    EXPECT_TRUE(SameRect(monitors[0].work, RECT{0, 0, 1920, 1050}));
    EXPECT_TRUE(SameRect(monitors[1].rect, RECT{-1920, 0, 0, 1080}));
    EXPECT_TRUE(SameRect(monitors[1].work, RECT{-1920, 0, 0, 1050}));
    EXPECT_EQ(win::detail::ScreenOrigin(displays).x, 1920);
}

TEST(ScreenLayoutTest, AUsablePartOutsideTheDisplayMeansAllOfIt)
{
    const auto monitors = MonitorsOfDisplays({{RECT{0, 0, 800, 600}, RECT{0, 0, 0, 0}}});
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_TRUE(SameRect(monitors[0].work, RECT{0, 0, 800, 600}));
}

TEST(ScreenLayoutTest, WorkAreaChangesAreToldApartFromDisplayChanges)
{
    const auto before = MonitorsOfDisplays({{RECT{0, 0, 800, 600}, RECT{0, 0, 800, 570}}});
    const auto panelMoved = MonitorsOfDisplays({{RECT{0, 0, 800, 600}, RECT{0, 30, 800, 600}}});
    const auto resized = MonitorsOfDisplays({{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 738}}});
    EXPECT_TRUE(win::detail::OnlyWorkAreasDiffer(before, panelMoved));
    EXPECT_FALSE(win::detail::OnlyWorkAreasDiffer(before, resized));
    EXPECT_FALSE(win::detail::OnlyWorkAreasDiffer(before, before));
    EXPECT_TRUE(win::detail::SameMonitors(before, MonitorsOfDisplays({{RECT{0, 0, 800, 600}, RECT{0, 0, 800, 570}}})));
    EXPECT_FALSE(win::detail::SameMonitors(before, panelMoved));
    EXPECT_FALSE(win::detail::SameMonitors(before, {}));
}

}  // namespace
}  // namespace displaytest
