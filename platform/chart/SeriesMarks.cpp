#include "platform/chart/SeriesMarks.h"

namespace chart {

const classes::TClassInfo& TSeriesMarks::StaticClass()
{
    static const classes::TClassInfo info("TSeriesMarks", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TSeriesMarks>(c).Property("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible)
            .Default(1);
    });
    return info;
}

}  // namespace chart
