#include "report/rptXMLSerializer.h"

#include "platform/classes/Fixups.h"
#include "report/rptDataSet.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "report/rptXML.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::LoadTemplate;
using report_test::TrptKindsView;

class SerializerTest : public report_test::ReportTest {
protected:
    SerializerTest() { report_test::RegisterTemplateClasses(); }

    // The report read from a template whose report element holds body.
    std::unique_ptr<TrptReport> Read(const std::string& body)
    {
        auto report = report_test::SilentReport();
        LoadTemplate(*report, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TrptReport>" + body + "</TrptReport>");
        return report;
    }

    static TrptKindsView* Kinds(TrptReport& report, const char* name)
    {
        return dynamic_cast<TrptKindsView*>(report.FindObject(name));
    }
};

TEST_F(SerializerTest, UnknownClassesSkipTheirWholeSubtree)
{
    auto report = Read("<TrptDataPage Name=\"Data\">"
                       "<TrptNoSuchView Name=\"Strange\"><TrptKindsView Name=\"Inner\"/></TrptNoSuchView>"
                       "<TSampleForm Name=\"Window\"><TrptKindsView Name=\"Inner2\"/></TSampleForm>"
                       "<TrptReport Name=\"Nested\"><TrptKindsView Name=\"Inner3\"/></TrptReport>"
                       "<TrptKindsView Name=\"After\"/></TrptDataPage>");
    EXPECT_EQ(report->Errors().Text(), "Cannot find class TrptNoSuchView\r\nCannot find class TrptReport\r\n"
                                       "Cannot find class TSampleForm\r\n");
    for (const char* name : {"Strange", "Inner", "Window", "Inner2", "Nested", "Inner3"})
        EXPECT_EQ(report->FindObject(name), nullptr) << name;
    EXPECT_NE(Kinds(*report, "After"), nullptr);
    EXPECT_EQ(report->AllObjects().size(), 2u);
}

// A dotted name that leads into nothing is ignored; so is a property that does not exist.
TEST_F(SerializerTest, PathsIntoNothingAreIgnored)
{
    auto report = Read("<TrptKindsView Name=\"K\" Frame.Nothing.Color=\"5\" Nothing.Color=\"5\" Missing=\"5\" "
                       "Frame.LeftLine.Nothing=\"5\" Link.Name=\"X\" Count=\"3\"/>");
    EXPECT_EQ(report->Errors().Text(), "");
    ASSERT_NE(Kinds(*report, "K"), nullptr);
    EXPECT_EQ(Kinds(*report, "K")->Count, 3);
    EXPECT_EQ(Kinds(*report, "K")->Frame()->Color(), gui::clBlack);
}

// A reference to an object defined later is set; one to an object that is nowhere is reported, and the
// rest of the template is read.
TEST_F(SerializerTest, ReferencesResolveAfterTheRead)
{
    auto report = Read("<TrptKindsView Name=\"A\" Link=\"B\"/><TrptKindsView Name=\"C\" Link=\"Ghost\" Count=\"1\"/>"
                       "<TrptKindsView Name=\"B\" Link=\"a\"/><TrptKindsView Name=\"D\" Link=\"\"/>");
    EXPECT_EQ(report->Errors().Text(), "Missing Ghost\r\n");
    ASSERT_NE(Kinds(*report, "D"), nullptr);
    EXPECT_EQ(Kinds(*report, "A")->Link(), report->FindObject("B"));
    EXPECT_EQ(Kinds(*report, "B")->Link(), report->FindObject("A"));
    EXPECT_EQ(Kinds(*report, "C")->Link(), nullptr);
    EXPECT_EQ(Kinds(*report, "C")->Count, 1);
    EXPECT_EQ(Kinds(*report, "D")->Link(), nullptr);
}

// A bad value is one line naming the object and the property; the other values of the element are set.
TEST_F(SerializerTest, BadValuesAreOneLineEach)
{
    struct Case {
        const char* attribute;
        const char* line;
    };
    const Case cases[] = {
        {"Ratio=\"1.2.3\"", "K.Ratio: '1.2.3' is not a valid floating point value"},
        {"Scale=\"\"", "K.Scale: '' is not a valid floating point value"},
        {"Shade=\"tsPurple\"", "K.Shade: 'tsPurple' is no value of TTestShade"},
        {"Shade=\"3\"", "K.Shade: '3' is no value of TTestShade"},
        {"Active=\"Yes\"", "K.Active: 'Yes' is no value of Boolean"},
        {"Level=\"256\"", "K.Level: 256 is outside the range of Byte"},
        {"Count=\"2147483648\"", "K.Count: 2147483648 is outside the range of Integer"},
        {"Count=\"12x\"", "K.Count: '12x' is not a valid integer value"},
        {"Letter=\"-1\"", "K.Letter: -1 is outside the range of Char"},
        {"Sides=\"16\"", "K.Sides: 16 holds elements that TTestSides does not have"},
        {"Frame.Typ=\"-1\"", "K.Frame.Typ: -1 holds elements that TrptFrameTyp does not have"},
        {"Big=\"99999999999999999999\"", "K.Big: '99999999999999999999' is not a valid integer value"},
        {"Name=\"1x\"", "K.Name: '1x' is not a valid component name"},
        {"Name=\"Data\"", "K.Name: prDupl"},
        {"PropData=\"ABC\"", "K.PropData: PropData of odd length"},
        {"PropData=\"0G\"", "K.PropData: 'G' at position 2 is not a hexadecimal digit"},
        {"PropData=\"0102\"", "K.PropData: Property \x02 does not exist"},
        {"Font.Name=\"Tahoma\" Link=\"Count\"", "Missing Count"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute);
        auto report = Read(std::string("<TrptDataPage Name=\"Data\"/><TrptKindsView Name=\"K\" Count=\"4\" ")
                           + c.attribute + " Level=\"9\" Active=\"True\" Shade=\"2\"/>");
        EXPECT_EQ(report->Errors().Text(), std::string(c.line) + "\r\n");
        TrptKindsView* kinds = Kinds(*report, "K");
        ASSERT_NE(kinds, nullptr);
        EXPECT_EQ(kinds->Level, 9);
        EXPECT_TRUE(kinds->Active);
        EXPECT_EQ(kinds->Shade, report_test::tsClear);
    }
}

// Two bad values of one kind are two lines.
TEST_F(SerializerTest, EveryBadPropertyHasItsLine)
{
    auto report = Read("<TrptKindsView Name=\"K\" Ratio=\"x\" Scale=\"x\" Price=\"x\"/>");
    EXPECT_EQ(report->Errors().Count(), 3);
}

TEST_F(SerializerTest, AnUnclosedValueEndsTheScan)
{
    auto report = Read("<TrptKindsView Name=\"K\" Count=\"5\" Level=\"3 Active=True/>");
    ASSERT_NE(Kinds(*report, "K"), nullptr);
    EXPECT_EQ(Kinds(*report, "K")->Count, 5);
    EXPECT_EQ(Kinds(*report, "K")->Level, 0);
    EXPECT_FALSE(Kinds(*report, "K")->Active);
    EXPECT_EQ(report->Errors().Text(), "K.Level: the value has no closing quotation mark\r\n");
}

// Two elements of one name are one object: the second finds the first.
TEST_F(SerializerTest, TwoElementsOfOneNameAreOneObject)
{
    auto report = Read("<TrptDataPage Name=\"Data\"><TrptKindsView Name=\"K\" Count=\"1\"/>"
                       "<TrptKindsView Name=\"k\" Level=\"2\"><TrptKindsView Name=\"Child\"/></TrptKindsView>"
                       "</TrptDataPage>");
    EXPECT_EQ(report->Errors().Text(), "");
    EXPECT_EQ(report->AllObjects().size(), 3u);
    TrptKindsView* kinds = Kinds(*report, "K");
    ASSERT_NE(kinds, nullptr);
    EXPECT_EQ(kinds->Count, 1);
    EXPECT_EQ(kinds->Level, 2);
    EXPECT_EQ(report->FindObject("Child")->Parent(), kinds);
}

// An object's own stored data that is no component stream is read up to the first definition it
// refuses.
TEST_F(SerializerTest, DefinitionsAreReadUpToTheFirstBadOne)
{
    // pLeft 60, then a damaged pTop (an Int8 marker without its byte).
    auto report = Read("<TrptDataPage Name=\"Data\"><TrptUserDataSet Name=\"U\" PropData=\"05704C656674023C0470546F7002\"/>"
                       "</TrptDataPage>");
    report::TrptComponent* users = report->FindObject("U");
    ASSERT_NE(users, nullptr);
    EXPECT_EQ(users->Left(), 60);
    EXPECT_EQ(users->Top(), 0);
    EXPECT_EQ(report->Errors().Text(), "U.PropData: Error reading pTop: Stream read error\r\n");
}

// The attribute text of one object, alone and against an ancestor: only what differs, "nil" for a
// reference the object dropped, nothing for equal definitions.
TEST_F(SerializerTest, AgainstAnAncestorOnlyDifferencesAreWritten)
{
    TrptReport report(nullptr);
    auto* page = new report::TrptDataPage(&report);
    page->SetName("Data");
    auto* ancestor = new TrptKindsView(page);
    ancestor->SetName("A");
    auto* object = new TrptKindsView(page);
    object->SetName("B");
    ancestor->SetLink(page);
    ancestor->Ratio = 1.0;
    object->Ratio = 1.0000001;
    object->Count = 4;
    report::TrptXMLSerializer serializer(nullptr);
    serializer.Owner = &report;
    EXPECT_EQ(serializer.ObjToXML(object, "", ancestor), " Count=\"4\" Link=\"nil\"");
    object->Ratio = 2;
    object->Lines()->Add("x");
    object->SetLink(page);
    EXPECT_EQ(serializer.ObjToXML(object, "P.", ancestor), " P.Count=\"4\" P.Ratio=\"2\" P.Lines.Text=\"x\"");
    serializer.SerializeDefaultValues = true;
    EXPECT_NE(serializer.ObjToXML(object, "", ancestor).find(" Shade=\"tsLight\""), std::string::npos);
}

TEST_F(SerializerTest, SingleObjectsAsText)
{
    TrptReport report(nullptr);
    auto* page = new report::TrptDataPage(&report);
    page->SetName("Data");
    report::TrptXMLSerializer serializer(nullptr);
    serializer.Owner = &report;
    serializer.NameScopeRoot = &report;
    classes::TComponent* made = serializer.ReadObjectFromString(page, "TrptKindsView Name=\"Made\" Count=\"12\" Link=\"Data\"");
    serializer.FixupReferences();
    auto* kinds = dynamic_cast<TrptKindsView*>(made);
    ASSERT_NE(kinds, nullptr);
    EXPECT_EQ(kinds->Parent(), page);
    EXPECT_EQ(kinds->Owner(), &report);
    EXPECT_EQ(kinds->Count, 12);
    EXPECT_EQ(kinds->Link(), page);
    EXPECT_EQ(serializer.GetObjectXML(kinds).substr(0, 38), "TrptKindsView Left=\"0\" Top=\"0\" Width=\"");
    EXPECT_EQ(serializer.ReadObjectFromString(page, ""), nullptr);
    EXPECT_THROW(serializer.ReadObjectFromString(page, "TNoSuchClass Count=\"1\""), classes::EClassNotFound);

    kinds->Count = 3;
    const std::string full = kinds->FullAttributes(nullptr);
    EXPECT_EQ(full.substr(0, 8), "Left=\"0\"");
    EXPECT_NE(full.find(" Count=\"3\" "), std::string::npos);
    EXPECT_EQ(full.back(), '"');
    auto* original = new TrptKindsView(page);
    original->SetBounds(0, 5, 0, 0);
    EXPECT_EQ(kinds->FullAttributes(original), full + "  t=\"0\"");
}

// Assign copies an object's properties but not its name or children; CopyTree brings the children.
TEST_F(SerializerTest, AssignAndCopyTree)
{
    TrptReport report(nullptr);
    auto* page = new report::TrptDataPage(&report);
    auto* source = new TrptKindsView(page);
    source->SetName("Source");
    source->Count = 5;
    source->Lines()->SetText("a\r\nb");
    auto* child = new TrptKindsView(source);
    child->SetName("Child");
    child->Level = 7;
    TrptReport other(nullptr);
    auto* target = new TrptKindsView(&other);
    target->SetName("Target");
    new TrptKindsView(target);
    target->Assign(source);
    EXPECT_EQ(target->Name(), "Target");
    EXPECT_EQ(target->Count, 5);
    EXPECT_EQ(target->Lines()->Text(), "a\r\nb\r\n");
    EXPECT_TRUE(target->Objects().empty());
    target->CopyTree(source);
    ASSERT_EQ(target->Objects().size(), 1u);
    EXPECT_EQ(target->Objects()[0]->Name(), "Child");
    EXPECT_EQ(dynamic_cast<TrptKindsView*>(target->Objects()[0])->Level, 7);
    target->Assign(&report);  // another kind of object: nothing happens
    EXPECT_EQ(target->Count, 5);
}

}  // namespace
