#pragma once
// The control foundation on a virtual clock, driven by the test driver through the application's own
// loop step; a loop that would wait for ever fails the test.

#include "tests/controls/ControlsFixture.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Application.h"
#include "platform/rtl/Clock.h"
#include "platform/win/testing/TestDriver.h"

#include <ostream>

namespace win {
inline void PrintTo(const RECT& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const POINT& point, std::ostream* os) { *os << "(" << point.x << ", " << point.y << ")"; }
}  // namespace win

namespace controlstest {

class DrivenTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        ControlsTest::TearDown();
    }

    static void SetWorkArea(const win::RECT& area)
    {
        win::RECT copy = area;
        ASSERT_TRUE(win::SystemParametersInfo(win::SPI_SETWORKAREA, 0, &copy, 0));
    }

    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installed{clock};
    win::TestDriver driver{clock};
};

}  // namespace controlstest
