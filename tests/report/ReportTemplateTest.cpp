// The report's side of templates: passwords, what a load keeps, the data page, ancestor templates, and
// the run that leaves the report as it was.
#include "report/rptReport.h"

#include "platform/rtl/FileUtils.h"
#include "report/rptDataSet.h"
#include "report/rptPage.h"
#include "tests/report/ReportFakes.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::LoadTemplate;
using report_test::SavedTemplate;
using report_test::TrptKindsView;

class ReportTemplateTest : public report_test::ReportTest {
protected:
    ReportTemplateTest() { report_test::RegisterTemplateClasses(); }
    ~ReportTemplateTest() override { report::SetPasswordWindowFactory(nullptr); }

    static std::string Template(const std::string& body)
    {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TrptReport>" + body + "</TrptReport>";
    }

    static TrptKindsView* Kinds(TrptReport& report, const char* name)
    {
        return dynamic_cast<TrptKindsView*>(report.FindObject(name));
    }
};

// The password is stored with every character code lowered by 10, modulo 256.
TEST_F(ReportTemplateTest, PasswordIsStoredShifted)
{
    const std::pair<std::string, std::string> cases[] = {{"abc", "WXY"}, {"\x05", "\xFB"}, {"", ""}};
    for (const auto& [password, stored] : cases) {
        TrptReport report(nullptr);
        report.ReportOptions()->Password = password;
        const std::string text = SavedTemplate(report);
        EXPECT_EQ(report.ReportOptions()->Password, password);
        const std::string attribute = " ReportOptions.Password=\"" + stored + "\"";
        EXPECT_EQ(text.find(attribute) != std::string::npos, !password.empty()) << text;

        report_test::PasswordAnswers answers{{{true, password}}};
        report::SetPasswordWindowFactory([&] { return std::make_unique<report_test::AnsweringPasswordWindow>(answers); });
        auto read = report_test::SilentReport();
        LoadTemplate(*read, text);
        EXPECT_EQ(read->ReportOptions()->Password, password);
        EXPECT_EQ(answers.asked, password.empty() ? 0 : 1);
    }
}

// A template with a password asks once when it is loaded; the run's reload does not ask again. A
// wrong password drops the template.
TEST_F(ReportTemplateTest, PasswordIsAskedOnce)
{
    testsupport::ScratchFolder folder;
    {
        TrptReport report(nullptr);
        report_test::FillGoldenReport(report);
        report.ReportOptions()->Password = "abc";
        report.SaveToFile(folder.Path("secret.xml"));
    }
    report_test::Fakes fakes;
    report_test::PasswordAnswers answers{{{true, "abc"}, {true, "abc"}, {true, "abc"}}};
    report::SetPasswordWindowFactory([&] { return std::make_unique<report_test::AnsweringPasswordWindow>(answers); });
    auto report = report_test::SilentReport();
    EXPECT_TRUE(report->LoadFromFile(folder.Path("secret.xml")));
    EXPECT_EQ(answers.asked, 1);
    EXPECT_NE(report->FindObject("Kinds1"), nullptr);
    EXPECT_TRUE(report->PrepareReport());
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(report->ReportOptions()->Password, "abc");
    EXPECT_NE(report->FindObject("Kinds1"), nullptr);

    report_test::PasswordAnswers wrong{{{true, "abd"}}};
    report::SetPasswordWindowFactory([&] { return std::make_unique<report_test::AnsweringPasswordWindow>(wrong); });
    auto other = report_test::SilentReport();
    EXPECT_TRUE(other->LoadFromFile(folder.Path("secret.xml")));
    EXPECT_EQ(wrong.asked, 1);
    EXPECT_EQ(other->PagesCount(), 0);
    EXPECT_EQ(other->Errors().Text(), "Invalid password\r\n");
}

