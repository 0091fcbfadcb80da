#include "report/rptReport.h"

#include "platform/classes/Reflection.h"
#include "platform/registry/RegistryIniFile.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/DialogService.h"
#include "platform/win/testing/TestDriver.h"
#include "report/rptPage.h"
#include "report/rptRes.h"
#include "tests/report/ReportFakes.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TreeSupport.h"
#include "tests/support/Lines.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;
using report_test::Fakes;
using testsupport::LinesOf;
using Calls = std::vector<std::string>;

class ReportTest : public report_test::ReportTest {
protected:
    // The calls logged since the last look.
    Calls Take()
    {
        Calls calls;
        calls.swap(fakes.log.calls);
        return calls;
    }

    win::ScriptedDialogs dialogs;
    win::ScopedDialogService useDialogs{dialogs};
    Fakes fakes;
};

struct Events {
    report_test::CallLog& log;
    void BeginDoc(classes::TObject*) { log.Add("OnBeginDoc"); }
    void EndDoc(classes::TObject*) { log.Add("OnEndDoc"); }
    void Preview(classes::TObject*) { log.Add("OnPreview"); }
    void BeforePrint(report::TrptReportComponent* object) { log.Add("OnBeforePrint " + object->Name()); }
    void Progress(TrptReport*, report::TrptProgressType type, int progress)
    {
        log.Add("OnProgress " + std::to_string(type) + " " + std::to_string(progress));
    }
    void ProgressStart(TrptReport*, report::TrptProgressType type, int) { log.Add("OnProgressStart " + std::to_string(type)); }
    void ProgressStop(TrptReport*, report::TrptProgressType type, int) { log.Add("OnProgressStop " + std::to_string(type)); }
};

TEST_F(ReportTest, NewReportState)
{
    TrptReport report(nullptr);
    EXPECT_EQ(LinesOf(*report.ScriptText()), (Calls{"begin", "", "end."}));
    EXPECT_EQ(report.ScriptLanguage(), "ZododuVudizu");
    EXPECT_EQ(report.Version(), "4.6.5");
    classes::SetPropValue(report, "Version", rtl::Variant("1.0"));
    EXPECT_EQ(classes::GetPropValue(report, "Version").ToString(), "4.6.5");
    EXPECT_EQ(LinesOf(report.SysVariables()),
              (Calls{"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#", "CopyName#"}));
    EXPECT_EQ(report.IniFile(), "\\Software\\Zazi Zazarev");
    EXPECT_TRUE(report.ShowProgress());
    EXPECT_TRUE(report.StoreInDFM());
    EXPECT_FALSE(report.OldStyleProgress());
    EXPECT_FALSE(report.DotMatrixReport());
    EXPECT_EQ(report.PagesCount(), 0);
    EXPECT_FALSE(report.Terminated());
    EXPECT_TRUE(report.Errors().Sorted());

    // Engine and prepared pages know each other; the script has the messages of the string table.
    ASSERT_EQ(report.Engine(), fakes.engine);
    EXPECT_EQ(fakes.engine->PreviewPages(), fakes.pages);
    EXPECT_EQ(fakes.pages->Engine(), fakes.engine);
    EXPECT_EQ(&fakes.engine->Report(), &report);
    EXPECT_EQ(fakes.script->received[5], "Undeclared identifier: ");

    EXPECT_FALSE(report.DesignPreviewPage());
    report.DesignReport();
    EXPECT_TRUE(Take().empty());
    EXPECT_NO_THROW(report::rptGlobalLock().Enter());
    report::rptGlobalLock().Leave();
}

