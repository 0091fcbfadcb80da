#pragma once
// A fresh GDI and font engine for each test.

#include "platform/text/Text.h"

#include "tests/platform/gdi/GdiFixture.h"

namespace wintest {

class TextLibraryTest : public GdiLibraryTest {
protected:
    void SetUp() override
    {
        GdiLibraryTest::SetUp();
        win::text::initialize();
    }
    void TearDown() override
    {
        win::text::finalize();
        GdiLibraryTest::TearDown();
    }
};

}  // namespace wintest
