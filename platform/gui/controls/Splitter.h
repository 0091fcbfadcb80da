#pragma once
// TSplitter: a bar without a window between an aligned control and the rest of its parent. Dragging it
// resizes the control aligned on the same side just before it, within MinSize and what the parent leaves;
// with AutoSnap a drag below half of MinSize folds the control away (size 0). ResizeStyle says what the
// drag shows: rsPattern and rsLine an inverted bar where the splitter will go, rsUpdate the new size at
// once, rsNone nothing until the release. OnCanResize may change or refuse a size; OnMoved follows a
// resize.

#include "platform/gui/core/GraphicControl.h"

#include <algorithm>

namespace gui {

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TSplitterCanResizeEvent = rtl::Method<void(classes::TObject* sender, int& newSize, bool& accept)>;

const classes::TTypeInfo& ResizeStyleType();

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int MinSize() const { return minSize_; }
    void SetMinSize(int value) { minSize_ = std::max(1, value); }
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) { resizeStyle_ = value; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool value);
    bool AutoSnap() const { return autoSnap_; }
    void SetAutoSnap(bool value) { autoSnap_ = value; }

    TSplitterCanResizeEvent OnCanResize;
    classes::TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual bool CanResize(int& newSize);

private:
    bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
    TControl* FindControl() const;
    int SizeFor(int x, int y) const;
    // The inverted bar where the splitter would stand at `size`; drawn twice it is gone.
    void InvertBar(int size);
    void Apply(int size);

    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;
    bool beveled_ = false;
    bool autoSnap_ = true;
    // While dragging: the control resized, where the drag began, its size then, the largest size, and
    // the size shown (-1: no bar drawn).
    TControl* control_ = nullptr;
    win::POINT down_{};
    int startSize_ = 0;
    int maxSize_ = 0;
    int newSize_ = 0;
    int barSize_ = -1;
};

}  // namespace gui
