#include "analysis/windows/AnalysisHost.h"

#include <cstdio>
#include <string>

namespace analysis {
namespace {

class StderrHost final : public AnalysisHost {
public:
    void GetHelp(std::string_view topic) override { Say("help topic " + std::string(topic)); }
    void SaveProject() override { Say("save the project"); }
    void UpdateStatusBar() override { Say("refresh the status bar"); }
    void ShowSetupPage(int index) override { Say("setup page " + std::to_string(index)); }

private:
    static void Say(const std::string& what) { std::fprintf(stderr, "analysis window: no host to %s\n", what.c_str()); }
};

StderrHost stderrHost;
AnalysisHost* installed = nullptr;

}  // namespace

AnalysisHost& Host() { return installed ? *installed : stderrHost; }

void InstallAnalysisHost(AnalysisHost* host) { installed = host; }

}  // namespace analysis
