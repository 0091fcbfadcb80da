#include "platform/gui/controls/ProgressBar.h"

#include <algorithm>

namespace gui {

namespace {

// Chunks are two thirds of the bar's thickness long, with a gap of two pixels between them.
constexpr int kChunkGap = 2;

}  // namespace

const classes::TTypeInfo& ProgressBarOrientationType()
{
    static const classes::TTypeInfo type = classes::EnumType("TProgressBarOrientation", {"pbHorizontal", "pbVertical"});
    return type;
}

TProgressBar::TProgressBar(classes::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 150, 16);
}

const classes::TClassInfo& TProgressBar::StaticClass()
{
    static const classes::TClassInfo info("TProgressBar", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TProgressBar>(c)
            .Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0)
            .Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100)
            .Property("Orientation", ProgressBarOrientationType(), &TProgressBar::Orientation,
                      &TProgressBar::SetOrientation)
            .Default(pbHorizontal)
            .Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0)
            .Property("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(0)
            .Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10)
            .Method<&TProgressBar::StepIt>("StepIt");
    });
    return info;
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.exStyle |= win::WS_EX_CLIENTEDGE;
}

void TProgressBar::Loaded()
{
    TCustomControl::Loaded();
    max_ = std::max(max_, min_);
    SetPosition(position_);
}

void TProgressBar::SetMin(int value)
{
    min_ = value;
    // While stored data is read the range arrives one end at a time; it settles once both are there.
    if (!HasState(classes::csLoading)) {
        max_ = std::max(max_, min_);
    }
    SetPosition(position_);
    Invalidate();
}

void TProgressBar::SetMax(int value)
{
    max_ = value;
    if (!HasState(classes::csLoading)) {
        min_ = std::min(min_, max_);
    }
    SetPosition(position_);
    Invalidate();
}

void TProgressBar::SetPosition(int value)
{
    if (!HasState(classes::csLoading)) {
        value = std::clamp(value, min_, std::max(min_, max_));
    }
    if (value != position_) {
        position_ = value;
        Invalidate();
    }
}

void TProgressBar::StepBy(int delta)
{
    SetPosition(int(std::clamp<long long>(static_cast<long long>(position_) + delta, min_, std::max(min_, max_))));
}

void TProgressBar::SetSmooth(bool value)
{
    smooth_ = value;
    Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value)
{
    if (value != orientation_) {
        orientation_ = value;
        if (!HasState(classes::csLoading)) {
            SetBounds(Left(), Top(), Height(), Width());
        }
        Invalidate();
    }
}

win::RECT TProgressBar::FilledRect()
{
    const win::RECT client = ClientRect();
    const win::RECT inside{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    const long long range = static_cast<long long>(max_) - min_;
    const long long done = static_cast<long long>(position_) - min_;
    const bool vertical = orientation_ == pbVertical;
    const int length = vertical ? inside.bottom - inside.top : inside.right - inside.left;
    const int filled = range <= 0 || length <= 0 ? 0 : int(std::clamp<long long>(done * length / range, 0, length));
    if (vertical) {
        return {inside.left, inside.bottom - filled, inside.right, inside.bottom};
    }
    return {inside.left, inside.top, inside.left + filled, inside.bottom};
}

void TProgressBar::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    const win::RECT filled = FilledRect();
    canvas.Brush()->SetColor(clHighlight);
    if (smooth_) {
        canvas.FillRect(filled);
        return;
    }
    const bool vertical = orientation_ == pbVertical;
    const int thickness = vertical ? filled.right - filled.left : filled.bottom - filled.top;
    const int chunk = std::max(thickness * 2 / 3, 1);
    if (vertical) {
        for (int bottom = filled.bottom; bottom > filled.top; bottom -= chunk + kChunkGap) {
            canvas.FillRect({filled.left, std::max<int>(bottom - chunk, filled.top), filled.right, bottom});
        }
    } else {
        for (int left = filled.left; left < filled.right; left += chunk + kChunkGap) {
            canvas.FillRect({left, filled.top, std::min<int>(left + chunk, filled.right), filled.bottom});
        }
    }
}

}  // namespace gui
