#include "AnalysisScenes.h"

#include "analysis/Globals.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramWindows.h"
#include "tools/common/ProjectOpening.h"

namespace screenshot {
namespace {

class Scene final : public AnalysisScene {
public:
    // page: the analysis window's page; overview: the drive's overview shown over it. The estimator has
    // started.
    Scene(int page, bool overview)
    {
        windows_.NewProject(1);
        analysis::TFANFORM& window = windows_.Analysis();
        window.Show();
        for (int i = 0; i < page; ++i)
            window.CONTINUECLICK(&window);
        if (overview) {
            // As the drive's result line opens it, but left open instead of run modally.
            analysis::OverviewApp = 1;
            analysis::OverviewMethod = 1;
            windows_.Overview().Show();
        }
        main_ = overview ? windows_.Overview().Handle() : window.Handle();
    }

    win::HWND Main() const override { return main_; }

private:
    const tools::ToolRegistry registry_;
    tools::ProgramWindows windows_;
    win::HWND main_ = nullptr;
};

}  // namespace

std::unique_ptr<AnalysisScene> MakeAnalysisScene(const std::string& name)
{
    const bool overview = name == "overview";
    const bool page = name.size() == 10 && name.starts_with("analysis-") && name[9] >= '0' && name[9] <= '4';
    if (!overview && !page)
        return nullptr;
    tools::StartEstimator();
    return std::make_unique<Scene>(overview ? 2 : name[9] - '0', overview);
}

}  // namespace screenshot
