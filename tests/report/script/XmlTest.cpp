#include "report/script/sc_xml.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScriptHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using script::TscXMLDocument;
using script::TscXMLItem;
using script::TscXMLReader;

// name [attribute text] per element, one per line, indented by depth.
std::string Tree(const TscXMLItem& item, int depth = 0)
{
    std::string out = std::string(size_t(depth) * 2, ' ') + item.Name;
    if (!item.Text.empty())
        out += " [" + item.Text + "]";
    out += "\n";
    for (int i = 0; i < item.Count(); ++i)
        out += Tree(*item.Items(i), depth + 1);
    return out;
}

void Load(TscXMLDocument& document, const std::string& text)
{
    rtl::TStringStream stream(text);
    document.LoadFromStream(stream);
}

TEST(ScriptXml, Loading)
{
    struct Case {
        const char* text;
        const char* tree;  // nullptr: "Invalid file format"
    };
    const Case cases[] = {
        {"<?xml version=\"1.0\"?><a x=\"1\"><b/></a>", "a [x=\"1\"]\n  b\n"},
        {"<?xml version=\"1.0\"?><a></A>", "a\n"},
        {"<?xml version=\"1.0\"?><a></b>", nullptr},
        {"<?xml version=\"1.0\"?><a>hello</a>", "a\n"},
        {"<?xml version=\"1.0\" encoding=\"x\"?>\r\n  <a>\r\n    <b y=\"2\" />\r\n  </a>\r\n", "a\n  b [y=\"2\" ]\n"},
        {"<?xml?><a/ >", "a\n"},
        // The '/' of an empty element ends the tag; one in a name before the attribute text is the name's.
        {"<?xml?><a/ x=\"1\"/>", "a/ [x=\"1\"]\n"},
        {"<?xml?><a/ x=\"1\"><b//></a/>", "a/ [x=\"1\"]\n  b/\n"},
        // Comments are skipped wherever they stand and may hold anything up to "-->".
        {"<?xml version=\"1.0\"?><!-- <x> -- > --><a><!----><b/></a>", "a\n  b\n"},
        {"<a/>", nullptr},
        {"", nullptr},
        {"<?xml version=\"1.0\"?>", nullptr},
        {"<?xml version=\"1.0\"?><a <b/></a>", nullptr},
        {"<?xml version=\"1.0\"?><a><b", nullptr},
        {"<?xml version=\"1.0\"?><a><b/>", nullptr},
        {"<?xml version=\"1.0\"?></a>", nullptr},
        {"<?xml version=\"1.0\"?><a><!-- open", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TscXMLDocument document;
        if (c.tree) {
            Load(document, c.text);
            EXPECT_EQ(Tree(*document.Root()), c.tree);
        } else {
            try {
                Load(document, c.text);
                ADD_FAILURE() << "loaded";
            } catch (const rtl::Exception& e) {
                EXPECT_STREQ(e.what(), "Invalid file format");
            }
        }
    }
}

TEST(ScriptXml, AFailedLoadLeavesTheDocumentAsItWas)
{
    TscXMLDocument document;
    Load(document, "<?xml version=\"1.0\"?><a><b/></a>");
    TscXMLItem* root = document.Root();
    EXPECT_THROW(Load(document, "<?xml version=\"1.0\"?><c><d/>"), rtl::Exception);
    EXPECT_EQ(document.Root(), root);
    EXPECT_EQ(Tree(*root), "a\n  b\n");
}

TEST(ScriptXml, TheReaderLeavesTheStreamAfterTheLastTagItRead)
{
    rtl::TStringStream stream("<?xml version=\"1.0\"?><a/>rest");
    TscXMLDocument document;
    document.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), 25);
}

