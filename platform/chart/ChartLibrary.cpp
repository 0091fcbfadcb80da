#include "platform/chart/ChartLibrary.h"

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/classes/ClassRegistry.h"

#include <array>

namespace chart {

namespace {

std::array<const classes::TClassInfo*, 9> LibraryClasses()
{
    return {&TCustomChart::StaticClass(), &TChart::StaticClass(),       &TChartSeries::StaticClass(),
            &TBarSeries::StaticClass(),   &THorizBarSeries::StaticClass(), &TLineSeries::StaticClass(),
            &TAreaSeries::StaticClass(),  &TPointSeries::StaticClass(), &TFastLineSeries::StaticClass()};
}

}  // namespace

void initialize()
{
    for (const classes::TClassInfo* cls : LibraryClasses()) {
        classes::RegisterClass(*cls);
    }
}

void finalize()
{
    for (const classes::TClassInfo* cls : LibraryClasses()) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace chart
