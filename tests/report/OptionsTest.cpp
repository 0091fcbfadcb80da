#include "report/rptReportOptions.h"

#include "platform/gui/graphics/Picture.h"
#include "platform/registry/Registry.h"
#include "platform/rtl/Clock.h"
#include "platform/services/DialogService.h"
#include "report/rptReport.h"
#include "report/rptWindows.h"
#include "tests/report/ReportFakes.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/ScratchRegistry.h"

#include <gtest/gtest.h>

namespace {

using report::TrptReport;

class OptionsTest : public report_test::ReportTest {};

TEST_F(OptionsTest, NewOptionsHoldTheirDefaults)
{
    TrptReport report(nullptr);
    const report::TrptEngineOptions& engine = *report.EngineOptions();
    EXPECT_TRUE(engine.ConvertNulls);
    EXPECT_FALSE(engine.DoublePass);
    EXPECT_EQ(engine.MaxMemSize, 10);
    EXPECT_TRUE(engine.PrintIfEmpty);
    EXPECT_EQ(engine.NewSilentMode, report::simMessageBoxes);
    EXPECT_TRUE(engine.DestroyForms);
    EXPECT_FALSE(engine.ThreadSafeMode);
    EXPECT_TRUE(engine.UseGlobalDataSetList);

    const report::TrptPreviewOptions& preview = *report.PreviewOptions();
    for (int button = report::pbPrint; button <= report::pbNoEmail; ++button)
        EXPECT_EQ((preview.Buttons >> button & 1) != 0, button <= report::pbExportQuick) << button;
    EXPECT_EQ(preview.OutlineWidth, 120);
    EXPECT_EQ(preview.PagesInCache, 50);
    EXPECT_EQ(preview.Zoom, 1.0);
    EXPECT_TRUE(preview.Modal);
    EXPECT_TRUE(preview.Maximized);

    const report::TrptPrintOptions& print = *report.PrintOptions();
    EXPECT_EQ(print.Printer, "Default");
    EXPECT_EQ(print.Copies, 1);
    EXPECT_TRUE(print.Collate);
    EXPECT_TRUE(print.ShowDialog);
    EXPECT_EQ(print.PrintPages, report::ppAll);
}

TEST_F(OptionsTest, SilentModeIsTheOlderFormOfNewSilentMode)
{
    report::TrptEngineOptions options;
    options.SetSilentMode(true);
    EXPECT_TRUE(options.SilentMode());
    EXPECT_EQ(options.NewSilentMode, report::simSilent);
    options.NewSilentMode = report::simReThrow;
    EXPECT_FALSE(options.SilentMode());
    options.SetSilentMode(false);
    EXPECT_EQ(options.NewSilentMode, report::simMessageBoxes);
}

// Assign copies what is stored, never what belongs to a run; other classes are ignored.
TEST_F(OptionsTest, AssignCopiesThePublishedOptions)
{
    report::TrptEngineOptions engine, engineCopy;
    engine.DoublePass = true;
    engine.MaxMemSize = 3;
    engine.TempDir = "/x";
    engine.NewSilentMode = report::simReThrow;
    engine.ThreadSafeMode = true;
    engine.DestroyForms = false;
    engineCopy.Assign(&engine);
    EXPECT_TRUE(engineCopy.DoublePass);
    EXPECT_EQ(engineCopy.MaxMemSize, 3);
    EXPECT_EQ(engineCopy.TempDir, "/x");
    EXPECT_EQ(engineCopy.NewSilentMode, report::simReThrow);
    EXPECT_FALSE(engineCopy.ThreadSafeMode);
    EXPECT_TRUE(engineCopy.DestroyForms);
    report::TrptPreviewOptions preview;
    engineCopy.Assign(&preview);
    EXPECT_TRUE(engineCopy.DoublePass);

    report::TrptPreviewOptions previewCopy;
    preview.RightToLeft = true;
    preview.Zoom = 2.5;
    preview.Buttons = 1 << report::pbNoClose;
    previewCopy.Assign(&preview);
    EXPECT_TRUE(previewCopy.RightToLeft);
    EXPECT_EQ(previewCopy.Zoom, 2.5);
    EXPECT_EQ(previewCopy.Buttons, 1 << report::pbNoClose);

    report::TrptPrintOptions print, printCopy;
    print.Printer = "Laser";
    print.Copies = 3;
    print.SheetPageCount = 9;
    printCopy.Assign(&print);
    EXPECT_EQ(printCopy.Printer, "Laser");
    EXPECT_EQ(printCopy.Copies, 3);
    EXPECT_EQ(printCopy.SheetPageCount, 0);

    TrptReport report(nullptr);
    report::TrptReportOptions info, infoCopy;
    info.Author = "A. Author";
    info.Description()->Add("line");
    info.SetConnectionName("Main");
    info.VersionMajor = "2";
    info.InfoOnly = true;
    infoCopy.Assign(&info);
    EXPECT_EQ(infoCopy.Author, "A. Author");
    EXPECT_EQ(infoCopy.Description()->Text(), "line\r\n");
    EXPECT_EQ(infoCopy.ConnectionName(), "Main");
    EXPECT_EQ(infoCopy.VersionMajor, "2");
    EXPECT_FALSE(infoCopy.InfoOnly);

    // The report's setters copy into its own objects.
    report::TrptEngineOptions* own = report.EngineOptions();
    report.SetEngineOptions(&engine);
    EXPECT_EQ(report.EngineOptions(), own);
    EXPECT_EQ(own->MaxMemSize, 3);
}

TEST_F(OptionsTest, ClearingResetsItsPart)
{
    report::TrptEngineOptions engine;
    engine.ConvertNulls = false;
    engine.DoublePass = true;
    engine.MaxMemSize = 3;
    engine.Clear();
    EXPECT_TRUE(engine.ConvertNulls);
    EXPECT_FALSE(engine.DoublePass);
    EXPECT_EQ(engine.MaxMemSize, 3);

    report::TrptPreviewOptions preview;
    preview.OutlineVisible = preview.ThumbnailVisible = true;
    preview.OutlineWidth = 7;
    preview.PagesInCache = 1;
    preview.Modal = false;
    preview.Clear();
    EXPECT_FALSE(preview.OutlineVisible);
    EXPECT_FALSE(preview.ThumbnailVisible);
    EXPECT_EQ(preview.OutlineWidth, 120);
    EXPECT_EQ(preview.PagesInCache, 50);
    EXPECT_FALSE(preview.Modal);

    report::TrptPrintOptions print;
    print.Printer = "Laser";
    print.Reverse = true;
    print.Clear();
    EXPECT_EQ(print.Printer, "Default");
    EXPECT_FALSE(print.Reverse);
}

// The dates come from the clock; info-only options keep what describes the report.
TEST_F(OptionsTest, ReportOptionsClear)
{
    rtl::VirtualClock clock(45000.25);
    rtl::ScopedClock useClock(clock);
    report::TrptReportOptions options;
    EXPECT_EQ(options.CreateDate, 45000.25);
    EXPECT_EQ(options.LastChange, 45000.25);
    auto fill = [&] {
        options.Author = "Author";
        options.Description()->Add("about");
        options.Password = "secret";
        options.Name = "Report";
        options.InitString = "init";
        options.VersionBuild = "7";
        options.SetConnectionName("Main");
    };
    fill();
    clock.SetNow(45001.5);
    options.InfoOnly = true;
    options.Clear();
    EXPECT_EQ(options.Author, "Author");
    EXPECT_EQ(options.Description()->Count(), 1);
    EXPECT_EQ(options.VersionBuild, "7");
    EXPECT_EQ(options.CreateDate, 45000.25);
    EXPECT_EQ(options.Password, "");
    EXPECT_EQ(options.Name, "");
    EXPECT_EQ(options.InitString, "");
    EXPECT_EQ(options.ConnectionName(), "");

    fill();
    options.InfoOnly = false;
    options.Clear();
    EXPECT_EQ(options.Author, "");
    EXPECT_EQ(options.Description()->Count(), 0);
    EXPECT_EQ(options.VersionBuild, "");
    EXPECT_EQ(options.CreateDate, 45001.5);
    EXPECT_EQ(options.LastChange, 45001.5);
    EXPECT_EQ(options.Picture()->Graphic(), nullptr);
}

using report_test::AnsweringPasswordWindow;
using report_test::PasswordAnswers;

TEST_F(OptionsTest, PasswordIsAskedOnceWhenRight)
{
    win::ScriptedDialogs dialogs;
    win::ScopedDialogService useDialogs(dialogs);
    PasswordAnswers answers{{{true, "wrong"}, {false, "secret"}, {true, "secret"}}};
    report::SetPasswordWindowFactory([&] { return std::make_unique<AnsweringPasswordWindow>(answers); });
    TrptReport report(nullptr);
    report::TrptReportOptions& options = *report.ReportOptions();
    EXPECT_TRUE(options.CheckPassword());
    EXPECT_EQ(answers.asked, 0);

    options.Password = "secret";
    EXPECT_FALSE(options.CheckPassword());
    EXPECT_FALSE(options.CheckPassword());  // cancelled
    EXPECT_EQ(report.Errors().Count(), 1);
    EXPECT_EQ(report.Errors().Strings(0), "Invalid password");
    ASSERT_EQ(dialogs.Asked().size(), 2u);
    EXPECT_EQ(dialogs.Asked()[0].text, "The following error(s) have occured:\r\nInvalid password\r\n");
    EXPECT_EQ(dialogs.Asked()[0].caption, "Error");

    EXPECT_TRUE(options.CheckPassword());
    EXPECT_TRUE(options.CheckPassword());
    EXPECT_EQ(answers.asked, 3);

    // Without a password window nobody can enter it.
    report::SetPasswordWindowFactory(nullptr);
    options.Password = "other";
    EXPECT_FALSE(options.CheckPassword());
}

struct ConnectionStrings {
    std::vector<std::string> received;
    void Receive(const std::string& text) { received.push_back(text); }
};

TEST_F(OptionsTest, ConnectionNameLooksInFourRegistryKeys)
{
    testsupport::ScratchRegistry registry;
    const std::string key = "\\Software\\Zazi Zazarev\\Connections";
    const std::pair<win::HKEY, std::string> keys[] = {{win::HKEY_CURRENT_USER, key + "VIZ"},
                                                      {win::HKEY_LOCAL_MACHINE, key},
                                                      {win::HKEY_CURRENT_USER, key},
                                                      {win::HKEY_LOCAL_MACHINE, key + "VIZ"}};
    for (const auto& [root, path] : keys) {
        win::TRegistry writer;
        writer.SetRootKey(root);
        ASSERT_TRUE(writer.OpenKey(path, true));
        writer.WriteString("Main", (root == win::HKEY_CURRENT_USER ? "user " : "machine ") + path.substr(key.size()));
        writer.WriteString("Empty", "");
        writer.WriteInteger("Number", 5);
    }
    TrptReport report(nullptr);
    ConnectionStrings strings;
    report.ReportOptions()->SetConnectionName("Main");
    EXPECT_TRUE(strings.received.empty());

    report.OnConnectionString = rtl::MethodOf<&ConnectionStrings::Receive>(&strings);
    report.ReportOptions()->SetConnectionName("main");
    EXPECT_EQ(strings.received, (std::vector<std::string>{"machine ", "user ", "machine VIZ", "user VIZ"}));
    EXPECT_EQ(report.ReportOptions()->ConnectionName(), "main");
    strings.received.clear();
    for (const char* name : {"Empty", "Number", "Missing", ""})
        report.ReportOptions()->SetConnectionName(name);
    EXPECT_TRUE(strings.received.empty());
}

}  // namespace
