#pragma once
// TChartSeries: the base of every series: points (x, y, label, colour) in the order added, a title for
// the legend, a colour, and the chart it belongs to. A series is owned by the form and stored inside its
// chart's block; its chart draws it, lists it in the legend and frees it.
//
// X is always measured along the bottom axis and Y along the left axis; a series tells the chart which of
// the two holds its values (the other its categories) and how its points fix the axes' ranges.

#include "platform/chart/ChartFaces.h"
#include "platform/chart/SeriesMarks.h"
#include "platform/classes/Component.h"
#include "platform/gui/graphics/Canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace chart {

class TChartAxis;
class TCustomChart;

// Whether a value takes part in a chart: finite and within ±1e300.
bool IsDrawableValue(double value);

// What a series needs to draw itself, given by its chart.
struct TSeriesDrawing {
    gui::TCanvas& canvas;
    const TChartAxis& bottomAxis;
    const TChartAxis& leftAxis;
    gui::TColor chartColor;  // under hatched faces
    win::RECT room{};        // where lines and polygons are cut (ClipRoom of the chart's rectangle)
    int barSeries = 1;       // the active bar series of its orientation, and this one's place among them
    int barIndex = 0;
    double categoryGap = 1;  // the smallest gap between distinct categories of those series
};

class TChartSeries : public classes::TComponent {
public:
    explicit TChartSeries(classes::TComponent* owner);
    ~TChartSeries() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // --- stored ---
    bool Active() const { return active_; }
    void SetActive(bool value);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value);
    // clDefault until the series joins a chart, which gives it a colour none of its other series has.
    gui::TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(gui::TColor value);
    TSeriesMarks* Marks() const { return marks_.get(); }

    // --- the chart ---
    TCustomChart* ParentChart() const { return chart_; }
    // Leaves the old chart and joins the end of the new one's list.
    void SetParentChart(TCustomChart* chart);
    bool HasParent() const override { return true; }
    classes::TComponent* GetParentComponent() const override;
    void SetParentComponent(classes::TComponent* parent) override;

    // --- points ---
    // Appends a point and answers its index; color clDefault draws it in the series' colour.
    int AddXY(double x, double y, const std::string& label = "", gui::TColor color = gui::clDefault);
    void Clear();
    int Count() const { return int(x_.size()); }
    double XValue(int index) const { return x_.at(std::size_t(index)); }
    double YValue(int index) const { return y_.at(std::size_t(index)); }
    const std::string& Label(int index) const { return labels_.at(std::size_t(index)); }
    // The point's own colour, or the series' colour now.
    gui::TColor ValueColor(int index) const;
    // Both coordinates take part in the chart.
    bool IsDrawablePoint(int index) const { return IsDrawableValue(XValue(index)) && IsDrawableValue(YValue(index)); }

    // --- how the chart treats it ---
    // The values lie along the bottom axis (X) and the categories along the left axis (Y).
    virtual bool HorizontalValues() const { return false; }
    // The value axis's range reaches 0.
    virtual bool ValuesFromZero() const { return false; }
    // A bar series: categories get a label each and their range widens by half a gap.
    virtual bool Categorized() const { return false; }
    double ValueOf(int index) const { return HorizontalValues() ? XValue(index) : YValue(index); }
    double CategoryOf(int index) const { return HorizontalValues() ? YValue(index) : XValue(index); }

    virtual void DrawSeries(const TSeriesDrawing& drawing) const = 0;
    // The series' bodies in depth, lying from zFront to zBack, in the order they are drawn front-on.
    virtual void AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                          std::vector<TChartFace>& faces) const = 0;
    // The points in pixels, in runs of consecutive points that take part.
    std::vector<std::vector<win::POINT>> PixelRuns(const TSeriesDrawing& drawing) const;
    // The legend's symbol, in a box of 12 × (text height − 4) pixels centred in the entry's row.
    virtual void DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const;

protected:
    void ReadState(classes::TReader& reader) override;
    void Loaded() override;
    // After any change that shows: the chart repaints.
    void Repaint() const;
    // Lets a part, pen or brush of the series repaint its chart when it changes.
    void Watch(TChartPart& part);
    void Watch(gui::TGraphicsObject& object);
    // The colour was set (line series colour their pen with it).
    virtual void SeriesColorChanged() {}

private:
    void ObjectChanged(classes::TObject*) { Repaint(); }

    bool active_ = true;
    std::string title_;
    bool showInLegend_ = true;
    gui::TColor seriesColor_ = gui::clDefault;
    std::unique_ptr<TSeriesMarks> marks_;
    TCustomChart* chart_ = nullptr;
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<gui::TColor> colors_;
    std::vector<std::string> labels_;
};

}  // namespace chart
