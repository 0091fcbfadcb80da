#include "report/rptReport.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/CodePage.h"
#include "report/rptPage.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TreeSupport.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::TrptTestView;
using report_test::TSampleForm;

class StoredFormTest : public report_test::ReportTest {
protected:
    StoredFormTest() { report_test::RegisterTreeClasses(); }
};

// Every object as "Class Name (left,top,width,height) font" with its children, for comparing trees.
std::string Tree(report::TrptComponent& object)
{
    std::string tree = object.ClassName() + " " + object.Name() + " (" + std::to_string(object.Left()) + ","
                     + std::to_string(object.Top()) + "," + std::to_string(object.Width()) + ","
                     + std::to_string(object.Height()) + ") " + object.Font()->Name() + " "
                     + std::to_string(object.Font()->Size()) + (object.ParentFont() ? " parent" : "")
                     + (object.Visible() ? "" : " hidden");
    if (auto* view = dynamic_cast<TrptTestView*>(&object))
        tree += " align " + std::to_string(view->Align()) + " tag " + std::to_string(view->Tag());
    tree += " {";
    for (report::TrptComponent* child : object.Objects())
        tree += " " + Tree(*child);
    return tree + " }";
}

void Fill(TSampleForm& form)
{
    form.SetName("Form1");
    auto* report = new TrptReport(&form);
    report->SetName("Report1");
    report->ScriptText()->SetText("begin\r\n  ShowMessage('x');\r\nend.");
    report->PreviewOptions()->Modal = false;
    report->PreviewOptions()->Buttons = 1 << report::pbPrint | 1 << report::pbNoEmail;
    report->EngineOptions()->NewSilentMode = report::simReThrow;
    report->ReportOptions()->Author = "Engineering";
    report->ReportOptions()->Description()->Add("Savings");
    report->PrintOptions()->Copies = 2;
    report->OnStartReport = "Start";
    auto* data = new report::TrptDataPage(report);
    data->SetName("Data");
    data->Font()->SetName("Tahoma");
    auto* page = new report::TrptDataPage(report);
    page->SetName("Page1");
    page->SetBounds(1.5, 2.25, 800, 600);
    page->SetVisible(false);
    auto* memo = new TrptTestView(page);
    memo->SetName("Memo1");
    memo->SetBounds(10, 20.5, 300, 18.89765);
    memo->SetAlign(report::baWidth);
    memo->SetTag(3);
    auto* inner = new TrptTestView(memo);
    inner->SetName("Inner");
    inner->Font()->SetSize(14);
    inner->Lines()->Add(u"\u041f\u0440\u0438\u0432\u0435\u0442");
    inner->Lines()->Add(u"second");
}

// A report with its pages and objects stored with its window reads back as the same tree, through the
// binary form and through the text form.
TEST_F(StoredFormTest, ReportReadsBackAsTheSameTree)
{
    TSampleForm form(nullptr);
    Fill(form);
    auto* original = dynamic_cast<TrptReport*>(form.FindComponent("Report1"));
    const std::string binary = report_test::StoreBinary(form);
    const std::string text = classes::ObjectBinaryToText(binary);
    EXPECT_NE(text.find("ScriptText.Strings = ("), std::string::npos) << text;
    EXPECT_NE(text.find("Lines.UTF8 = ("), std::string::npos) << text;
    // A font is stored only where it is not the parent's.
    const std::size_t memo = text.find("object Memo1"), inner = text.find("object Inner");
    EXPECT_EQ(text.substr(memo, inner - memo).find("Font."), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Name = 'Tahoma'"), std::string::npos) << text;

    for (const std::string& stored : {binary, classes::ObjectTextToBinary(text)}) {
        std::unique_ptr<TSampleForm> read = report_test::LoadSampleForm(stored);
        auto* report = dynamic_cast<TrptReport*>(read->FindComponent("Report1"));
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(Tree(*report), Tree(*original));
        EXPECT_EQ(report->ScriptText()->Text(), original->ScriptText()->Text());
        EXPECT_FALSE(report->PreviewOptions()->Modal);
        EXPECT_EQ(report->PreviewOptions()->Buttons, 1 << report::pbPrint | 1 << report::pbNoEmail);
        EXPECT_EQ(report->EngineOptions()->NewSilentMode, report::simReThrow);
        EXPECT_EQ(report->ReportOptions()->Author, "Engineering");
        EXPECT_EQ(report->ReportOptions()->Description()->Text(), "Savings\r\n");
        EXPECT_EQ(report->PrintOptions()->Copies, 2);
        EXPECT_EQ(report->OnStartReport, "Start");
        EXPECT_EQ(report->Version(), "4.6.5");
        auto* inner = dynamic_cast<TrptTestView*>(report->FindObject("inner"));
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->Owner(), report);
        ASSERT_EQ(inner->Lines()->Count(), 2);
        EXPECT_EQ(inner->Lines()->Strings(0), u"\u041f\u0440\u0438\u0432\u0435\u0442");
        // Written again, the same bytes.
        EXPECT_EQ(report_test::StoreBinary(*read), binary);
    }
}

