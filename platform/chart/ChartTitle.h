#pragma once
// TChartTitle: the lines of text above a chart, each drawn as it is (leading and trailing blanks kept).

#include "platform/chart/ChartPart.h"
#include "platform/rtl/StringList.h"

namespace chart {

class TChartTitle : public TChartPart {
public:
    TChartTitle();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStrings* Text() const { return text_.get(); }
    gui::TFont* Font() const { return font_.get(); }
    void SetFont(gui::TFont* value) { font_->Assign(value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

private:
    std::unique_ptr<rtl::TStringList> text_;
    std::unique_ptr<gui::TFont> font_;
    bool visible_ = true;
};

}  // namespace chart
