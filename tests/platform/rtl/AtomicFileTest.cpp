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
#include <sys/stat.h>

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

INSTANTIATE_TEST_SUITE_P(Savers, AtomicFile, testing::ValuesIn(kSavers),
                         [](const testing::TestParamInfo<Saver>& info) {
                             std::string name = info.param.name;
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

TEST(AtomicFileLeftovers, OnlyTemporariesOfThatFileCount)
{
    struct Case {
        const char* entry;
        bool leftover;
    };
    const Case cases[] = {
        {"registry.~123-0.tmp", true},
        {"registry", false},
        {"registry.lock", false},
        {"registry.~.tmp", false},
        {"registry2.~123-0.tmp", false},
        {"other.~123-0.tmp", false},
        {"registry.~123-0.tmp.bak", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::IsAtomicWriteLeftover("/home/u/.config/rivuve/registry", c.entry), c.leftover) << c.entry;
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