TEST_F(ReportTest, ClearKeepsWhatIsNotTheReportsContent)
{
    TrptReport report(nullptr);
    new report::TrptDataPage(&report);
    report.ScriptText()->SetText("x");
    report.SetScriptLanguage("JScript");
    report.SetDotMatrixReport(true);
    report.OnStartReport = "Start";
    report.OnReportPrint = "Printing";
    report.SysVariables().Add("More");
    report.Errors().Add("kept");
    report.SetIniFile("settings.ini");
    report.SetShowProgress(false);
    report.EngineOptions()->DoublePass = true;
    report.Clear();
    EXPECT_EQ(report.PagesCount(), 0);
    EXPECT_EQ(LinesOf(*report.ScriptText()), (Calls{"begin", "", "end."}));
    EXPECT_EQ(report.ScriptLanguage(), "ZododuVudizu");
    EXPECT_FALSE(report.DotMatrixReport());
    EXPECT_EQ(report.OnStartReport, "");
    EXPECT_EQ(report.OnReportPrint, "Printing");
    EXPECT_EQ(report.SysVariables().Count(), 9);
    EXPECT_EQ(LinesOf(report.Errors()), Calls{"kept"});
    EXPECT_EQ(report.IniFile(), "settings.ini");
    EXPECT_FALSE(report.ShowProgress());
    EXPECT_FALSE(report.EngineOptions()->DoublePass);
}

// The same error, in any letters, is listed once; the list is sorted without regard to case.
TEST_F(ReportTest, ErrorsAreListedOnceAndSorted)
{
    TrptReport report(nullptr);
    fakes.engine->run = [&](report_test::FakeEngine&) {
        for (const char* error : {"beta failed", "Alpha failed", "BETA FAILED", "alpha failed"})
            report.Errors().Add(error);
        return true;
    };
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(LinesOf(report.Errors()), (Calls{"Alpha failed", "beta failed"}));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, "The following error(s) have occured:\r\nAlpha failed\r\nbeta failed\r\n");
}

TEST_F(ReportTest, FailuresAreReportedAsTheSilentModeSays)
{
    TrptReport report(nullptr);
    fakes.engine->run = [](report_test::FakeEngine&) -> bool { throw rtl::EInvalidOperation("boom"); };
    const std::string text = "The following error(s) have occured:\r\nboom\r\n";

    EXPECT_FALSE(report.PrepareReport());
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, text);
    EXPECT_EQ(dialogs.Asked()[0].caption, "Error");
    EXPECT_EQ(dialogs.Asked()[0].type, win::MB_OK | win::MB_ICONSTOP);

    report.EngineOptions()->NewSilentMode = report::simSilent;
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(LinesOf(report.Errors()), Calls{"boom"});

    report.EngineOptions()->NewSilentMode = report::simReThrow;
    try {
        report.PrepareReport();
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& e) {
        EXPECT_EQ(e.Message(), text);
    }
    EXPECT_EQ(dialogs.Asked().size(), 1u);
}

TEST_F(ReportTest, PreparationRunsScriptThenEngine)
{
    TrptReport report(nullptr);
    Events events{fakes.log};
    report.OnBeginDoc = rtl::MethodOf<&Events::BeginDoc>(&events);
    report.OnEndDoc = rtl::MethodOf<&Events::EndDoc>(&events);
    report.SetTerminated(true);
    Take();

    EXPECT_TRUE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "OnBeginDoc", "Script.Prepare", "Engine.Run", "OnEndDoc"}));
    EXPECT_FALSE(report.Terminated());

    // A main block with statements runs before the engine; without ClearLastReport pages are added.
    fakes.script->hasStatements = true;
    EXPECT_TRUE(report.PrepareReport(false));
    EXPECT_EQ(Take(), (Calls{"OnBeginDoc", "Script.Prepare", "Script.Execute", "Engine.Run", "OnEndDoc"}));
    EXPECT_TRUE(dialogs.Asked().empty());
}

