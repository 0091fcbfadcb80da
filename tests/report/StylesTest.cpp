#include "report/rptStyles.h"

#include "platform/gui/graphics/Font.h"
#include "report/rptFrame.h"
#include "report/rptReport.h"
#include "report/rptXMLSerializer.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using report::TrptFrame;
using report::TrptStyleItem;
using report::TrptStyles;

class StylesTest : public report_test::ReportTest {};

std::string Sheet(const TrptStyles& styles)
{
    std::string text = "sheet " + styles.Name + "\n";
    for (int i = 0; i < styles.Count(); ++i) {
        TrptStyleItem* style = styles.Items(i);
        text += style->Name() + " " + std::to_string(style->Color) + " " + style->Font()->Name() + " "
              + std::to_string(style->Font()->Size()) + " " + std::to_string(style->Font()->Style()) + " "
              + std::to_string(style->Frame()->Typ) + " " + std::to_string(style->Frame()->Color()) + "\n";
    }
    return text;
}

TEST_F(StylesTest, NewStylesAndTheirNames)
{
    TrptStyles styles(nullptr);
    TrptStyleItem* first = styles.Add();
    EXPECT_EQ(first->Color, gui::clNone);
    EXPECT_EQ(first->Font()->Name(), "Arial");
    EXPECT_EQ(first->Font()->Size(), 10);
    EXPECT_EQ(first->Font()->Charset(), 1);
    EXPECT_EQ(first->Frame()->Typ, 0);
    first->SetName("Title");
    TrptStyleItem* second = styles.Add();
    try {
        second->SetName("TITLE");
        FAIL() << "no exception";
    } catch (const rtl::Exception& e) {
        EXPECT_EQ(e.Message(), "Duplicate name");
    }
    EXPECT_EQ(second->Name(), "");
    first->SetName("title");
    second->SetName("Body");
    EXPECT_EQ(styles.Find("BODY"), second);
    EXPECT_EQ(styles.Find("none"), nullptr);
    rtl::TStringList names;
    names.Add("stale");
    styles.GetList(names);
    EXPECT_EQ(names.Text(), "title\r\nBody\r\n");
    second->Color = gui::clRed;
    second->Frame()->Typ = 3;
    second->Font()->SetSize(12);
    first->Assign(second);
    EXPECT_EQ(Sheet(styles), "sheet \nBody 255 Arial 12 0 3 0\nBody 255 Arial 12 0 3 0\n");
}

// A sheet written and read back is the same sheet: root "style" with its name, one "item" per style
// with the style's attributes.
TEST_F(StylesTest, SheetsReadBack)
{
    testsupport::ScratchFolder folder;
    TrptStyles styles(nullptr);
    styles.Name = "Company";
    TrptStyleItem* title = styles.Add();
    title->SetName("Title");
    title->Color = gui::clYellow;
    title->Font()->SetName("Tahoma");
    title->Font()->SetSize(16);
    title->Font()->SetStyle(1);
    title->Frame()->Typ = 1 << report::ftBottom;
    title->Frame()->SetColor(gui::clBlue);
    styles.Add()->SetName("Plain");
    styles.SaveToFile(folder.Path("sheet.xml"));
    const std::string text = folder.ReadFile("sheet.xml");
    EXPECT_EQ(text.substr(0, 64), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<style Name=\"Company\">\r\n");
    EXPECT_NE(text.find("  <item Name=\"Title\" Color=\"65535\" Font.Charset=\"1\" Font.Color=\"-16777208\" Font.Height=\"-21\" "
                        "Font.Name=\"Tahoma\" Font.Style=\"1\" Frame.Color=\"16711680\" Frame.DropShadow=\"False\" "
                        "Frame.ShadowColor=\"0\" Frame.Style=\"fsSolid\" Frame.Typ=\"8\"/>\r\n"),
              std::string::npos)
        << text;
    TrptStyles read(nullptr);
    read.Add()->SetName("stale");
    read.LoadFromFile(folder.Path("sheet.xml"));
    EXPECT_EQ(Sheet(read), Sheet(styles));

    // A sheet written by hand may give the font's size.
    rtl::TStringStream hand("<?xml version=\"1.0\"?><style Name=\"Hand\"><item Name=\"A\" Font.Size=\"12\"/></style>");
    read.LoadFromStream(hand);
    EXPECT_EQ(Sheet(read), "sheet Hand\nA 536870911 Arial 12 0 0 0\n");
}

