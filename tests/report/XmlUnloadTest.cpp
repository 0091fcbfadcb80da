#include "report/rptXML.h"

#include "tests/report/XmlSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using report::TrptInvalidXMLException;
using report::TrptXMLDocument;
using report::TrptXMLItem;
using report_test::Load;
using report_test::Saved;
using report_test::Tree;

using report_test::kXmlHeader;

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Pages that are unloaded live in one temporary file in TempDir; loading brings them back, saving writes
// them whole, clearing deletes the file.
TEST(XmlUnload, UnloadedItemsLiveInOneTemporaryFile)
{
    testsupport::ScratchFolder folder;
    TrptXMLDocument document;
    document.SetTempDir(folder.Folder());
    Load(document, kXmlHeader + "<r><page n=\"1\"><m a=\"x\"/><m a=\"y\"/></page><page n=\"2\"><m a=\"z\"/></page></r>");
    const std::string whole = Saved(document);
    for (int i = 0; i < 2; ++i) {
        TrptXMLItem& page = document.Root().Items(i);
        page.SetUnloadable(true);
        document.UnloadItem(page);
        EXPECT_FALSE(page.Loaded());
        EXPECT_EQ(page.Count(), 0);
    }
    const std::vector<std::string> files = FilesIn(folder.Folder());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(files[0].starts_with("fr"));
    EXPECT_EQ(document.TempFileName(), folder.Path(files[0]));
    EXPECT_EQ(Tree(document.Root()), "r[]{page[n=\"1\"] page[n=\"2\"]}");

    // Saving reads the pages back for the writing and leaves them unloaded.
    EXPECT_EQ(Saved(document), kXmlHeader + "<r><page n=\"1\" ld=\"0\"><m a=\"x\"/><m a=\"y\"/></page>"
                                         "<page n=\"2\" ld=\"0\"><m a=\"z\"/></page></r>");
    EXPECT_FALSE(document.Root().Items(1).Loaded());

    document.LoadItem(document.Root().Items(1));
    EXPECT_EQ(Tree(document.Root()), "r[]{page[n=\"1\"] page[n=\"2\"]{m[a=\"z\"]}}");
    EXPECT_TRUE(document.Root().Items(1).Loaded());
    document.LoadItem(document.Root().Items(0));
    for (int i = 0; i < 2; ++i)
        document.Root().Items(i).SetUnloadable(false);
    EXPECT_EQ(Saved(document), whole);

    document.Clear();
    EXPECT_TRUE(FilesIn(folder.Folder()).empty());
    EXPECT_EQ(document.TempFileName(), "");
}

// A long folder name is used whole; a folder that does not exist falls back to the program's.
TEST(XmlUnload, TempDirIsUsedWholeOrNotAtAll)
{
    testsupport::ScratchFolder folder;
    const std::string deep = folder.Path(std::string(70, 'd') + "/" + std::string(70, 'e') + "/");
    std::filesystem::create_directories(deep);
    TrptXMLDocument document;
    document.SetTempDir(deep);
    Load(document, kXmlHeader + "<r><p><c/></p></r>");
    document.Root().Items(0).SetUnloadable(true);
    document.UnloadItem(document.Root().Items(0));
    EXPECT_EQ(FilesIn(deep).size(), 1u);
    EXPECT_TRUE(document.TempFileName().starts_with(deep));

    TrptXMLDocument elsewhere;
    elsewhere.SetTempDir(folder.Path("missing"));
    Load(elsewhere, kXmlHeader + "<r><p><c/></p></r>");
    elsewhere.Root().Items(0).SetUnloadable(true);
    elsewhere.UnloadItem(elsewhere.Root().Items(0));
    EXPECT_FALSE(elsewhere.TempFileName().starts_with(folder.Folder()));
    const std::string name = elsewhere.TempFileName();
    EXPECT_TRUE(std::filesystem::exists(name));
    elsewhere.Clear();
    EXPECT_FALSE(std::filesystem::exists(name));
}

// A partial read leaves the children of marked items in the stream until they are asked for; unloading
// afterwards never writes into that stream.
TEST(XmlUnload, PartialReadLoadsMarkedItemsOnDemand)
{
    const std::string text = kXmlHeader + "<r><page n=\"1\" ld=\"0\"><m a=\"x\"><i/></m></page>"
                                       "<!-- between --><page n=\"2\" ld=\"0\"><m a=\"y\"/></page><end/></r>";
    auto stream = std::make_unique<rtl::TStringStream>(text);
    const rtl::TStringStream* source = stream.get();
    TrptXMLDocument document;
    document.LoadPartially(std::move(stream));
    EXPECT_EQ(Tree(document.Root()), "r[]{page[n=\"1\"] page[n=\"2\"] end[]}");
    document.LoadItem(document.Root().Items(1));
    EXPECT_EQ(Tree(document.Root()), "r[]{page[n=\"1\"] page[n=\"2\"]{m[a=\"y\"]} end[]}");

    document.UnloadItem(document.Root().Items(1));
    EXPECT_EQ(source->DataString(), text);
    EXPECT_FALSE(document.TempFileName().empty());
    document.LoadItem(document.Root().Items(0));
    document.LoadItem(document.Root().Items(1));
    EXPECT_EQ(Tree(document.Root()), "r[]{page[n=\"1\"]{m[a=\"x\"]{i[]}} page[n=\"2\"]{m[a=\"y\"]} end[]}");
    const std::string temp = document.TempFileName();
    document.Clear();
    EXPECT_FALSE(std::filesystem::exists(temp));
}

// Stored data that turns out damaged when it is loaded raises and leaves the item unloaded.
TEST(XmlUnload, DamagedStoreLeavesTheItemUnloaded)
{
    const std::string text = kXmlHeader + "<r><page ld=\"0\"><m/></page></r>";
    auto stream = std::make_unique<rtl::TStringStream>(text);
    rtl::TStringStream* source = stream.get();
    TrptXMLDocument document;
    document.LoadPartially(std::move(stream));
    TrptXMLItem& page = document.Root().Items(0);
    source->SetPosition(std::int64_t(text.find("<m/>")));
    source->WriteString("<m<");
    EXPECT_THROW(document.LoadItem(page), TrptInvalidXMLException);
    EXPECT_FALSE(page.Loaded());
    EXPECT_EQ(page.Count(), 0);
    EXPECT_THROW(Saved(document), TrptInvalidXMLException);
}

}  // namespace
