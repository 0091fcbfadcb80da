#pragma once
// TCustomChart and TChart: a control that draws its series against a left and a bottom axis, with a
// title above and a legend at the right. Everything it shows is laid out anew for each drawing, into
// any rectangle of any canvas: its own window (through an off-screen bitmap), a bitmap, a metafile.
// Drawing needs no window handle, parent or visibility. Any change repaints the window when it has one.
//
// The series are components of the form, stored inside the chart's block in list order; the list order
// is the drawing order (the first at the back) and the legend's. The chart frees its series; a series
// freed first leaves its chart.

#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartLegend.h"
#include "platform/chart/ChartTitle.h"
#include "platform/chart/ChartWall.h"
#include "platform/chart/View3DOptions.h"
#include "platform/gui/controls/ExtCtrlTypes.h"
#include "platform/gui/core/CustomControl.h"

#include <string>
#include <vector>

namespace chart {

class TChartSeries;

// The chart's bevels are the panel's, stored by the same names.
using gui::TPanelBevel;
using gui::bvLowered;
using gui::bvNone;
using gui::bvRaised;
using gui::bvSpace;

class TCustomChart : public gui::TCustomControl {
public:
    explicit TCustomChart(classes::TComponent* owner);
    ~TCustomChart() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // --- stored ---
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // Kept and written; the chart offers no mouse zoom.
    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool value) { allowZoom_ = value; }
    bool View3D() const { return view3D_; }
    void SetView3D(bool value);
    // Depth as a share of the chart's size, 1..100.
    int Chart3DPercent() const { return chart3DPercent_; }
    void SetChart3DPercent(int value);
    TView3DOptions* View3DOptions() const { return view3DOptions_.get(); }
    TChartTitle* Title() const { return title_.get(); }
    TChartLegend* Legend() const { return legend_.get(); }
    TChartAxis* LeftAxis() const { return leftAxis_.get(); }
    TChartAxis* BottomAxis() const { return bottomAxis_.get(); }
    TChartWall* BackWall() const { return backWall_.get(); }
    TChartWall* LeftWall() const { return leftWall_.get(); }
    TChartWall* BottomWall() const { return bottomWall_.get(); }

    // --- series ---
    int SeriesCount() const { return int(series_.size()); }
    TChartSeries* Series(int index) const { return series_.at(std::size_t(index)); }
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    // The first of the automatic colours none of the chart's other series has (all taken: the series'
    // place in the list, modulo their number).
    gui::TColor FreeSeriesColor(const TChartSeries& series) const;

    // --- drawing ---
    // Draws the whole chart into rect of canvas, nothing outside it.
    void Draw(gui::TCanvas& canvas, const win::RECT& rect);
    // As last drawn: where the series are, and the legend's box (empty without one).
    win::RECT ChartRect() const { return chartRect_; }
    win::RECT LegendRect() const { return legendRect_; }
    // Shows the whole chart again.
    void UndoZoom() { ChartChanged(); }
    // The chart at its size as an enhanced metafile (frame in 0.01 mm at 96 dpi), written whole or not at
    // all: EFCreateError "Cannot create file ..." leaves an old file as it was.
    void SaveToMetafileEnh(const std::string& fileName);
    // One page on Printer(), the job titled with the chart's Name: the chart laid out at the page's size
    // less a twentieth at each side (in 96-dpi pixels) and played into that part of the page. EPrinter
    // "Printing in progress" while a job runs; a failure after the job began aborts it and is raised.
    void Print();
    // Print in landscape; the printer's orientation is put back afterwards, also when printing fails.
    void PrintLandscape();

    // Something shown changed: the window, when there is one, repaints.
    void ChartChanged();

protected:
    void Paint() override;

private:
    friend class TChartSeries;
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);
    void PartChanged(classes::TObject*) { ChartChanged(); }

    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    bool allowZoom_ = true;
    bool view3D_ = true;
    int chart3DPercent_ = 15;
    std::unique_ptr<TView3DOptions> view3DOptions_;
    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartLegend> legend_;
    std::unique_ptr<TChartAxis> leftAxis_;
    std::unique_ptr<TChartAxis> bottomAxis_;
    std::unique_ptr<TChartWall> backWall_;
    std::unique_ptr<TChartWall> leftWall_;
    std::unique_ptr<TChartWall> bottomWall_;
    std::vector<TChartSeries*> series_;
    win::RECT chartRect_{};
    win::RECT legendRect_{};
};

// The chart with its stored vocabulary.
class TChart : public TCustomChart {
public:
    using TCustomChart::TCustomChart;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace chart
