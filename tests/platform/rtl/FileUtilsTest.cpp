#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exceptions.h"

#include "tests/support/ScratchFolder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(FileNames, PartsOfNames)
{
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"", "", "", "", ""},
        {"/", "/", "/", "", ""},
        {"a.txt", "", "", "a.txt", ".txt"},
        {"/usr/lib/a.txt", "/usr/lib/", "/usr/lib", "a.txt", ".txt"},
        {"c:\\data\\x.kvx", "c:\\data\\", "c:\\data", "x.kvx", ".kvx"},
        {"..\\a\\b.txt", "..\\a\\", "..\\a", "b.txt", ".txt"},
        {"dir.v2/name", "dir.v2/", "dir.v2", "name", ""},
        {"dir.v2\\name", "dir.v2\\", "dir.v2", "name", ""},
        {"dir/", "dir/", "dir", "", ""},
        {"/a", "/", "/", "a", ""},
        {"\\a", "\\", "\\", "a", ""},
        {"a//b", "a//", "a//", "b", ""},
        {"a.tar.gz", "", "", "a.tar.gz", ".gz"},
        {"name.", "", "", "name.", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtl::ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(rtl::ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(rtl::ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(rtl::ExtractFileExt(c.name), c.ext) << c.name;
    }
}

TEST(FileNames, ChangeFileExt)
{
    struct Case {
        const char* name;
        const char* ext;
        const char* result;
    };
    const Case cases[] = {
        {"a.txt", ".kvx", "a.kvx"},         {"a", ".kvx", "a.kvx"},
        {"dir.v2/name", ".txt", "dir.v2/name.txt"}, {"dir.v2\\name", ".txt", "dir.v2\\name.txt"},
        {"a.b.c", "", "a.b"},               {"", ".txt", ".txt"},
        {"x/y.old", ".new", "x/y.new"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::ChangeFileExt(c.name, c.ext), c.result) << c.name;
}

TEST(FileNames, TrailingDelimiters)
{
    struct Case {
        const char* name;
        const char* included;
        const char* excluded;
    };
    const Case cases[] = {
        {"", "/", ""}, {"a", "a/", "a"}, {"a/", "a/", "a"}, {"a\\", "a\\", "a"}, {"/", "/", ""}, {"a//", "a//", "a/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtl::IncludeTrailingPathDelimiter(c.name), c.included) << c.name;
        EXPECT_EQ(rtl::IncludeTrailingBackslash(c.name), c.included) << c.name;
        EXPECT_EQ(rtl::ExcludeTrailingPathDelimiter(c.name), c.excluded) << c.name;
        EXPECT_EQ(rtl::ExcludeTrailingBackslash(c.name), c.excluded) << c.name;
    }
}

TEST(FileNames, ComparisonAndExtensions)
{
    EXPECT_TRUE(rtl::SameFileName("a/b.txt", "a\\b.txt"));
    EXPECT_FALSE(rtl::SameFileName("a/B.txt", "a/b.txt"));
    EXPECT_LT(rtl::AnsiCompareFileName("a/b", "a/c"), 0);
    EXPECT_GT(rtl::AnsiCompareFileName("a\\c", "a/b"), 0);

    EXPECT_TRUE(rtl::SameFileExt("project.KVX", ".kvx"));
    EXPECT_TRUE(rtl::SameFileExt("dir\\project.kvx", ".Kvx"));
    EXPECT_FALSE(rtl::SameFileExt("project.kvx.bak", ".kvx"));
    EXPECT_FALSE(rtl::SameFileExt("kvx", ".kvx"));
    EXPECT_FALSE(rtl::SameFileExt("a.kvx/file", ".kvx"));
}

TEST(FileNames, NullCharactersAreRefused)
{
    EXPECT_THROW(rtl::FileExists(std::string("a.txt\0.bak", 10)), rtl::EInvalidArgument);
}

class Scratch : public ::testing::Test {
protected:
    testsupport::ScratchFolder scratch_;
    const std::string folder_ = scratch_.Folder();

    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    void WriteFile(const std::string& name, const std::string& content) const { scratch_.WriteFile(name, content); }
    std::string ReadFile(const std::string& name) const { return scratch_.ReadFile(name); }
};

TEST_F(Scratch, ExpandFileNameResolvesAgainstTheCurrentFolder)
{
    std::filesystem::create_directories(Path("work/here"));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(Path("work/here"));
    struct Case {
        std::string name;
        std::string expanded;
    };
    const Case cases[] = {
        {"", ""},
        {"a.txt", Path("work/here/a.txt")},
        {".", Path("work/here")},
        {"./", Path("work/here/")},
        {"a/b/../c.txt", Path("work/here/a/c.txt")},
        {"..\\a\\b.txt", Path("work/a/b.txt")},
        {"sub\\", Path("work/here/sub/")},
        {"/x/./y/..", "/x"},
        {"/x//y/", "/x/y/"},
        {"/../..", "/"},
        {"\\", "/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::ExpandFileName(c.name), c.expanded) << c.name;
    std::filesystem::current_path(previous);
}

TEST_F(Scratch, FilesAndFolders)
{
    WriteFile("file.txt", "12345");
    EXPECT_TRUE(rtl::FileExists(Path("file.txt")));
    EXPECT_FALSE(rtl::FileExists(Path("missing")));
    EXPECT_FALSE(rtl::FileExists(folder_));
    EXPECT_TRUE(rtl::DirectoryExists(folder_));
    EXPECT_FALSE(rtl::DirectoryExists(Path("file.txt")));
    EXPECT_EQ(rtl::FileSize(Path("file.txt")), 5);
    EXPECT_EQ(rtl::FileSize(Path("missing")), -1);
    EXPECT_EQ(rtl::FileSize(folder_), -1);

    EXPECT_TRUE(rtl::ForceDirectories(folder_ + "a\\b/c\\"));
    EXPECT_TRUE(rtl::DirectoryExists(Path("a/b/c")));
    EXPECT_TRUE(rtl::ForceDirectories(Path("a/b")));
    EXPECT_FALSE(rtl::ForceDirectories(Path("file.txt/sub")));
    EXPECT_FALSE(rtl::ForceDirectories(""));

    EXPECT_FALSE(rtl::CreateDir(Path("a")));
    EXPECT_TRUE(rtl::CreateDir(Path("d")));
    EXPECT_FALSE(rtl::RemoveDir(Path("a")));
    EXPECT_FALSE(rtl::DeleteFile(Path("d")));
    EXPECT_TRUE(rtl::RemoveDir(Path("d")));
    EXPECT_TRUE(rtl::DeleteFile(Path("file.txt")));
    EXPECT_FALSE(rtl::DeleteFile(Path("file.txt")));
}

TEST_F(Scratch, RenameFileNeverReplacesATarget)
{
    WriteFile("old", "old content");
    WriteFile("taken", "taken content");
    EXPECT_FALSE(rtl::RenameFile(Path("old"), Path("taken")));
    EXPECT_EQ(ReadFile("old"), "old content");
    EXPECT_EQ(ReadFile("taken"), "taken content");

    EXPECT_TRUE(rtl::RenameFile(Path("old"), folder_ + "new"));
    EXPECT_EQ(ReadFile("new"), "old content");
    EXPECT_FALSE(rtl::FileExists(Path("old")));
    EXPECT_FALSE(rtl::RenameFile(Path("old"), Path("other")));
}

TEST_F(Scratch, FileDatesAreLocalDateTimes)
{
    WriteFile("dated", "x");
    // 2023-03-15 12:34:56.500 local time: 45000 days after 1899-12-30 plus the time of day.
    const double dateTime = 45000 + (12 * 3600 + 34 * 60 + 56.5) / 86400;
    ASSERT_EQ(rtl::FileSetDate(Path("dated"), dateTime), 0);

    tm local{};
    local.tm_year = 2023 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_min = 34;
    local.tm_sec = 56;
    local.tm_isdst = -1;
    struct stat st;
    ASSERT_EQ(::stat(Path("dated").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, ::mktime(&local));
    EXPECT_EQ(st.st_mtim.tv_nsec, 500'000'000);

    EXPECT_NEAR(rtl::FileAge(Path("dated")), dateTime, 1e-9);
    EXPECT_EQ(rtl::FileAge(Path("missing")), -1);
    EXPECT_EQ(rtl::FileSetDate(Path("missing"), dateTime), ENOENT);
    EXPECT_EQ(rtl::FileSetDate(Path("dated"), NAN), EINVAL);
}

class FindFiles : public Scratch {
protected:
    void SetUp() override
    {
        Scratch::SetUp();
        for (const char* name : {"a.txt", "B.TXT", "noext", ".hidden", "c.txt.bak", "ro.txt", "ab.dat"})
            WriteFile(name, name);
        std::filesystem::create_directory(Path("sub"));
        std::filesystem::create_directory(Path("sub.d"));
        ::chmod(Path("ro.txt").c_str(), 0444);
    }

    std::vector<std::string> Found(const std::string& path, int attr, int* firstResult = nullptr)
    {
        std::vector<std::string> names;
        rtl::TSearchRec rec;
        const int result = rtl::FindFirst(path, attr, rec);
        if (firstResult)
            *firstResult = result;
        for (int r = result; r == 0; r = rtl::FindNext(rec))
            names.push_back(rec.Name);
        rtl::FindClose(rec);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FindFiles, MasksAndAttributes)
{
    using Names = std::vector<std::string>;
    struct Case {
        std::string mask;
        int attr;
        Names names;
    };
    const Case cases[] = {
        {"*.txt", 0, {"B.TXT", "a.txt", "ro.txt"}},
        {"*.TXT", rtl::faAnyFile & ~rtl::faDirectory, {"B.TXT", "a.txt", "ro.txt"}},
        {"?.txt", 0, {"B.TXT", "a.txt"}},
        {"*.*", 0, {"B.TXT", "a.txt", "ab.dat", "c.txt.bak", "noext", "ro.txt"}},
        {"a*.*", 0, {"a.txt", "ab.dat"}},
        {"*", rtl::faHidden, {".hidden", "B.TXT", "a.txt", "ab.dat", "c.txt.bak", "noext", "ro.txt"}},
        {"*.d", rtl::faDirectory, {"sub.d"}},
        {"*", rtl::faDirectory,
         {".", "..", "B.TXT", "a.txt", "ab.dat", "c.txt.bak", "noext", "ro.txt", "sub", "sub.d"}},
        {"*t", 0, {"B.TXT", "a.txt", "ab.dat", "noext", "ro.txt"}},
        {"noext", 0, {"noext"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Found(Path(c.mask), c.attr), c.names) << c.mask;
        EXPECT_EQ(Found(rtl::ExcludeTrailingPathDelimiter(folder_) + "\\" + c.mask, c.attr), c.names) << c.mask;
    }
}

TEST_F(FindFiles, SearchRecordDescribesTheEntry)
{
    struct Case {
        std::string name;
        int attr;
        std::int64_t size;
    };
    const Case cases[] = {
        {"a.txt", rtl::faArchive, 5},
        {"ro.txt", rtl::faArchive | rtl::faReadOnly, 6},
        {".hidden", rtl::faArchive | rtl::faHidden, 7},
        {"sub", rtl::faDirectory, 0},
    };
    for (const Case& c : cases) {
        rtl::TSearchRec rec;
        ASSERT_EQ(rtl::FindFirst(Path(c.name), rtl::faAnyFile, rec), 0) << c.name;
        EXPECT_EQ(rec.Name, c.name);
        EXPECT_EQ(rec.Attr, c.attr) << c.name;
        EXPECT_EQ(rec.Size, c.size) << c.name;
        EXPECT_NEAR(rec.Time, rtl::FileAge(Path(c.name)), 1e-9) << c.name;
        EXPECT_EQ(rtl::FindNext(rec), ENOENT);
    }
}

TEST_F(FindFiles, NothingFound)
{
    int result = 0;
    EXPECT_TRUE(Found(Path("zzz*"), rtl::faAnyFile, &result).empty());
    EXPECT_EQ(result, ENOENT);
    EXPECT_TRUE(Found(Path("missing/*.*"), rtl::faAnyFile, &result).empty());
    EXPECT_EQ(result, ENOENT);
    EXPECT_TRUE(Found(Path("a.txt/*"), rtl::faAnyFile, &result).empty());
    EXPECT_EQ(result, ENOTDIR);
}

TEST_F(FindFiles, NamesOutsideTheAnsiCodePageAreSkipped)
{
    // U+4E2D is in none of the 125x code pages.
    WriteFile("\xE4\xB8\xAD.txt", "wide");
    EXPECT_EQ(Found(Path("*.txt"), 0), (std::vector<std::string>{"B.TXT", "a.txt", "ro.txt"}));
}

TEST(ProgramFiles, ProgramFolderHoldsTheProgram)
{
    const std::string folder = rtl::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(rtl::DirectoryExists(folder));
    EXPECT_EQ(rtl::ExtractFilePath(rtl::ProgramFileName()), folder);
    EXPECT_TRUE(rtl::FileExists(rtl::ProgramFileName()));
}

}  // namespace
