// Entering data as the user does: the key filter, the range check on leaving an edit, and the edits'
// texts reaching the parameter table, also when the window is closed with the focus still in an edit.

#include "tests/analysis/windows/FanFixture.h"

#include "platform/gui/core/Clipboard.h"
#include "shell/ProjectFile.h"
#include "tests/support/ScratchFolder.h"
#include "translation/Lingua.h"
#include "translation/TranslationForm.h"

namespace fantest {
namespace {

class FanDataEntryTest : public FanWindowTest {};

TEST_F(FanDataEntryTest, LeavingAnEditChecksItsRange)
{
    struct Case {
        const char* edit;
        const char* typed;
        const char* shown;
        bool beep;
    };
    const Case cases[] = {
        {"A101", "30", "24", true},
        {"A101", "0", "1", true},
        {"A101", "12", "12", false},
        {"A101", "", "1", true},
        {"A104", "5", "5.00", false},
        {"A105", "0.1", "0.2", true},
        {"A106", "", "50.0", true},
        {"A110", "150", "100", true},
    };
    Open();
    GoToPage(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " '" + c.typed + "'");
        win::ClearSoundLog();
        analysis::ProjectModified = false;
        Retype(Edit(c.edit), c.typed);
        EXPECT_EQ(Edit(c.edit).Text(), c.typed);
        Press(win::VK_TAB);
        EXPECT_EQ(Edit(c.edit).Text(), c.shown);
        EXPECT_EQ(Beeps(), c.beep ? 1 : 0);
        EXPECT_TRUE(analysis::ProjectModified);
    }
}

// Typing stops at six characters; a longer text set by message is still checked.
TEST_F(FanDataEntryTest, ATextBeyondTheLimitIsCheckedToo)
{
    Open();
    GoToPage(1);
    Retype(Edit("A109"), "2000000");
    EXPECT_EQ(Edit("A109").Text(), "200000");
    Focus(Edit("A109"));
    Edit("A109").SetText("2000000");
    win::ClearSoundLog();
    Press(win::VK_TAB);
    EXPECT_EQ(Edit("A109").Text(), "1,000,000");
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(FanDataEntryTest, TheKeyFilterTakesDigitsAndTheSeparatorsOnly)
{
    Open();
    GoToPage(1);
    Retype(Edit("A105"), "1-a2.5,B");
    EXPECT_EQ(Edit("A105").Text(), "12.5,");
    // The clipboard keys are no digits either.
    gui::Clipboard()->SetAsText("99");
    Focus(Edit("A101"));
    Edit("A101").SelectAll();
    PressWith(win::VK_CONTROL, 'V');
    PressWith(win::VK_CONTROL, 'X');
    EXPECT_EQ(Edit("A101").Text(), "24");
    EXPECT_EQ(gui::Clipboard()->AsText(), "99");
}

// Pasted through the edit's menu, foreign text passes the filter; leaving makes it the minimum.
TEST_F(FanDataEntryTest, PastedTextThatIsNoNumberBecomesTheMinimum)
{
    Open();
    GoToPage(1);
    Focus(Edit("A102"));
    Edit("A102").SelectAll();
    gui::Clipboard()->SetAsText("seven days");
    Edit("A102").PasteFromClipboard();
    EXPECT_EQ(Edit("A102").Text(), "seven ");
    win::ClearSoundLog();
    Press(win::VK_TAB);
    EXPECT_EQ(Edit("A102").Text(), "1");
    EXPECT_EQ(Beeps(), 1);
}

// The window closed by its close box with the focus still in an emptied edit: the table takes the
// minimum, so the project saved afterwards opens again.
TEST_F(FanDataEntryTest, ClosingWithAnEmptiedEditKeepsTheProjectReadable)
{
    translation::TTranslationForm texts(nullptr);
    testsupport::ScratchFolder folder;
    const std::string file = folder.Path("closed.kvx");
    struct Windows final : shell::ProjectWindows {
        std::string CustomerText(shell::CustomerEdit) const override { return ""; }
        void SetCustomerText(shell::CustomerEdit, const std::string&) override {}
        std::string CustomTitleText(int) const override { return ""; }
        void CheckCurrencyButton(shell::CurrencyButton) override {}
        void SetCustomCurrencyText(const std::string&) override {}
        void CheckPowerButton(shell::PowerButton) override {}
    } projectWindows;

    Then([&] {
        GoToPage(1);
        Retype(Edit("A106"), "");
        window->Close();
    });
    RunModal();
    EXPECT_FLOAT_EQ(analysis::ParamTable[6]->Value, 50);

    const analysis::LinguaTexts<translation::TtrCustomLang> messages(*texts.trLingua1());
    ASSERT_TRUE(shell::SaveProjectFile(analysis::ParamTable, file, projectWindows, messages));
    EXPECT_TRUE(shell::LoadProjectFile(file, analysis::ShadowParamTable, shell::LoadMode::Check, projectWindows,
                                       messages));
    for (const win::MessageDialogRequest& request : dialogs.AskedMessageDialogs())
        ADD_FAILURE() << request.text;
}

// The estimate reads the edits as the check would leave them, before they are left.
TEST_F(FanDataEntryTest, TheEstimateReadsTheTextsAsTheCheckWouldLeaveThem)
{
    Open();
    GoToPage(1);
    Retype(Edit("A101"), "30");
    EXPECT_EQ(window->EditText(analysis::InputEdit::A101), "24");
    Retype(Edit("A105"), "");
    EXPECT_EQ(window->EditText(analysis::InputEdit::A105), "0.2");
    Retype(Edit("A113"), "");
    EXPECT_FALSE(window->CheckDutyCycleTotal());
    EXPECT_EQ(analysis::DutyCycleText[4].Str(), "0");
}

TEST_F(FanDataEntryTest, ANewProjectResetsTheFirstNineteenParametersOnly)
{
    Open();
    GoToPage(1);
    Retype(Edit("A101"), "8");
    Edit("PROJECTNAME").SetText("Plant 4");
    window->Hide();
    analysis::ParamTable[25]->Value = 0.5f;
    analysis::ParamTable[71]->Value = 1;
    analysis::ParamTable[73]->Value = 0;
    window->set_default_values();
    const float expected[19] = {24, 7, 52, 10, 150, 95, 97, 0, 12000, 1, 2, 9, 17, 24, 17, 13, 11, 6, 0};
    for (int i = 1; i <= 19; ++i)
        EXPECT_FLOAT_EQ(analysis::ParamTable[i]->Value, expected[i - 1]) << i;
    EXPECT_FLOAT_EQ(analysis::ParamTable[25]->Value, 0.5f);
    EXPECT_FLOAT_EQ(analysis::ParamTable[71]->Value, 1);
    EXPECT_FLOAT_EQ(analysis::ParamTable[73]->Value, 0);
    EXPECT_EQ(Edit("PROJECTNAME").Text(), "");
    Open();
    EXPECT_EQ(Edit("A101").Text(), "24");
    EXPECT_TRUE(window->Incentive02->Checked());
}

}  // namespace
}  // namespace fantest
