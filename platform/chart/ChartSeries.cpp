#include "platform/chart/ChartSeries.h"

#include "platform/chart/Chart.h"
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartFaces.h"
#include "platform/classes/ComponentReader.h"
#include "platform/rtl/Exceptions.h"

#include <cmath>

namespace chart {

bool IsDrawableValue(double value)
{
    return std::isfinite(value) && std::abs(value) <= 1e300;
}

TChartSeries::TChartSeries(classes::TComponent* owner)
    : TComponent(owner), marks_(std::make_unique<TSeriesMarks>())
{
    Watch(*marks_);
}

TChartSeries::~TChartSeries()
{
    SetParentChart(nullptr);
}

const classes::TClassInfo& TChartSeries::StaticClass()
{
    static const classes::TClassInfo info("TChartSeries", &classes::TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartSeries>(c)
            .Property("Active", &TChartSeries::Active, &TChartSeries::SetActive)
            .Default(1)
            .Property("Marks", &TChartSeries::Marks)
            .Property("SeriesColor", gui::ColorType(), &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor)
            .Default(gui::clDefault)
            .Property("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend)
            .Default(1)
            .Property("Title", &TChartSeries::Title, &TChartSeries::SetTitle);
    });
    return info;
}

void TChartSeries::SetActive(bool value)
{
    if (value != active_) {
        active_ = value;
        Repaint();
    }
}

void TChartSeries::SetTitle(const std::string& value)
{
    if (value != title_) {
        title_ = value;
        Repaint();
    }
}

void TChartSeries::SetShowInLegend(bool value)
{
    if (value != showInLegend_) {
        showInLegend_ = value;
        Repaint();
    }
}

void TChartSeries::SetSeriesColor(gui::TColor value)
{
    if (value != seriesColor_) {
        seriesColor_ = value;
        SeriesColorChanged();
        Repaint();
    }
}

void TChartSeries::SetParentChart(TCustomChart* chart)
{
    if (chart == chart_) {
        return;
    }
    if (chart_) {
        TCustomChart* old = chart_;
        chart_ = nullptr;
        old->RemoveSeries(this);
    }
    if (chart) {
        chart_ = chart;
        chart->AddSeries(this);
        // Stored data sets its colour after joining; Loaded gives the automatic one when none was read.
        if (seriesColor_ == gui::clDefault && !HasState(classes::csLoading)) {
            SetSeriesColor(chart->FreeSeriesColor(*this));
        }
    }
}

classes::TComponent* TChartSeries::GetParentComponent() const
{
    return chart_;
}

void TChartSeries::SetParentComponent(classes::TComponent* parent)
{
    if (auto* chart = dynamic_cast<TCustomChart*>(parent)) {
        SetParentChart(chart);
    }
}

void TChartSeries::ReadState(classes::TReader& reader)
{
    auto* chart = dynamic_cast<TCustomChart*>(reader.Parent());
    if (!chart) {
        throw rtl::EReadError("Series " + Name() + " is stored outside a chart");
    }
    SetParentChart(chart);
    TComponent::ReadState(reader);
}

void TChartSeries::Loaded()
{
    TComponent::Loaded();
    if (seriesColor_ == gui::clDefault && chart_) {
        SetSeriesColor(chart_->FreeSeriesColor(*this));
    }
}

int TChartSeries::AddXY(double x, double y, const std::string& label, gui::TColor color)
{
    x_.push_back(x);
    y_.push_back(y);
    labels_.push_back(label);
    colors_.push_back(color);
    Repaint();
    return Count() - 1;
}

void TChartSeries::Clear()
{
    x_.clear();
    y_.clear();
    labels_.clear();
    colors_.clear();
    Repaint();
}

gui::TColor TChartSeries::ValueColor(int index) const
{
    const gui::TColor own = colors_.at(std::size_t(index));
    return own == gui::clDefault ? seriesColor_ : own;
}

std::vector<std::vector<win::POINT>> TChartSeries::PixelRuns(const TSeriesDrawing& drawing) const
{
    std::vector<std::vector<win::POINT>> runs;
    bool inRun = false;
    for (int i = 0; i < Count(); ++i) {
        if (!IsDrawablePoint(i)) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            runs.emplace_back();
            inRun = true;
        }
        const win::POINT point{drawing.bottomAxis.CalcPosValue(XValue(i)), drawing.leftAxis.CalcPosValue(YValue(i))};
        // A point on the pixel of the one before adds nothing to a line; dense series draw far fewer.
        if (runs.back().empty() || runs.back().back().x != point.x || runs.back().back().y != point.y) {
            runs.back().push_back(point);
        }
    }
    return runs;
}

void TChartSeries::DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const
{
    const TChartPen frame(gui::clBlack, 1, true);
    DrawFace(canvas, box, seriesColor_, gui::bsSolid, chartColor, &frame);
}

void TChartSeries::Repaint() const
{
    if (chart_) {
        chart_->ChartChanged();
    }
}

void TChartSeries::Watch(TChartPart& part)
{
    part.OnChange = classes::TNotifyEvent::Of<&TChartSeries::ObjectChanged>(this);
}

void TChartSeries::Watch(gui::TGraphicsObject& object)
{
    object.OnChange = classes::TNotifyEvent::Of<&TChartSeries::ObjectChanged>(this);
}

}  // namespace chart