TEST(ScriptXml, Prop)
{
    struct Case {
        const char* text;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"text=\"a&#34;b\"", "TEXT", "a\"b"},
        {"text=\"&gt;\"", "text", "&gt;"},
        {"text=\"&quot;\"", "text", "\""},
        {"a=\"1\" text=\"2\"", "text", "2"},
        {"atext=\"1\"", "text", ""},
        {"text=\"open", "text", "open"},
        {"x=\"1\"", "text", ""},
        {"text=\"&#60;&#62;&#38;&#10;&#13;\"", "text", "<>&\n\r"},
        // References above 255, without digits or without ';' stay as written.
        {"text=\"&#256;&#;&#65&#6x;\"", "text", "&#256;&#;&#65&#6x;"},
        {"text=\"&#000065;\"", "text", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TscXMLItem item;
        item.Text = c.text;
        EXPECT_EQ(item.Prop(c.name), c.value);
    }
}

TEST(ScriptXml, SetProp)
{
    struct Case {
        const char* before;
        const char* name;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"", "text", "a", "text=\"a\""},
        {"x=\"1\"", "text", "a", "x=\"1\" text=\"a\""},
        {"x=\"1\" ", "text", "a", "x=\"1\" text=\"a\""},
        {"x=\"1\" text=\"old\" y=\"2\"", "TEXT", "<new>", "x=\"1\" TEXT=\"&#60;new&#62;\" y=\"2\""},
        {"text=\"old\"", "text", "\"&quot;\"", "text=\"&#34;&#38;quot;&#34;\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        TscXMLItem item;
        item.Text = c.before;
        item.SetProp(c.name, c.value);
        EXPECT_EQ(item.Text, c.after);
        EXPECT_EQ(item.Prop(c.name), c.value);
    }
}

// Every byte string comes back from escaping and unescaping; a script string holding a reference such
// as "&#60;" or "&quot;" stays as it was written.
TEST(ScriptXml, EscapingRoundTripsEveryByte)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += char(c);
    for (const std::string& text : {all, std::string("&#60;"), std::string("&quot;"), std::string("&amp;&#38;&"),
                                    std::string("a\"b<c>d\r\ne")}) {
        EXPECT_EQ(script::UnescapeXMLText(script::EscapeXMLText(text)), text);
    }
    EXPECT_EQ(script::EscapeXMLText("\n\r\"<>&x"), "&#10;&#13;&#34;&#60;&#62;&#38;x");
}

TEST(ScriptXml, Children)
{
    TscXMLItem root;
    TscXMLItem* a = root.Add();
    a->Name = "a";
    TscXMLItem* b = root.Add();
    b->Name = "B";
    EXPECT_EQ(root.IndexOf("b"), 1);
    EXPECT_EQ(root.IndexOf("c"), -1);
    EXPECT_EQ(root.FindItem("A"), a);

    TscXMLItem* types = root.FindItem("types");
    EXPECT_EQ(root.Count(), 3);
    EXPECT_EQ(types->Name, "types");
    EXPECT_EQ(types->Parent(), &root);
    EXPECT_EQ(types->Root(), &root);

    // Moving an item takes it from its former parent.
    a->AddItem(b);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(b->Parent(), a);
    root.InsertItem(0, b);
    EXPECT_EQ(Tree(root), "\n  B\n  a\n  types\n");
    EXPECT_THROW(b->AddItem(&root), rtl::EInvalidOperation);
    EXPECT_THROW(root.Items(3), rtl::EListError);

    // Deleting an item takes it out of its parent.
    delete a;
    EXPECT_EQ(Tree(root), "\n  B\n  types\n");
}

TEST(ScriptXml, AssignCopiesTheWholeTree)
{
    int marker = 0;
    TscXMLDocument document;
    Load(document, "<?xml version=\"1.0\"?><a x=\"1\"><b><c y=\"2\"/></b><d/></a>");
    document.Root()->Items(0)->Data = &marker;
    TscXMLItem copy;
    copy.Add()->Name = "old";
    copy.Assign(*document.Root());
    EXPECT_EQ(Tree(copy), "a [x=\"1\"]\n  b\n    c [y=\"2\"]\n  d\n");
    EXPECT_EQ(copy.Items(0)->Data, &marker);
    // Taking the copy from one of its own descendants.
    copy.Assign(*copy.Items(0));
    EXPECT_EQ(Tree(copy), "b\n  c [y=\"2\"]\n");
}

