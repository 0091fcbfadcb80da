// Moving between the window's pages: the duty-cycle rule that holds navigation until the percentages
// total 100, and the keyboard (tab order, default and cancel buttons, accelerators, page keys, the
// incentive buttons).

#include "tests/analysis/windows/FanFixture.h"

namespace fantest {
namespace {

using Names = std::vector<std::string>;

const char* const kTotalOf101 = "Total Duty Cycle Percentages should equal 100%\rPercentages entered currently equal: 101%";

class FanNavigationTest : public FanWindowTest {
protected:
    // Sets the last duty percentage to 1 as the user would, so the total is 101.
    void MakeTotal101()
    {
        GoToPage(1);
        Retype(Edit("A119"), "1");
        Press(win::VK_TAB);
    }
    // The names of the controls Tab visits from first until it comes back to it.
    Names TabCycle(gui::TWinControl& first)
    {
        Focus(first);
        Names visited{first.Name()};
        for (int i = 0; i < 40; ++i) {
            Press(win::VK_TAB);
            gui::TWinControl* focused = window->ActiveControl();
            if (!focused || focused == &first)
                break;
            visited.push_back(focused->Name());
        }
        return visited;
    }
};

TEST_F(FanNavigationTest, AWrongDutyTotalHoldsTheEstimateAndTheNavigation)
{
    Open();
    MakeTotal101();
    EXPECT_EQ(Caption("Label50"), "101!");
    EXPECT_EQ(Named("Label50").Font()->Color(), gui::clRed);
    EXPECT_EQ(window->DutySeries1->SeriesColor(), gui::clRed);
    EXPECT_TRUE(Messages().empty());

    ClickOn(Named("BitBtn2"));
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Messages(), (Names{kTotalOf101}));

    ClickTab(4);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Messages(), (Names{kTotalOf101, kTotalOf101}));

    // Clicked by the keyboard: leaving an edit for it would mark the project modified by itself.
    Focus(Named<gui::TWinControl>("BitBtn19"));
    analysis::ProjectModified = false;
    Press(win::VK_SPACE);
    EXPECT_EQ(Caption("Label50"), "100%");
    EXPECT_EQ(window->DutySeries1->SeriesColor(), gui::clBlue);
    EXPECT_EQ(Edit("A119").Text(), "0");
    EXPECT_FALSE(analysis::ProjectModified);
    ClickOn(Named("BitBtn2"));
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(Messages().size(), 2u);
}

// Only the system data page tells the user why nothing happens.
TEST_F(FanNavigationTest, OnTheCustomerPageContinueDoesNothingSilently)
{
    Open();
    Edit("A119").SetText("1");
    ClickOn(Named("ContinueButton"));
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(Messages().empty());
}

// Showing the window selects the first page before the project's texts are loaded: the previous
// project's wrong total must not show a message nor move the window to the system data page.
TEST_F(FanNavigationTest, ShowingTheWindowDoesNotCheckThePreviousProject)
{
    Open();
    MakeTotal101();
    const std::size_t before = Messages().size();
    window->Hide();
    analysis::ParamTable[19]->Value = 0;
    Open();
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(Messages().size(), before);
    EXPECT_EQ(Caption("Label50"), "100%");
}

TEST_F(FanNavigationTest, TabVisitsEachPageInReadingOrder)
{
    struct Case {
        int page;
        const char* first;
        Names order;
    };
    const Case cases[] = {
        {0, "PROJECTNAME", {"PROJECTNAME", "PREPFOR", "Titlefor", "Companyfor", "AddressFor", "ZipFor", "CountryFor",
                            "Telfor", "Faxfor", "EmailFor", "ReportLayout", "ResetButton2", "GoBackButton",
                            "HelpButton", "ContinueButton"}},
        {1, "A101", {"A101", "A102", "A103", "A104", "A105", "A106", "A108", "Incentive01", "A109", "A110", "A111",
                     "A112", "A113", "A114", "A115", "A116", "A117", "A118", "A119", "BitBtn19", "ESCCANCEL", "Help",
                     "BitBtn2"}},
        {2, "LINE1", {"LINE1", "LINE2", "LINE3", "LINE4", "BitBtn6", "BitBtn7", "BitBtn8"}},
        {3, "SelectionGraphType", {"SelectionGraphType", "BW", "BitBtn9", "BitBtn16", "BitBtn17", "CheckBox1",
                                   "Bar3D", "ScrollBar3", "BitBtn11", "BitBtn12", "BitBtn13"}},
        {4, "SaveStep4", {"SaveStep4", "GoBackStep4", "HelpStep4", "CloseStep4"}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        GoToPage(c.page);
        Names cycle = TabCycle(Named<gui::TWinControl>(c.first));
        // The page control takes the focus between the last control and the first.
        std::erase(cycle, "PageControl1");
        EXPECT_EQ(cycle, c.order);
    }
}

TEST_F(FanNavigationTest, EnterAndEscapeOnTheCustomerPage)
{
    Open();
    Focus(Edit("PREPFOR"));
    Press(win::VK_RETURN);
    EXPECT_EQ(Page(), 1);
    // The default button lies on the hidden customer page.
    Focus(Edit("A102"));
    Press(win::VK_RETURN);
    EXPECT_EQ(Page(), 1);
    window->Hide();

    Then([&] {
        GoToPage(1);
        Retype(Edit("A105"), "200");
        GoToPage(0);
        Focus(Edit("PREPFOR"));
        Press(win::VK_ESCAPE);
    });
    EXPECT_EQ(RunModal(), gui::mrCancel);
    EXPECT_FLOAT_EQ(analysis::ParamTable[5]->Value, 200);
}

TEST_F(FanNavigationTest, AcceleratorsAndCtrlTabChangePagesUnderTheDutyRule)
{
    Open();
    Focus(Edit("PREPFOR"));
    PressWith(win::VK_MENU, 'C');
    EXPECT_EQ(Page(), 1);
    PressWith(win::VK_MENU, 'C');
    EXPECT_EQ(Page(), 2);
    PressWith(win::VK_MENU, 'G');
    EXPECT_EQ(Page(), 1);
    PressWith(win::VK_CONTROL, win::VK_TAB);
    EXPECT_EQ(Page(), 2);

    GoToPage(1);
    Edit("A119").SetText("1");
    PressWith(win::VK_CONTROL, win::VK_TAB);
    EXPECT_EQ(Page(), 1);
    PressWith(win::VK_MENU, 'C');
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Messages(), (Names{kTotalOf101, kTotalOf101}));
}

TEST_F(FanNavigationTest, ArrowsMoveBetweenTheIncentiveButtonsAndTheParameterFollows)
{
    Open();
    GoToPage(1);
    Focus(Named<gui::TWinControl>("Incentive01"));
    Press(win::VK_DOWN);
    EXPECT_TRUE(window->Incentive02->Checked());
    EXPECT_EQ(Edit("A173").Text(), "0");
    Press(win::VK_UP);
    EXPECT_TRUE(window->Incentive01->Checked());
    EXPECT_EQ(Edit("A173").Text(), "1");
    Press(win::VK_DOWN);
    window->FormDeactivate(nullptr);
    EXPECT_EQ(analysis::ParamTable[73]->Value, 0);
}

}  // namespace
}  // namespace fantest