// A load keeps what the application set, except the options the template decides: ConvertNulls,
// DoublePass and the outline, thumbnail and page-cache options.
TEST_F(ReportTemplateTest, LoadKeepsTheApplicationsOptions)
{
    TrptReport source(nullptr);
    report::TrptEngineOptions& theirs = *source.EngineOptions();
    theirs.ConvertNulls = false;
    theirs.DoublePass = true;
    theirs.MaxMemSize = 44;
    theirs.PrintIfEmpty = false;
    theirs.NewSilentMode = report::simReThrow;
    theirs.TempDir = "U";
    theirs.UseFileCache = false;
    report::TrptPreviewOptions& theirPreview = *source.PreviewOptions();
    theirPreview.AllowEdit = false;
    theirPreview.Buttons = 2;
    theirPreview.Maximized = false;
    theirPreview.Modal = false;
    theirPreview.OutlineExpand = false;
    theirPreview.OutlineVisible = true;
    theirPreview.OutlineWidth = 150;
    theirPreview.PagesInCache = 9;
    theirPreview.ThumbnailVisible = true;
    theirPreview.Zoom = 3;
    theirPreview.ZoomMode = report::zmManyPages;
    source.SetIniFile("theirs.ini");
    source.SetShowProgress(false);
    source.SetStoreInDFM(false);
    source.SetOldStyleProgress(true);
    const std::string text = SavedTemplate(source);

    report_test::CallLog log;
    report_test::FakePreview preview(log);
    TrptReport report(nullptr);
    report::TrptEngineOptions& mine = *report.EngineOptions();
    mine.MaxMemSize = 33;
    mine.NewSilentMode = report::simSilent;
    mine.TempDir = "T";
    mine.UseFileCache = true;
    mine.DestroyForms = false;
    report::TrptPreviewOptions& myPreview = *report.PreviewOptions();
    myPreview.Buttons = 1;
    myPreview.MDIChild = true;
    myPreview.Zoom = 2;
    myPreview.ZoomMode = report::zmPageWidth;
    myPreview.RightToLeft = true;
    report.SetIniFile("mine.ini");
    report.SetPreview(&preview);
    LoadTemplate(report, text);
    EXPECT_EQ(report.Errors().Text(), "");
    // Taken from the template.
    EXPECT_FALSE(mine.ConvertNulls);
    EXPECT_TRUE(mine.DoublePass);
    EXPECT_FALSE(myPreview.OutlineExpand);
    EXPECT_TRUE(myPreview.OutlineVisible);
    EXPECT_EQ(myPreview.OutlineWidth, 150);
    EXPECT_EQ(myPreview.PagesInCache, 9);
    EXPECT_TRUE(myPreview.ThumbnailVisible);
    // Kept.
    EXPECT_EQ(mine.MaxMemSize, 33);
    EXPECT_TRUE(mine.PrintIfEmpty);
    EXPECT_EQ(mine.NewSilentMode, report::simSilent);
    EXPECT_EQ(mine.TempDir, "T");
    EXPECT_TRUE(mine.UseFileCache);
    EXPECT_FALSE(mine.DestroyForms);
    EXPECT_TRUE(myPreview.AllowEdit);
    EXPECT_EQ(myPreview.Buttons, 1);
    EXPECT_TRUE(myPreview.Maximized);
    EXPECT_TRUE(myPreview.MDIChild);
    EXPECT_TRUE(myPreview.Modal);
    EXPECT_EQ(myPreview.Zoom, 2);
    EXPECT_EQ(myPreview.ZoomMode, report::zmPageWidth);
    EXPECT_TRUE(myPreview.RightToLeft);
    EXPECT_EQ(report.IniFile(), "mine.ini");
    EXPECT_TRUE(report.ShowProgress());
    EXPECT_TRUE(report.StoreInDFM());
    EXPECT_FALSE(report.OldStyleProgress());
    EXPECT_EQ(report.Preview(), &preview);
}