TEST_F(ReportTest, PreparationFailures)
{
    TrptReport report(nullptr);
    Events events{fakes.log};
    report.OnEndDoc = rtl::MethodOf<&Events::EndDoc>(&events);
    report.EngineOptions()->NewSilentMode = report::simSilent;
    Take();

    // A script that does not compile: neither its main block nor the engine runs.
    fakes.script->compiles = false;
    fakes.script->hasStatements = true;
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare"}));
    EXPECT_EQ(LinesOf(report.Errors()), Calls{"Script error at 1:5: Undeclared identifier: x"});

    // The main block raises.
    fakes.script->compiles = true;
    fakes.script->execute = [] { throw rtl::EConvertError("'x' is not a valid integer value"); };
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Script.Execute"}));
    EXPECT_EQ(LinesOf(report.Errors()), Calls{"'x' is not a valid integer value"});

    // The engine reports failure: no OnEndDoc, and an open preview window closes.
    fakes.script->execute = nullptr;
    fakes.script->hasStatements = false;
    report.PreviewOptions()->Modal = false;
    report.ShowPreparedReport();
    fakes.engine->run = [](report_test::FakeEngine&) { return false; };
    Take();
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Engine.Run", "Window.Close", "Window.Destroy"}));
    EXPECT_EQ(report.PreviewForm(), nullptr);
    EXPECT_EQ(report.Preview(), nullptr);
    EXPECT_EQ(report.Errors().Count(), 0);

    // Without a script or an engine nothing can be prepared.
    report::SetReportScriptFactory(nullptr);
    report::SetEngineFactory(nullptr);
    TrptReport bare(nullptr);
    bare.EngineOptions()->NewSilentMode = report::simSilent;
    EXPECT_FALSE(bare.PrepareReport());
    EXPECT_EQ(LinesOf(bare.Errors()), Calls{"The report has no script engine"});
}

// The preview is open before any page is prepared; the pages come on the first tick of the timer, 50 ms
// later.
TEST_F(ReportTest, ShowReportPreparesFromTheMessageLoop)
{
    rtl::VirtualClock clock;
    rtl::ScopedClock useClock(clock);
    win::TestDriver driver(clock);
    TrptReport report(nullptr);
    report.PreviewOptions()->Modal = false;
    report.PreviewOptions()->Maximized = false;
    Take();
    report.ShowReport();
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Window.Create", "Window.InitForm", "Preview.Init", "Window.ExStyle 262144",
                             "Window.ReleaseOnClose", "Window.Show"}));
    driver.Pump();
    driver.AdvanceBy(49);
    EXPECT_TRUE(Take().empty());
    driver.AdvanceBy(1);
    EXPECT_EQ(Take(), (Calls{"Script.Prepare", "Engine.Run"}));
    driver.AdvanceBy(500);
    EXPECT_TRUE(Take().empty());
    report.PreviewForm()->Close();
    EXPECT_EQ(report.PreviewForm(), nullptr);
}

TEST_F(ReportTest, OldStyleShowsThePreviewOnlyAfterASuccessfulRun)
{
    TrptReport report(nullptr);
    report.SetOldStyleProgress(true);
    report.SetShowProgress(false);
    report.EngineOptions()->NewSilentMode = report::simSilent;
    Take();
    report.ShowReport();
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Engine.Run", "Window.Create", "Window.InitForm",
                             "Preview.Init", "Window.PositionDesigned", "Window.ShowModal", "Window.Destroy"}));
    fakes.engine->run = [](report_test::FakeEngine&) { return false; };
    report.ShowReport(false);
    EXPECT_EQ(Take(), (Calls{"Script.Prepare", "Engine.Run"}));
}

