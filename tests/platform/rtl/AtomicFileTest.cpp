#include "platform/rtl/AtomicFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Every way the library saves a whole file, each given the same text to write.
struct Saver {
    const char* name;
    std::function<void(const std::string& path, const std::string& text)> save;
};

const Saver kSavers[] = {
    {"WriteFileAtomically", [](const std::string& path, const std::string& text) {
         rtl::WriteFileAtomically(path, text);
     }},
    {"TStrings::SaveToFile", [](const std::string& path, const std::string& text) {
         rtl::TStringList list;
         list.SetText(text);
         list.SaveToFile(path);
     }},
    {"TMemoryStream::SaveToFile", [](const std::string& path, const std::string& text) {
         rtl::TMemoryStream stream;
         stream.WriteBuffer(text.data(), std::int64_t(text.size()));
         stream.SaveToFile(path);
     }},
};

void PrintTo(const Saver& saver, std::ostream* os)
{
    *os << saver.name;
}

class AtomicFile : public testing::TestWithParam<Saver> {
protected:
    testsupport::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.Folder();

    size_t EntryCount() const { return scratch_.EntryCount(); }
};

TEST_P(AtomicFile, ReplacesContentAndKeepsPermissions)
{
    const std::string path = (folder_ / "out.txt").string();
    std::ofstream(path) << "old\r\n";
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    GetParam().save(path, "one\r\ntwo\r\n");
    EXPECT_EQ(testsupport::ReadBytes(path), "one\r\ntwo\r\n");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntryCount(), 1u);
}

