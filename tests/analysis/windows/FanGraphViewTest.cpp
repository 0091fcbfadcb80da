// The graph page's style chooser and Print Graph, driven from the window: the chooser opened by its
// button shows the chart of the chosen style, and the shown chart is printed in landscape on the printer
// chosen in the print dialog (the in-memory test printer at 300 dpi), a failing printer only telling the
// user.

#include "tests/analysis/windows/FanFixture.h"

#include "analysis/windows/GraphSel.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/testing/MemoryPrintBackend.h"

#include <cmath>

namespace fantest {
namespace {

class FanGraphViewTest : public FanWindowTest {
protected:
    void SetUp() override
    {
        FanWindowTest::SetUp();
        analysis::GRSEL = new analysis::TGRSEL(gui::Application());
    }
    void TearDown() override
    {
        delete analysis::GRSEL;
        analysis::GRSEL = nullptr;
        FanWindowTest::TearDown();
    }

    std::vector<int> VisibleStyles() const
    {
        std::vector<int> styles;
        for (int style = 1; style <= 6; ++style)
            if (window->Charts.at(std::size_t(style - 1))->Visible())
                styles.push_back(style);
        return styles;
    }
    std::vector<int> FramedStyles() const
    {
        std::vector<int> styles;
        for (int style = 1; style <= 6; ++style)
            if (analysis::GRSEL->Frame(style)->Visible())
                styles.push_back(style);
        return styles;
    }
    void ClickPicture(int style)
    {
        const gui::TImage* picture = analysis::GRSEL->Picture(style);
        driver.Click(analysis::GRSEL->Handle(), win::TestDriver::Button::Left, picture->Left() + 45,
                     picture->Top() + 40);
    }
};

TEST_F(FanGraphViewTest, TheChooserShowsTheChartOfTheChosenStyle)
{
    struct Case {
        const char* what;
        std::vector<int> pictures;  // clicked in order
        bool escape;                // else the Close button
        int style;
    };
    const Case cases[] = {
        {"point, closed with Escape", {4}, true, 4},
        {"horizontal bars after area, closed with Close", {1, 3}, false, 3},
        {"untouched", {}, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        analysis::ChartStyle = 5;
        Open();
        GoToPage(3);
        std::vector<int> framedWhenShown;
        std::vector<int> framedAfterClicks;
        Then([&] { framedWhenShown = FramedStyles(); });
        for (int picture : c.pictures)
            Then([this, picture] { ClickPicture(picture); });
        Then([&] {
            framedAfterClicks = FramedStyles();
            if (c.escape)
                driver.PressKey(win::VK_ESCAPE);
            else
                analysis::GRSEL->close_button->Click();
        });
        ClickOn(Named("BitBtn9"));
        EXPECT_FALSE(analysis::GRSEL->Visible());
        EXPECT_EQ(framedWhenShown, std::vector<int>{5});
        EXPECT_EQ(framedAfterClicks, std::vector<int>{c.style});
        EXPECT_EQ(analysis::ChartStyle, c.style);
        EXPECT_EQ(VisibleStyles(), std::vector<int>{c.style});
        // The chart shown holds the graph already drawn: the drive's cost at 60 % flow.
        const chart::TChartSeries& drive = *window->GraphSeries.at(std::size_t(c.style - 1))[0];
        ASSERT_EQ(drive.Count(), 11);
        EXPECT_NEAR(c.style == 3 ? drive.XValue(6) : drive.YValue(6), 5508.288, 1e-6);
        window->Hide();
    }
}

class FanPrintGraphTest : public FanGraphViewTest {
protected:
    void SetUp() override
    {
        FanGraphViewTest::SetUp();
        auto backend = std::make_unique<win::MemoryPrintBackend>();
        backend_ = backend.get();
        const win::Paper a4{"iso_a4_210x297mm", "A4", 21000, 29700, win::RECT{}};
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {a4}));
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Plotter", {300, 300}, {a4}));
        win::SetPrintBackend(std::move(backend));
        gui::SetPrinter(nullptr);
    }
    void TearDown() override
    {
        gui::SetPrinter(nullptr);
        win::SetPrintBackend(nullptr);
        FanGraphViewTest::TearDown();
    }
    void PrintGraph()
    {
        GoToPage(3);
        ClickOn(Named("BitBtn17"));
    }
    // The print dialog confirmed with the printer of index chosen.
    void ConfirmPrinter(int index)
    {
        dialogs.Answer<win::PrintRequest>(win::IDOK, [index](win::PrintRequest& request) { request.printer = index; });
    }
    static bool HasInk(const win::MemoryPrintBackend::Page& page)
    {
        return std::ranges::any_of(page.pixels, [](std::uint32_t pixel) { return pixel != 0xFFFFFF; });
    }

