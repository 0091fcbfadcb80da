#pragma once
// The window system with the standard window classes, on a virtual clock, driven by the test driver with
// the plain message loop. A loop that would wait for ever fails the test.

#include "platform/commctrl/CommCtrl.h"
#include "platform/rtl/Clock.h"
#include "platform/win/testing/TestDriver.h"

#include "tests/support/GuiLibraries.h"

#include <gtest/gtest.h>

namespace commctrltest {

class CommCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::StartWindowLibraries();
        win::commctrl::initialize();
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        win::commctrl::finalize();
        testsupport::EndWindowLibraries();
    }

    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installed{clock};
    win::TestDriver driver{clock};
};

}  // namespace commctrltest
