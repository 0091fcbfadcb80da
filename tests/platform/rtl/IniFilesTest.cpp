#include "platform/rtl/IniFiles.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Lines.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

using testsupport::LinesOf;

class IniFiles : public testing::Test {
protected:
    testsupport::ScratchFolder scratch_;
    const std::string dir_ = rtl::ExcludeTrailingPathDelimiter(scratch_.Folder());

    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    static std::string Bytes(const std::string& path) { return testsupport::ReadBytes(path); }
    static void Put(const std::string& path, const std::string& bytes) { testsupport::WriteBytes(path, bytes); }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(IniFiles, WritesExactBytesAndReadsThemBack)
{
    const std::string path = Path("small.ini");
    {
        rtl::TMemIniFile ini(path);
        ini.WriteString("Main", "Name", "value");
        ini.WriteInteger("Main", "Count", -42);
        ini.WriteBool("Other", "On", true);
        ini.WriteString("Main", "Expr", "a=b");
        ini.WriteString("Main", "name", "changed");
        EXPECT_FALSE(std::filesystem::exists(path));
        ini.UpdateFile();
    }
    EXPECT_EQ(Bytes(path), "[Main]\r\nName=changed\r\nCount=-42\r\nExpr=a=b\r\n\r\n[Other]\r\nOn=1\r\n\r\n");
    EXPECT_EQ(std::vector<std::string>{"small.ini"}, FolderEntries());

    rtl::TMemIniFile back(path);
    EXPECT_EQ(back.ReadString("MAIN", "NAME", "?"), "changed");
    EXPECT_EQ(back.ReadString("main", "expr", "?"), "a=b");
    EXPECT_EQ(back.ReadInteger("Main", "Count", 0), -42);
    EXPECT_TRUE(back.ReadBool("other", "on", false));
    EXPECT_EQ(back.ReadString("Main", "Missing", "dflt"), "dflt");
    EXPECT_EQ(back.ReadString("Nowhere", "Name", "dflt"), "dflt");
}

TEST_F(IniFiles, ReadingTrimsNamesKeepsCommentsAndQuotes)
{
    const std::string path = Path("read.ini");
    Put(path,
        "; header comment\n"
        "[ Section ]\n"
        "  key one  =  \"quoted value\"  \n"
        "; inner comment\n"
        "\n"
        "stray line\n"
        "empty=\n"
        "[Second]\r\n"
        "k=v\r\n"
        "[section]\n"
        "late=1\n");
    rtl::TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("section", "KEY ONE", ""), "\"quoted value\"");
    EXPECT_EQ(ini.ReadString("Section", "empty", "dflt"), "");
    EXPECT_EQ(ini.ReadString("Section", "late", ""), "1");
    EXPECT_EQ(ini.ReadString("Section", "stray line", "dflt"), "dflt");

    rtl::TStringList list;
    list.Add("old");
    ini.ReadSection("SECTION", list);
    EXPECT_EQ(LinesOf(list), (Lines{"key one", "empty", "late"}));
    ini.ReadSectionValues("Section", list);
    EXPECT_EQ(LinesOf(list), (Lines{"key one=\"quoted value\"", "empty=", "late=1"}));
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{"Section", "Second"}));

    ini.WriteString("Second", "k", "w");
    ini.UpdateFile();
    EXPECT_EQ(Bytes(path),
              "; header comment\r\n"
              "[Section]\r\n"
              "key one=\"quoted value\"\r\n"
              "; inner comment\r\n"
              "stray line\r\n"
              "empty=\r\n"
              "late=1\r\n"
              "\r\n"
              "[Second]\r\n"
              "k=w\r\n"
              "\r\n");
}

