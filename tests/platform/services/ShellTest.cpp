#include "platform/services/Shell.h"

#include "tests/platform/services/DesktopFixture.h"

#include <gtest/gtest.h>

namespace {

using desktoptest::Argv;
using desktoptest::Call;

int Open(const std::string& file, const char* dir = nullptr, const char* verb = "open")
{
    return int(win::HandleValue(win::ShellExecute(nullptr, verb, file.c_str(), "", dir, 1)));
}

// What is opened, and what never reaches the desktop's opener.
TEST(ShellOpen, OpensOnlyWebAddressesDocumentsAndFolders)
{
    testsupport::ScratchFolder scratch;
    scratch.WriteFile("doc.txt", "text");
    std::filesystem::create_directory(scratch.Path("sub"));
    desktoptest::AddProgram(scratch, "run.sh");
    scratch.WriteFile("app.desktop", "[Desktop Entry]\nExec=rm -rf /\n");
    const std::string folder = scratch.Folder();
    std::string backslashed = scratch.Path("doc.txt");
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');

    struct Case {
        std::string file;
        const char* dir;
        const char* verb;
        int answer;
        std::optional<std::string> opened;  // xdg-open's argument, when it is run
    };
    const std::string url = "https://example.com/find?a=1&b=2";
    const Case cases[] = {
        {url, nullptr, "open", 42, url},
        {url, nullptr, "", 42, url},
        {url, nullptr, nullptr, 42, url},
        {"MAILTO:a@b.example", nullptr, "open", 42, "MAILTO:a@b.example"},
        {"ftp://example.com/x", nullptr, "OPEN", 42, "ftp://example.com/x"},
        {url, nullptr, "print", 31, std::nullopt},
        {"javascript:x", nullptr, "open", 31, std::nullopt},
        {"file:///etc/passwd", nullptr, "open", 31, std::nullopt},
        {"-x", nullptr, "open", 31, std::nullopt},
        {"http://a\nb", nullptr, "open", 31, std::nullopt},
        {"", nullptr, "open", 2, std::nullopt},
        {scratch.Path("missing.txt"), nullptr, "open", 2, std::nullopt},
        {scratch.Path("doc.txt"), nullptr, "open", 42, scratch.Path("doc.txt")},
        {backslashed, nullptr, "open", 42, scratch.Path("doc.txt")},
        {"doc.txt", folder.c_str(), "open", 42, scratch.Path("doc.txt")},
        {"sub\\..\\doc.txt", folder.c_str(), "open", 42, scratch.Path("doc.txt")},
        {scratch.Path("sub"), nullptr, "open", 42, scratch.Path("sub")},
        {scratch.Path("run.sh"), nullptr, "open", 31, std::nullopt},
        {"app.desktop", folder.c_str(), "open", 31, std::nullopt},
    };
    for (const Case& c : cases) {
        desktoptest::Recording recording;
        EXPECT_EQ(Open(c.file, c.dir, c.verb), c.answer) << c.file;
        std::vector<Call> expected;
        if (c.opened)
            expected.push_back({Call::Run, {"xdg-open", *c.opened}});
        EXPECT_EQ(recording.launcher.Calls(), expected) << c.file;
    }
}

// The opener's end decides the answer: it may still run because it became the program showing the page.
TEST(ShellOpen, AnswerFollowsHowTheOpenerEnded)
{
    struct Case {
        win::RunResult run;
        int answer;
    };
    const Case cases[] = {
        {{win::RunResult::Exited, 0}, 42},
        {{win::RunResult::StillRunning, 0}, 42},
        {{win::RunResult::Exited, 2}, 2},
        {{win::RunResult::Exited, 4}, 31},
        {{win::RunResult::Exited, 3}, 31},
        {{win::RunResult::Signalled, 9}, 31},
        {{win::RunResult::NotStarted, 0}, 31},
    };
    for (const Case& c : cases) {
        desktoptest::Recording recording;
        recording.launcher.Answer(c.run);
        EXPECT_EQ(Open("http://example.com/"), c.answer) << c.run.kind << " " << c.run.code;
    }
}

TEST(ShellOpen, CalculatorIsTheFirstInstalledOne)
{
    struct Case {
        std::vector<std::string> installed;
        std::string started;  // empty: none
    };
    const Case cases[] = {
        {{"kcalc", "xcalc"}, "kcalc"},
        {{"xcalc", "galculator"}, "galculator"},
        {{"mate-calc", "gnome-calculator"}, "gnome-calculator"},
        {{"xcalc"}, "xcalc"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        testsupport::ScratchFolder bin;
        for (const std::string& name : c.installed)
            desktoptest::AddProgram(bin, name);
        desktoptest::ScopedPath path(bin.Folder());
        desktoptest::Recording recording;
        EXPECT_EQ(Open("Calc.EXE"), c.started.empty() ? 2 : 42);
        std::vector<Call> expected;
        if (!c.started.empty())
            expected.push_back({Call::Start, {c.started}});
        EXPECT_EQ(recording.launcher.Calls(), expected) << (c.installed.empty() ? "" : c.installed[0]);
    }
}

}  // namespace
