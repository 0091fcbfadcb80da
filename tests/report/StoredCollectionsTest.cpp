// The report's data sets, variables and styles in its window's stored data and in its templates.
#include "report/rptReport.h"

#include "platform/classes/TextForm.h"
#include "platform/gui/graphics/Font.h"
#include "report/rptDataSet.h"
#include "report/rptFrame.h"
#include "report/rptStyles.h"
#include "report/rptUtils.h"
#include "report/rptVariables.h"
#include "report/rptXML.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"
#include "tests/report/TreeSupport.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::TSampleForm;

class StoredCollectionsTest : public report_test::ReportTest {
protected:
    StoredCollectionsTest() { report_test::RegisterTemplateClasses(); }
};

// A window with a data set of its own and a report that uses it and one on its data page, with
// variables of three kinds and two styles.
void FillDataAndStyles(TSampleForm& form)
{
    form.SetName("Form1");
    auto* users = new report::TrptUserDataSet(&form);
    users->SetName("Users");
    auto* report = new TrptReport(&form);
    report->SetName("Report1");
    auto* page = new report::TrptDataPage(report);
    page->SetName("Data");
    auto* inner = new report::TrptUserDataSet(page);
    inner->SetName("Inner");
    inner->SetUserName("Readings");
    inner->SetBounds(124, 20, 28, 28);
    report->DataSets()->Add()->SetDataSet(users);
    report->DataSets()->Add()->SetDataSet(inner);
    report->SetDataSet(users);
    report->Variables()->SetVariables("Title", rtl::Variant("Caf\xE9 energy"));
    report->Variables()->SetVariables("Rate", rtl::Variant(0.125));
    report->Variables()->SetVariables("Nothing", rtl::Variant::Null());
    report::TrptStyleItem* heading = report->Styles()->Add();
    heading->SetName("Heading");
    heading->Color = gui::clRed;
    heading->Font()->SetName("Tahoma");
    heading->Font()->SetSize(14);
    heading->Font()->SetStyle(1);
    heading->Frame()->Typ = 15;
    heading->Frame()->SetWidth(2);
    heading->Frame()->BottomLine()->Color = gui::clBlue;
    report->Styles()->Add()->SetName("Body");
}

// The collections of a report as one text to compare.
std::string Collections(TrptReport& report)
{
    std::string text;
    for (int i = 0; i < report.DataSets()->Count(); ++i) {
        report::TrptDataSetItem* item = report.DataSets()->Items(i);
        text += "data set " + item->DataSetName() + " "
              + (item->DataSet() ? item->DataSet()->Owner()->Name() + "." + item->DataSet()->Name() : "none") + "\n";
    }
    text += "report data set " + report.DataSetName() + "\n";
    for (int i = 0; i < report.Variables()->Count(); ++i) {
        report::TrptVariable* variable = report.Variables()->Items(i);
        text += "variable " + variable->Name + " type " + std::to_string(variable->Value.Type()) + " "
              + rtl::VarToStr(variable->Value) + "\n";
    }
    for (int i = 0; i < report.Styles()->Count(); ++i) {
        report::TrptStyleItem* style = report.Styles()->Items(i);
        text += "style " + style->Name() + " " + std::to_string(style->Color) + " " + style->Font()->Name() + " "
              + std::to_string(style->Font()->Size()) + " " + std::to_string(style->Font()->Style()) + " "
              + std::to_string(style->Frame()->Typ) + " " + rtl::FloatToStr(style->Frame()->Width()) + " "
              + std::to_string(style->Frame()->BottomLine()->Color) + " "
              + std::to_string(style->Frame()->TopLine()->Color) + "\n";
    }
    return text;
}

TEST_F(StoredCollectionsTest, CollectionsReadBackFromWindowData)
{
    TSampleForm form(nullptr);
    FillDataAndStyles(form);
    auto* original = dynamic_cast<TrptReport*>(form.FindComponent("Report1"));
    const std::string expected = Collections(*original);
    EXPECT_EQ(expected, "data set Users Form1.Users\ndata set Readings Report1.Inner\nreport data set Users\n"
                        "variable Title type 256 Caf\xE9 energy\nvariable Rate type 5 0.125\nvariable Nothing type 1 \n"
                        "style Heading 255 Tahoma 14 1 15 2 16711680 0\nstyle Body 536870911 Arial 10 0 0 1 0 0\n");
    const std::string binary = report_test::StoreBinary(form);
    const std::string text = classes::ObjectBinaryToText(binary);
    EXPECT_NE(text.find("Datasets = <"), std::string::npos) << text;
    EXPECT_NE(text.find("Style = <"), std::string::npos) << text;
    for (const std::string& stored : {binary, classes::ObjectTextToBinary(text)}) {
        std::unique_ptr<TSampleForm> read = report_test::LoadSampleForm(stored);
        auto* report = dynamic_cast<TrptReport*>(read->FindComponent("Report1"));
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(Collections(*report), expected);
        EXPECT_EQ(report->DataSets()->Items(0)->DataSet(), read->FindComponent("Users"));
        EXPECT_EQ(report->DataSets()->Items(1)->DataSet(), report->FindObject("Inner"));
        EXPECT_EQ(report->FindObject("Inner")->Left(), 124);
        EXPECT_EQ(report_test::StoreBinary(*read), binary);
    }

    // Without StoreInDFM the window's data holds none of them.
    original->SetStoreInDFM(false);
    const std::string without = classes::ObjectBinaryToText(report_test::StoreBinary(form));
    for (const char* name : {"Datasets", "Variables", "Style"})
        EXPECT_EQ(without.find(name), std::string::npos) << without;
}