TEST(ScriptXml, Saving)
{
    TscXMLDocument document;
    Load(document, "<?xml version=\"1.0\"?><a x=\"1\"><b/><c y=\"2\"><d/></c></a>");
    EXPECT_EQ(testsupport::SavedText(document), "<?xml version=\"1.0\"?><a x=\"1\"><b/><c y=\"2\"><d/></c></a>");
    document.IndentOutput = true;
    EXPECT_EQ(testsupport::SavedText(document), "<?xml version=\"1.0\"?>\r\n<a x=\"1\">\r\n  <b/>\r\n  <c y=\"2\">\r\n    <d/>\r\n"
                              "  </c>\r\n</a>\r\n");
}

// Attribute texts come back as they were read, blanks at either end included, so saving a loaded
// document, loading it and saving it again gives the same bytes.
TEST(ScriptXml, AttributeTextsKeepTheirBlanks)
{
    TscXMLDocument document;
    Load(document, "<?xml version=\"1.0\"?><a   x=\"1\"  ><b  y /><c   ><d/></c></a>");
    EXPECT_EQ(Tree(*document.Root()), "a [  x=\"1\" ]\n  b [ y ]\n  c [ ]\n    d\n");
    const std::string saved = testsupport::SavedText(document);
    EXPECT_EQ(saved, "<?xml version=\"1.0\"?><a   x=\"1\"  ><b  y /><c   ><d/></c></a>");
    Load(document, saved);
    EXPECT_EQ(testsupport::SavedText(document), saved);

    // An empty element without a name is no end tag.
    Load(document, "<?xml version=\"1.0\"?>< />");
    EXPECT_EQ(testsupport::SavedText(document), "<?xml version=\"1.0\"?>< />");
    Load(document, testsupport::SavedText(document));
    EXPECT_EQ(Tree(*document.Root()), "\n");
}

TEST(ScriptXml, NestingIsBoundedAndDeepTreesCostNoStack)
{
    auto nested = [](int depth) {
        std::string text = "<?xml version=\"1.0\"?>";
        for (int i = 0; i < depth; ++i)
            text += "<a>";
        for (int i = 0; i < depth; ++i)
            text += "</a>";
        return text;
    };
    TscXMLDocument document;
    Load(document, nested(TscXMLReader::MaxDepth));
    EXPECT_THROW(Load(document, nested(TscXMLReader::MaxDepth + 1)), rtl::Exception);

    // A tree far deeper than any file may hold is saved, copied and freed without recursion.
    // The root gets a second child: a chain of 200,000 "b" below it.
    TscXMLItem* item = document.Root();
    for (int i = 0; i < 200000; ++i) {
        item = item->Add();
        item->Name = "b";
    }
    const std::string saved = testsupport::SavedText(document);
    // The declaration; "<a></a>" or "<b></b>" for every element with children, "<a/>" and "<b/>" at the ends.
    EXPECT_EQ(saved.size(), 21 + size_t(TscXMLReader::MaxDepth - 1 + 200000 - 1) * 7 + 2 * 4);
    TscXMLItem copy;
    copy.Assign(*document.Root());
    document.Root()->Clear();
    EXPECT_EQ(document.Root()->Count(), 0);
}

TEST(ScriptXml, Files)
{
    testsupport::ScratchFolder folder;
    TscXMLDocument document;
    Load(document, "<?xml version=\"1.0\"?><a x=\"&#60;\"><b/></a>");
    document.SaveToFile(folder.Path("a.xml"));
    EXPECT_EQ(folder.ReadFile("a.xml"), "<?xml version=\"1.0\"?><a x=\"&#60;\"><b/></a>");
    TscXMLDocument loaded;
    loaded.LoadFromFile(folder.Path("a.xml"));
    EXPECT_EQ(Tree(*loaded.Root()), "a [x=\"&#60;\"]\n  b\n");

    EXPECT_THROW(loaded.LoadFromFile(folder.Path("missing.xml")), rtl::EFOpenError);
    EXPECT_THROW(document.SaveToFile(folder.Path("no/such/folder.xml")), rtl::EFCreateError);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
