#include "report/rptRes.h"

#include "platform/classes/Persistent.h"
#include "platform/classes/Resources.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/Modules.h"
#include "report/Report.h"
#include "report/rptReportScript.h"
#include "report/rptUtils.h"
#include "report/rptXML.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using report::rptGetResources;

std::string Table(const std::string& entries, const std::string& codePage = "1252")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><Resources CodePage=\"" + codePage + "\">" + entries
         + "</Resources>";
}

class ResourcesTest : public report_test::ReportTest {};

TEST_F(ResourcesTest, LibraryTextsAreThere)
{
    report::TrptResources& res = rptGetResources();
    EXPECT_EQ(res.Get("207"), "Other");
    EXPECT_EQ(res.Get("211"), "Order");
    EXPECT_EQ(res.Get("poReverse"), "Reverse (9-1)");
    EXPECT_EQ(res.Get("prDefault"), "Default");
    EXPECT_EQ(res.Get("PRDEFAULT"), "Default");
    EXPECT_EQ(res.Get("clDSNotExist"), "Dataset \"%s\" does not exist");
    EXPECT_EQ(res.Get("clErrors"), "The following error(s) have occured:");
    EXPECT_EQ(res.Get("SIdRedeclared"), "Identifier redeclared: ");
    EXPECT_EQ(res.Get("510"), "Printer file (*.prn)|*.prn");
    EXPECT_EQ(report::rptGetResourceById(9),
              "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12");
    EXPECT_EQ(res.Get("obReport"), "obReport");
    EXPECT_EQ(res.Get("!Invalid password"), "Invalid password");
    EXPECT_EQ(res.CodePage(), 1252);
    EXPECT_EQ(res.HelpFileName(), "DUVoze.chm");

    // The table holds the 177 entries of the library's texts, each readable.
    report::TrptXMLDocument table;
    classes::TResourceStream stream("REPORTSTRINGS", classes::RT_RCDATA);
    table.LoadFromStream(stream);
    EXPECT_EQ(table.Root().Count(), 177);
    for (int i = 0; i < table.Root().Count(); ++i) {
        const std::string name = table.Root().Items(i).Prop("Name");
        EXPECT_NE(res.Get(name), name) << name;
    }
}

TEST_F(ResourcesTest, LaterTextsReplaceOnlyTheirNames)
{
    report::TrptResources& res = rptGetResources();
    res.AddStrings(Table("<StrRes Name=\"1\" Text=\"Jawohl\"/><Other Name=\"2\" Text=\"ignored\"/>"
                         "<StrRes Name=\"new\" Text=\"caf&#195;&#169; &#38;#34;x&#38;#34;\"/>"));
    EXPECT_EQ(res.Get("1"), "Jawohl");
    EXPECT_EQ(res.Get("2"), "Cancel");
    EXPECT_EQ(res.Get("3"), "All");
    EXPECT_EQ(res.Get("new"), "caf\xE9 \"x\"");
    res.AddStrings("<?xml version=\"1.0\"?><Other><StrRes Name=\"3\" Text=\"no\"/></Other>");
    EXPECT_EQ(res.Get("3"), "All");
}

TEST_F(ResourcesTest, DamagedTablesAddNothing)
{
    report::TrptResources& res = rptGetResources();
    const std::string good = "<StrRes Name=\"1\" Text=\"changed\"/>";
    const std::string whole = Table(good + "<StrRes Name=\"2\" Text=\"changed\"/>");
    EXPECT_THROW(res.AddStrings(whole.substr(0, whole.size() - 5)), report::TrptInvalidXMLException);
    EXPECT_THROW(res.AddStrings(Table(good + "<StrRes Name=\"2\" Text=\"x\"<")), report::TrptInvalidXMLException);
    for (const std::string codePage : {"abc", "", "932", "1252x"}) {
        try {
            res.AddStrings(Table(good, codePage));
            ADD_FAILURE() << "accepted code page " << codePage;
        } catch (const rtl::EConvertError& e) {
            EXPECT_NE(e.Message().find("\"" + codePage + "\""), std::string::npos) << e.Message();
        }
    }
    EXPECT_EQ(res.Get("1"), "OK");
    EXPECT_EQ(res.Get("2"), "Cancel");
    EXPECT_EQ(res.CodePage(), 1252);
}