// Older stored data escaped the bytes of 128 and above as byte 1 and the byte less 128; reading
// decodes every string and string Variant of the items.
TEST_F(StoredCollectionsTest, OldEscapesAreDecoded)
{
    TSampleForm form(nullptr);
    form.SetName("Form1");
    auto* report = new TrptReport(&form);
    report->SetName("Report1");
    report->Variables()->SetVariables("T\x01" "A", rtl::Variant("x\x01" "B"));
    report->Variables()->SetVariables("W", rtl::Variant(std::u16string(u"\x01" u"C")));
    report->Styles()->Add()->SetName("S\x01" "D");
    std::unique_ptr<TSampleForm> read = report_test::LoadSampleForm(report_test::StoreBinary(form));
    auto* readReport = dynamic_cast<TrptReport*>(read->FindComponent("Report1"));
    ASSERT_NE(readReport, nullptr);
    EXPECT_EQ(readReport->Variables()->Items(0)->Name, "T\xC1");
    EXPECT_EQ(readReport->Variables()->Items(0)->Value.ToString(), "x\xC2");
    EXPECT_EQ(readReport->Variables()->Items(1)->Value.ToWideString(), u"\u00C3");
    EXPECT_EQ(readReport->Styles()->Items(0)->Name(), "S\xC4");
}

// In a template the collections are lists of attribute texts inside the report's PropData: per item a
// list holding one long string (marker 0C, the length in four bytes, the text). Variables come back as
// text; references resolve with the template's.
TEST_F(StoredCollectionsTest, TemplatesHoldTheListForm)
{
    TSampleForm form(nullptr);
    FillDataAndStyles(form);
    auto* original = dynamic_cast<TrptReport*>(form.FindComponent("Report1"));
    const std::string text = report_test::SavedTemplate(*original);
    report::TrptXMLDocument document;
    rtl::TStringStream stream(text);
    document.LoadFromStream(stream);
    rtl::TMemoryStream definitions;
    report::rptHexToStream(document.Root().Prop("PropData"), definitions);
    const std::string bytes(definitions.Memory(), std::size_t(definitions.Size()));
    auto entry = [](const std::string& attributes) {
        const std::uint32_t n = std::uint32_t(attributes.size());
        return std::string("\x01\x0C", 2) + char(n & 0xFF) + char(n >> 8 & 0xFF) + char(n >> 16) + char(n >> 24)
             + attributes + std::string(1, '\0');
    };
    const std::string variables = std::string("\x09Variables\x01", 11) + entry(" Name=\"Title\" Value=\"Caf\xE9 energy\"")
                                + entry(" Name=\"Rate\" Value=\"0.125\"") + entry(" Name=\"Nothing\" Value=\"\"")
                                + std::string(1, '\0');
    EXPECT_NE(bytes.find(variables), std::string::npos);
    EXPECT_NE(bytes.find(entry(" DataSet=\"Inner\" DataSetName=\"Readings\"")), std::string::npos);
    EXPECT_EQ(bytes.substr(0, 9), "\x08" "Datasets");

    // Read on another window with a data set of that name.
    TSampleForm other(nullptr);
    auto* users = new report::TrptUserDataSet(&other);
    users->SetName("Users");
    auto* report = new TrptReport(&other);
    report->EngineOptions()->NewSilentMode = report::simSilent;
    report_test::LoadTemplate(*report, text);
    EXPECT_EQ(report->Errors().Text(), "");
    ASSERT_EQ(report->DataSets()->Count(), 2);
    EXPECT_EQ(report->DataSets()->Items(0)->DataSet(), users);
    EXPECT_EQ(report->DataSets()->Items(1)->DataSet(), report->FindObject("Inner"));
    EXPECT_EQ(report->DataSet(), users);
    ASSERT_EQ(report->Variables()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(report->Variables()->Items(i)->Value.Type(), rtl::varString);
    EXPECT_EQ(report->Variables()->Variables("Rate").ToString(), "0.125");
    EXPECT_EQ(report->Variables()->Variables("Nothing").ToString(), "");
    ASSERT_EQ(report->Styles()->Count(), 2);
    EXPECT_EQ(report->Styles()->Items(0)->Frame()->BottomLine()->Color, gui::clBlue);
    EXPECT_EQ(report->Styles()->Items(0)->Font()->Size(), 14);
}

}  // namespace