TEST_F(ReportTest, PreviewWindowsAndAttachedPreviews)
{
    TrptReport report(nullptr);
    Events events{fakes.log};
    report.OnPreview = rtl::MethodOf<&Events::Preview>(&events);
    Take();

    // Modal: shown, then freed; the report forgets it and its preview.
    report.ShowPreparedReport();
    EXPECT_EQ(Take(), (Calls{"Window.Create", "Window.InitForm", "Preview.Init", "OnPreview",
                             "Window.PositionDesigned", "Window.ShowModal", "Window.Destroy"}));
    EXPECT_EQ(report.PreviewForm(), nullptr);
    EXPECT_EQ(report.Preview(), nullptr);

    // Modeless as a child of the main window: no task-bar button of its own.
    report.PreviewOptions()->Modal = false;
    report.PreviewOptions()->MDIChild = true;
    report.ShowPreparedReport();
    EXPECT_EQ(Take(), (Calls{"Window.Create", "Window.InitForm", "Preview.Init", "OnPreview",
                             "Window.PositionDesigned", "Window.ReleaseOnClose", "Window.Show"}));
    ASSERT_NE(report.PreviewForm(), nullptr);
    EXPECT_EQ(report.PreviewForm()->Report(), &report);
    EXPECT_EQ(report.Preview(), &report.PreviewForm()->Preview());
    EXPECT_EQ(report.Preview()->PreviewPages(), fakes.pages);
    report.ShowProgressText("Loading", false);
    report.ShowProgressText("Memo1", true);
    EXPECT_EQ(Take(), (Calls{"Window.Status Loading", "Window.Status Memo1 (hint)"}));
    report.PreviewForm()->Close();
    Take();

    // An attached preview is only initialised.
    report_test::FakePreview attached(fakes.log);
    report.SetPreview(&attached);
    EXPECT_EQ(attached.Report(), &report);
    report.ShowPreparedReport();
    EXPECT_EQ(Take(), Calls{"Preview.Init"});
    EXPECT_EQ(report.PreviewForm(), nullptr);
    report.SetPreview(nullptr);
    EXPECT_EQ(attached.Report(), nullptr);

    // Without a window of the preview library nothing opens.
    report::SetPreviewWindowFactory(nullptr);
    report.ShowPreparedReport();
    EXPECT_TRUE(Take().empty());
}

// A report that goes while its modeless preview window is open leaves the window alone.
TEST_F(ReportTest, PreviewWindowOutlivesItsReport)
{
    auto report = std::make_unique<TrptReport>(nullptr);
    report->PreviewOptions()->Modal = false;
    report->ShowPreparedReport();
    report::TrptPreviewWindow* window = report->PreviewForm();
    report.reset();
    EXPECT_EQ(window->Report(), nullptr);
    EXPECT_EQ(window->Preview().Report(), nullptr);
    window->Close();
}

TEST_F(ReportTest, ProgressOfOldStyleRuns)
{
    TrptReport report(nullptr);
    report.SetOldStyleProgress(true);
    Events events{fakes.log};
    report.OnProgressStart = rtl::MethodOf<&Events::ProgressStart>(&events);
    report.OnProgress = rtl::MethodOf<&Events::Progress>(&events);
    report.OnProgressStop = rtl::MethodOf<&Events::ProgressStop>(&events);
    fakes.engine->run = [&](report_test::FakeEngine& engine) {
        report.DoProgressStart(report::ptRunning);
        engine.SetFinalPass(false);
        report.DoProgress(report::ptRunning, 1);
        engine.SetFinalPass(true);
        report.DoProgress(report::ptRunning, 3);
        report.ShowProgressText("Memo3", false);
        report.DoProgressStop(report::ptRunning);
        return true;
    };
    Take();
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Engine.Run", "OnProgressStart 0", "Progress.Create",
                             "Progress.Start 0 '' 10", "OnProgress 0 1", "Progress.Message First pass: page 1",
                             "OnProgress 0 3", "Progress.Message Preparing page 3", "Progress.Message Memo3",
                             "OnProgressStop 0", "Progress.Destroy"}));

    // Cancel in the progress window stops the run and its script.
    fakes.cancelled = true;
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_TRUE(report.Terminated());
    const Calls calls = Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Script.Terminate"), calls.end());

    // Thread-safe runs show nothing and fire nothing.
    fakes.cancelled = false;
    report.EngineOptions()->ThreadSafeMode = true;
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Engine.Run"}));
}

