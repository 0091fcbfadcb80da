#pragma once
// TProgressBar: how far an operation has come, Position within Min..Max, as a row of chunks (or, with
// Smooth, a solid bar) in the highlight colour inside a sunken frame, filling from the left (or, vertical,
// from the bottom). StepIt adds Step and StepBy a given amount; the position stays within the range.

#include "platform/gui/core/CustomControl.h"

namespace gui {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

const classes::TTypeInfo& ProgressBarOrientationType();

class TProgressBar : public TCustomControl {
public:
    explicit TProgressBar(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);

    void StepIt() { StepBy(step_); }
    void StepBy(int delta);

    // The part of the bar filled for the position, in client coordinates (inside the frame).
    win::RECT FilledRect();

protected:
    void CreateParams(TCreateParams& params) override;
    void Loaded() override;
    void Paint() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    bool smooth_ = false;
    TProgressBarOrientation orientation_ = pbHorizontal;
};

}  // namespace gui
