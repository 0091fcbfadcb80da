// A chart printed on the in-memory test printer: one landscape A4 page at 300 dpi with the chart drawn
// inside the margins at the page's scale, the orientation put back on every path, and jobs that fail.

#include "platform/chart/BarSeries.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/testing/MemoryPrintBackend.h"

#include "tests/platform/chart/ChartFixture.h"

#include <algorithm>
#include <functional>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

class ChartPrintTest : public charttest::ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        auto backend = std::make_unique<win::MemoryPrintBackend>();
        backend_ = backend.get();
        const win::Paper a4{"iso_a4_210x297mm", "A4", 21000, 29700, win::RECT{}};
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {a4}));
        win::SetPrintBackend(std::move(backend));
        gui::SetPrinter(nullptr);
        owner_ = std::make_unique<classes::TComponent>(nullptr);
        chart_ = new chart::TChart(owner_.get());
        chart_->SetName("Chart3");
        chart_->SetBounds(0, 0, 500, 300);
        chart_->SetColor(gui::clWhite);
        chart_->SetBevelOuter(chart::bvNone);
        chart_->Title()->SetVisible(false);
        chart_->Legend()->SetVisible(false);
        chart_->BackWall()->Brush()->SetStyle(gui::bsClear);
        chart_->LeftWall()->SetColor(gui::clSilver);
        chart_->LeftAxis()->Grid()->SetVisible(false);
        chart_->BottomAxis()->Grid()->SetVisible(false);
        auto* bars = new chart::TBarSeries(owner_.get());
        bars->SetParentChart(chart_);
        bars->Marks()->SetVisible(false);
        bars->SetBarWidthPercent(30);
        // Away from the walls' corners.
        for (int i = 3; i <= 7; ++i) {
            bars->AddXY(10 * i, 40 * i - 20);
        }
    }
    void TearDown() override
    {
        owner_.reset();
        gui::SetPrinter(nullptr);
        win::SetPrintBackend(nullptr);
        ChartTest::TearDown();
    }

    win::MemoryPrintBackend* backend_ = nullptr;
    std::unique_ptr<classes::TComponent> owner_;
    chart::TChart* chart_ = nullptr;
};

TEST_F(ChartPrintTest, PrintingInLandscapeGivesOneLandscapePageOfTheChartAtThePagesScale)
{
    gui::TPrinter& printer = *gui::Printer();
    ASSERT_EQ(printer.Orientation(), gui::poPortrait);
    chart_->PrintLandscape();
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    ASSERT_EQ(backend_->Jobs().size(), 1u);
    const win::MemoryPrintBackend::Job& job = backend_->Jobs()[0];
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.ticket.document, "Chart3");
    ASSERT_EQ(job.pages.size(), 1u);
    const win::MemoryPrintBackend::Page& page = job.pages[0];
    EXPECT_EQ(page.setup.orientation, win::DMORIENT_LANDSCAPE);
    ASSERT_GT(page.width, page.height);
    EXPECT_EQ(page.width, win::MulDiv(29700, 300, 2540));
    EXPECT_EQ(page.height, win::MulDiv(21000, 300, 2540));

    // The drawing's place: the page less a twentieth at each side; its size in 96-dpi pixels.
    const win::RECT place{page.width / 20, page.height / 20, page.width - page.width / 20,
                          page.height - page.height / 20};
    const int width = win::MulDiv(place.right - place.left, 96, 300);
    const int height = win::MulDiv(place.bottom - place.top, 96, 300);
    // The chart laid out at that size, as the print drew it: its back wall by the orthogonal rule.
    const win::RECT r = chart_->ChartRect();
    const int top = (height * 4 / 100);
    const int depth = r.top - top;
    EXPECT_EQ(depth, std::min(width - 2 * (width * 3 / 100), r.bottom - top) * 15 / 200);
    const win::POINT corners[] = {{r.left + depth, r.top - depth},
                                  {r.right - 1 + depth, r.top - depth},
                                  {r.right - 1 + depth, r.bottom - 1 - depth},
                                  {r.left + depth, r.bottom - 1 - depth}};
    const auto device = [&](win::POINT p) {
        return win::POINT{place.left + charttest::Round(p.x * 300.0 / 96),
                          place.top + charttest::Round(p.y * 300.0 / 96)};
    };
    for (const win::POINT& corner : corners) {
        const win::POINT p = device(corner);
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        bool black = false;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                black = black || page.Pixel(p.x + dx, p.y + dy) == 0x000000u;
            }
        }
        EXPECT_TRUE(black);
    }
    // The back wall is clear and the silver left wall shows.
    const win::POINT clear = device({r.left + depth + 10, r.top - depth + 10});
    EXPECT_EQ(page.Pixel(clear.x, clear.y), kWhite);
    const win::POINT wall = device({r.left + depth / 2, (r.top + r.bottom) / 2 - depth / 2});
    EXPECT_EQ(page.Pixel(wall.x, wall.y), 0xC0C0C0u);
    // Nothing in the margins.
    int outside = 0;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            const bool inside = x >= place.left && x < place.right && y >= place.top && y < place.bottom;
            outside += !inside && page.Pixel(x, y) != kWhite;
        }
    }
    EXPECT_EQ(outside, 0);
}

TEST_F(ChartPrintTest, AFailingPageAbortsTheJobAndTheOrientationComesBack)
{
    backend_->FailPages("Paper jam");
    try {
        chart_->PrintLandscape();
        ADD_FAILURE() << "printed";
    } catch (const gui::EPrinter& e) {
        EXPECT_STREQ(e.what(), "Paper jam");
    }
    gui::TPrinter& printer = *gui::Printer();
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    EXPECT_FALSE(printer.Printing());
    ASSERT_EQ(backend_->Jobs().size(), 1u);
    EXPECT_TRUE(backend_->Jobs()[0].aborted);
    EXPECT_FALSE(backend_->Jobs()[0].finished);
    EXPECT_TRUE(backend_->Jobs()[0].pages.empty());

    backend_->FailPages("");
    chart_->PrintLandscape();
    EXPECT_TRUE(backend_->Jobs()[1].finished);
}

TEST_F(ChartPrintTest, PrintingDuringARunningJobIsRefusedAndPrintsNothing)
{
    gui::TPrinter& printer = *gui::Printer();
    printer.SetTitle("Report");
    printer.BeginDoc();
    chart::TChart& c = *chart_;
    for (const std::function<void()>& print : {std::function<void()>([&c] { c.Print(); }),
                                                std::function<void()>([&c] { c.PrintLandscape(); })}) {
        try {
            print();
            ADD_FAILURE() << "printed";
        } catch (const gui::EPrinter& e) {
            EXPECT_STREQ(e.what(), "Printing in progress");
        }
    }
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.Title(), "Report");
    printer.EndDoc();
    ASSERT_EQ(backend_->Jobs().size(), 1u);
    ASSERT_EQ(backend_->Jobs()[0].pages.size(), 1u);
    const win::MemoryPrintBackend::Page& page = backend_->Jobs()[0].pages[0];
    EXPECT_TRUE(std::all_of(page.pixels.begin(), page.pixels.end(), [](std::uint32_t p) { return p == kWhite; }));
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
}

}  // namespace
