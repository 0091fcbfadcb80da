#pragma once
// TScrollingWinControl: a windowed control whose content can be larger than its client area and is
// scrolled with the window's own scroll bars. With AutoScroll the range follows the controls in it (the
// farthest right and bottom edge of a control that is not aligned), and a control that gets the focus is
// scrolled into view.

#include "platform/gui/core/WinControl.h"

namespace gui {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

class TControlScrollBar : public classes::TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind) : control_(control), kind_(kind) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TScrollBarKind Kind() const { return kind_; }
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = std::max(value, 1); }
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    // The size of the content, 0: nothing to scroll.
    int Range() const { return range_; }
    void SetRange(int value);
    bool Tracking() const { return tracking_; }
    void SetTracking(bool value) { tracking_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Shown: visible, and the range larger than the client area.
    bool IsScrollBarVisible() const;
    // What the content may scroll: range less the client size.
    int ScrollRange() const;
    // With AutoScroll the range follows the controls and is not stored.
    bool IsRangeStored() const;

    // The window's bar takes the range and position.
    void Update();
    // A WM_HSCROLL / WM_VSCROLL of the bar.
    void ScrollMessage(win::WORD code, int thumb);

private:
    friend class TScrollingWinControl;
    int ControlSize() const;

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int increment_ = 8;
    int margin_ = 0;
    int position_ = 0;
    int range_ = 0;
    bool tracking_ = false;
    bool visible_ = true;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(classes::TComponent* owner);
    ~TScrollingWinControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TControlScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { horzScrollBar_->Assign(value); }
    TControlScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
    void SetVertScrollBar(TControlScrollBar* value) { vertScrollBar_->Assign(value); }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    // Scrolls so that control (a control inside this one) is entirely visible, when it can be.
    void ScrollInView(TControl* control);
    // Moves every control in it by dx, dy (and the window's picture with them).
    void ScrollBy(int dx, int dy);
    void DisableAutoRange() { ++autoRangeLock_; }
    void EnableAutoRange();

    void Dispatch(win::TMessage& message) override;

protected:
    friend class TControlScrollBar;
    friend class TCustomForm;
    void AlignControls(TControl* control, win::RECT& rect) override;
    void AdjustClientRect(win::RECT& rect) override;
    void CreateWnd() override;
    // With AutoScroll, the ranges from the controls.
    void CalcAutoRange();
    void AutoScrollInView(TControl* control);
    void UpdateScrollBars();

private:
    std::unique_ptr<TControlScrollBar> horzScrollBar_;
    std::unique_ptr<TControlScrollBar> vertScrollBar_;
    bool autoScroll_ = true;
    int autoRangeLock_ = 0;
    bool updatingScrollBars_ = false;
};

}  // namespace gui
