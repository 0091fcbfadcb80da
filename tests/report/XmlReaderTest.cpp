#include "report/rptXML.h"

#include "tests/report/XmlSupport.h"

#include <gtest/gtest.h>

namespace {

using report::TrptInvalidXMLException;
using report::TrptXMLDocument;
using report::TrptXMLItem;
using report_test::Load;
using report_test::Tree;

using report_test::kXmlHeader;

TEST(XmlReader, SkipsCommentsTextAndByteOrderMark)
{
    TrptXMLDocument document;
    Load(document, "\xEF\xBB\xBF" + kXmlHeader + "\r\n<!-- a comment > with <markup> -- inside -->"
                   "<Root A=\"1\">text between<!---->\r\n  <Child B=\"2\"/>more text<Other></OTHER></root>");
    EXPECT_EQ(Tree(document.Root()), "Root[A=\"1\"]{Child[B=\"2\"] Other[]}");
    EXPECT_EQ(document.Root().Prop("a"), "1");
    EXPECT_EQ(document.Root().Items(0).Prop("B"), "2");
}

// The reader ends a tag at its first ">"; the rest of such a value is text and is skipped.
TEST(XmlReader, TagEndsAtTheFirstGreaterThan)
{
    TrptXMLDocument document;
    Load(document, kXmlHeader + "<r><a v=\"1>2\"></a></r>");
    EXPECT_EQ(Tree(document.Root()), "r[]{a[v=\"1]}");
}

// Slashes that close an empty element leave its name, however many there are; one leaves its attributes.
TEST(XmlReader, EmptyElementForms)
{
    TrptXMLDocument document;
    Load(document, kXmlHeader + "<r><a/><b x=\"1\"/><c//><d/ y=\"2\"/><e z=\"3\"//></r>");
    EXPECT_EQ(Tree(document.Root()), "r[]{a[] b[x=\"1\"] c[] d[y=\"2\"] e[z=\"3\"/]}");
    TrptXMLDocument again;
    Load(again, report_test::Saved(document));
    EXPECT_EQ(Tree(again.Root()), Tree(document.Root()));
}

TEST(XmlReader, ReadsAttributesOnlyAfterABlank)
{
    TrptXMLDocument document;
    Load(document, kXmlHeader + "<r a=\"1\"b=\"2\" c=\"&#60;&#34;&#62;\" d=\"open/>");
    const TrptXMLItem& root = document.Root();
    EXPECT_EQ(root.Prop("a"), "1");
    EXPECT_EQ(root.Prop("b"), "");
    EXPECT_EQ(root.Prop("C"), "<\">");
    EXPECT_EQ(root.Prop("d"), "open");
    EXPECT_EQ(root.Prop("missing"), "");
}

TEST(XmlReader, SetPropReplacesInPlaceOrAppends)
{
    TrptXMLItem item;
    item.SetText("a=\"1\" B=\"2\" c=\"3\"");
    item.SetProp("b", "x\"y");
    EXPECT_EQ(item.Text(), "a=\"1\" b=\"x&#34;y\" c=\"3\"");
    item.SetProp("d", "4");
    EXPECT_EQ(item.Text(), "a=\"1\" b=\"x&#34;y\" c=\"3\" d=\"4\"");
    item.SetText("e=\"5\" ");
    item.SetProp("f", "6");
    EXPECT_EQ(item.Text(), "e=\"5\" f=\"6\"");
    TrptXMLItem empty;
    empty.SetProp("g", "");
    EXPECT_EQ(empty.Text(), "g=\"\"");
}

// Unloadable marks are read after a blank and, as older files have them, glued to the quotation mark
// before; either way the mark leaves the text.
TEST(XmlReader, UnloadMarksInBothForms)
{
    const std::string text = kXmlHeader + "<r><p a=\"1\"ld=\"0\"><c/></p><p ld=\"0\"><c/></p><p a=\"1\" LD=\"0\" b=\"2\">"
                                       "<c/></p><p ld=\"0\"/><q a=\"1\" / ld=\"0\"><c/></q></r>";
    TrptXMLDocument whole;
    Load(whole, text);
    // A mark after a "/" is none: taking it out would leave a text that ends the element.
    EXPECT_EQ(Tree(whole.Root()), "r[]{p[a=\"1\"]{c[]} p[]{c[]} p[a=\"1\" b=\"2\"]{c[]} p[] q[a=\"1\" / ld=\"0\"]{c[]}}");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(whole.Root().Items(i).Unloadable());

    TrptXMLDocument partial;
    partial.LoadPartially(std::make_unique<rtl::TStringStream>(text));
    EXPECT_EQ(Tree(partial.Root()), "r[]{p[a=\"1\"] p[] p[a=\"1\" b=\"2\"] p[] q[a=\"1\" / ld=\"0\"]{c[]}}");
    for (int i = 0; i < 3; ++i) {
        const TrptXMLItem& item = partial.Root().Items(i);
        EXPECT_TRUE(item.Unloadable());
        EXPECT_FALSE(item.Loaded());
    }
    EXPECT_FALSE(partial.Root().Items(3).Unloadable());
}

TEST(XmlReader, MalformedInputIsRefused)
{
    struct Case {
        std::string text;
        std::string kept;  // the tree read before the fault
    };
    const Case cases[] = {
        {"", "[]"},
        {"<r/>", "[]"},
        {kXmlHeader, "[]"},
        {kXmlHeader + "<r><a<b/></a></r>", "r[]"},
        {kXmlHeader + "<r><a", "r[]"},
        {kXmlHeader + "<r><a></b></r>", "r[]{a[]}"},
        {kXmlHeader + "<r><a/>", "r[]{a[]}"},
        {kXmlHeader + "<r><a><b/>", "r[]{a[]{b[]}}"},
        {kXmlHeader + "<r><></r>", "r[]"},
        {kXmlHeader + "<r>< a></r>", "r[]"},
        {kXmlHeader + "</r>", "[]"},
        {kXmlHeader + "<r><!-- open", "r[]"},
        {kXmlHeader + "<r></>", "r[]"},
    };
    for (const Case& c : cases) {
        TrptXMLDocument document;
        try {
            Load(document, c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const TrptInvalidXMLException& e) {
            EXPECT_EQ(e.Message(), "Invalid file format");
            EXPECT_FALSE(e.Reason().empty());
            EXPECT_LE(e.Offset(), std::int64_t(c.text.size()));
        }
        EXPECT_EQ(Tree(document.Root()), c.kept) << c.text;
    }
}

// Every cut of a document inside its root is refused, keeping a prefix of the whole tree.
TEST(XmlReader, EveryCutInsideTheRootIsRefused)
{
    const std::string text = kXmlHeader + "\r\n<TrptReport Version=\"4.6.5\"><TrptDataPage Name=\"Data\"/>"
                                       "<!-- pages --><TrptReportPage Name=\"Page1\"><TrptReportTitle Name=\"T\">"
                                       "<TrptMemoView Name=\"M\" Text=\"a&#38;b\"/></TrptReportTitle></TrptReportPage>"
                                       "</TrptReport>";
    TrptXMLDocument complete;
    Load(complete, text);
    const std::string full = report_test::Items(complete.Root());
    const std::size_t rootStart = text.find("<TrptReport ");
    for (std::size_t cut = rootStart; cut < text.size(); ++cut) {
        TrptXMLDocument document;
        EXPECT_THROW(Load(document, text.substr(0, cut)), TrptInvalidXMLException) << cut;
        // What was read is the beginning of the whole document, item by item.
        const std::string kept = document.Root().Name().empty() ? "" : report_test::Items(document.Root());
        EXPECT_TRUE(full.starts_with(kept)) << cut << "\n" << kept;
    }
}

TEST(XmlReader, DeepNestingIsRefused)
{
    auto nested = [](int depth) {
        std::string text = kXmlHeader;
        for (int i = 0; i < depth; ++i)
            text += "<a>";
        for (int i = 0; i < depth; ++i)
            text += "</a>";
        return text;
    };
    TrptXMLDocument document;
    EXPECT_NO_THROW(Load(document, nested(report::TrptXMLReader::kMaxDepth)));
    try {
        Load(document, nested(report::TrptXMLReader::kMaxDepth + 1));
        ADD_FAILURE() << "accepted";
    } catch (const TrptInvalidXMLException& e) {
        EXPECT_NE(e.Reason().find("1000"), std::string::npos) << e.Reason();
    }
}

TEST(XmlReader, StreamIsLeftJustAfterTheRoot)
{
    rtl::TStringStream stream("xx" + kXmlHeader + "<r><a/></r>trailing");
    stream.SetPosition(2);
    TrptXMLDocument document;
    document.LoadFromStream(stream);
    EXPECT_EQ(stream.ReadString(100), "trailing");
}

TEST(XmlReader, ItemTreeOperations)
{
    TrptXMLItem root;
    TrptXMLItem& a = root.Add();
    a.SetName("Alpha");
    TrptXMLItem& b = root.FindItem("beta");
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(&root.FindItem("ALPHA"), &a);
    EXPECT_EQ(root.IndexOf("BETA"), 1);
    EXPECT_EQ(root.IndexOf("gamma"), -1);
    TrptXMLItem& c = a.Add();
    root.InsertItem(0, c);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(root.IndexOfItem(c), 0);
    EXPECT_EQ(c.Parent(), &root);
    b.AddItem(a);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(a.Parent(), &b);
    EXPECT_THROW(a.AddItem(b), rtl::EInvalidOperation);
    EXPECT_THROW(root.Items(2), rtl::EListError);
    delete &b;
    EXPECT_EQ(root.Count(), 1);
    TrptXMLItem unloadable;
    unloadable.SetUnloadable(true);
    unloadable.Clear();
    EXPECT_FALSE(unloadable.Loaded());
}

}  // namespace
