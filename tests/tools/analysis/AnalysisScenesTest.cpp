// The screenshot tool's analysis scenes: each writes its window at the window's outer size, the frame of
// a dialog around its designed client area, in more than the few colours of an empty window; headless,
// and on a private Xvfb as a desktop shows it.

#include "platform/gdi/Gdi.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/NonClient.h"
#include "platform/win/Win.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testsupport::RunTool;
using testsupport::ScratchFolder;

// The outer size of a dialog-framed window (the analysis windows' border style) around a client area.
std::string DialogSize(int clientWidth, int clientHeight)
{
    rtl::initialize();
    win::services::initialize();
    win::gdi::initialize();
    win::text::initialize();
    win::initialize();
    win::RECT rect{0, 0, clientWidth, clientHeight};
    win::AdjustWindowRectEx(&rect, win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU, false,
                            win::WS_EX_DLGMODALFRAME | win::WS_EX_WINDOWEDGE);
    win::finalize();
    win::text::finalize();
    win::gdi::finalize();
    win::services::finalize();
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

// The picture of the window on top: the first the tool wrote.
std::string TopWindowPicture(const std::string& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("01-"))
            return entry.path().string();
    return {};
}

void CheckScenes(const std::string& display)
{
    const std::string analysisSize = DialogSize(1000, 700);
    const std::string overviewSize = DialogSize(665, 396);
    const std::string chooserSize = DialogSize(360, 283);
    const std::pair<const char*, std::string> scenes[] = {
        {"analysis-0", analysisSize}, {"analysis-1", analysisSize}, {"analysis-2", analysisSize},
        {"analysis-3", analysisSize}, {"analysis-4", analysisSize}, {"overview", overviewSize},
        {"graph-style", chooserSize},
    };
    for (const auto& [scene, size] : scenes) {
        SCOPED_TRACE(scene);
        ScratchFolder folder;
        const auto run = RunTool({"env", "RIVUVE_REGISTRY=" + folder.Path("registry"), RIVUVE_SCREENSHOT, "--scene",
                                  scene, "--out", folder.Path("out"), "--display", display},
                                 {}, testsupport::ToolErrors::Joined);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const std::string picture = TopWindowPicture(folder.Path("out"));
        ASSERT_FALSE(picture.empty());
        const auto identified = RunTool({"identify", "-format", "%m %wx%h %k", picture});
        ASSERT_EQ(identified.exitCode, 0);
        const std::string expected = "PNG " + size + " ";
        ASSERT_EQ(identified.output.substr(0, expected.size()), expected) << identified.output;
        EXPECT_GT(std::stoi(identified.output.substr(expected.size())), 16) << identified.output;
    }
}

TEST(AnalysisScenes, HeadlessEachSceneIsItsWindowAtItsSize)
{
    CheckScenes("headless");
}

TEST(AnalysisScenes, OnAScreenEachSceneIsItsWindowAtItsSize)
{
    testsupport::XvfbServer server;
    if (!server.SkipReason().empty())
        GTEST_SKIP() << server.SkipReason();
    CheckScenes("sdl");
}

}  // namespace
