// The graphs of the analysis window: the six charts of the graph page, the three graph routines that
// fill all of them at once, the fill patterns for black-and-white printing, and the page's start state.

#include "analysis/windows/Fan.h"

#include "analysis/windows/detail/StoredComponent.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/ChartTitle.h"
#include "platform/chart/CustomSeries.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/dialogs/Dialogs.h"

namespace analysis {

using detail::Stored;

namespace {

// The stored names of each chart's series, by slot. They do not follow the series' kinds.
constexpr const char* kSeriesPrefix[TFANFORM::GraphStyleCount] = {"Series",     "AreaSeries",       "LineSeries",
                                                                  "BarSeries",  "HorizBarSeries",   "PointSeries"};

// The chart that lays its values along the bottom axis and the flow along the left one.
constexpr int kHorizontalBarChart = 2;
// The chart whose value axis titles go without the trailing blank.
constexpr int kPointChart = 3;

// The slots' fill patterns for black-and-white printing.
constexpr gui::TBrushStyle kSlotPattern[TFANFORM::GraphSlotCount] = {gui::bsBDiagonal, gui::bsCross, gui::bsDiagCross,
                                                                     gui::bsFDiagonal, gui::bsHorizontal};

}  // namespace

void TFANFORM::BindGraphComponents()
{
    for (int c = 0; c < GraphStyleCount; ++c) {
        Charts[std::size_t(c)] = Stored<chart::TChart>(*this, "Chart" + std::to_string(c + 1));
        for (int s = 0; s < GraphSlotCount; ++s)
            GraphSeries[std::size_t(c)][std::size_t(s)]
                = Stored<chart::TChartSeries>(*this, kSeriesPrefix[c] + std::to_string(s + 1));
    }
    for (std::size_t s = 0; s < SeriesNames.size(); ++s)
        SeriesNames[s] = Stored<gui::TLabel>(*this, "Label" + std::to_string(s + 1) + "N");
    for (std::size_t k = 0; k < Shapes.size(); ++k)
        Shapes[k] = Stored<gui::TShape>(*this, "Shape" + std::to_string(k + 1));
    const char* const numbers[] = {"Number1", "Number3", "Number4", "Number5"};
    for (std::size_t k = 0; k < Numbers.size(); ++k)
        Numbers[k] = Stored<gui::TLabel>(*this, numbers[k]);
    SelectionGraphType = Stored<gui::TComboBox>(*this, "SelectionGraphType");
    BW = Stored<gui::TCheckBox>(*this, "BW");
    CheckBox1 = Stored<gui::TCheckBox>(*this, "CheckBox1");
    Bar3D = Stored<gui::TScrollBar>(*this, "Bar3D");
    ScrollBar3 = Stored<gui::TScrollBar>(*this, "ScrollBar3");
    Label6A = Stored<gui::TLabel>(*this, "Label6A");
    PrintDialog1 = Stored<gui::TPrintDialog>(*this, "PrintDialog1");
}

void TFANFORM::CreateGraphView()
{
    for (chart::TChart* graph : Charts)
        graph->SetView3D(true);
    Bar3D->SetEnabled(true);
    ScrollBar3->SetEnabled(true);
}

void TFANFORM::ShowGraphPage()
{
    SelectionGraphType->SetItemIndex(0);
    ShowChartOfStyle();
    const int depth = Charts[0]->Chart3DPercent();
    Bar3D->SetPosition(depth);
    Label6A->SetCaption(Text("IDS_238") + " " + std::to_string(depth) + "%");
    DrawCostGraph();
    for (chart::TChart* graph : Charts)
        graph->UndoZoom();
    // Unlike the Reset button, each chart gets one setting: Chart1, Chart3 and Chart5 face the viewer,
    // the other three are turned.
    for (int c = 0; c < GraphStyleCount; ++c) {
        chart::TView3DOptions& view = *Charts[std::size_t(c)]->View3DOptions();
        if (c % 2 == 0)
            view.SetOrthogonal(true);
        else
            view.SetRotation(345);
    }
}

void TFANFORM::ShowChartOfStyle()
{
    for (chart::TChart* graph : Charts)
        graph->SetVisible(false);
    if (ChartStyle >= 1 && ChartStyle <= GraphStyleCount)
        Charts[std::size_t(ChartStyle - 1)]->SetVisible(true);
}

void TFANFORM::RedrawSelectedGraph()
{
    switch (SelectionGraphType->ItemIndex()) {
    case 0: DrawCostGraph(); break;
    case 1: DrawHoursGraph(); break;
    case 2: DrawTimeGraph(); break;
    default: break;
    }
}

void TFANFORM::ClearAllSeries()
{
    for (const auto& chartSeries : GraphSeries)
        for (chart::TChartSeries* series : chartSeries)
            series->Clear();
    for (gui::TShape* shape : Shapes)
        shape->SetVisible(false);
    for (gui::TLabel* number : Numbers)
        number->SetVisible(false);
    for (gui::TLabel* name : SeriesNames)
        name->SetCaption("");
}

void TFANFORM::FrameGraphs(const std::string& title, const std::string& valueAxis,
                           const std::string& valueAxisOfChart4)
{
    const std::string flowAxis = Text("IDS_7");
    for (int c = 0; c < GraphStyleCount; ++c) {
        chart::TChart& graph = *Charts[std::size_t(c)];
        graph.Title()->Text()->SetText(title);
        const std::string& values = c == kPointChart ? valueAxisOfChart4 : valueAxis;
        const bool exchanged = c == kHorizontalBarChart;
        graph.LeftAxis()->Title()->SetCaption(exchanged ? flowAxis : values);
        graph.BottomAxis()->Title()->SetCaption(exchanged ? values : flowAxis);
        for (std::size_t s = 0; s < GraphSlotCount; ++s) {
            chart::TChartSeries& series = *GraphSeries[std::size_t(c)][s];
            series.SetTitle(SeriesNames[s]->Caption());
            series.AddXY(0, 0);
        }
    }
}

void TFANFORM::SetSlotActivity(const std::array<bool, GraphSlotCount>& active, bool slot3InLegend)
{
    for (const auto& chartSeries : GraphSeries) {
        for (std::size_t s = 0; s < GraphSlotCount; ++s)
            chartSeries[s]->SetActive(active[s]);
        chartSeries[2]->SetShowInLegend(slot3InLegend);
    }
}

template <class T>
void TFANFORM::AddGraphData(int slot, const ByFlowPoint<T>& values)
{
    // The arrays run from full flow down; the graphs put the lowest flow on the left.
    for (int c = 0; c < GraphStyleCount; ++c) {
        chart::TChartSeries& series = *GraphSeries[std::size_t(c)][std::size_t(slot - 1)];
        for (int i = 1; i <= FlowPointCount; ++i) {
            const double flow = 10 * i;
            const double value = double(values[11 - i]);
            if (c == kHorizontalBarChart)
                series.AddXY(value, flow);
            else
                series.AddXY(flow, value);
        }
    }
}

void TFANFORM::DrawCostGraph()
{
    ClearAllSeries();
    const bool fan = AppType == 1;
    const bool pump = AppType == 2;
    if (fan || pump) {
        SeriesNames[0]->SetCaption(Text("IDS_0"));
        SeriesNames[1]->SetCaption(Text(fan ? "IDS_1" : "IDS_4"));
        if (fan)
            SeriesNames[2]->SetCaption(Text("IDS_2"));
    }
    SeriesNames[3]->SetCaption(Custom1Enabled ? Custom1Title.Str() : "");
    SeriesNames[4]->SetCaption(Custom2Enabled ? Custom2Title.Str() : "");
    if (!fan && !pump)
        return;

    FrameGraphs(Text(fan ? "IDS_5" : "IDS_23"), Text("IDS_6") + CurrencySymbol.Str(),
                Text("IDS_6") + CurrencySymbol.Str());
    SetSlotActivity({true, true, fan, Custom1Enabled, Custom2Enabled}, true);
    AddGraphData(1, fan ? FanVfdPointCost : PumpVfdPointCost);
    AddGraphData(2, fan ? DamperPointCost : ValvePointCost);
    if (fan)
        AddGraphData(3, InletVanePointCost);
    if (Custom1Enabled)
        AddGraphData(4, Custom1PointCost);
    if (Custom2Enabled)
        AddGraphData(5, Custom2PointCost);
}

template <class T>
void TFANFORM::DrawDistributionGraph(const GraphTexts& texts, const ByFlowPoint<T>& fanValues,
                                     const ByFlowPoint<T>& pumpValues)
{
    // One series without a name: the names of the cost graph do not apply.
    ClearAllSeries();
    if (AppType != 1 && AppType != 2)
        return;
    const bool fan = AppType == 1;
    FrameGraphs(Text(fan ? texts.fanTitle : texts.pumpTitle), Text(texts.valueAxis), Text(texts.valueAxisOfChart4));
    SetSlotActivity({false, false, true, false, false}, false);
    AddGraphData(3, fan ? fanValues : pumpValues);
}

void TFANFORM::DrawHoursGraph()
{
    DrawDistributionGraph({"IDS_41", "IDS_59", "IDS_42", "IDS_51"}, FanHours, PumpHours);
}

void TFANFORM::DrawTimeGraph()
{
    DrawDistributionGraph({"IDS_77", "IDS_95", "IDS_78", "IDS_87"}, FanDutyPercent, PumpDutyPercent);
}

void TFANFORM::ApplyFillPatterns()
{
    const bool patterns = BW->Checked();
    for (std::size_t s = 0; s < GraphSlotCount; ++s) {
        const gui::TBrushStyle style = patterns ? kSlotPattern[s] : gui::bsSolid;
        Shapes[s]->Brush()->SetStyle(style);
        for (const auto& chartSeries : GraphSeries) {
            if (auto* bars = dynamic_cast<chart::TCustomBarSeries*>(chartSeries[s]))
                bars->BarBrush()->SetStyle(style);
            else if (auto* points = dynamic_cast<chart::TCustomSeries*>(chartSeries[s]))
                points->Pointer()->Brush()->SetStyle(style);
        }
    }
}

}  // namespace analysis
