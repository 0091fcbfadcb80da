#pragma once
// A fresh GDI, window system and GUI class library for each test.

#include "tests/support/GuiLibraries.h"

#include <gtest/gtest.h>

namespace guitest {

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::StartGuiLibraries(); }
    void TearDown() override { testsupport::EndGuiLibraries(); }
};

}  // namespace guitest
