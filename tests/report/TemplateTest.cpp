#include "report/rptReport.h"

#include "platform/gui/graphics/Font.h"
#include "platform/rtl/CodePage.h"
#include "report/rptDataSet.h"
#include "report/rptPage.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"
#include "tests/support/DecimalSeparator.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::LoadTemplate;
using report_test::SavedTemplate;
using report_test::TrptKindsView;

std::string Golden()
{
    return testsupport::ReadBytes(RIVUVE_FIXTURES "/report/golden-template.xml");
}

class TemplateTest : public report_test::ReportTest {
protected:
    TemplateTest() { report_test::RegisterTemplateClasses(); }
};

// The objects and values a template holds, as one text to compare.
std::string Contents(TrptReport& report)
{
    std::string text;
    for (report::TrptComponent* object : report.AllObjects()) {
        text += object->ClassName() + " " + object->Name() + " parent " + (object->Parent() ? object->Parent()->Name() : "")
              + " (" + rtl::FloatToStr(object->Left()) + "," + rtl::FloatToStr(object->Top()) + ","
              + rtl::FloatToStr(object->Width()) + "," + rtl::FloatToStr(object->Height()) + ") font "
              + object->Font()->Name() + " " + std::to_string(object->Font()->Size())
              + (object->ParentFont() ? " parent" : "") + "\n";
        if (auto* kinds = dynamic_cast<TrptKindsView*>(object)) {
            text += std::to_string(kinds->Count) + " " + std::to_string(kinds->Level) + " " + kinds->Letter + " "
                  + std::to_string(kinds->WideLetter) + " " + std::to_string(kinds->Shade) + " "
                  + std::to_string(kinds->Active) + " " + std::to_string(kinds->Sides) + " "
                  + rtl::FloatToStr(kinds->Ratio) + " " + rtl::FloatToStr(kinds->Scale) + " "
                  + rtl::CurrToStr(kinds->Price) + " " + rtl::FloatToStr(kinds->Stamp) + " "
                  + std::to_string(kinds->Big) + " [" + kinds->Caption + "] " + rtl::WideToAnsi(kinds->WideCaption)
                  + " " + rtl::VarToStr(kinds->Extra) + " " + std::to_string(kinds->Fill) + " frame "
                  + std::to_string(kinds->Frame()->Color()) + " " + std::to_string(kinds->Frame()->Style()) + " "
                  + rtl::FloatToStr(kinds->Frame()->Width()) + " " + std::to_string(kinds->Frame()->Typ) + " "
                  + rtl::FloatToStr(kinds->Frame()->LeftLine()->Width) + " "
                  + rtl::FloatToStr(kinds->Frame()->TopLine()->Width) + " lines [" + kinds->Lines()->Text()
                  + "] link " + (kinds->Link() ? kinds->Link()->Name() : "none") + "\n";
        }
        if (auto* dataSet = dynamic_cast<report::TrptUserDataSet*>(object))
            text += "user name " + dataSet->UserName() + " fields [" + dataSet->Fields()->Text() + "]\n";
    }
    return text;
}

TEST_F(TemplateTest, GoldenTemplateIsWrittenByteForByte)
{
    TrptReport report(nullptr);
    report_test::FillGoldenReport(report);
    EXPECT_EQ(SavedTemplate(report), Golden());
}

TEST_F(TemplateTest, GoldenTemplateReadsBackToTheSameBytesAndObjects)
{
    TrptReport original(nullptr);
    report_test::FillGoldenReport(original);
    auto report = report_test::SilentReport();
    LoadTemplate(*report, Golden());
    EXPECT_EQ(report->Errors().Text(), "");
    EXPECT_EQ(Contents(*report), Contents(original));
    report->EngineOptions()->NewSilentMode = report::simMessageBoxes;
    EXPECT_EQ(SavedTemplate(*report), Golden());
    // Written twice without a change, the same text.
    EXPECT_EQ(SavedTemplate(*report), Golden());
}

TEST_F(TemplateTest, WrittenTemplatesAreWellFormedXml)
{
    testsupport::ScratchFolder folder;
    TrptReport report(nullptr);
    report_test::FillGoldenReport(report);
    for (bool defaults : {false, true}) {
        const std::string file = folder.Path(defaults ? "defaults.xml" : "plain.xml");
        testsupport::WriteBytes(file, SavedTemplate(report, defaults));
        const testsupport::ToolResult result = testsupport::RunTool({"xmllint", "--noout", file});
        EXPECT_EQ(result.exitCode, 0) << file;
    }
}

// With default values every stored property is written, also those equal to their defaults; what is not
// stored stays out.
TEST_F(TemplateTest, DefaultValuesAddEveryStoredProperty)
{
    TrptReport report(nullptr);
    report_test::FillGoldenReport(report);
    const std::string plain = SavedTemplate(report);
    const std::string full = SavedTemplate(report, true);
    for (const char* attribute : {" DotMatrixReport=\"False\"", " EngineOptions.MaxMemSize=\"10\"",
                                  " PreviewOptions.Buttons=\"4095\"", " ShowProgress=\"True\"", " Tag=\"0\"",
                                  " Visible=\"True\"", " Description=\"\"", " RangeEnd=\"reLast\"",
                                  " Enabled=\"True\"", " Font.Pitch=\"fpDefault\"", " ParentReport=\"\""}) {
        EXPECT_EQ(plain.find(attribute), std::string::npos) << attribute;
        EXPECT_NE(full.find(attribute), std::string::npos) << attribute;
    }
    // Not stored: the size of a font, the shadow width at its default, a frame line equal to its frame,
    // the font of an object that follows its parent's.
    for (const char* attribute : {"Font.Size=", "Frame.ShadowWidth=", "Frame.TopLine.", "<TrptDataPage Name=\"Data\" Tag=\"0\" Font."})
        EXPECT_EQ(full.find(attribute), std::string::npos) << attribute;
    auto report2 = report_test::SilentReport();
    LoadTemplate(*report2, full);
    EXPECT_EQ(report2->Errors().Text(), "");
    EXPECT_EQ(Contents(*report2), Contents(report));
}

