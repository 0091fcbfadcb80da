// What the open and save dialogs make of filters, folders and typed names, on a scratch folder.

#include "platform/gui/dialogs/detail/FileChooser.h"

#include "tests/support/ScratchFolder.h"
#include "tests/support/UsingCodePage.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using gui::detail::FileChooser;
using Kind = FileChooser::Choice::Kind;

TEST(FileFilter, PairsWithoutAPatternAreDropped)
{
    struct Case {
        std::string filter;
        std::vector<std::pair<std::string, std::vector<std::string>>> parts;
    };
    const Case cases[] = {
        {"Projects (*.KVX)|*.KVX", {{"Projects (*.KVX)", {"*.KVX"}}}},
        {"Pictures|*.png;*.bmp; *.jpg|All|*.*", {{"Pictures", {"*.png", "*.bmp", "*.jpg"}}, {"All", {"*.*"}}}},
        {"Nothing||Text|*.txt", {{"Text", {"*.txt"}}}},
        {"Dangling", {}},
        {"", {}},
        {"A|*.a|B", {{"A", {"*.a"}}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::vector<std::string>>> parts;
        for (const gui::detail::FilterPart& part : gui::detail::ParseFilter(c.filter))
            parts.emplace_back(part.description, part.patterns);
        EXPECT_EQ(parts, c.parts) << c.filter;
    }
}

class FileChooserTest : public ::testing::Test {
protected:
    FileChooserTest()
    {
        for (const char* name : {"a.KVX", "b.kvx", "c.txt", ".x.KVX"})
            scratch.WriteFile(name, "x");
        scratch.WriteFile("\xD0\xB6.kvx", "x");  // a Cyrillic letter: not in code page 1252
        std::filesystem::create_directory(scratch.Path("p"));
        scratch.WriteFile("p/inner.kvx", "x");
    }

    static std::vector<std::string> Names(const FileChooser& chooser)
    {
        std::vector<std::string> names;
        for (const gui::detail::FolderEntry& entry : chooser.Entries())
            names.push_back(entry.name + (entry.folder ? "/" : ""));
        return names;
    }

    testsupport::UsingCodePage codePage{1252};
    testsupport::ScratchFolder scratch;
};

TEST_F(FileChooserTest, ListsFoldersThenMatchingFilesWithoutHiddenOnes)
{
    FileChooser chooser({});
    chooser.SetPatterns({"*.KVX"});
    ASSERT_EQ(chooser.SetFolder(scratch.Folder()), "");
    const std::vector<std::string> names = Names(chooser);
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], "p/");
    const std::vector<std::string> files(names.begin() + 1, names.end());
    EXPECT_LT(std::find(files.begin(), files.end(), "a.KVX"), std::find(files.begin(), files.end(), "b.kvx"));
    EXPECT_NE(std::find(files.begin(), files.end(), "?.kvx"), files.end()) << "the unusable name shows with '?'";
    for (const gui::detail::FolderEntry& entry : chooser.Entries())
        EXPECT_EQ(entry.usable, entry.name != "?.kvx") << entry.name;
}

