#pragma once
// A fresh GDI, font engine, metafile library and image lists for each test (the metafile tests record
// and play image lists too).

#include "platform/gdiplus/GdiPlus.h"
#include "platform/metafile/Metafile.h"

#include "tests/platform/text/TextLibraryFixture.h"

namespace wintest {

class MetafileLibraryTest : public TextLibraryTest {
protected:
    void SetUp() override
    {
        TextLibraryTest::SetUp();
        win::metafile::initialize();
        win::gdiplus::initialize();
    }
    void TearDown() override
    {
        win::gdiplus::finalize();
        win::metafile::finalize();
        TextLibraryTest::TearDown();
    }
};

}  // namespace wintest