// A template written where the decimal separator is a comma reads back where it is a full stop.
TEST_F(TemplateTest, FloatsReadWithEitherSeparator)
{
    TrptReport original(nullptr);
    report_test::FillGoldenReport(original);
    std::string text;
    {
        testsupport::DecimalSeparator comma(',');
        text = SavedTemplate(original);
    }
    EXPECT_NE(text.find(" Top=\"20,5\" Width=\"300\" Height=\"18,9\""), std::string::npos);
    EXPECT_NE(text.find(" Frame.LeftLine.Width=\"1,5\""), std::string::npos);
    testsupport::DecimalSeparator stop('.');
    auto report = report_test::SilentReport();
    LoadTemplate(*report, text);
    EXPECT_EQ(report->Errors().Text(), "");
    EXPECT_EQ(Contents(*report), Contents(original));
}

// Every cut of the golden template loads without harm: "Invalid file format" (unless the cut comes after
// the root's end tag), the objects whose tags were read whole, and a data page.
TEST_F(TemplateTest, EveryCutOfTheGoldenTemplateLoads)
{
    const std::string golden = Golden();
    const std::size_t rootEnd = golden.find("</TrptReport>") + std::string("</TrptReport>").size();
    // Each object and the position where its start tag is complete.
    const std::pair<const char*, std::size_t> objects[] = {
        {"Kinds1", golden.find('>', golden.find("<TrptKindsView")) + 1},
        {"Users", golden.find('>', golden.find("<TrptUserDataSet")) + 1},
    };
    const std::size_t rootTag = golden.find('>', golden.find("<TrptReport")) + 1;
    for (std::size_t cut = 0; cut < golden.size(); ++cut) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        auto report = report_test::SilentReport();
        LoadTemplate(*report, golden.substr(0, cut));
        const bool invalid = report->Errors().IndexOf("Invalid file format") >= 0;
        EXPECT_EQ(invalid, cut < rootEnd);
        ASSERT_GE(report->PagesCount(), 1);
        EXPECT_NE(dynamic_cast<report::TrptDataPage*>(report->Pages(0)), nullptr);
        for (const auto& [name, complete] : objects)
            EXPECT_EQ(report->FindObject(name) != nullptr, cut >= complete) << name;
        EXPECT_EQ(report->ScriptLanguage(), "ZododuVudizu");
        EXPECT_EQ(report->ReportOptions()->CreateDate == 45000.25, cut >= rootTag);
    }
}

TEST_F(TemplateTest, MissingFileLeavesTheReportCleared)
{
    testsupport::ScratchFolder folder;
    auto report = report_test::SilentReport();
    report_test::FillGoldenReport(*report);
    report->FileName = "old";
    EXPECT_FALSE(report->LoadFromFile(folder.Path("missing.xml")));
    EXPECT_EQ(report->PagesCount(), 0);
    EXPECT_EQ(report->FileName, "");
    EXPECT_THROW(report->LoadFromFile(folder.Path("missing.xml"), true), rtl::EFOpenError);

    testsupport::WriteBytes(folder.Path("golden.xml"), Golden());
    EXPECT_TRUE(report->LoadFromFile(folder.Path("golden.xml")));
    EXPECT_EQ(report->FileName, folder.Path("golden.xml"));
    EXPECT_NE(report->FindObject("Kinds1"), nullptr);
}

// A save stopped just before the new file replaces the old one leaves the old template whole.
TEST_F(TemplateTest, FailedSaveKeepsTheOldFile)
{
    testsupport::ScratchFolder folder;
    const std::string file = folder.Path("report.xml");
    testsupport::WriteBytes(file, Golden());
    TrptReport changed(nullptr);
    report_test::FillGoldenReport(changed);
    changed.FindObject("Kinds1")->SetName("Renamed");
    rtl::AtomicWriteOptions options;
    options.beforeReplace = [] { throw rtl::EWriteError("stopped"); };
    EXPECT_THROW(changed.SaveToFile(file, options), rtl::EWriteError);
    EXPECT_EQ(testsupport::ReadBytes(file), Golden());
    auto report = report_test::SilentReport();
    EXPECT_TRUE(report->LoadFromFile(file));
    EXPECT_EQ(report->Errors().Text(), "");
    EXPECT_NE(report->FindObject("Kinds1"), nullptr);

    // A file that cannot be made is the file-creation error, and nothing is left behind.
    EXPECT_THROW(changed.SaveToFile(folder.Path("no/such/folder.xml")), rtl::EFCreateError);
    changed.SaveToFile(file);
    EXPECT_NE(testsupport::ReadBytes(file).find("Name=\"Renamed\""), std::string::npos);
}

}  // namespace
