// A tool that opens a project writes the options the project file sets to a registry of its own, never
// to the user's, unless RIVUVE_REGISTRY names the file; its own goes when the tool ends.

#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using testsupport::ScratchFolder;

// Runs program with the user's folders (configuration, temporary files) in home and the registry named
// by registry (empty: none named).
testsupport::ToolResult RunIn(const ScratchFolder& home, const std::string& registry,
                              const std::vector<std::string>& argv)
{
    std::filesystem::create_directories(home.Path("tmp"));
    std::vector<std::string> command{"env", "-u", "RIVUVE_REGISTRY", "XDG_CONFIG_HOME=" + home.Path("config"),
                                     "HOME=" + home.Folder(), "RIVUVE_TMPDIR=" + home.Path("tmp")};
    if (!registry.empty())
        command.push_back("RIVUVE_REGISTRY=" + registry);
    command.insert(command.end(), argv.begin(), argv.end());
    return testsupport::RunTool(command, {}, testsupport::ToolErrors::Joined);
}

bool EmptyOrMissing(const std::string& folder)
{
    namespace fs = std::filesystem;
    if (!fs::exists(folder))
        return true;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            return false;
    return true;
}

TEST(ToolRegistry, AnOpenedProjectLeavesTheUsersSettingsAndNoFileBehind)
{
    ScratchFolder home;
    const auto run = RunIn(home, "", {RIVUVE_ESTIMATE, RIVUVE_FIXTURES "/projects/pump-kw.kvx"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("project.PowerInKW 1"), std::string::npos) << "the project was read";
    EXPECT_TRUE(EmptyOrMissing(home.Path("config"))) << "the user's registry was written";
    EXPECT_TRUE(EmptyOrMissing(home.Path("tmp"))) << "the tool's own registry was left behind";
}

TEST(ToolRegistry, ANamedRegistryReceivesTheProjectsOptions)
{
    ScratchFolder home;
    const std::string registry = home.Path("named-registry");
    const auto run = RunIn(home, registry, {RIVUVE_ESTIMATE, RIVUVE_FIXTURES "/projects/pump-kw.kvx"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string stored = testsupport::ReadBytes(registry);
    EXPECT_NE(stored.find("[HKEY_CURRENT_USER\\SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP\\PROGRAM]\n\"PS\"=sz:\"1\""),
              std::string::npos)
        << stored;
}

}  // namespace