// A write cut off half way (at a file size limit, which binds every user, root too) leaves the old file
// whole and no temporary file behind.
TEST_P(AtomicFile, FailedWriteKeepsOldFile)
{
    const std::string path = (folder_ / "out.txt").string();
    std::ofstream(path) << "old\r\n";
    bool raised = false;
    try {
        testsupport::FileSizeLimit limit(1024);
        GetParam().save(path, std::string(8192, 'x') + "\r\n");
    } catch (const rtl::EFCreateError& e) {
        raised = true;
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(testsupport::ReadBytes(path), "old\r\n");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_P(AtomicFile, MissingFolderOrFolderTargetFails)
{
    EXPECT_THROW(GetParam().save((folder_ / "missing" / "out.txt").string(), "x"), rtl::EFCreateError);
    fs::create_directory(folder_ / "dir");
    EXPECT_THROW(GetParam().save((folder_ / "dir").string(), "x"), rtl::EFCreateError);
    EXPECT_TRUE(fs::is_directory(folder_ / "dir"));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_P(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem)
{
    // A link to a link in another folder, a relative one, and one whose file does not exist yet.
    fs::create_directory(folder_ / "real");
    std::ofstream(folder_ / "real" / "data.txt") << "old";
    ASSERT_EQ(chmod((folder_ / "real" / "data.txt").c_str(), 0604), 0);
    fs::create_symlink("real/data.txt", folder_ / "relative");
    fs::create_symlink(folder_ / "relative", folder_ / "chain");
    fs::create_symlink("real/new.txt", folder_ / "dangling");

    GetParam().save((folder_ / "chain").string(), "through the chain\r\n");
    EXPECT_EQ(testsupport::ReadBytes((folder_ / "real" / "data.txt").string()), "through the chain\r\n");
    EXPECT_TRUE(fs::is_symlink(folder_ / "chain"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "relative"));
    struct stat st {};
    ASSERT_EQ(stat((folder_ / "real" / "data.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);

    GetParam().save((folder_ / "dangling").string(), "made\r\n");
    EXPECT_TRUE(fs::is_symlink(folder_ / "dangling"));
    EXPECT_EQ(testsupport::ReadBytes((folder_ / "real" / "new.txt").string()), "made\r\n");
    // Nothing but the files and links: the temporaries went into the real file's folder and are gone.
    EXPECT_EQ(EntryCount(), 4u);
    EXPECT_EQ(size_t(std::distance(fs::directory_iterator(folder_ / "real"), {})), 2u);

    // A cycle of links is refused and changes nothing.
    fs::create_symlink("loop-b", folder_ / "loop-a");
    fs::create_symlink("loop-a", folder_ / "loop-b");
    EXPECT_THROW(GetParam().save((folder_ / "loop-a").string(), "x"), rtl::EFCreateError);
    EXPECT_TRUE(fs::is_symlink(folder_ / "loop-a"));
}

// The temporary file's name does not grow with the target's, so the longest name a folder takes saves.
TEST_P(AtomicFile, LongestNamesSave)
{
    for (size_t length : {240, 250, 255}) {
        const std::string path = (folder_ / std::string(length, 'n')).string();
        GetParam().save(path, "long\r\n");
        EXPECT_EQ(testsupport::ReadBytes(path), "long\r\n") << length;
        fs::remove(path);
    }
    EXPECT_EQ(EntryCount(), 0u);
}

// A temporary file that a killed writer left is removed by the next save into its folder once it is a
// minute old; a younger one may be a save going on, and other names are never touched.
TEST_P(AtomicFile, LeftoversOfKilledWritersAreSwept)
{
    const auto aged = [&](const char* name, int seconds) {
        std::ofstream(folder_ / name) << "left";
        const timespec times[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
        EXPECT_EQ(utimensat(AT_FDCWD, (folder_ / name).c_str(), times, 0), 0);
    };
    aged(".~rv0a1b2c3d.tmp", 120);
    aged(".~rvzzzzzzzz.tmp", 61);
    aged(".~rv12345678.tmp", 5);
    aged(".~rvABCDEFGH.tmp", 120);
    aged("notes.~rv01234567.tmp", 120);
    GetParam().save((folder_ / "out.txt").string(), "new\r\n");
    EXPECT_FALSE(fs::exists(folder_ / ".~rv0a1b2c3d.tmp"));
    EXPECT_FALSE(fs::exists(folder_ / ".~rvzzzzzzzz.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / ".~rv12345678.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / ".~rvABCDEFGH.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / "notes.~rv01234567.tmp"));
    EXPECT_EQ(EntryCount(), 4u);
}

// A FIFO or a device under the name is not replaced by a regular file.
TEST_P(AtomicFile, OtherThanRegularFilesAreRefused)
{
    ASSERT_EQ(mkfifo((folder_ / "pipe").c_str(), 0600), 0);
    try {
        GetParam().save((folder_ / "pipe").string(), "x");
        ADD_FAILURE() << "saved";
    } catch (const rtl::EFCreateError& e) {
        EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(fs::is_fifo(folder_ / "pipe"));
    EXPECT_EQ(EntryCount(), 1u);
}

// The process may give a file away only with the system's privilege; without it the owner cannot be
// kept, and that is no failure of the save.
TEST_P(AtomicFile, KeepsTheOwnerWherePermitted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a privileged process can keep another user's ownership";
    const std::string path = (folder_ / "theirs.txt").string();
    std::ofstream(path) << "old";
    ASSERT_EQ(::chown(path.c_str(), 1234, 2345), 0);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    GetParam().save(path, "new\r\n");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 2345u);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

INSTANTIATE_TEST_SUITE_P(Savers, AtomicFile, testing::ValuesIn(kSavers),
                         [](const testing::TestParamInfo<Saver>& info) {
                             std::string name = info.param.name;
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

TEST(AtomicFileTemporaries, OnlyTheOwnPatternCounts)
{
    struct Case {
        const char* entry;
        bool temporary;
    };
    const Case cases[] = {
        {".~rv0a1b2c3d.tmp", true},
        {".~rvzzzzzzzz.tmp", true},
        {".~rv0A1B2C3D.tmp", false},
        {".~rv0a1b2c3.tmp", false},
        {".~rv0a1b2c3d4.tmp", false},
        {".~rv0a1b-c3d.tmp", false},
        {"registry.~123-0.tmp", false},
        {".~rv0a1b2c3d.tmp.bak", false},
        {"x.~rv0a1b2c3d.tmp", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::IsAtomicWriteTemporary(c.entry), c.temporary) << c.entry;
}

TEST(AtomicFileOptions, ForcedModeAndHookBeforeReplace)
{
    testsupport::ScratchFolder scratch;
    const std::string path = scratch.Path("secret");
    testsupport::WriteBytes(path, "old");
    std::string seenDuringHook;
    rtl::WriteSystemFileAtomically(path, "new", {.mode = 0600, .beforeReplace = [&] {
                                                     seenDuringHook = testsupport::ReadBytes(path);
                                                 }});
    EXPECT_EQ(seenDuringHook, "old");
    EXPECT_EQ(testsupport::ReadBytes(path), "new");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_THROW(rtl::WriteSystemFileAtomically(scratch.Path("no/such/folder"), "x"), rtl::EOSError);
}

TEST(StringListFiles, LoadReadsWhatSaveWrote)
{
    testsupport::ScratchFolder scratch;
    const std::string path = scratch.Path("list.txt");
    rtl::TStringList out;
    out.SetCommaText("a,\"b c\",,d");
    out.SaveToFile(path);
    rtl::TStringList in;
    in.LoadFromFile(path);
    EXPECT_TRUE(in.Equals(out));
    EXPECT_THROW(in.LoadFromFile(scratch.Path("missing.txt")), rtl::EFOpenError);
}

}  // namespace
