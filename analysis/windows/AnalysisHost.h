#pragma once
// The analysis windows reach what lives above them (the help viewer, the main window's Save and status
// bar, the setup window) through this seam, which the program's main window installs. Until one is
// installed, every call writes one line to stderr, so a window shown by a developer tool still says
// what it would have asked for.

#include <string_view>

namespace analysis {

class AnalysisHost {
public:
    virtual ~AnalysisHost() = default;
    virtual void GetHelp(std::string_view topic) = 0;
    virtual void SaveProject() = 0;
    virtual void UpdateStatusBar() = 0;
    virtual void ShowSetupPage(int index) = 0;
};

// The installed host, or the stderr one.
AnalysisHost& Host();

// Installs `host` (not owned; it outlives its installation); nullptr goes back to the stderr host.
void InstallAnalysisHost(AnalysisHost* host);

}  // namespace analysis
