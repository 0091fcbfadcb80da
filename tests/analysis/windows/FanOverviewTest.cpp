// The result lines open the calculation overview of the method they show, with the figures of the
// estimate just made; the no speed control line has no overview and says why.

#include "tests/analysis/windows/FanFixture.h"

#include "analysis/windows/Report.h"

namespace fantest {
namespace {

class FanOverviewTest : public FanWindowTest {
protected:
    void SetUp() override
    {
        FanWindowTest::SetUp();
        overview = new analysis::TCALCREP(gui::Application());
    }
    void TearDown() override
    {
        delete overview;
        FanWindowTest::TearDown();
    }

    // The line whose caption is caption, clicked; while the overview shows, look runs and the overview's
    // Help button closes it.
    void OpenLine(const std::string& caption, std::function<void()> look)
    {
        gui::TBitBtn* line = nullptr;
        for (gui::TBitBtn* candidate : window->Lines)
            if (candidate->Visible() && candidate->Caption() == caption)
                line = candidate;
        ASSERT_NE(line, nullptr) << caption;
        Then([this, look] {
            ASSERT_TRUE(overview->Modal());
            look();
            ClickOn(*dynamic_cast<gui::TControl*>(overview->FindComponent("Help")));
        });
        ClickOn(*line);
        EXPECT_FALSE(overview->Visible());
    }

    analysis::TCALCREP* overview = nullptr;
};

TEST_F(FanOverviewTest, TheDrivesLineOpensTheDrivesOverview)
{
    Open();
    GoToPage(2);
    host.calls.clear();
    OpenLine("Variable Speed Drive", [&] {
        EXPECT_EQ(overview->FLOWM->Caption(), "AIR");
        EXPECT_EQ(overview->POWER_LABEL->Caption(), "Shaft HP");
        const char* const hours[] = {"87.60",    "175.20",   "788.40", "1,489.20", "2,102.40",
                                     "1,489.20", "1,138.80", "963.60", "525.60",   "0.00"};
        for (int row = 1; row <= 10; ++row)
            EXPECT_EQ(overview->HRY[row]->Caption(), hours[row - 1]) << row;
        EXPECT_EQ(overview->TOTHOUR->Caption(), "8,760.00");
        EXPECT_EQ(overview->SHP[2]->Caption(), "109.35");
        EXPECT_EQ(overview->CPH[1]->Caption(), "$  12.14");
        EXPECT_EQ(overview->OC[1]->Caption(), "$  1,063.46");
        EXPECT_EQ(overview->OC[4]->Caption(), "$  6,195.07");
        EXPECT_EQ(overview->TOTALCOST->Caption(), "$  22,736");
    });
    EXPECT_EQ(analysis::OverviewApp, 1);
    EXPECT_EQ(analysis::OverviewMethod, 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"help STEP4"}));
}

TEST_F(FanOverviewTest, EachLineOpensTheOverviewOfItsMethod)
{
    struct Case {
        int app;
        const char* line;
        int method;
        const char* medium;
        const char* total;
    };
    const Case cases[] = {
        {1, "Inlet Vane Control", 3, "AIR", "$  56,162"},
        {1, "Outlet Damper Control", 2, "AIR", "$  75,032"},
        {2, "Variable Speed Drive", 1, "LIQUID", "$  22,736"},
        {2, "Throttling Valve Control", 3, "LIQUID", "$  75,032"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        analysis::AppType = c.app;
        Open();
        GoToPage(2);
        OpenLine(c.line, [&] {
            EXPECT_EQ(overview->FLOWM->Caption(), c.medium);
            EXPECT_EQ(overview->TOTALCOST->Caption(), c.total);
        });
        EXPECT_EQ(analysis::OverviewApp, c.app);
        EXPECT_EQ(analysis::OverviewMethod, c.method);
        window->Hide();
    }
}

TEST_F(FanOverviewTest, TheNoSpeedControlLineHasNoOverview)
{
    Open();
    GoToPage(2);
    ClickOn(*window->Lines[3]);
    EXPECT_FALSE(overview->Visible());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "No Speed Control: Rivuve Cost when the motor is running across the line.");
}

}  // namespace
}  // namespace fantest
