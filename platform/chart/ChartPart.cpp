#include "platform/chart/ChartPart.h"

namespace chart {

const classes::TClassInfo& TChartPart::StaticClass()
{
    static const classes::TClassInfo info("TChartPart", &classes::TPersistent::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TChartPart>{c}; });
    return info;
}

void TChartPart::Changed()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TChartPart::Watch(gui::TGraphicsObject& object)
{
    object.OnChange = classes::TNotifyEvent::Of<&TChartPart::ObjectChanged>(this);
}

void TChartPart::Watch(TChartPart& part)
{
    part.OnChange = classes::TNotifyEvent::Of<&TChartPart::ObjectChanged>(this);
}

std::unique_ptr<gui::TFont> NewChartFont()
{
    auto font = std::make_unique<gui::TFont>();
    font->SetName("Arial");
    font->SetSize(8);
    font->SetColor(gui::clBlack);
    return font;
}

}  // namespace chart