TEST_F(ReportTemplateTest, EveryTemplateHasADataPageFirst)
{
    auto report = report_test::SilentReport();
    LoadTemplate(*report, Template("<TrptKindsView Name=\"K\"/>"));
    ASSERT_EQ(report->PagesCount(), 2);
    EXPECT_EQ(report->Pages(0)->ClassName(), "TrptDataPage");
    EXPECT_EQ(report->Pages(0)->Name(), "Data");
    EXPECT_EQ(report->Objects()[1]->Name(), "K");

    // An object named Data gives the page another name.
    LoadTemplate(*report, Template("<TrptKindsView Name=\"Data\"/>"));
    ASSERT_EQ(report->PagesCount(), 2);
    EXPECT_EQ(report->Pages(0)->ClassName(), "TrptDataPage");
    EXPECT_EQ(report->Pages(0)->Name(), "DataPage1");

    // A template with a data page keeps it where it is.
    LoadTemplate(*report, Template("<TrptKindsView Name=\"K\"/><TrptDataPage Name=\"Mine\"/>"));
    ASSERT_EQ(report->PagesCount(), 2);
    EXPECT_EQ(report->Objects()[1]->Name(), "Mine");

    // Data components that are on no data page move onto the new one, side by side.
    LoadTemplate(*report, Template("<TrptKindsView Name=\"K\"><TrptUserDataSet Name=\"U1\"/></TrptKindsView>"
                                   "<TrptUserDataSet Name=\"U2\" PropData=\"05704C6566740205\"/><TrptUserDataSet Name=\"U3\"/>"));
    EXPECT_EQ(report->Errors().Text(), "");
    report::TrptPage* page = report->Pages(0);
    ASSERT_EQ(page->Objects().size(), 3u);
    const std::pair<const char*, double> placed[] = {{"U1", 60}, {"U2", 124}, {"U3", 188}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(page->Objects()[i]->Name(), placed[i].first);
        EXPECT_EQ(page->Objects()[i]->Left(), placed[i].second);
        EXPECT_EQ(page->Objects()[i]->Top(), 20);
    }
}

// A report with an ancestor template writes the ancestor's objects as "inherited" elements with only
// what changed, and reads back to the same objects.
TEST_F(ReportTemplateTest, InheritedTemplatesHoldOnlyTheChanges)
{
    testsupport::ScratchFolder folder;
    {
        TrptReport base(nullptr);
        report_test::FillGoldenReport(base);
        auto* second = new TrptKindsView(base.FindObject("Data"));
        second->SetName("Kinds2");
        second->Count = 2;
        base.SaveToFile(folder.Path("base.xml"));
    }
    auto report = report_test::SilentReport();
    report->SetParentReport(folder.Path("base.xml"));
    EXPECT_EQ(report->Errors().Text(), "");
    ASSERT_NE(report->ParentReportObject(), nullptr);
    for (const char* name : {"Data", "Kinds1", "Kinds2", "Users"}) {
        ASSERT_NE(report->FindObject(name), nullptr) << name;
        EXPECT_TRUE(report->FindObject(name)->FromAncestor()) << name;
    }
    Kinds(*report, "Kinds1")->Count = 9;
    Kinds(*report, "Kinds1")->Lines()->Add("third");
    auto* added = new TrptKindsView(report->FindObject("Data"));
    added->SetName("Added");
    added->Level = 3;
    const std::string text = SavedTemplate(*report);
    EXPECT_NE(text.find("\r\n  <inherited Name=\"Data\">\r\n"
                        "    <inherited Name=\"Kinds1\" Count=\"9\" Lines.Text=\"first&#13;&#10;second&#13;&#10;third\"/>\r\n"
                        "    <inherited Name=\"Users\"/>\r\n"
                        "    <inherited Name=\"Kinds2\"/>\r\n"
                        "    <TrptKindsView Name=\"Added\" "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" Level=\"3\""), std::string::npos);

    auto read = report_test::SilentReport();
    LoadTemplate(*read, text);
    EXPECT_EQ(read->Errors().Text(), "");
    EXPECT_EQ(Kinds(*read, "Kinds1")->Count, 9);
    EXPECT_EQ(Kinds(*read, "Kinds1")->Lines()->Count(), 3);
    EXPECT_EQ(Kinds(*read, "Kinds1")->Link(), read->FindObject("Users"));
    EXPECT_EQ(Kinds(*read, "Kinds2")->Count, 2);
    EXPECT_EQ(Kinds(*read, "Added")->Level, 3);
    EXPECT_FALSE(read->FindObject("Added")->FromAncestor());
    EXPECT_EQ(SavedTemplate(*read), text);

    // Without its ancestor the report is its own again.
    read->SetParentReport("");
    EXPECT_FALSE(read->FindObject("Kinds1")->FromAncestor());
    EXPECT_EQ(read->ParentReportObject(), nullptr);
    EXPECT_EQ(SavedTemplate(*read).find("inherited"), std::string::npos);
}

