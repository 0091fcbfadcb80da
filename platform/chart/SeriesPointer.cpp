#include "platform/chart/SeriesPointer.h"

#include <algorithm>

namespace chart {

const classes::TTypeInfo& SeriesPointerStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TSeriesPointerStyle", {"psRectangle"});
    return type;
}

TSeriesPointer::TSeriesPointer(bool visible)
    : visible_(visible),
      brush_(std::make_unique<TChartBrush>(gui::clDefault)),
      pen_(std::make_unique<TChartPen>(gui::clBlack, 1, true))
{
    Watch(*brush_);
    Watch(*pen_);
}

const classes::TClassInfo& TSeriesPointer::StaticClass()
{
    // Visible is always written: point series show their pointer, the others hide it.
    static const classes::TClassInfo info("TSeriesPointer", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TSeriesPointer>(c)
            .Property("Brush", &TSeriesPointer::Brush)
            .Property("HorizSize", &TSeriesPointer::HorizSize, &TSeriesPointer::SetHorizSize)
            .Default(4)
            .Property("Pen", &TSeriesPointer::Pen)
            .Property("Style", SeriesPointerStyleType(), &TSeriesPointer::Style, &TSeriesPointer::SetStyle)
            .Default(psRectangle)
            .Property("VertSize", &TSeriesPointer::VertSize, &TSeriesPointer::SetVertSize)
            .Default(4)
            .Property("Visible", &TSeriesPointer::Visible, &TSeriesPointer::SetVisible);
    });
    return info;
}

void TSeriesPointer::SetHorizSize(int value)
{
    Change(horizSize_, std::clamp(value, 0, 100));
}

void TSeriesPointer::SetVertSize(int value)
{
    Change(vertSize_, std::clamp(value, 0, 100));
}

}  // namespace chart
