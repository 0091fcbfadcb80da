#pragma once
// A fresh GDI (stock objects only, default system settings) for each test.

#include "platform/gdi/Gdi.h"
#include "platform/rtl/Rtl.h"

#include <gtest/gtest.h>

namespace wintest {

class GdiLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::initialize();
        win::gdi::initialize();
    }
    void TearDown() override { win::gdi::finalize(); }
};

}  // namespace wintest