// SaveToFile stores an absolute ancestor name relative to the file's folder; loading the file finds
// the ancestor there.
TEST_F(ReportTemplateTest, AncestorNamesAreStoredRelative)
{
    testsupport::ScratchFolder folder;
    {
        TrptReport base(nullptr);
        report_test::FillGoldenReport(base);
        base.SaveToFile(folder.Path("base.xml"));
    }
    auto report = report_test::SilentReport();
    report->SetParentReport(folder.Path("base.xml"));
    report->SaveToFile(folder.Path("child.xml"));
    EXPECT_EQ(report->ParentReport(), folder.Path("base.xml"));
    EXPECT_NE(folder.ReadFile("child.xml").find(" ParentReport=\"base.xml\""), std::string::npos);
    ASSERT_TRUE(rtl::ForceDirectories(folder.Path("sub")));
    report->SaveToFile(folder.Path("sub/child.xml"));
    EXPECT_NE(folder.ReadFile("sub/child.xml").find(" ParentReport=\"../base.xml\""), std::string::npos);

    for (const char* file : {"child.xml", "sub/child.xml"}) {
        auto read = report_test::SilentReport();
        EXPECT_TRUE(read->LoadFromFile(folder.Path(file)));
        EXPECT_EQ(read->Errors().Text(), "") << file;
        ASSERT_NE(read->FindObject("Kinds1"), nullptr) << file;
        EXPECT_TRUE(read->FindObject("Kinds1")->FromAncestor());
    }
}

// OnLoadTemplate loads the ancestor in the report's place.
TEST_F(ReportTemplateTest, ApplicationsLoadAncestors)
{
    struct Loader {
        std::string asked;
        void Load(TrptReport* report, const std::string& name)
        {
            asked = name;
            LoadTemplate(*report, "<?xml version=\"1.0\"?><TrptReport><TrptKindsView Name=\"FromApp\"/></TrptReport>");
        }
    } loader;
    auto report = report_test::SilentReport();
    report->OnLoadTemplate = rtl::MethodOf<&Loader::Load>(&loader);
    LoadTemplate(*report, "<?xml version=\"1.0\"?><TrptReport ParentReport=\"virtual\"><TrptKindsView Name=\"Own\"/></TrptReport>");
    EXPECT_EQ(loader.asked, "virtual");
    ASSERT_NE(report->FindObject("FromApp"), nullptr);
    EXPECT_TRUE(report->FindObject("FromApp")->FromAncestor());
    EXPECT_EQ(report->ParentReport(), "virtual");
    ASSERT_NE(report->FindObject("Own"), nullptr);
    EXPECT_FALSE(report->FindObject("Own")->FromAncestor());
}

