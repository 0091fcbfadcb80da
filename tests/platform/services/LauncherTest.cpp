#include "platform/services/Launcher.h"

#include "platform/services/Modules.h"
#include "platform/services/Services.h"
#include "tests/platform/services/DesktopFixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SystemLauncher, RunGivesTheProgramsEnd)
{
    win::SystemLauncher launcher;
    struct Case {
        std::vector<std::string> argv;
        win::RunResult::Kind kind;
        int code;
    };
    const Case cases[] = {
        {{"/bin/true"}, win::RunResult::Exited, 0},
        {{"/bin/false"}, win::RunResult::Exited, 1},
        {{"true"}, win::RunResult::Exited, 0},
        {{"/bin/sh", "-c", "exit 7"}, win::RunResult::Exited, 7},
        {{"/bin/sh", "-c", "kill -TERM $$"}, win::RunResult::Signalled, 15},
        {{"no-such-program-anywhere"}, win::RunResult::NotStarted, 0},
        {{}, win::RunResult::NotStarted, 0},
    };
    for (const Case& c : cases) {
        const win::RunResult result = launcher.Run(c.argv, 30s);
        EXPECT_EQ(result.kind, c.kind) << (c.argv.empty() ? "" : c.argv.back());
        EXPECT_EQ(result.code, c.code) << (c.argv.empty() ? "" : c.argv.back());
    }
    EXPECT_EQ(launcher.Run({"/bin/sleep", "5"}, 0ms).kind, win::RunResult::StillRunning);
    EXPECT_TRUE(launcher.Start({"/bin/true"}));
    EXPECT_FALSE(launcher.Start({"no-such-program-anywhere"}));
}

// The program reads nothing of ours and inherits none of our open files: its input is empty and a
// descriptor we hold open (without close-on-exec) is closed in it. Arguments reach it unchanged.
TEST(SystemLauncher, ProgramGetsNoInputNoDescriptorsAndExactArguments)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string held = std::to_string(pipeEnds[1]);
    win::SystemLauncher launcher;
    const std::string script = "if read line; then exit 3; fi; "
                               "if [ -e /proc/self/fd/" + held + " ]; then exit 4; fi; "
                               "[ \"$1\" = 'a b;$(x)&' ] || exit 5; exit 0";
    const win::RunResult result = launcher.Run({"/bin/sh", "-c", script, "sh", "a b;$(x)&"}, 30s);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    EXPECT_EQ(result.kind, win::RunResult::Exited);
    EXPECT_EQ(result.code, 0);
}

TEST(SystemLauncher, FindsProgramsOnlyInThePathsFolders)
{
    testsupport::ScratchFolder bin;
    desktoptest::AddProgram(bin, "tool");
    bin.WriteFile("plain", "not executable");
    desktoptest::ScopedPath path("relative:" + bin.Folder());
    win::SystemLauncher launcher;
    EXPECT_EQ(launcher.FindProgram("tool"), bin.Folder() + "/tool");
    EXPECT_EQ(launcher.FindProgram("plain"), "");
    EXPECT_EQ(launcher.FindProgram("sh"), "");
    EXPECT_EQ(launcher.FindProgram(bin.Path("tool")), bin.Path("tool"));
}

// The help and mail libraries are there exactly while their programs are installed.
TEST(SystemLauncher, DesktopLibrariesLoadWhileTheirProgramsAreInstalled)
{
    testsupport::ScratchFolder bin;
    desktoptest::ScopedPath path(bin.Folder());
    win::services::initialize();
    EXPECT_EQ(win::LoadLibrary("HHCTRL.OCX"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(win::LoadLibrary("MAPI32.DLL"), nullptr);

    desktoptest::AddProgram(bin, "xdg-open");
    win::HMODULE help = win::LoadLibrary("hhctrl.ocx");
    ASSERT_NE(help, nullptr);
    EXPECT_NE(win::GetProcAddress(help, "HtmlHelpA"), nullptr);
    EXPECT_EQ(win::LoadLibrary("MAPI32.DLL"), nullptr);
    desktoptest::AddProgram(bin, "xdg-email");
    win::HMODULE mail = win::LoadLibrary("MAPI32.DLL");
    ASSERT_NE(mail, nullptr);
    EXPECT_NE(win::GetProcAddress(mail, "MAPISendMail"), nullptr);
    win::FreeLibrary(help);
    win::FreeLibrary(mail);
    win::services::finalize();
}

}  // namespace
