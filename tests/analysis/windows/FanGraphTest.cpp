// The graph page as the window shows it for the default projects: the six charts filled at once by the
// three graphs, the fill patterns, and the 3D view with its depth and rotation controls. The figures are
// the worked example's: yearly costs per flow point are the point's power (2.62, 9.12, 7.06 kW at 60 %,
// 12.14 kW for the drive at 100 %) times its yearly hours (2102.4 at 60 %, 87.6 at 100 %).

#include "tests/analysis/windows/FanFixture.h"

#include "platform/chart/BarSeries.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/chart/View3DOptions.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"

#include <cmath>

namespace fantest {
namespace {

using Names = std::vector<std::string>;

class FanGraphTest : public FanWindowTest {
protected:
    chart::TChart& Graph(int style) const { return *window->Charts.at(std::size_t(style - 1)); }
    chart::TChartSeries& Slot(int style, int slot) const
    {
        return *window->GraphSeries.at(std::size_t(style - 1)).at(std::size_t(slot - 1));
    }
    // The styles whose charts are visible.
    std::vector<int> VisibleStyles() const
    {
        std::vector<int> styles;
        for (int style = 1; style <= 6; ++style)
            if (Graph(style).Visible())
                styles.push_back(style);
        return styles;
    }
    // The value a slot's series shows at a flow, read the way the chart lays it out (the horizontal bar
    // chart carries the flow in Y); NaN when the series has no point at that flow.
    double ValueAt(int style, int slot, double flow) const
    {
        const chart::TChartSeries& series = Slot(style, slot);
        for (int i = 0; i < series.Count(); ++i) {
            const double x = style == 3 ? series.YValue(i) : series.XValue(i);
            if (x == flow)
                return style == 3 ? series.XValue(i) : series.YValue(i);
        }
        return std::nan("");
    }
    // The legend's entries of a chart, in its order.
    Names Legend(int style) const
    {
        Names entries;
        const chart::TChart& graph = Graph(style);
        for (int i = 0; i < graph.SeriesCount(); ++i)
            if (graph.Series(i)->Active() && graph.Series(i)->ShowInLegend())
                entries.push_back(graph.Series(i)->Title());
        return entries;
    }
    std::vector<int> ActiveSlots(int style) const
    {
        std::vector<int> slots;
        for (int slot = 1; slot <= 5; ++slot)
            if (Slot(style, slot).Active())
                slots.push_back(slot);
        return slots;
    }
    void ChooseGraph(int item)
    {
        auto& box = Named<gui::TComboBox>("SelectionGraphType");
        box.SetItemIndex(item);
        window->SelectionGraphTypeChange(&box);
    }
    Names TitleLines(int style) const
    {
        Names lines;
        const rtl::TStrings& text = *Graph(style).Title()->Text();
        for (int i = 0; i < text.Count(); ++i)
            lines.push_back(text.Strings(i));
        return lines;
    }
    gui::TScrollBar& Bar(const std::string& name) const { return Named<gui::TScrollBar>(name); }
    gui::TCheckBox& Box(const std::string& name) const { return Named<gui::TCheckBox>(name); }
};

TEST_F(FanGraphTest, TheDefaultFanCostGraphFillsAllSixCharts)
{
    Open();
    EXPECT_EQ(VisibleStyles(), std::vector<int>{5});
    EXPECT_EQ(Named<gui::TComboBox>("SelectionGraphType").ItemIndex(), 0);
    for (int style = 1; style <= 6; ++style) {
        SCOPED_TRACE(style);
        chart::TChart& graph = Graph(style);
        EXPECT_EQ(TitleLines(style), Names{"Annual Operating Cost / Fan Application"});
        const std::string values = "Operating cost $";
        const std::string flow = "Percentage Flow (%)";
        EXPECT_EQ(graph.LeftAxis()->Title()->Caption(), style == 3 ? flow : values);
        EXPECT_EQ(graph.BottomAxis()->Title()->Caption(), style == 3 ? values : flow);
        EXPECT_EQ(ActiveSlots(style), (std::vector<int>{1, 2, 3}));
        const Names titles = {"Inverter", "Outlet Damper", "Inlet Vane", "", ""};
        for (int slot = 1; slot <= 5; ++slot) {
            SCOPED_TRACE(slot);
            const chart::TChartSeries& series = Slot(style, slot);
            EXPECT_EQ(series.Title(), titles[std::size_t(slot - 1)]);
            // Every series starts at the origin; the inactive ones hold nothing else.
            ASSERT_EQ(series.Count(), slot <= 3 ? 11 : 1);
            EXPECT_EQ(series.XValue(0), 0);
            EXPECT_EQ(series.YValue(0), 0);
            if (slot <= 3) {
                EXPECT_EQ(ValueAt(style, slot, 10), 0) << "no operation at 10 % flow";
            }
        }
        EXPECT_NEAR(ValueAt(style, 1, 60), 5508.288, 1e-6);
        EXPECT_NEAR(ValueAt(style, 2, 60), 19173.888, 1e-6);
        EXPECT_NEAR(ValueAt(style, 3, 60), 14842.944, 1e-6);
        EXPECT_NEAR(ValueAt(style, 1, 100), 1063.464, 1e-6);
    }
    // The area chart keeps its series in the stored order, which is the legend's.
    EXPECT_EQ(Legend(1), (Names{"Outlet Damper", "Inlet Vane", "Inverter"}));
    EXPECT_EQ(Legend(5), (Names{"Inverter", "Outlet Damper", "Inlet Vane"}));
}

// Drawn as the window shows it, the inlet vane's bar at 60 % flow is blue: the third of the three bars
// sharing the category's room, 70 % of the gap between categories, in the front face of the box.
TEST_F(FanGraphTest, TheBarChartDrawsTheInletVaneBarInBlue)
{
    Open();
    chart::TChart& graph = Graph(5);
    gui::TBitmap surface;
    surface.SetWidth(graph.Width());
    surface.SetHeight(graph.Height());
    graph.Draw(*surface.Canvas(), win::RECT{0, 0, graph.Width(), graph.Height()});
    const chart::TChartAxis& flow = *graph.BottomAxis();
    const chart::TChartAxis& cost = *graph.LeftAxis();
    const double pixelsPerPercent = std::abs(flow.EndPixel() - flow.StartPixel()) / (flow.Maximum() - flow.Minimum());
    const int room = int(std::lround(10 * pixelsPerPercent * 0.7));
    const int width = room / 3;
    const int left = flow.CalcPosValue(60) - room / 2 + 2 * width;
    const int top = cost.CalcPosValue(14842.944);
    const int bottom = cost.CalcPosValue(0);
    ASSERT_GT(width, 4);
    ASSERT_GT(bottom - top, 4);
    EXPECT_EQ(surface.Canvas()->Pixels(left + width / 2, (top + bottom) / 2), gui::clBlue);
    // Its neighbour in the same category is the damper's, in its automatic colour.
    EXPECT_NE(surface.Canvas()->Pixels(left - width / 2, (top + bottom) / 2), gui::clBlue);
}

// The hours and time graphs show one series without a legend entry, whatever the cost graph named; the
// point chart's axis title goes without the trailing blank.
TEST_F(FanGraphTest, TheHoursAndTimeGraphs)
{
    struct Case {
        int item;
        const char* title;
        const char* axis;
        const char* axisOfChart4;
        std::vector<std::pair<double, double>> points;  // flow, value
    };
    const Case cases[] = {
        {1, "Annual Hours of operation per percentage Flow Graph for Fans", "Annual Hours ", "Annual Hours",
         {{10, 0}, {20, 525.6}, {60, 2102.4}, {100, 87.6}}},
        {2, "Percentage Time per percentage Flow Graph for Fans", "Percentage Time (%) ", "Percentage Time (%)",
         {{10, 0}, {20, 6}, {60, 24}, {100, 1}}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ChooseGraph(c.item);
        for (int style = 1; style <= 6; ++style) {
            SCOPED_TRACE(style);
            chart::TChart& graph = Graph(style);
            EXPECT_EQ(TitleLines(style), Names{c.title});
            const chart::TChartAxis& valueAxis = style == 3 ? *graph.BottomAxis() : *graph.LeftAxis();
            EXPECT_EQ(valueAxis.Title()->Caption(), style == 4 ? c.axisOfChart4 : c.axis);
            EXPECT_EQ(ActiveSlots(style), std::vector<int>{3});
            EXPECT_EQ(Legend(style), Names{});
            EXPECT_EQ(Slot(style, 3).Title(), "");
            EXPECT_EQ(Slot(style, 3).Count(), 11);
            for (const auto& [flow, value] : c.points)
                EXPECT_NEAR(ValueAt(style, 3, flow), value, 1e-9) << flow;
        }
    }
    // Back to the cost graph: the names and the legend return.
    ChooseGraph(0);
    EXPECT_EQ(Legend(2), (Names{"Inverter", "Outlet Damper", "Inlet Vane"}));
}

// A pump compares two methods; a custom control takes its own slot and name only while it is compared.
TEST_F(FanGraphTest, PumpAndCustomControlsChooseTheSlots)
{
    struct Case {
        int app;
        bool custom1;
        bool custom2;
        const char* title;
        std::vector<int> active;
        Names names;
    };
    const Case cases[] = {
        {2, false, false, "Annual Operating Cost / Pumping Application", {1, 2}, {"Inverter", "Throttling Valve", "", "", ""}},
        {1, false, true, "Annual Operating Cost / Fan Application", {1, 2, 3, 5},
         {"Inverter", "Outlet Damper", "Inlet Vane", "", "Custom Control 2"}},
        {2, true, true, "Annual Operating Cost / Pumping Application", {1, 2, 4, 5},
         {"Inverter", "Throttling Valve", "", "Custom Control 1", "Custom Control 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + std::to_string(c.custom1) + std::to_string(c.custom2));
        analysis::ParamTable[71]->Value = c.custom1;
        analysis::ParamTable[72]->Value = c.custom2;
        tools::LoadOptions();
        analysis::AppType = c.app;
        Open();
        const auto& vfd = c.app == 1 ? analysis::FanVfdPointCost : analysis::PumpVfdPointCost;
        const auto& throttled = c.app == 1 ? analysis::DamperPointCost : analysis::ValvePointCost;
        for (int style = 1; style <= 6; ++style) {
            SCOPED_TRACE(style);
            EXPECT_EQ(TitleLines(style), Names{c.title});
            EXPECT_EQ(ActiveSlots(style), c.active);
            for (int slot = 1; slot <= 5; ++slot) {
                const bool active = std::ranges::count(c.active, slot) != 0;
                EXPECT_EQ(Slot(style, slot).Title(), c.names[std::size_t(slot - 1)]) << slot;
                EXPECT_EQ(Slot(style, slot).Count(), active ? 11 : 1) << slot;
            }
            // Full flow (the arrays' first point) lies on the right, the lowest flow on the left.
            EXPECT_EQ(ValueAt(style, 1, 100), vfd[1]);
            EXPECT_EQ(ValueAt(style, 2, 20), throttled[9]);
            if (c.custom2) {
                EXPECT_EQ(ValueAt(style, 5, 90), analysis::Custom2PointCost[2]);
            }
        }
        window->Hide();
    }
}

// The pattern box hatches the slots of the bar charts, the point markers and the shapes; the fast lines
// keep their pens. Unticked, everything is solid again.
TEST_F(FanGraphTest, ThePatternBoxHatchesTheSlots)
{
    const gui::TBrushStyle hatched[] = {gui::bsBDiagonal, gui::bsCross, gui::bsDiagCross, gui::bsFDiagonal,
                                        gui::bsHorizontal};
    Open();
    for (const bool ticked : {true, false, true}) {
        SCOPED_TRACE(ticked);
        Box("BW").SetChecked(ticked);
        driver.Pump();
        for (int slot = 1; slot <= 5; ++slot) {
            SCOPED_TRACE(slot);
            const gui::TBrushStyle expected = ticked ? hatched[slot - 1] : gui::bsSolid;
            EXPECT_EQ(Named<gui::TShape>("Shape" + std::to_string(slot)).Brush()->Style(), expected);
            for (int style : {3, 5})
                EXPECT_EQ(dynamic_cast<chart::TCustomBarSeries&>(Slot(style, slot)).BarBrush()->Style(), expected);
            for (int style : {1, 2, 4})
                EXPECT_EQ(dynamic_cast<chart::TCustomSeries&>(Slot(style, slot)).Pointer()->Brush()->Style(), expected);
            const auto& line = dynamic_cast<chart::TFastLineSeries&>(Slot(6, slot));
            EXPECT_EQ(line.LinePen()->Width(), 2);
            EXPECT_EQ(line.LinePen()->Style(), gui::psSolid);
        }
        for (int shape = 6; shape <= 10; ++shape)
            EXPECT_EQ(Named<gui::TShape>("Shape" + std::to_string(shape)).Brush()->Style(), gui::bsSolid);
    }
    // The graph routines leave the brushes alone.
    ChooseGraph(1);
    ChooseGraph(0);
    EXPECT_EQ(dynamic_cast<chart::TCustomBarSeries&>(Slot(5, 2)).BarBrush()->Style(), gui::bsCross);
}

// Showing the window brings the page to its start state, one projection setting per chart; what the user
// changed on the page before is undone that way.
TEST_F(FanGraphTest, ShowingTheWindowResetsThePage)
{
    Open();
    EXPECT_EQ(Bar("Bar3D").Position(), 15);
    EXPECT_EQ(Caption("Label6A"), "3D View  15%");
    EXPECT_TRUE(Box("CheckBox1").Checked());
    EXPECT_TRUE(Bar("Bar3D").Enabled());
    EXPECT_TRUE(Bar("ScrollBar3").Enabled());
    for (int style = 1; style <= 6; ++style) {
        EXPECT_TRUE(Graph(style).View3D()) << style;
        EXPECT_FALSE(Graph(style).ShowHint()) << style;
    }

    ChooseGraph(2);
    Bar("ScrollBar3").SetPosition(300);
    window->Hide();
    Open();
    EXPECT_EQ(Named<gui::TComboBox>("SelectionGraphType").ItemIndex(), 0);
    EXPECT_EQ(TitleLines(4), Names{"Annual Operating Cost / Fan Application"});
    for (int style = 1; style <= 6; ++style) {
        SCOPED_TRACE(style);
        const chart::TView3DOptions& view = *Graph(style).View3DOptions();
        if (style % 2 == 1) {
            EXPECT_TRUE(view.Orthogonal());
            EXPECT_EQ(view.Rotation(), 300);
        } else {
            EXPECT_FALSE(view.Orthogonal());
            EXPECT_EQ(view.Rotation(), 345);
        }
    }
}

TEST_F(FanGraphTest, TheThreeDimensionalViewControls)
{
    Open();
    // Depth: every chart follows the bar, and the label reads it with two blanks.
    for (const int depth : {1, 100, 42}) {
        Bar("Bar3D").SetPosition(depth);
        EXPECT_EQ(Caption("Label6A"), "3D View  " + std::to_string(depth) + "%");
        for (int style = 1; style <= 6; ++style)
            EXPECT_EQ(Graph(style).Chart3DPercent(), depth) << style;
    }

    // Rotation turns every chart away from the orthogonal view.
    Bar("ScrollBar3").SetPosition(290);
    for (int style = 1; style <= 6; ++style) {
        EXPECT_FALSE(Graph(style).View3DOptions()->Orthogonal()) << style;
        EXPECT_EQ(Graph(style).View3DOptions()->Rotation(), 290) << style;
    }

    // Flat: both bars are disabled and a rotation set meanwhile is ignored.
    Box("CheckBox1").SetChecked(false);
    EXPECT_FALSE(Bar("Bar3D").Enabled());
    EXPECT_FALSE(Bar("ScrollBar3").Enabled());
    Bar("ScrollBar3").SetPosition(320);
    for (int style = 1; style <= 6; ++style) {
        EXPECT_FALSE(Graph(style).View3D()) << style;
        EXPECT_EQ(Graph(style).View3DOptions()->Rotation(), 290) << style;
    }

    // Reset while flat takes effect when the view turns 3D again; the controls keep their states.
    GoToPage(3);
    ClickOn(Named("BitBtn16"));
    Box("CheckBox1").SetChecked(true);
    EXPECT_TRUE(Bar("Bar3D").Enabled());
    EXPECT_TRUE(Bar("ScrollBar3").Enabled());
    EXPECT_EQ(Bar("Bar3D").Position(), 42);
    EXPECT_EQ(Caption("Label6A"), "3D View  42%");
    EXPECT_EQ(Bar("ScrollBar3").Position(), 320);
    for (int style = 1; style <= 6; ++style) {
        SCOPED_TRACE(style);
        EXPECT_TRUE(Graph(style).View3D());
        EXPECT_EQ(Graph(style).Chart3DPercent(), 15);
        EXPECT_TRUE(Graph(style).View3DOptions()->Orthogonal());
        EXPECT_EQ(Graph(style).View3DOptions()->Rotation(), 345);
    }
    // The first move of the rotation bar applies its own new position, not a step from 345.
    Bar("ScrollBar3").SetPosition(321);
    EXPECT_EQ(Graph(2).View3DOptions()->Rotation(), 321);
}

}  // namespace
}  // namespace fantest
