#pragma once
// A fresh GDI and set of image lists for each test.

#include "platform/gdiplus/GdiPlus.h"

#include "tests/platform/gdi/GdiFixture.h"

namespace wintest {

class GdiPlusLibraryTest : public GdiLibraryTest {
protected:
    void SetUp() override
    {
        GdiLibraryTest::SetUp();
        win::gdiplus::initialize();
    }
    void TearDown() override
    {
        win::gdiplus::finalize();
        GdiLibraryTest::TearDown();
    }
};

}  // namespace wintest
