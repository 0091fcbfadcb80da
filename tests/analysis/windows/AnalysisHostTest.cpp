#include "analysis/windows/AnalysisHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingHost final : analysis::AnalysisHost {
    std::vector<std::string> calls;
    void GetHelp(std::string_view topic) override { calls.push_back("help " + std::string(topic)); }
    void SaveProject() override { calls.push_back("save"); }
    void UpdateStatusBar() override { calls.push_back("status"); }
    void ShowSetupPage(int index) override { calls.push_back("setup " + std::to_string(index)); }
};

TEST(AnalysisHost, WithoutAHostEveryCallSaysWhatItWouldHaveAskedOnStderr)
{
    testing::internal::CaptureStderr();
    analysis::Host().GetHelp("STEP4");
    analysis::Host().SaveProject();
    analysis::Host().UpdateStatusBar();
    analysis::Host().ShowSetupPage(3);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "analysis window: no host to help topic STEP4\n"
              "analysis window: no host to save the project\n"
              "analysis window: no host to refresh the status bar\n"
              "analysis window: no host to setup page 3\n");
}

TEST(AnalysisHost, AnInstalledHostTakesTheCallsUntilItIsRemoved)
{
    RecordingHost host;
    analysis::InstallAnalysisHost(&host);
    analysis::Host().GetHelp("STEP2");
    analysis::Host().ShowSetupPage(3);
    analysis::InstallAnalysisHost(nullptr);
    testing::internal::CaptureStderr();
    analysis::Host().SaveProject();
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"help STEP2", "setup 3"}));
}

}  // namespace
