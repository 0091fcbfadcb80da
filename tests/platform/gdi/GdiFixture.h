#pragma once
// A fresh GDI (stock objects only, default system settings) for each test.

#include "platform/gdi/Gdi.h"
#include "platform/rtl/Rtl.h"
#include "platform/wintypes/GdiTypes.h"

#include <gtest/gtest.h>

namespace wintest {

// The plain colours the drawing tests paint with.
inline constexpr win::COLORREF Red = win::RGB(255, 0, 0);
inline constexpr win::COLORREF Green = win::RGB(0, 255, 0);
inline constexpr win::COLORREF Blue = win::RGB(0, 0, 255);
inline constexpr win::COLORREF White = win::RGB(255, 255, 255);

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
