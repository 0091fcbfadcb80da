#include "analysis/windows/ReportOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingOutput final : analysis::ReportOutput {
    std::vector<std::string> calls;
    void Preview() override { calls.push_back("preview"); }
    void Print() override { calls.push_back("print"); }
    void Export(int format) override { calls.push_back("export " + std::to_string(format)); }
    void Mail() override { calls.push_back("mail"); }
};

TEST(ReportOutput, NoneIsInstalledUntilTheReportLibraryInstallsOneAndRemovingItLeavesNone)
{
    EXPECT_EQ(analysis::InstalledReportOutput(), nullptr);
    RecordingOutput first;
    RecordingOutput second;
    analysis::InstallReportOutput(&first);
    ASSERT_EQ(analysis::InstalledReportOutput(), &first);
    analysis::InstalledReportOutput()->Export(analysis::efRTF);
    analysis::InstallReportOutput(&second);
    analysis::InstalledReportOutput()->Preview();
    analysis::InstallReportOutput(nullptr);
    EXPECT_EQ(analysis::InstalledReportOutput(), nullptr);
    EXPECT_EQ(first.calls, std::vector<std::string>{"export 1"});
    EXPECT_EQ(second.calls, std::vector<std::string>{"preview"});
}

}  // namespace
