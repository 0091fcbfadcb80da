#include "platform/chart/ChartTitle.h"

namespace chart {

TChartTitle::TChartTitle() : text_(std::make_unique<rtl::TStringList>()), font_(NewChartFont())
{
    text_->OnChange = [this](rtl::TStringList&) { Changed(); };
    Watch(*font_);
}

const classes::TClassInfo& TChartTitle::StaticClass()
{
    static const classes::TClassInfo info("TChartTitle", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartTitle>(c)
            .Property("Font", &TChartTitle::Font, &TChartTitle::SetFont)
            .Property("Text", &TChartTitle::Text)
            .Property("Visible", &TChartTitle::Visible, &TChartTitle::SetVisible)
            .Default(1);
    });
    return info;
}

void TChartTitle::SetVisible(bool value)
{
    Change(visible_, value);
}

}  // namespace chart
