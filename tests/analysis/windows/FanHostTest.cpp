// What the window asks of the windows above it (help, Save, the status bar, the setup window), and the
// binding of its own edits when it is made and activated.

#include "tests/analysis/windows/FanFixture.h"

namespace fantest {
namespace {

using Calls = std::vector<std::string>;

class FanHostTest : public FanWindowTest {};

TEST_F(FanHostTest, EachHelpButtonAsksForItsStep)
{
    struct Case {
        int page;
        const char* button;
        Calls calls;
    };
    const Case cases[] = {
        {0, "HelpButton", {}},
        {1, "Help", {"help STEP2"}},
        {2, "BitBtn7", {"help STEP4"}},
        {3, "BitBtn12", {"help STEP5"}},
        {4, "HelpStep4", {"help STEP6"}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        GoToPage(c.page);
        host.calls.clear();
        ClickOn(Named(c.button));
        EXPECT_EQ(host.calls, c.calls);
        EXPECT_EQ(Page(), c.page);
    }
}

// Saving from the report page: the table holds what the edits show before the main window saves.
TEST_F(FanHostTest, SaveStoresTheEditsBeforeTheProjectIsSaved)
{
    Open();
    GoToPage(1);
    Retype(Edit("A105"), "75");
    Press(win::VK_TAB);
    GoToPage(4);
    float savedPower = 0;
    host.onSave = [&] { savedPower = analysis::ParamTable[5]->Value; };
    host.calls.clear();
    ClickOn(Named("SaveStep4"));
    EXPECT_EQ(host.calls, (Calls{"save"}));
    EXPECT_FLOAT_EQ(savedPower, 75);
}

TEST_F(FanHostTest, ACustomerEditMarksTheProjectModified)
{
    Open();
    analysis::ProjectModified = false;
    host.calls.clear();
    Focus(Edit("Companyfor"));
    Type("A");
    EXPECT_TRUE(analysis::ProjectModified);
    EXPECT_EQ(host.calls, (Calls{"status"}));
}

// The notes on the customer page show while the customer information is off; the setup window that
// changes it opens on its report layout page, from the button and from the note's link.
TEST_F(FanHostTest, TheReportLayoutOpensTheSetupWindowAndTheNotesFollow)
{
    analysis::ShowCustomerInfo = false;
    Open();
    EXPECT_TRUE(Named("NOTE3").Visible());
    struct Setup final : analysis::AnalysisHost {
        RecordingHost& inner;
        explicit Setup(RecordingHost& host) : inner(host) {}
        void GetHelp(std::string_view topic) override { inner.GetHelp(topic); }
        void SaveProject() override { inner.SaveProject(); }
        void UpdateStatusBar() override { inner.UpdateStatusBar(); }
        void ShowSetupPage(int index) override
        {
            inner.ShowSetupPage(index);
            analysis::ShowCustomerInfo = !analysis::ShowCustomerInfo;
        }
    } setup(host);
    analysis::InstallAnalysisHost(&setup);
    host.calls.clear();
    ClickOn(Named("ReportLayout"));
    EXPECT_EQ(host.calls, (Calls{"setup 3"}));
    for (const char* note : {"NOTE1", "NOTE2", "NOTE3"})
        EXPECT_FALSE(Named(note).Visible()) << note;
    analysis::ShowCustomerInfo = false;
    window->UpdateReportNotes();
    ClickOn(Named("NOTE3"));
    EXPECT_EQ(host.calls, (Calls{"setup 3", "setup 3"}));
    EXPECT_FALSE(Named("NOTE3").Visible());
    analysis::InstallAnalysisHost(&host);
}

// The placeholder tag of the stored window is replaced when the window is made; activation binds again.
TEST_F(FanHostTest, TheWindowsEditsCarryTheirParameterNumbers)
{
    for (int id = 1; id <= 19; ++id)
        EXPECT_EQ(Edit("A" + std::to_string(100 + id)).Tag(), id) << id;
    EXPECT_EQ(Edit("A173").Tag(), 73);
    Edit("A105").SetTag(0);
    Open();
    EXPECT_EQ(Edit("A105").Tag(), 5);
}

// An edit whose tag was lost ends the program after the warning: its value has nowhere to go.
TEST_F(FanHostTest, AnUnboundEditEndsTheProgram)
{
    Edit("A105").SetTag(0);
    EXPECT_THROW(window->INITIALIZE_EDIT(&Edit("A105"), 0), rtl::EProgramEnd);
    ASSERT_EQ(dialogs.AskedMessageDialogs().size(), 1u);
    const win::MessageDialogRequest& box = dialogs.AskedMessageDialogs().back();
    EXPECT_EQ(box.text, "LIST TAG NUMBER = 0");
    EXPECT_EQ(box.icon, unsigned(win::MB_ICONWARNING));
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons[0].result, int(gui::mrYes));
    EXPECT_EQ(endCodes.size(), 1u);
}

TEST_F(FanHostTest, AnIdBeyondTheTableEndsTheProgramWithTheWindowsText)
{
    EXPECT_THROW(analysis::AssignParamTag('A', '1', 74, 0, 74), rtl::EProgramEnd);
    ASSERT_EQ(dialogs.AskedMessageDialogs().size(), 1u);
    EXPECT_EQ(dialogs.AskedMessageDialogs().back().text, window->Text("IDS_239"));
    EXPECT_EQ(window->Text("IDS_239"), "TAG NUMBER A1 NOT FOUND!");
    EXPECT_EQ(endCodes.size(), 1u);
}

}  // namespace
}  // namespace fantest
