// Where a chart puts its pieces, from measured text metrics, and the ranges its axes take by themselves.

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/gui/graphics/Bitmap.h"

#include "tests/platform/chart/ChartFixture.h"

#include <cmath>
#include <limits>

namespace {

using charttest::ChartTest;

void DrawOn(chart::TCustomChart& c, int width, int height)
{
    gui::TBitmap bitmap;
    bitmap.SetSize(width, height);
    c.Draw(*bitmap.Canvas(), {0, 0, width, height});
}

TEST_F(ChartTest, TheChartRectangleIsWhatTitleLegendAxesAndBevelsLeave)
{
    struct Case {
        const char* name;
        int titleLines;
        bool legend;
        int legendEntries;
        bool captions;
        chart::TPanelBevel outer, inner;
        int bevelWidth;
        int depthPercent;  // 0: flat
    };
    const Case cases[] = {
        {"bare", 0, false, 2, false, chart::bvNone, chart::bvNone, 1, 0},
        {"one title line", 1, false, 2, false, chart::bvNone, chart::bvNone, 1, 0},
        {"two title lines", 2, false, 2, false, chart::bvNone, chart::bvNone, 1, 0},
        {"legend", 1, true, 2, false, chart::bvNone, chart::bvNone, 1, 0},
        {"legend without entries", 1, true, 0, false, chart::bvNone, chart::bvNone, 1, 0},
        {"captions", 1, true, 2, true, chart::bvNone, chart::bvNone, 1, 0},
        {"bevels", 2, true, 3, true, chart::bvRaised, chart::bvLowered, 3, 0},
        {"depth 15 %", 1, true, 2, true, chart::bvNone, chart::bvNone, 1, 15},
        {"depth 1 %", 1, true, 2, true, chart::bvNone, chart::bvNone, 1, 1},
        {"depth 100 %", 1, true, 2, true, chart::bvRaised, chart::bvNone, 1, 100},
    };
    const char* entryTitles[] = {"Inverter", "Outlet Damper", "Inlet Vane  "};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        chart::TChart c(nullptr);
        c.SetBevelOuter(k.outer);
        c.SetBevelInner(k.inner);
        c.SetBevelWidth(k.bevelWidth);
        c.SetView3D(k.depthPercent > 0);
        c.SetChart3DPercent(std::max(1, k.depthPercent));
        for (int i = 0; i < k.titleLines; ++i) {
            c.Title()->Text()->Add(i == 0 ? "Annual Operating Cost" : "  second line ");
        }
        c.Legend()->SetVisible(k.legend);
        std::vector<std::unique_ptr<chart::TLineSeries>> series;
        for (int s = 0; s < 3; ++s) {
            series.push_back(std::make_unique<chart::TLineSeries>(nullptr));
            series.back()->SetTitle(entryTitles[s]);
            series.back()->SetShowInLegend(s < k.legendEntries);
            series.back()->AddXY(0, 0);
            series.back()->AddXY(100, 100);
            series.back()->SetParentChart(&c);
        }
        if (k.captions) {
            c.LeftAxis()->Title()->SetCaption("Operating cost $");
            c.BottomAxis()->Title()->SetCaption("Percentage Flow (%)");
        }
        DrawOn(c, 600, 400);

        charttest::Measure m;
        const int th = m.Height(*c.Title()->Font());  // every font of the chart is Arial 8 pt
        const int bevels = ((k.outer != chart::bvNone) + (k.inner != chart::bvNone)) * k.bevelWidth;
        const int w = 600 - 2 * bevels;
        const int h = 400 - 2 * bevels;
        int left = bevels + w * 3 / 100;
        int right = bevels + w - w * 3 / 100;
        int top = bevels + h * 4 / 100;
        int bottom = bevels + h - h * 4 / 100;
        top += k.titleLines ? k.titleLines * th + 4 : 0;
        win::RECT legend{};
        if (k.legend && k.legendEntries > 0) {
            int widest = 0;
            for (int s = 0; s < k.legendEntries; ++s) {
                widest = std::max(widest, m.Width(*c.Legend()->Font(), entryTitles[s]));
            }
            const int lw = 4 + 12 + 4 + widest + 4;
            legend = {right - lw, top, right, top + k.legendEntries * (th + 2) + 4};
            right -= lw + 8;
        }
        bottom -= 4 + 2 + th + (k.captions ? th + 2 : 0);
        // The depth, from what is left after the bottom axis's room; the front face gives it up.
        const int depth = std::min(right - left, bottom - top) * k.depthPercent / 200;
        top += depth;
        right -= depth;
        // The values run 0..100, so 100 is always among the left axis's labels and the widest of them.
        left += m.Width(*c.LeftAxis()->LabelsFont(), "100") + 2 + 4 + (k.captions ? th + 2 : 0);
        const win::RECT r = c.ChartRect();
        EXPECT_EQ(r.left, left);
        EXPECT_EQ(r.top, top);
        EXPECT_EQ(r.right, right);
        EXPECT_EQ(r.bottom, bottom);
        const win::RECT l = c.LegendRect();
        EXPECT_EQ(l.left, legend.left);
        EXPECT_EQ(l.top, legend.top);
        EXPECT_EQ(l.right, legend.right);
        EXPECT_EQ(l.bottom, legend.bottom);
        for (auto& s : series) {
            s->SetParentChart(nullptr);
        }
    }
}

