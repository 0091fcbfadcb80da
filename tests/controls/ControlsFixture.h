#pragma once
// A fresh platform, GUI class library, program resources and control foundation for each test; a test may give the control
// foundation its own table of optional system functions.

#include "controls/Controls.h"
#include "platform/wintypes/GdiTypes.h"
#include "tests/support/GuiLibraries.h"
#include "tools/rescomp/ProgramResources.h"

#include <gtest/gtest.h>

namespace controlstest {

// The grounds the drawing tests paint on: a colour no painter draws with, and a mid blue.
inline constexpr win::COLORREF kGround = win::RGB(1, 2, 3);
inline constexpr win::COLORREF kBlueGround = win::RGB(0x33, 0x66, 0x99);

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::StartGuiLibraries();
        resources::initialize();
        controls::initialize(EntryPoints());
    }
    void TearDown() override
    {
        controls::finalize();
        resources::finalize();
        testsupport::EndGuiLibraries();
    }
    // The table the library starts with.
    virtual controls::TclEntryPoints EntryPoints() const { return controls::PlatformEntryPoints(); }
};

}  // namespace controlstest
