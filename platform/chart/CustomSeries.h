#pragma once
// Series of points joined or marked: TLineSeries (a line through the points), TAreaSeries (the area
// between the line and 0 filled), TPointSeries (a marker at each point). Each may mark its points with
// its Pointer; a point that does not take part breaks the line there.

#include "platform/chart/ChartPen.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/SeriesPointer.h"

#include <vector>

namespace chart {

class TCustomSeries : public TChartSeries {
public:
    TCustomSeries(classes::TComponent* owner, bool pointerVisible);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TSeriesPointer* Pointer() const { return pointer_.get(); }
    // The line's width and style; its colour is the series' colour (setting either sets both).
    TChartPen* LinePen() const { return linePen_.get(); }

    void DrawSeries(const TSeriesDrawing& drawing) const override;
    void AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                  std::vector<TChartFace>& faces) const override;

protected:
    // What the kind draws under the pointers, flat and in depth.
    virtual void DrawLines(const TSeriesDrawing&) const {}
    virtual void AddLineFaces(const TSeriesDrawing&, double, double, std::vector<TChartFace>&) const {}
    void DrawPointers(const TSeriesDrawing& drawing) const;
    void SeriesColorChanged() override;

private:
    void LinePenChanged(classes::TObject*);

    std::unique_ptr<TSeriesPointer> pointer_;
    std::unique_ptr<TChartPen> linePen_;
};

class TLineSeries : public TCustomSeries {
public:
    explicit TLineSeries(classes::TComponent* owner) : TCustomSeries(owner, false) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const override;

protected:
    void DrawLines(const TSeriesDrawing& drawing) const override;
    // A ribbon per segment in the series' colour.
    void AddLineFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                      std::vector<TChartFace>& faces) const override;
};

class TAreaSeries : public TCustomSeries {
public:
    explicit TAreaSeries(classes::TComponent* owner) : TCustomSeries(owner, false) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool ValuesFromZero() const override { return true; }

protected:
    void DrawLines(const TSeriesDrawing& drawing) const override;
    // Per run: the top ribbon of each segment, the side at the last point, then the front.
    void AddLineFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                      std::vector<TChartFace>& faces) const override;

private:
    // The pixel row of 0, or of the nearer end of the range.
    static int Base(const TSeriesDrawing& drawing);
};

class TPointSeries : public TCustomSeries {
public:
    explicit TPointSeries(classes::TComponent* owner) : TCustomSeries(owner, true) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const override;
};

// A line of the series' colour and LinePen across the legend symbol's box, at its middle.
void DrawLegendLine(gui::TCanvas& canvas, const win::RECT& box, const TChartPen& pen, gui::TColor color);

}  // namespace chart