TEST_F(StylesTest, OtherRootsLeaveTheSheetEmpty)
{
    TrptStyles styles(nullptr);
    styles.Add()->SetName("stale");
    rtl::TStringStream other("<?xml version=\"1.0\"?><styles Name=\"X\"><item Name=\"A\"/></styles>");
    styles.LoadFromStream(other);
    EXPECT_EQ(Sheet(styles), "sheet \n");
}

// A bad sheet is read as far as it goes; its problems go to the report's errors, reported as the report
// says (without a report they are raised).
TEST_F(StylesTest, BadSheetsAreReadAsFarAsTheyGo)
{
    const std::string bad = "<?xml version=\"1.0\"?><style Name=\"S\"><item Name=\"A\" Color=\"red\"/>"
                            "<item Name=\"a\"/><item Name=\"C\"/><item Name=\"D\"";
    auto report = report_test::SilentReport();
    rtl::TStringStream stream(bad);
    report->Styles()->LoadFromStream(stream);
    EXPECT_EQ(Sheet(*report->Styles()), "sheet S\nA 536870911 Arial 10 0 0 0\n 536870911 Arial 10 0 0 0\n"
                                        "C 536870911 Arial 10 0 0 0\n");
    EXPECT_EQ(report->Errors().Text(), "A.Color: 'red' is not a valid integer value\r\nInvalid file format\r\n"
                                       "Name: Duplicate name\r\n");
    TrptStyles alone(nullptr);
    rtl::TStringStream again(bad);
    EXPECT_THROW(alone.LoadFromStream(again), rtl::Exception);
    EXPECT_EQ(alone.Count(), 3);
}

TEST_F(StylesTest, FailedSaveKeepsTheOldSheet)
{
    testsupport::ScratchFolder folder;
    folder.WriteFile("sheet.xml", "old");
    TrptStyles styles(nullptr);
    rtl::AtomicWriteOptions options;
    options.beforeReplace = [] { throw rtl::EWriteError("stopped"); };
    EXPECT_THROW(styles.SaveToFile(folder.Path("sheet.xml"), options), rtl::EWriteError);
    EXPECT_EQ(folder.ReadFile("sheet.xml"), "old");
}

TEST_F(StylesTest, FramesPassTheirLookToTheirLines)
{
    TrptFrame frame;
    EXPECT_EQ(frame.Color(), gui::clBlack);
    EXPECT_EQ(frame.ShadowWidth, 4);
    EXPECT_EQ(frame.Width(), 1);
    EXPECT_EQ(frame.Style(), report::fsSolid);
    frame.SetColor(gui::clRed);
    frame.SetStyle(report::fsDot);
    frame.SetWidth(3);
    for (report::TrptFrameLine* line : {frame.LeftLine(), frame.TopLine(), frame.RightLine(), frame.BottomLine()}) {
        EXPECT_EQ(line->Color, gui::clRed);
        EXPECT_EQ(line->Style, report::fsDot);
        EXPECT_EQ(line->Width, 3);
    }
    report::TrptFrameLine given(frame);
    given.Color = gui::clGreen;
    frame.SetTopLine(&given);
    EXPECT_EQ(frame.TopLine()->Color, gui::clGreen);
    EXPECT_NE(frame.TopLine(), &given);
    frame.DropShadow = true;
    TrptFrame copy;
    copy.Assign(&frame);
    report::TrptXMLSerializer serializer(nullptr);
    EXPECT_EQ(serializer.ObjToXML(&copy), serializer.ObjToXML(&frame));
}

// Frame values are stored as the frame's table says; a line only where it differs from its frame.
TEST_F(StylesTest, FramesStoreWhatDiffers)
{
    report::TrptXMLSerializer serializer(nullptr);
    TrptFrame frame;
    EXPECT_EQ(serializer.ObjToXML(&frame), " Color=\"0\" DropShadow=\"False\" ShadowColor=\"0\" Style=\"fsSolid\"");
    frame.ShadowWidth = 2;
    frame.Typ = 15;
    frame.SetWidth(0.5);
    frame.RightLine()->Style = report::fsDouble;
    EXPECT_EQ(serializer.ObjToXML(&frame), " Color=\"0\" DropShadow=\"False\" ShadowColor=\"0\" ShadowWidth=\"2\" "
                                           "Style=\"fsSolid\" Typ=\"15\" Width=\"0.5\" RightLine.Style=\"fsDouble\"");
}

}  // namespace
