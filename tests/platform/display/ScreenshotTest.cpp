// The screenshot tool, run as a user runs it: headless here, on a private Xvfb in OnScreenTest.

#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace displaytest {
namespace {

using testsupport::RunTool;
using testsupport::ScratchFolder;
using testsupport::ToolErrors;

testsupport::ToolResult Screenshot(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), RIVUVE_SCREENSHOT);
    return RunTool(arguments, {}, ToolErrors::Joined);
}

std::string Size(const std::string& png)
{
    return RunTool({"identify", "-format", "%wx%h", png}).output;
}

// Sets an environment variable (null: unsets it) for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(ScreenshotTest, TheLayeredSceneGivesEveryWindowAtItsSize)
{
    ScratchFolder folder;
    const auto run = Screenshot({"--scene", "layered", "--out", folder.Folder(), "--display", "headless"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // Top-level windows from the top down: the shadow, the half-transparent popup, the main window.
    EXPECT_EQ(Size(folder.Path("01-ScreenshotScene.png")), "200x16");
    EXPECT_EQ(Size(folder.Path("02-ScreenshotScene.png")), "120x80");
    EXPECT_EQ(Size(folder.Path("03-ScreenshotScene.png")), "320x200");
    EXPECT_EQ(Size(folder.Path("screen.png")), "320x216");
}

TEST(ScreenshotTest, RefusalsNameTheCauseAndWriteNothing)
{
    ScratchFolder folder;
    folder.WriteFile("bad.script", "click 10 10\nwait 5\nkey VK_NOSUCH\n");
    folder.WriteFile("coordinates.script", "click 10\n");
    folder.WriteFile("Unknown.form", "object Foo: TNoSuchWindow\n  Left = 1\nend\n");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* named;
    };
    const std::string out = folder.Path("out");
    const Case cases[] = {
        {{"--scene", "layered", "--script", folder.Path("bad.script"), "--out", out}, 1, "line 3"},
        {{"--scene", "layered", "--script", folder.Path("coordinates.script"), "--out", out}, 1, "line 1"},
        {{"--scene", "nosuch", "--out", out}, 1, "nosuch"},
        {{"--scene", "layered", "--settle", "soon", "--out", out}, 1, "soon"},
        {{"--scene", "layered", "--out", "/proc/no-folder-here"}, 1, "/proc/no-folder-here"},
        {{"--form", folder.Path("Unknown.form"), "--out", out}, 2, "TNoSuchWindow"},
        {{"--form", "NOSUCHFORM", "--out", out}, 2, "NOSUCHFORM"},
        {{"--scene", "layered", "--display", "vga"}, 1, "vga"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        if (std::find(arguments.begin(), arguments.end(), "--display") == arguments.end()) {
            arguments.insert(arguments.end(), {"--display", "headless"});
        }
        const auto run = Screenshot(arguments);
        EXPECT_EQ(run.exitCode, c.status) << run.output;
        EXPECT_NE(run.output.find(c.named), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(folder.Path("out/screen.png"))) << c.named;
    }
}

TEST(ScreenshotTest, AScreenThatCannotBeOpenedEndsWithStatusThree)
{
    ScratchFolder folder;
    ScopedEnvironment display("DISPLAY", ":9997");  // no server listens there
    const auto run = Screenshot({"--scene", "frames", "--out", folder.Folder(), "--display", "sdl"});
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_NE(run.output.find("DISPLAY=\":9997\""), std::string::npos) << run.output;
}

TEST(ScreenshotTest, TheDisplayIsChosenFromTheEnvironment)
{
    ScratchFolder folder;
    {
        ScopedEnvironment choice("RIVUVE_DISPLAY", nullptr);
        ScopedEnvironment display("DISPLAY", nullptr);
        const auto run = Screenshot({"--scene", "regions", "--out", folder.Folder()});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find("No X display (DISPLAY is not set): windows are not shown\n"), std::string::npos)
            << run.output;
    }
    {
        ScopedEnvironment choice("RIVUVE_DISPLAY", "framebuffer");
        const auto run = Screenshot({"--scene", "regions", "--out", folder.Folder()});
        EXPECT_EQ(run.exitCode, 3) << run.output;
        EXPECT_NE(run.output.find("\"framebuffer\": it must be \"headless\" or \"sdl\""), std::string::npos)
            << run.output;
    }
}

}  // namespace
}  // namespace displaytest
