#pragma once
// The libraries the report library stands on, started for one test (or a whole fixture) and ended
// after it, with the program's resources registered.

#include "report/Report.h"
#include "tests/support/GuiLibraries.h"
#include "tools/rescomp/ProgramResources.h"

#include <gtest/gtest.h>

#include <functional>

namespace report_test {

class ReportLibrary {
public:
    // beforeReport runs once the platform is up, before the report library starts (and reads its modules).
    explicit ReportLibrary(const std::function<void()>& beforeReport = {})
    {
        testsupport::StartGuiLibraries();
        if (beforeReport)
            beforeReport();
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