TEST_F(FileChooserTest, TypedNamesChooseFilesEnterFoldersOrChangeThePattern)
{
    const std::string root = scratch.Folder();
    std::string longName(300, 'n');
    struct Case {
        FileChooser::Options options;
        std::string typed;
        Kind kind;
        std::string path;     // File: the full name; Folder: the folder
        std::string message;  // Refused
        std::string folderAfter;
    };
    const FileChooser::Options open{false, true, true, "KVX"};
    const FileChooser::Options save{true, false, false, "KVX"};
    const FileChooser::Options openAnywhere{false, false, false, "KVX"};
    // Names whose path, with the default extension added, has the longest length allowed and one more.
    const std::string longest(gui::detail::kMaxPath - root.size() - 4, 'n');
    const std::string tooLong = longest + "n";
    const std::string nul = "A file name cannot hold a NUL character.";
    const Case cases[] = {
        {open, "a.KVX", Kind::File, root + "a.KVX", "", root},
        {open, "A", Kind::Refused, "", "A.KVX\nFile not found.\nPlease verify the correct file name was given.", root},
        {save, "new", Kind::File, root + "new.KVX", "", root},
        {save, "p\\inner.kvx", Kind::File, root + "p/inner.kvx", "", root},
        {open, "p", Kind::Folder, root + "p/", "", root + "p/"},
        {open, root + "p", Kind::Folder, root + "p/", "", root + "p/"},
        {open, "p/..", Kind::Folder, root, "", root},
        {open, "*.txt", Kind::Pattern, "", "", root},
        {save, "missing/x.kvx", Kind::Refused, "",
         root + "missing\nPath does not exist.\nPlease verify the correct path was given.", root},
        {open, "?.kvx", Kind::Refused, "", "\"?.kvx\"\nThis name holds characters that cannot be used here.", root},
        {save, longName, Kind::Refused, "", "The path is too long.", root},
        {save, longest, Kind::File, root + longest + ".KVX", "", root},
        {save, tooLong, Kind::Refused, "", "The path is too long.", root},
        {open, longest, Kind::Refused, "", longest + ".KVX\nFile not found.\nPlease verify the correct file name was given.",
         root},
        {open, tooLong, Kind::Refused, "", "The path is too long.", root},
        {save, std::string("a\0b", 3), Kind::Refused, "", nul, root},
        {open, std::string("a.KVX\0", 6), Kind::Refused, "", nul, root},
        // Without "path must exist" an open window may name a folder that is not there.
        {openAnywhere, "missing/x", Kind::File, root + "missing/x.KVX", "", root},
        {open, "", Kind::Refused, "", "", root},
        {open, std::string(" \0\x01 ", 4), Kind::Refused, "", "", root},   // nothing once trimmed
    };
    for (const Case& c : cases) {
        FileChooser chooser(c.options);
        chooser.SetPatterns({"*.KVX"});
        ASSERT_EQ(chooser.SetFolder(root), "");
        const FileChooser::Choice choice = chooser.Choose(c.typed);
        EXPECT_EQ(choice.kind, c.kind) << c.typed;
        EXPECT_EQ(choice.path, c.path) << c.typed;
        EXPECT_EQ(choice.message, c.message) << c.typed;
        EXPECT_EQ(chooser.Folder(), c.folderAfter) << c.typed;
    }
}

TEST_F(FileChooserTest, APatternListsWhatItMatches)
{
    FileChooser chooser({});
    chooser.SetPatterns({"*.KVX"});
    ASSERT_EQ(chooser.SetFolder(scratch.Folder()), "");
    EXPECT_EQ(chooser.Choose("*.TXT").kind, Kind::Pattern);
    EXPECT_EQ(Names(chooser), (std::vector<std::string>{"p/", "c.txt"}));
    EXPECT_EQ(chooser.Choose("p\\*.*").kind, Kind::Pattern);
    EXPECT_EQ(chooser.Folder(), scratch.Path("p/"));
    EXPECT_EQ(Names(chooser), (std::vector<std::string>{"inner.kvx"}));
    EXPECT_TRUE(chooser.Up());
    EXPECT_EQ(chooser.Folder(), scratch.Folder());
}

// The system's reason shows and the folder shown before stays.
TEST_F(FileChooserTest, AFolderThatCannotBeReadKeepsTheCurrentOne)
{
    FileChooser chooser({});
    ASSERT_EQ(chooser.SetFolder(scratch.Folder()), "");
    const std::vector<std::string> before = Names(chooser);
    EXPECT_EQ(chooser.SetFolder("c.txt"), scratch.Path("c.txt/") + "\nNot a directory");
    EXPECT_EQ(chooser.Folder(), scratch.Folder());
    EXPECT_EQ(Names(chooser), before);
    if (::geteuid() == 0)
        return;  // permissions do not bind the superuser
    std::filesystem::create_directory(scratch.Path("locked"));
    ::chmod(scratch.Path("locked").c_str(), 0);
    const std::string error = chooser.SetFolder("locked");
    ::chmod(scratch.Path("locked").c_str(), 0755);
    EXPECT_EQ(error, scratch.Path("locked/") + "\nPermission denied");
    EXPECT_EQ(chooser.Folder(), scratch.Folder());
}

TEST_F(FileChooserTest, FolderChainRunsFromTheRoot)
{
    FileChooser chooser({});
    ASSERT_EQ(chooser.SetFolder(scratch.Path("p")), "");
    const std::vector<std::string> chain = chooser.FolderChain();
    ASSERT_GE(chain.size(), 2u);
    EXPECT_EQ(chain.front(), "/");
    EXPECT_NE(std::find(chain.begin(), chain.end(), scratch.Folder()), chain.end());
    EXPECT_NE(std::find(chain.begin(), chain.end(), scratch.Path("p/")), chain.end());
}

}  // namespace
