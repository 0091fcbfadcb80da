// The analysis-window command as a developer runs it: its refusals with their exit statuses, a hostile
// or foreign project refused before anything of it is loaded, and, on a private Xvfb, the window the
// desktop sees, closed with Escape.

#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using testsupport::RunTool;
using testsupport::ScratchFolder;

// The tool without a screen, on the registry file registry.
testsupport::ToolResult Headless(const std::string& registry, const std::vector<std::string>& arguments)
{
    std::vector<std::string> command{"env", "RIVUVE_DISPLAY=headless", "RIVUVE_REGISTRY=" + registry,
                                     RIVUVE_ANALYSIS_WINDOW};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunTool(command, {}, testsupport::ToolErrors::Joined);
}

TEST(AnalysisWindowTool, ABadArgumentIsNamedAndEndsWithStatusOne)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* named;
    };
    const Case cases[] = {
        {{}, "give a project file or --new fan|pump"},
        {{"--new"}, "--new needs fan or pump"},
        {{"--new", "cooler"}, "\"cooler\""},
        {{"--verbose"}, "\"--verbose\""},
        {{"one.kvx", "two.kvx"}, "\"two.kvx\""},
        {{"--new", "fan", "--new", "pump"}, "\"--new pump\""},
        {{"--new", "pump", "one.kvx"}, "\"one.kvx\""},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        const auto run = Headless(folder.Path("registry"), c.arguments);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(run.output.find(c.named), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path("registry")));
}

// Each file is refused by the reader's check pass, which shows its message and stores nothing: the
// registry the live pass would write stays untouched.
TEST(AnalysisWindowTool, AProjectTheReaderRefusesEndsWithStatusTwoAndLoadsNothing)
{
    ScratchFolder folder;
    std::string huge(2 * 1024 * 1024, 'P');
    folder.WriteFile("huge.kvx", huge);
    folder.WriteFile("binary.kvx", std::string("\x00\xFF[APPLICATION]\r\n\x01\x02\x03", 21));
    std::string tower = testsupport::ReadBytes(RIVUVE_FIXTURES "/projects/default-fan.kvx");
    tower.replace(tower.find("\r\nFAN\r\n"), 7, "\r\nCOOLING TOWER\r\n");
    folder.WriteFile("tower.kvx", tower);
    struct Case {
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        {RIVUVE_FIXTURES "/projects/currency-mode-4.kvx",
         "Currency Mode Information is Missing! Unable to load this file."},
        {RIVUVE_FIXTURES "/projects/no-parameters.kvx", "Parameter Information is Missing! Unable to load this file."},
        {folder.Path("huge.kvx"), "huge.kvx"},
        {folder.Path("binary.kvx"), "binary.kvx"},
        {folder.Path("missing.kvx"), "missing.kvx"},
    };
    for (const Case& c : cases) {
        const auto run = Headless(folder.Path("registry"), {c.file});
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("was refused"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(folder.Path("registry"))) << c.file;
    }
    // A cooling tower project is read, but has no analysis window.
    const auto run = Headless(folder.Path("registry"), {folder.Path("tower.kvx")});
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("cooling tower"), std::string::npos) << run.output;
}

TEST(AnalysisWindowTool, WithoutAScreenTheWindowIsNotShownAndTheToolEndsWithStatusThree)
{
    ScratchFolder folder;
    const auto run = Headless(folder.Path("registry"), {"--new", "pump"});
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_NE(run.output.find("no screen"), std::string::npos) << run.output;
}

class AnalysisWindowOnScreen : public testing::Test {
protected:
    void SetUp() override
    {
        if (!server_.SkipReason().empty())
            GTEST_SKIP() << server_.SkipReason();
        if (!testsupport::FindProgram("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
    }

    // The X window whose title is title, waiting up to 20 s for it while the tool runs.
    static std::string WindowTitled(const std::string& title, testsupport::Background& tool)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < end && !tool.Exited()) {
            const std::string found = RunTool({"xdotool", "search", "--name", "^" + title + "$"}).output;
            if (!found.empty())
                return found.substr(0, found.find('\n'));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return {};
    }

    // Waits up to 10 s for the tool to end; its exit status, or -1 when it still runs.
    static int Ending(testsupport::Background& tool)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            if (tool.Exited())
                return tool.ExitStatus();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    testsupport::XvfbServer server_;
};

TEST_F(AnalysisWindowOnScreen, ANewFanProjectShowsItsWindowAndEscapeEndsTheTool)
{
    ScratchFolder folder;
    testsupport::Background tool({"env", "RIVUVE_DISPLAY=sdl", "RIVUVE_REGISTRY=" + folder.Path("registry"),
                                  RIVUVE_ANALYSIS_WINDOW, "--new", "fan"});
    ASSERT_TRUE(tool.Started());
    const std::string id =
        WindowTitled("Pellawinsbry Rivuve Savings Estimator, Active Project: Fan Application", tool);
    ASSERT_FALSE(id.empty()) << "no window of the analysis window's caption";
    ASSERT_EQ(RunTool({"xdotool", "windowfocus", "--sync", id}).exitCode, 0);
    ASSERT_EQ(RunTool({"xdotool", "key", "Escape"}).exitCode, 0);
    EXPECT_EQ(Ending(tool), 0);
}

}  // namespace