    win::MemoryPrintBackend* backend_ = nullptr;
};

TEST_F(FanPrintGraphTest, TheShownChartIsPrintedInLandscapeOnTheChosenPrinter)
{
    struct Case {
        int style;
        int printer;
        const char* printerName;
    };
    const Case cases[] = {{5, 1, "Plotter"}, {3, 0, "Office"}};
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        analysis::ChartStyle = c.style;
        ConfirmPrinter(c.printer);
        const std::size_t before = backend_->Jobs().size();
        PrintGraph();
        ASSERT_EQ(backend_->Jobs().size(), before + 1);
        const win::MemoryPrintBackend::Job& job = backend_->Jobs().back();
        EXPECT_TRUE(job.finished);
        EXPECT_EQ(job.ticket.printer, c.printerName);
        EXPECT_EQ(job.ticket.document, "Chart" + std::to_string(c.style));
        ASSERT_EQ(job.pages.size(), 1u);
        const win::MemoryPrintBackend::Page& page = job.pages[0];
        EXPECT_EQ(page.setup.orientation, win::DMORIENT_LANDSCAPE);
        EXPECT_EQ(page.width, win::MulDiv(29700, 300, 2540));
        EXPECT_EQ(page.height, win::MulDiv(21000, 300, 2540));
        EXPECT_TRUE(HasInk(page));
        EXPECT_EQ(gui::Printer()->Orientation(), gui::poPortrait);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FanPrintGraphTest, CancellingOrAStyleWithoutChartPrintsNothing)
{
    Open();
    dialogs.Answer<win::PrintRequest>(win::IDCANCEL);
    PrintGraph();
    analysis::ChartStyle = 7;
    ConfirmPrinter(0);
    PrintGraph();
    EXPECT_EQ(dialogs.Asked<win::PrintRequest>().size(), 2u);
    EXPECT_TRUE(backend_->Jobs().empty());
    EXPECT_TRUE(Messages().empty());
}

// A printer failing while the page goes out or when the document ends: the user reads its message, the
// printer is upright again, the window stays open with its project, and the next print works.
TEST_F(FanPrintGraphTest, AFailingPrinterIsReportedAndTheWindowStaysOpen)
{
    struct Case {
        const char* what;
        void (win::MemoryPrintBackend::*fail)(std::string);
        const char* message;
    };
    const Case cases[] = {
        {"at the page's end", &win::MemoryPrintBackend::FailPages, "Paper jam"},
        {"at the document's end", &win::MemoryPrintBackend::FailDocuments, "The printer went offline"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t jobsBefore = backend_->Jobs().size();
        const std::size_t messagesBefore = Messages().size();
        win::MemoryPrintBackend& backend = *backend_;
        (backend.*c.fail)(c.message);
        ConfirmPrinter(0);
        PrintGraph();
        ASSERT_EQ(Messages().size(), messagesBefore + 1);
        EXPECT_EQ(Messages().back(), c.message);
        EXPECT_EQ(dialogs.AskedMessageDialogs().back().icon, win::MB_ICONERROR);
        EXPECT_EQ(gui::Printer()->Orientation(), gui::poPortrait);
        EXPECT_FALSE(gui::Printer()->Printing());
        ASSERT_EQ(backend_->Jobs().size(), jobsBefore + 1);
        EXPECT_TRUE(backend_->Jobs().back().aborted);
        EXPECT_FALSE(backend_->Jobs().back().finished);
        EXPECT_TRUE(window->Visible());
        EXPECT_TRUE(endCodes.empty());

        (backend.*c.fail)("");
        ConfirmPrinter(0);
        PrintGraph();
        ASSERT_EQ(backend_->Jobs().size(), jobsBefore + 2);
        EXPECT_TRUE(backend_->Jobs().back().finished);
    }
}

// Without any printer the printer object refuses; the refusal is shown like any other printing failure.
TEST_F(FanGraphViewTest, WithoutAPrinterTheRefusalIsShown)
{
    win::SetPrintBackend(std::make_unique<win::MemoryPrintBackend>());
    gui::SetPrinter(nullptr);
    Open();
    GoToPage(3);
    dialogs.Answer<win::PrintRequest>(win::IDOK);
    ClickOn(Named("BitBtn17"));
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(endCodes.empty());
    gui::SetPrinter(nullptr);
    win::SetPrintBackend(nullptr);
}

}  // namespace
}  // namespace fantest