// New-style preparation shows in the preview; printing and exporting in the progress window.
TEST_F(ReportTest, ProgressOfNewStyleRunsGoesToThePreview)
{
    TrptReport report(nullptr);
    report_test::FakePreview preview(fakes.log);
    report.SetPreview(&preview);
    Take();
    report.DoProgressStart(report::ptRunning);
    report.DoProgress(report::ptRunning, 3);
    report.DoProgressStop(report::ptRunning);
    EXPECT_EQ(Take(), (Calls{"Preview.Started", "Preview.Page 2", "Preview.Finished"}));

    report.DoProgressStart(report::ptPrinting);
    report.DoProgress(report::ptPrinting, 2);
    report.DoProgressStop(report::ptPrinting);
    report.DoProgressStart(report::ptExporting);
    report.DoProgress(report::ptExporting, 4);
    report.DoProgressStop(report::ptExporting);
    EXPECT_EQ(Take(), (Calls{"Progress.Create", "Progress.Start 0 '' 10", "Progress.Message Printing page 2",
                             "Progress.Destroy", "Progress.Create", "Progress.Start 0 '' 10",
                             "Progress.Message Exporting page 4", "Progress.Destroy"}));
    report.SetShowProgress(false);
    report.DoProgressStart(report::ptPrinting);
    report.DoProgress(report::ptPrinting, 2);
    EXPECT_TRUE(Take().empty());
}

TEST_F(ReportTest, ScriptEventsRunWhileTheEngineRuns)
{
    TrptReport report(nullptr);
    auto* page = new report::TrptDataPage(&report);
    auto* view = new report_test::TrptTestView(page);
    view->SetName("Memo1");
    view->SetOnBeforePrint("Memo1OnBeforePrint");
    Events events{fakes.log};
    report.OnBeforePrint = rtl::MethodOf<&Events::BeforePrint>(&events);
    Take();

    report.FireBeforePrint(view);
    report.RunScriptEvent(view, "Always", true);
    report.RunScriptEvent(view, "", true);
    EXPECT_EQ(Take(), (Calls{"OnBeforePrint Memo1", "Script.Call Always TrptTestView"}));

    fakes.engine->run = [&](report_test::FakeEngine&) {
        report.FireBeforePrint(view);
        report.FireAfterPrint(view);
        rtl::Variant params = rtl::VarArrayOf({rtl::Variant(1), rtl::Variant("x")});
        report.RunScriptParamEvent("Click", params);
        fakes.log.Add("param " + params.GetElement({0}).ToString());
        return true;
    };
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_EQ(Take(), (Calls{"Pages.Clear", "Script.Prepare", "Engine.Run", "OnBeforePrint Memo1",
                             "Script.Call Memo1OnBeforePrint TrptTestView", "Script.CallParams Click", "param changed"}));
}

TEST_F(ReportTest, PagesPrintingExportingAndSettings)
{
    TrptReport report(nullptr);
    auto* data = new report::TrptDataPage(&report);
    auto* second = new report::TrptDataPage(&report);
    EXPECT_EQ(report.PagesCount(), 2);
    EXPECT_EQ(report.Pages(0), data);
    EXPECT_EQ(report.Pages(1), second);
    EXPECT_THROW(report.Pages(2), rtl::EListError);

    Take();
    EXPECT_TRUE(report.Print());
    EXPECT_FALSE(report.Export(nullptr));
    EXPECT_EQ(Take(), (Calls{"Pages.Print", "Pages.Export"}));

    EXPECT_NE(dynamic_cast<win::TRegistryIniFile*>(report.GetIniFile().get()), nullptr);
    report.SetIniFile("/tmp/none/report.ini");
    const auto ini = report.GetIniFile();
    EXPECT_NE(dynamic_cast<rtl::TIniFile*>(ini.get()), nullptr);
    EXPECT_EQ(ini->FileName(), "/tmp/none/report.ini");
    EXPECT_EQ(report.GetApplicationFolder(), rtl::ProgramFolder());
}

}  // namespace
