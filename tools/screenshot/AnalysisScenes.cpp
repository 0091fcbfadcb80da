#include "AnalysisScenes.h"

#include "analysis/Globals.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramWindows.h"
#include "tools/common/ProjectOpening.h"

namespace screenshot {
namespace {

class Scene final : public AnalysisScene {
public:
    enum class Over { Nothing, Overview, GraphStyle };

    // page: the analysis window's page; over: the window shown over it. The estimator has started.
    Scene(int page, Over over)
    {
        windows_.NewProject(1);
        analysis::TFANFORM& window = windows_.Analysis();
        window.Show();
        for (int i = 0; i < page; ++i)
            window.CONTINUECLICK(&window);
        // Each as the analysis window opens it, but left open instead of run modally.
        switch (over) {
        case Over::Nothing:
            main_ = window.Handle();
            break;
        case Over::Overview:
            analysis::OverviewApp = 1;
            analysis::OverviewMethod = 1;
            windows_.Overview().Show();
            main_ = windows_.Overview().Handle();
            break;
        case Over::GraphStyle:
            windows_.GraphStyle().Show();
            main_ = windows_.GraphStyle().Handle();
            break;
        }
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
    using Over = Scene::Over;
    int page = 0;
    Over over = Over::Nothing;
    if (name == "overview")
        page = 2, over = Over::Overview;
    else if (name == "graph-style")
        page = 3, over = Over::GraphStyle;
    else if (name.size() == 10 && name.starts_with("analysis-") && name[9] >= '0' && name[9] <= '4')
        page = name[9] - '0';
    else
        return nullptr;
    tools::StartEstimator();
    return std::make_unique<Scene>(page, over);
}

}  // namespace screenshot