TEST_F(ChartTest, AxesTakeTheirRangesFromTheActiveSeries)
{
    struct Case {
        const char* name;
        std::function<void(chart::TChart&, classes::TComponent&)> fill;
        double bottomMin, bottomMax, leftMin, leftMax;
    };
    auto points = [](chart::TChartSeries& s, double from, double to, bool exchanged = false) {
        for (int i = 0; i <= 10; ++i) {
            const double x = 10.0 * i;
            const double y = from + (to - from) * i / 10.0;
            exchanged ? s.AddXY(y, x) : s.AddXY(x, y);
        }
    };
    const Case cases[] = {
        {"bars", [&](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::TBarSeries(&o);
             s->SetParentChart(&c);
             points(*s, 20, 340);
         }, -5, 105, 0, 340},
        {"line", [&](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::TLineSeries(&o);
             s->SetParentChart(&c);
             points(*s, 20, 340);
         }, 0, 100, 20, 340},
        {"area", [&](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::TAreaSeries(&o);
             s->SetParentChart(&c);
             points(*s, 20, 340);
         }, 0, 100, 0, 340},
        {"inactive ignored", [&](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::TFastLineSeries(&o);
             s->SetParentChart(&c);
             points(*s, -20, 40);
             auto* off = new chart::TBarSeries(&o);
             off->SetParentChart(&c);
             points(*off, 1000, 5000);
             off->SetActive(false);
         }, 0, 100, -20, 40},
        {"empty", [](chart::TChart&, classes::TComponent&) {}, -1, 1, -1, 1},
        {"horizontal bars", [&](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::THorizBarSeries(&o);
             s->SetParentChart(&c);
             points(*s, 20, 340, true);
         }, 0, 340, -5, 105},
        {"one point", [](chart::TChart& c, classes::TComponent& o) {
             auto* s = new chart::TPointSeries(&o);
             s->SetParentChart(&c);
             s->AddXY(3, 7);
             s->AddXY(std::numeric_limits<double>::quiet_NaN(), 1e9);
             s->AddXY(5, 2e300);
         }, 2, 4, 6, 8},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        classes::TComponent owner(nullptr);
        auto* c = new chart::TChart(&owner);
        k.fill(*c, owner);
        DrawOn(*c, 600, 400);
        EXPECT_DOUBLE_EQ(c->BottomAxis()->Minimum(), k.bottomMin);
        EXPECT_DOUBLE_EQ(c->BottomAxis()->Maximum(), k.bottomMax);
        EXPECT_DOUBLE_EQ(c->LeftAxis()->Minimum(), k.leftMin);
        EXPECT_DOUBLE_EQ(c->LeftAxis()->Maximum(), k.leftMax);
    }
}

TEST_F(ChartTest, BarCategoriesGetALabelEachAndValuesRoundSteps)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    classes::TComponent owner(nullptr);
    auto* c = new chart::TChart(&owner);
    auto* s = new chart::TBarSeries(&owner);
    s->SetParentChart(c);
    for (int i = 0; i <= 10; ++i) {
        s->AddXY(10 * i, 1200 * i);
    }
    DrawOn(*c, 600, 400);
    const std::vector<double> categories = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(c->BottomAxis()->LabelValues(), categories);
    // 0..12,000 on the left: labels every 2,000 or closer, the last 12,000.
    const std::vector<double>& values = c->LeftAxis()->LabelValues();
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 12000);
    // A bar's ends and a value's pixel follow the mapping of the chart rectangle.
    const win::RECT r = c->ChartRect();
    EXPECT_EQ(c->LeftAxis()->CalcPosValue(0), r.bottom - 1);
    EXPECT_EQ(c->LeftAxis()->CalcPosValue(12000), r.top);
    EXPECT_EQ(c->BottomAxis()->CalcPosValue(-5), r.left);
    EXPECT_EQ(c->BottomAxis()->CalcPosValue(105), r.right - 1);
    const double x = 50;
    EXPECT_EQ(c->BottomAxis()->CalcPosValue(x),
              r.left + int(std::floor((x + 5) * (r.right - 1 - r.left) / 110.0 + 0.5)));
    rtl::SetLocaleSource(nullptr);
}

}  // namespace