TEST_F(IniFiles, NumbersAndBooleans)
{
    const struct {
        const char* text;
        int integer;
        bool boolean;
    } cases[] = {
        {"17", 17, true},
        {"-5", -5, true},
        {"+3", 3, true},
        {"0", 0, false},
        {"$1F", 31, true},
        {"0x1F", 31, true},
        {"0X1f", 31, true},
        {"$FFFFFFFF", -1, true},
        {"2147483647", 2147483647, true},
        {"-2147483648", int(-2147483647 - 1), true},
        // Not numbers: the defaults, 99 and true.
        {"", 99, true},
        {"12a", 99, true},
        {"2147483648", 99, true},
        {"$100000000", 99, true},
        {"0x", 99, true},
        {"1.5", 99, true},
        {"yes", 99, true},
    };
    rtl::TMemIniFile ini(Path("numbers.ini"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ini.WriteString("N", "v", c.text);
        EXPECT_EQ(ini.ReadInteger("N", "v", 99), c.integer);
        EXPECT_EQ(ini.ReadBool("N", "v", true), c.boolean);
        EXPECT_EQ(ini.ReadBool("N", "v", false), c.integer == 99 ? false : c.boolean);
    }
    ini.WriteBool("N", "b", false);
    EXPECT_EQ(ini.ReadString("N", "b", ""), "0");
}

TEST_F(IniFiles, EraseDeleteAndExistence)
{
    const std::string path = Path("erase.ini");
    Put(path, "[A]\nx=1\ny=2\n[B]\nz=3\n[Empty]\n; only a comment\n");
    rtl::TMemIniFile ini(path);
    EXPECT_TRUE(ini.SectionExists("a"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_TRUE(ini.ValueExists("A", "Y"));
    EXPECT_FALSE(ini.ValueExists("A", "z"));

    ini.DeleteKey("a", "X");
    ini.DeleteKey("Nowhere", "x");
    ini.EraseSection("b");
    ini.EraseSection("Nowhere");
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_FALSE(ini.SectionExists("B"));
    ini.UpdateFile();
    EXPECT_EQ(Bytes(path), "[A]\r\ny=2\r\n\r\n[Empty]\r\n; only a comment\r\n\r\n");
}

TEST_F(IniFiles, StringsInterface)
{
    rtl::TMemIniFile ini("");
    rtl::TStringList lines;
    lines.SetText("[S]\r\na = 1\r\n");
    ini.SetStrings(lines);
    EXPECT_EQ(ini.ReadString("s", "A", ""), "1");
    rtl::TStringList out;
    ini.GetStrings(out);
    EXPECT_EQ(LinesOf(out), (Lines{"[S]", "a=1", ""}));
    ini.Clear();
    ini.ReadSections(out);
    EXPECT_EQ(out.Count(), 0);
    // A model without a file cannot be saved; saying so beats writing somewhere unexpected.
    EXPECT_THROW(ini.UpdateFile(), rtl::EFCreateError);
}

TEST_F(IniFiles, IniFileWritesThroughAtOnce)
{
    const std::string path = Path("through.ini");
    rtl::TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", "none"), "none");
    ini.WriteString("S", "k", "v");
    EXPECT_EQ(Bytes(path), "[S]\r\nk=v\r\n\r\n");

    // Another writer's change is seen by the next read.
    Put(path, "[S]\nk=other\nj=2\n");
    EXPECT_EQ(ini.ReadString("s", "K", ""), "other");
    ini.DeleteKey("S", "k");
    EXPECT_EQ(Bytes(path), "[S]\r\nj=2\r\n\r\n");
    ini.EraseSection("S");
    EXPECT_EQ(Bytes(path), "");
    EXPECT_EQ(std::vector<std::string>{"through.ini"}, FolderEntries());
}

// Every write reads the file again under a lock, so writers in two processes keep each other's keys.
TEST_F(IniFiles, TwoProcessesWritingAtOnceKeepEverything)
{
    constexpr int keys = 300;
    const std::string path = Path("shared.ini");
    std::vector<pid_t> children;
    for (const char* name : {"first", "second"}) {
        const pid_t child = ::fork();
        if (child == 0) {
            int status = 0;
            try {
                rtl::TIniFile ini(path);
                for (int i = 0; i < keys; ++i)
                    ini.WriteInteger("Race", name + std::to_string(i), i);
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    rtl::TIniFile ini(path);
    rtl::TStringList names;
    ini.ReadSection("Race", names);
    EXPECT_EQ(names.Count(), 2 * keys);
    for (const char* name : {"first", "second"})
        for (int i = 0; i < keys; i += 37)
            EXPECT_EQ(ini.ReadInteger("Race", name + std::to_string(i), -1), i);
    EXPECT_EQ(std::vector<std::string>{"shared.ini"}, FolderEntries());
}

// A copy of the program that holds the lock and does not let go (a stopped one) delays a write by two
// seconds of the program's clock, after which the write fails and the file is as it was.
TEST_F(IniFiles, HeldLockDelaysAWriteByTwoSeconds)
{
    const std::string path = Path("locked.ini");
    rtl::TIniFile ini(path);
    ini.WriteString("S", "k", "before");
    const int holder = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    rtl::VirtualClock clock;
    {
        rtl::ScopedClock scope(clock);
        try {
            ini.WriteString("S", "k", "during");
            ADD_FAILURE() << "written under another's lock";
        } catch (const rtl::EFCreateError& e) {
            EXPECT_NE(e.Message().find("Another copy of the program keeps its folder locked."), std::string::npos)
                << e.Message();
        }
        EXPECT_EQ(clock.TickCount64(), rtl::kFileLockTimeout);
    }
    EXPECT_EQ(ini.ReadString("S", "k", ""), "before");
    ::close(holder);
    ini.WriteString("S", "k", "after");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "after");
}

TEST_F(IniFiles, OtherThanRegularFilesAreRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(Path("pipe.ini").c_str(), 0600), 0);
    EXPECT_THROW(rtl::TMemIniFile memory(Path("pipe.ini")), rtl::EFOpenError);
    rtl::TIniFile direct(Path("pipe.ini"));
    try {
        direct.ReadString("S", "k", "");
        ADD_FAILURE() << "read";
    } catch (const rtl::EFOpenError& e) {
        EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(direct.WriteString("S", "k", "v"), rtl::EFOpenError);
}

TEST_F(IniFiles, BackslashesSeparateFolders)
{
    std::filesystem::create_directory(Path("sub"));
    rtl::TIniFile ini(dir_ + "\\sub\\win.ini");
    ini.WriteInteger("S", "n", 5);
    EXPECT_EQ(Bytes(Path("sub/win.ini")), "[S]\r\nn=5\r\n\r\n");
}

TEST_F(IniFiles, UnstorableEntriesAreRefused)
{
    const std::string path = Path("refuse.ini");
    const struct {
        const char* section;
        const char* ident;
        const char* value;
    } cases[] = {
        {"S", "k", "line\r\nbreak"}, {"S", "k", "cr\ronly"}, {"S\n", "k", "v"}, {"S", "k=j", "v"},
        {"S", ";k", "v"},           {"S", " [k", "v]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ident);
        rtl::TIniFile direct(path);
        rtl::TMemIniFile memory(path);
        EXPECT_THROW(direct.WriteString(c.section, c.ident, c.value), rtl::EInvalidArgument);
        EXPECT_THROW(memory.WriteString(c.section, c.ident, c.value), rtl::EInvalidArgument);
        EXPECT_FALSE(std::filesystem::exists(path));
        rtl::TStringList sections;
        memory.ReadSections(sections);
        EXPECT_EQ(sections.Count(), 0);
    }
}

TEST_F(IniFiles, MissingFolderFailsClearly)
{
    const std::string path = Path("no/such/folder.ini");
    rtl::TMemIniFile ini(path);
    ini.WriteString("S", "k", "v");
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const rtl::EFCreateError& e) {
        EXPECT_NE(e.Message().find("Cannot create file \"" + path + "\""), std::string::npos) << e.Message();
    }
    rtl::TIniFile direct(path);
    EXPECT_THROW(direct.WriteString("S", "k", "v"), rtl::EFCreateError);
}

TEST_F(IniFiles, UnreadableFileIsNotTakenForEmpty)
{
    std::filesystem::create_directory(Path("folder.ini"));
    EXPECT_THROW(rtl::TMemIniFile ini(Path("folder.ini")), rtl::EFOpenError);
    rtl::TIniFile direct(Path("folder.ini"));
    EXPECT_THROW(direct.WriteString("S", "k", "v"), rtl::EFOpenError);
}

TEST_F(IniFiles, ReadOnlyFolderKeepsOldFile)
{
    const std::string path = Path("keep.ini");
    const std::string old = "[S]\r\nk=old\r\n\r\n";
    Put(path, old);
    chmod(dir_.c_str(), 0555);
    if (access(dir_.c_str(), W_OK) == 0)
        GTEST_SKIP() << "folder permissions do not bind this user";
    rtl::TMemIniFile ini(path);
    ini.WriteString("S", "k", "new");
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const rtl::EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.Message();
    }
    rtl::TIniFile direct(path);
    EXPECT_THROW(direct.WriteString("S", "k", "new"), rtl::EFCreateError);
    EXPECT_EQ(Bytes(path), old);
}

// A write that stops half way (here at a file size limit, which binds every user) leaves the old file
// whole and no temporary file behind.
TEST_F(IniFiles, FailedWriteKeepsOldFile)
{
    const std::string path = Path("limit.ini");
    const std::string old = "[S]\r\nk=old\r\n\r\n";
    Put(path, old);
    rtl::TMemIniFile ini(path);
    ini.WriteString("S", "k", std::string(4096, 'x'));

    bool raised = false;
    try {
        testsupport::FileSizeLimit limit(1024);
        ini.UpdateFile();
    } catch (const rtl::EFCreateError& e) {
        raised = true;
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(std::vector<std::string>{"limit.ini"}, FolderEntries());
}

TEST_F(IniFiles, RewriteKeepsPermissions)
{
    const std::string path = Path("mode.ini");
    Put(path, "[S]\nk=1\n");
    chmod(path.c_str(), 0604);
    rtl::TIniFile ini(path);
    ini.WriteString("S", "k", "2");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
}

}  // namespace
