#include "platform/chart/ChartAxis.h"

#include "platform/chart/AxisScale.h"

namespace chart {

TChartAxisTitle::TChartAxisTitle() : font_(NewChartFont())
{
    Watch(*font_);
}

const classes::TClassInfo& TChartAxisTitle::StaticClass()
{
    static const classes::TClassInfo info("TChartAxisTitle", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartAxisTitle>(c)
            .Property("Caption", &TChartAxisTitle::Caption, &TChartAxisTitle::SetCaption)
            .Property("Font", &TChartAxisTitle::Font, &TChartAxisTitle::SetFont);
    });
    return info;
}

TChartAxis::TChartAxis(bool horizontal)
    : horizontal_(horizontal),
      title_(std::make_unique<TChartAxisTitle>()),
      labelsFont_(NewChartFont()),
      grid_(std::make_unique<TChartPen>(gui::clGray, 1, true))
{
    Watch(*title_);
    Watch(*labelsFont_);
    Watch(*grid_);
}

const classes::TClassInfo& TChartAxis::StaticClass()
{
    static const classes::TClassInfo info("TChartAxis", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartAxis>(c)
            .Property("Grid", &TChartAxis::Grid, &TChartAxis::SetGrid)
            .Property("LabelsFont", &TChartAxis::LabelsFont, &TChartAxis::SetLabelsFont)
            .Property("Title", &TChartAxis::Title)
            .Property("Visible", &TChartAxis::Visible, &TChartAxis::SetVisible)
            .Default(1);
    });
    return info;
}

int TChartAxis::CalcPosValue(double value) const
{
    const double offset = (value - minimum_) * (end_ - start_) / (maximum_ - minimum_);
    return horizontal_ ? start_ + RoundPixel(offset) : start_ - RoundPixel(-offset);
}

void TChartAxis::SetRange(double minimum, double maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

void TChartAxis::SetPixels(int start, int end)
{
    start_ = start;
    end_ = end;
}

}  // namespace chart
