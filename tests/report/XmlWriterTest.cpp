#include "report/rptXML.h"

#include "tests/report/XmlSupport.h"
#include "tests/support/RunTool.h"

#include <gtest/gtest.h>

namespace {

using report::TrptXMLDocument;
using report::TrptXMLItem;
using report_test::Saved;

void FillSample(TrptXMLDocument& document)
{
    TrptXMLItem& root = document.Root();
    root.SetName("TrptReport");
    root.SetProp("Version", "4.6.5");
    TrptXMLItem& data = root.Add();
    data.SetName("TrptDataPage");
    data.SetProp("Name", "Data");
    TrptXMLItem& page = root.Add();
    page.SetName("TrptReportPage");
    page.SetProp("Name", "Page1");
    TrptXMLItem& band = page.Add();
    band.SetName("TrptReportTitle");
    band.SetProp("Name", "ReportTitle1");
    TrptXMLItem& memo = band.Add();
    memo.SetName("TrptMemoView");
    memo.SetProp("Name", "Memo1");
    memo.SetProp("Text", "Total \"net\" <1 & 2>\r\nnext");
}

TEST(XmlWriter, IndentedDocumentHasOneElementPerLine)
{
    TrptXMLDocument document;
    document.SetIndented(true);
    FillSample(document);
    EXPECT_EQ(Saved(document),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
              "<TrptReport Version=\"4.6.5\">\r\n"
              "  <TrptDataPage Name=\"Data\"/>\r\n"
              "  <TrptReportPage Name=\"Page1\">\r\n"
              "    <TrptReportTitle Name=\"ReportTitle1\">\r\n"
              "      <TrptMemoView Name=\"Memo1\" Text=\"Total &#34;net&#34; &#60;1 &#38; 2&#62;&#13;&#10;next\"/>\r\n"
              "    </TrptReportTitle>\r\n"
              "  </TrptReportPage>\r\n"
              "</TrptReport>\r\n");
}

TEST(XmlWriter, PlainDocumentHasNoBlanksOrLineBreaks)
{
    TrptXMLDocument document;
    FillSample(document);
    EXPECT_EQ(Saved(document),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
              "<TrptReport Version=\"4.6.5\">"
              "<TrptDataPage Name=\"Data\"/>"
              "<TrptReportPage Name=\"Page1\">"
              "<TrptReportTitle Name=\"ReportTitle1\">"
              "<TrptMemoView Name=\"Memo1\" Text=\"Total &#34;net&#34; &#60;1 &#38; 2&#62;&#13;&#10;next\"/>"
              "</TrptReportTitle>"
              "</TrptReportPage>"
              "</TrptReport>");
}

// Values, the mark of unloadable items after a blank, attribute texts that already begin with a blank,
// and items without anything.
TEST(XmlWriter, ItemForms)
{
    TrptXMLDocument document;
    TrptXMLItem& root = document.Root();
    root.SetName("r");
    TrptXMLItem& valued = root.Add();
    valued.SetName("a");
    valued.SetText("x=\"1\"");
    valued.SetValue("v");
    TrptXMLItem& marked = root.Add();
    marked.SetName("p");
    marked.SetText("a=\"1\"");
    marked.SetUnloadable(true);
    marked.Add().SetName("c");
    TrptXMLItem& bare = root.Add();
    bare.SetName("p");
    bare.SetUnloadable(true);
    bare.Add().SetName("c");
    TrptXMLItem& blank = root.Add();
    blank.SetName("b");
    blank.SetText(" l=\"2\"");
    root.Add().SetName("e");
    EXPECT_EQ(Saved(document), "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                               "<r><a x=\"1\">v</a><p a=\"1\" ld=\"0\"><c/></p><p ld=\"0\"><c/></p>"
                               "<b l=\"2\"/><e/></r>");
}

// 8-bit text goes out as the bytes it is, whatever the header says, and comes back the same.
TEST(XmlWriter, HighBytesPassUnchanged)
{
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    TrptXMLDocument document;
    document.Root().SetName("r");
    TrptXMLItem& item = document.Root().Add();
    item.SetName("i");
    item.SetProp("t", high);
    TrptXMLItem& valued = document.Root().Add();
    valued.SetName("v");
    valued.SetValue(high);
    const std::string saved = Saved(document);
    EXPECT_NE(saved.find("<v>" + high + "</v>"), std::string::npos);
    EXPECT_NE(saved.find("t=\"" + high + "\""), std::string::npos);

    TrptXMLDocument again;
    report_test::Load(again, saved);
    EXPECT_EQ(again.Root().Items(0).Prop("t"), high);
}

// Names and values built from printable ASCII, line breaks and tabs make well-formed XML.
TEST(XmlWriter, OutsideParserAcceptsTheDocuments)
{
    std::string ascii = "\t\r\n";
    for (char c = ' '; c <= '~'; ++c)
        ascii += c;
    for (bool indented : {false, true}) {
        TrptXMLDocument document;
        document.SetIndented(indented);
        FillSample(document);
        TrptXMLItem& every = document.Root().Items(1).Add();
        every.SetName("TrptLineView");
        every.SetProp("Text", ascii);
        every.SetProp("Other", "&quot;&amp;&#65;");
        every.SetValue("value 42");
        TrptXMLItem& marked = document.Root().Add();
        marked.SetName("page");
        marked.SetUnloadable(true);
        marked.Add().SetName("b");
        TrptXMLItem& markedWithText = document.Root().Add();
        markedWithText.SetName("page");
        markedWithText.SetProp("n", "2");
        markedWithText.SetUnloadable(true);
        markedWithText.Add().SetName("b");
        const testsupport::ToolResult result = testsupport::RunTool({"xmllint", "--noout", "-"}, Saved(document));
        EXPECT_EQ(result.exitCode, 0) << Saved(document);
    }
}

}  // namespace