// An ancestor chain that comes back to a file being loaded ends there with its line.
TEST_F(ReportTemplateTest, CircularAncestorsEnd)
{
    testsupport::ScratchFolder folder;
    auto file = [&](const char* name, const char* parent, const char* object) {
        folder.WriteFile(name, std::string("<?xml version=\"1.0\"?><TrptReport ParentReport=\"") + parent + "\"><TrptKindsView Name=\""
                                   + object + "\"/></TrptReport>");
    };
    file("a.xml", "b.xml", "FromA");
    file("b.xml", "a.xml", "FromB");
    file("self.xml", "self.xml", "FromSelf");
    auto report = report_test::SilentReport();
    EXPECT_TRUE(report->LoadFromFile(folder.Path("a.xml")));
    EXPECT_EQ(report->Errors().Text(), "Circular ancestor template: " + folder.Path("a.xml") + "\r\n");
    ASSERT_NE(report->FindObject("FromA"), nullptr);
    ASSERT_NE(report->FindObject("FromB"), nullptr);
    EXPECT_TRUE(report->FindObject("FromB")->FromAncestor());
    EXPECT_FALSE(report->FindObject("FromA")->FromAncestor());

    EXPECT_TRUE(report->LoadFromFile(folder.Path("self.xml")));
    EXPECT_EQ(report->Errors().Text(), "Circular ancestor template: " + folder.Path("self.xml") + "\r\n");
    EXPECT_NE(report->FindObject("FromSelf"), nullptr);
    EXPECT_EQ(report->FindObject("FromA"), nullptr);
}

// Each data set the report names that does not exist is a line, and neither script nor engine runs.
TEST_F(ReportTemplateTest, MissingDataSetsStopTheRun)
{
    report_test::Fakes fakes;
    auto report = report_test::SilentReport();
    report::TrptUserDataSet present(nullptr);
    present.SetName("Present");
    for (const char* name : {"Ghost1", "Present", "Ghost2"})
        report->DataSets()->Add()->SetDataSetName(name);
    EXPECT_EQ(report->DataSets()->Items(1)->DataSet(), &present);
    EXPECT_FALSE(report->PrepareReport());
    EXPECT_EQ(report->Errors().Text(), "Dataset \"Ghost1\" does not exist\r\nDataset \"Ghost2\" does not exist\r\n");
    EXPECT_EQ(fakes.log.calls, std::vector<std::string>{"Pages.Clear"});
}

// With DestroyForms a run leaves the report as it was, whatever the engine and OnBeforePrint changed;
// without it the changes stay.
TEST_F(ReportTemplateTest, RunsLeaveTheReportAsItWas)
{
    for (bool destroyForms : {true, false}) {
        SCOPED_TRACE(destroyForms ? "DestroyForms" : "kept");
        report_test::Fakes fakes;
        auto report = report_test::SilentReport();
        report_test::FillGoldenReport(*report);
        report->EngineOptions()->DestroyForms = destroyForms;
        report->ReportOptions()->Password = "pw";
        struct Application {
            void BeforePrint(report::TrptReportComponent* object)
            {
                if (auto* kinds = dynamic_cast<TrptKindsView*>(object))
                    kinds->Caption = "filled";
            }
        } application;
        report->OnBeforePrint = rtl::MethodOf<&Application::BeforePrint>(&application);
        fakes.engine->run = [&](report_test::FakeEngine&) {
            auto* kinds = Kinds(*report, "Kinds1");
            kinds->Count = 99;
            report->FireBeforePrint(kinds);
            new TrptKindsView(report->FindObject("Data"));
            report->Errors().Add("engine trouble");
            return true;
        };
        const std::string before = SavedTemplate(*report);
        EXPECT_FALSE(report->PrepareReport());
        EXPECT_EQ(report->Errors().Text(), "engine trouble\r\n");
        EXPECT_EQ(report->ReportOptions()->Password, "pw");
        EXPECT_EQ(SavedTemplate(*report) == before, destroyForms);
        EXPECT_EQ(Kinds(*report, "Kinds1")->Count, destroyForms ? 7 : 99);
        EXPECT_EQ(Kinds(*report, "Kinds1")->Caption, destroyForms ? "Savings & \"Co\"" : "filled");
    }
}

}  // namespace
