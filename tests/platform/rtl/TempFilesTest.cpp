#include "platform/rtl/TempFiles.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/UsingCodePage.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Points the temporary folder at a fresh folder of the test's own.
class TempBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* value = std::getenv("RIVUVE_TMPDIR"))
            previous_ = value;
        std::string pattern = (std::filesystem::temp_directory_path() / "tempfiles-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        base_ = pattern;
        ::setenv("RIVUVE_TMPDIR", base_.c_str(), 1);
        expected_ = base_ + "/rivuve-" + std::to_string(::geteuid()) + "/";
    }
    void TearDown() override
    {
        if (previous_)
            ::setenv("RIVUVE_TMPDIR", previous_->c_str(), 1);
        else
            ::unsetenv("RIVUVE_TMPDIR");
        std::filesystem::remove_all(base_);
    }

    std::optional<std::string> previous_;
    std::string base_;
    std::string expected_;
};

mode_t ModeOf(const std::string& name)
{
    struct stat st;
    return ::lstat(name.c_str(), &st) == 0 ? st.st_mode : 0;
}

TEST_F(TempBase, PrivateFolderIsCreatedClosedToOthers)
{
    const mode_t oldMask = ::umask(0777);
    const std::string folder = rtl::PrivateTempFolder();
    ::umask(oldMask);
    EXPECT_EQ(folder, expected_);
    EXPECT_TRUE(S_ISDIR(ModeOf(folder)));
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
    EXPECT_EQ(rtl::PrivateTempFolder(), folder);
}

TEST_F(TempBase, UnsafeExistingFolderIsRefused)
{
    const std::string folder = rtl::ExcludeTrailingPathDelimiter(expected_);
    const std::string elsewhere = base_ + "/elsewhere";
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    std::vector<Case> cases = {
        {"open to the group", [&] { ::mkdir(folder.c_str(), 0750); ::chmod(folder.c_str(), 0750); }},
        {"open to everyone", [&] { ::mkdir(folder.c_str(), 0777); ::chmod(folder.c_str(), 01777); }},
        {"a link to a private folder",
         [&] {
             ::mkdir(elsewhere.c_str(), 0700);
             std::filesystem::create_directory_symlink(elsewhere, folder);
         }},
        {"a plain file", [&] { ::close(::open(folder.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600)); }},
    };
    if (::geteuid() == 0)
        cases.push_back({"another user's", [&] {
                             ::mkdir(folder.c_str(), 0700);
                             ASSERT_EQ(::chown(folder.c_str(), 54321, 54321), 0);
                         }});
    for (const Case& c : cases) {
        c.make();
        EXPECT_THROW(rtl::PrivateTempFolder(), rtl::EOSError) << c.what;
        EXPECT_THROW(rtl::CreateTempFileName("x"), rtl::EOSError) << c.what;
        EXPECT_TRUE(!std::filesystem::exists(elsewhere) || std::filesystem::is_empty(elsewhere)) << c.what;
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(elsewhere);
    }
}

TEST_F(TempBase, RefusalNamesTheFolderAndTheReason)
{
    ::mkdir(rtl::ExcludeTrailingPathDelimiter(expected_).c_str(), 0755);
    try {
        rtl::PrivateTempFolder();
        FAIL();
    } catch (const rtl::EOSError& e) {
        EXPECT_EQ(e.Message(), "The temporary folder \"" + expected_ + "\" cannot be used: other users can access it");
    }
}

// The environment arrives in UTF-8: a folder with letters beyond ASCII works wherever the code page holds
// them, and one it cannot hold, or one that cannot be made, is refused with a message saying why.
TEST_F(TempBase, FoldersBeyondAsciiAndFoldersThatCannotBeMade)
{
    const testsupport::UsingCodePage westernEuropean(1252);
    const std::string osBase = base_ + "/caf\xc3\xa9";
    ASSERT_EQ(::mkdir(osBase.c_str(), 0700), 0);
    ::setenv("RIVUVE_TMPDIR", osBase.c_str(), 1);
    const std::string folder = rtl::PrivateTempFolder();
    EXPECT_EQ(folder, base_ + "/caf\xe9/rivuve-" + std::to_string(::geteuid()) + "/");
    EXPECT_TRUE(std::filesystem::is_directory(osBase + "/rivuve-" + std::to_string(::geteuid())));
    const std::string file = rtl::CreateTempFileName("x");
    EXPECT_TRUE(rtl::FileExists(file)) << file;

    {
        const testsupport::UsingCodePage cyrillic(1251);
        try {
            rtl::PrivateTempFolder();
            ADD_FAILURE() << "a name the code page cannot hold was taken";
        } catch (const rtl::EEncodingError& e) {
            EXPECT_TRUE(e.Message().starts_with("The temporary folder named by RIVUVE_TMPDIR cannot be used. The name \"" +
                                                base_ + "/caf?\" cannot be used:"))
                << e.Message();
        }
    }

    ::setenv("RIVUVE_TMPDIR", (base_ + "/missing").c_str(), 1);
    try {
        rtl::PrivateTempFolder();
        ADD_FAILURE() << "a folder in a missing one was taken";
    } catch (const rtl::EOSError& e) {
        EXPECT_EQ(e.Message(), "The temporary folder \"" + base_ + "/missing/rivuve-" + std::to_string(::geteuid()) +
                                   "/\" cannot be used: No such file or directory");
    }
}

TEST_F(TempBase, TemporaryFilesAreNewEmptyAndPrivate)
{
    const std::string first = rtl::CreateTempFileName("pic");
    const std::string second = rtl::CreateTempFileName("pic");
    EXPECT_NE(first, second);
    for (const std::string& name : {first, second}) {
        EXPECT_EQ(rtl::ExtractFilePath(name), expected_);
        EXPECT_EQ(rtl::ExtractFileName(name).rfind("pic", 0), 0u) << name;
        EXPECT_EQ(rtl::FileSize(name), 0);
        EXPECT_EQ(ModeOf(name) & 0777, 0600u);
    }

    const std::string inFolder = rtl::CreateTempFileName("own", base_ + "\\");
    EXPECT_EQ(rtl::ExtractFilePath(inFolder), base_ + "\\");
    EXPECT_TRUE(rtl::FileExists(inFolder));

    EXPECT_THROW(rtl::CreateTempFileName("sub/x"), rtl::EInvalidArgument);
    EXPECT_THROW(rtl::CreateTempFileName("x", base_ + "/missing/"), rtl::EOSError);
}

}  // namespace