TEST_F(StoredFormTest, WithoutStoreInDFMNoObjectIsStored)
{
    TSampleForm form(nullptr);
    Fill(form);
    auto* report = dynamic_cast<TrptReport*>(form.FindComponent("Report1"));
    report->SetStoreInDFM(false);
    const std::string text = classes::ObjectBinaryToText(report_test::StoreBinary(form));
    EXPECT_EQ(text.find("TrptDataPage"), std::string::npos) << text;
    EXPECT_NE(text.find("StoreInDFM = False"), std::string::npos) << text;
    std::unique_ptr<TSampleForm> read = report_test::LoadSampleForm(report_test::StoreBinary(form));
    auto* readReport = dynamic_cast<TrptReport*>(read->FindComponent("Report1"));
    ASSERT_NE(readReport, nullptr);
    EXPECT_EQ(readReport->PagesCount(), 0);
    EXPECT_EQ(readReport->PreviewOptions()->Modal, false);
}

// The wide list's older stored form: 8-bit entries through the process code page, wide ones as they are.
TEST_F(StoredFormTest, WideStringListsReadTheOlderForm)
{
    const std::string text = "object Form1: TSampleForm\n"
                             "  object Report1: TrptReport\n"
                             "    object Page1: TrptDataPage\n"
                             "      object Memo1: TrptTestView\n"
                             "        Lines.Strings = (\n"
                             "          'caf'#233\n"
                             "          W'wide '#1046)\n"
                             "      end\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    std::unique_ptr<TSampleForm> read = report_test::LoadSampleForm(classes::ObjectTextToBinary(text));
    auto* report = dynamic_cast<TrptReport*>(read->FindComponent("Report1"));
    ASSERT_NE(report, nullptr);
    auto* memo = dynamic_cast<TrptTestView*>(report->FindObject("Memo1"));
    ASSERT_NE(memo, nullptr);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(0), rtl::AnsiToWide("caf\xE9"));
    EXPECT_EQ(memo->Lines()->Strings(1), u"wide \u0416");
    // Written again in the current form.
    const std::string again = classes::ObjectBinaryToText(report_test::StoreBinary(*read));
    EXPECT_NE(again.find("Lines.UTF8 = ("), std::string::npos) << again;
    EXPECT_EQ(again.find("Lines.Strings"), std::string::npos) << again;
}

// Stored data of an inherited window names the report's objects it changes; those the reader does not
// find among the owner's components are the report's objects of that name.
TEST_F(StoredFormTest, InheritedObjectsAreFoundInTheReport)
{
    TSampleForm form(nullptr);
    Fill(form);
    const std::string text = "object Form1: TSampleForm\n"
                             "  inherited Report1: TrptReport\n"
                             "    inherited Page1: TrptDataPage\n"
                             "      inherited Memo1: TrptTestView\n"
                             "        Left = 99.0d\n"
                             "      end\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    rtl::TStringStream stream(classes::ObjectTextToBinary(text));
    classes::TReader reader(stream);
    reader.ReadRootComponent(&form);
    auto* report = dynamic_cast<TrptReport*>(form.FindComponent("Report1"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->FindObject("Memo1")->Left(), 99);
    EXPECT_EQ(report->PagesCount(), 2);
}

}  // namespace