// A language file's texts reach the script engine's messages at once.
class RecordingScript : public report::TrptReportScript {
public:
    bool Prepare() override { return true; }
    bool MainBlockHasStatements() const override { return false; }
    void Execute() override {}
    void Terminate() override {}
    void CallProcedure(const std::string&, classes::TObject*) override {}
    void CallProcedure(const std::string&, rtl::Variant&) override {}
    void ReceiveMessages(const report::TrptScriptMessages& messages) override { received.push_back(messages); }

    std::vector<report::TrptScriptMessages> received;
};

TEST_F(ResourcesTest, LanguageFilesTranslateScriptMessages)
{
    EXPECT_EQ(report::CurrentScriptMessages()[5], "Undeclared identifier: ");
    EXPECT_EQ(report::CurrentScriptMessages()[16], "Event handler must be a procedure");
    RecordingScript script;
    rptGetResources().AddStrings(Table("<StrRes Name=\"SIdUndeclared\" Text=\"Unbekannter Bezeichner: \"/>"));
    ASSERT_EQ(script.received.size(), 1u);
    EXPECT_EQ(script.received[0][5], "Unbekannter Bezeichner: ");
    EXPECT_EQ(script.received[0][0], "Language '%s' not found");
    EXPECT_EQ(report::CurrentScriptMessages()[5], "Unbekannter Bezeichner: ");
}

TEST_F(ResourcesTest, LanguagesAreTheXmlFilesBesideTheProgram)
{
    testsupport::ScratchFolder folder;
    for (const char* name : {"german.xml", "config.xml", "Russian.XML", "notes.txt", "USERS.xml"})
        folder.WriteFile(name, "<x/>");
    report::rptSetAppPath(folder.Folder());
    report::TrptResources& res = rptGetResources();
    res.BuildLanguagesList();
    ASSERT_EQ(res.LanguageNames().Count(), 2);
    EXPECT_EQ(res.LanguageNames().Strings(0), "German");
    EXPECT_EQ(res.LanguageNames().Strings(1), "Russian");
}

// HTML Help is the registered "HHCtrl.OCX" when the library starts; without it help does nothing.
struct HelpCall {
    win::HWND window;
    std::string path;
    win::UINT command;
    std::uintptr_t data;
};
std::vector<HelpCall> helpCalls;

win::HWND RecordingHtmlHelp(win::HWND window, const char* path, win::UINT command, std::uintptr_t data)
{
    helpCalls.push_back({window, path, command, data});
    return nullptr;
}

class TrptVarEditorForm : public classes::TObject {
public:
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TrptVarEditorForm", &classes::TObject::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

TEST(ResourcesHelp, HelpOpensTheWindowsPage)
{
    helpCalls.clear();
    // The services library offers the desktop's help module when it starts: the cases replace it after that.
    {
        report_test::ReportLibrary library([] { win::UnregisterModule("HHCTRL.OCX"); });
        TrptVarEditorForm form;
        rptGetResources().ShowHelp(&form);
        EXPECT_TRUE(helpCalls.empty());
    }
    {
        report_test::ReportLibrary library([] {
            win::RegisterModule("HHCTRL.OCX", {{"HtmlHelpA", reinterpret_cast<win::FARPROC>(&RecordingHtmlHelp)}});
        });
        TrptVarEditorForm form;
        rptGetResources().ShowHelp(&form);
        classes::TObject other;
        rptGetResources().ShowHelp(&other);
        rptGetResources().ShowHelp(nullptr);
        win::UnregisterModule("HHCTRL.OCX");
    }
    ASSERT_EQ(helpCalls.size(), 3u);
    EXPECT_EQ(helpCalls[0].path, rtl::ProgramFolder() + "DUVoze.chm::/Variables.htm");
    EXPECT_EQ(helpCalls[0].command, 1u);
    EXPECT_EQ(helpCalls[0].data, 0u);
    EXPECT_EQ(helpCalls[1].path, rtl::ProgramFolder() + "DUVoze.chm");
    EXPECT_EQ(helpCalls[2].path, rtl::ProgramFolder() + "DUVoze.chm");
}

}  // namespace
