#pragma once
// The libraries the report library stands on, started for one test (or a whole fixture) and ended
// after it, with the program's resources registered.

#include "report/Report.h"
#include "tests/support/GuiLibraries.h"
#include "tools/rescomp/ProgramResources.h"

#include <gtest/gtest.h>

namespace report_test {

class ReportLibrary {
public:
    ReportLibrary()
    {
        testsupport::StartGuiLibraries();
        resources::initialize();
        report::initialize();
    }
    ~ReportLibrary()
    {
        report::finalize();
        resources::finalize();
        testsupport::EndGuiLibraries();
    }
    ReportLibrary(const ReportLibrary&) = delete;
    ReportLibrary& operator=(const ReportLibrary&) = delete;
};

class ReportTest : public ::testing::Test {
private:
    ReportLibrary library_;
};

}  // namespace report_test
