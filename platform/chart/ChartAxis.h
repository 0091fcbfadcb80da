#pragma once
// TChartAxis: the left or bottom axis of a chart, with its title, label font and grid. The chart's layout
// gives it its range, its pixels and its labels; CalcPosValue maps a value to its pixel:
//   bottom: L + round((v − Min)(Rr − L)/(Max − Min)),  left: Bm − round((v − Min)(Bm − T)/(Max − Min)),
// L, T the chart rectangle's left and top, Rr its right − 1, Bm its bottom − 1.

#include "platform/chart/ChartPart.h"
#include "platform/chart/ChartPen.h"

#include <string>
#include <vector>

namespace chart {

class TChartAxisTitle : public TChartPart {
public:
    TChartAxisTitle();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { Change(caption_, value); }
    gui::TFont* Font() const { return font_.get(); }
    void SetFont(gui::TFont* value) { font_->Assign(value); }

private:
    std::string caption_;
    std::unique_ptr<gui::TFont> font_;
};

class TChartAxis : public TChartPart {
public:
    explicit TChartAxis(bool horizontal);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    TChartAxisTitle* Title() const { return title_.get(); }
    gui::TFont* LabelsFont() const { return labelsFont_.get(); }
    void SetLabelsFont(gui::TFont* value) { labelsFont_->Assign(value); }
    TChartPen* Grid() const { return grid_.get(); }
    void SetGrid(TChartPen* value) { grid_->Assign(value); }

    // --- as last laid out ---
    bool Horizontal() const { return horizontal_; }
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    const std::vector<double>& LabelValues() const { return labels_; }
    int CalcPosValue(double value) const;
    // The pixels of Minimum and Maximum (left and right − 1, or bottom − 1 and top of the rectangle).
    int StartPixel() const { return start_; }
    int EndPixel() const { return end_; }

    // Set by the chart's layout.
    void SetRange(double minimum, double maximum);
    void SetPixels(int start, int end);
    void SetLabelValues(std::vector<double> values) { labels_ = std::move(values); }

private:
    bool horizontal_;
    bool visible_ = true;
    std::unique_ptr<TChartAxisTitle> title_;
    std::unique_ptr<gui::TFont> labelsFont_;
    std::unique_ptr<TChartPen> grid_;
    double minimum_ = -1;
    double maximum_ = 1;
    int start_ = 0;
    int end_ = 0;
    std::vector<double> labels_;
};

}  // namespace chart
