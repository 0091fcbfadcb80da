#pragma once
// A windowed scroll bar drawn entirely by a look-and-feel painter. It keeps the usual model (Min, Max,
// PageSize, Position, SmallChange, LargeChange), computes its arrow, thumb and page rectangles itself,
// repeats arrow and page presses on a timer, tracks the thumb with a snap-back zone, reports scroll codes
// through OnScroll (which may change the new position) and OnChange, and highlights the part under the
// mouse when the painter has hot buttons. Every part is painted into one off-screen bitmap that one
// BitBlt copies to the window, so the bar never flickers.

#include "controls/clClasses.h"
#include "controls/clGraphics.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/clLookAndFeels.h"
#include "controls/clWindows.h"
#include "controls/uxTheme.h"

#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/ScrollingWinControl.h"
#include "platform/gui/graphics/Bitmap.h"

#include <cstdint>
#include <memory>

namespace controls {

// Scroll codes, in the order of the framework's scroll-code type.
enum TclScrollCode : std::uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll,
};

using TclScrollEvent = rtl::Method<void(classes::TObject* sender, TclScrollCode code, int& position)>;

class TclScrollBar;

// The rectangles of a bar's parts in its client coordinates.
class TclScrollBarViewInfo {
public:
    explicit TclScrollBarViewInfo(TclScrollBar* scrollBar) : scrollBar_(scrollBar) {}
    virtual ~TclScrollBarViewInfo() = default;
    TclScrollBarViewInfo(const TclScrollBarViewInfo&) = delete;
    TclScrollBarViewInfo& operator=(const TclScrollBarViewInfo&) = delete;

    virtual void Calculate();
    virtual void Recalculate() { Calculate(); }
    void CalcThumb();
    void CalcPageRects();

    TclScrollBar* ScrollBar() const { return scrollBar_; }
    int MinThumbLength() const { return minThumbLength_; }
    void SetMinThumbLength(int value) { minThumbLength_ = value; }
    const win::RECT& TopLeftArrowRect() const { return topLeftArrow_; }
    const win::RECT& BottomRightArrowRect() const { return bottomRightArrow_; }
    const win::RECT& ThumbRect() const { return thumb_; }
    void SetThumbRect(const win::RECT& value) { thumb_ = value; }
    const win::RECT& PageUpRect() const { return pageUp_; }
    const win::RECT& PageDownRect() const { return pageDown_; }
    bool HasThumb() const { return !clRectIsZero(thumb_); }

private:
    TclScrollBar* scrollBar_;
    int minThumbLength_ = 0;
    win::RECT topLeftArrow_{};
    win::RECT bottomRightArrow_{};
    win::RECT thumb_{};
    win::RECT pageUp_{};
    win::RECT pageDown_{};
};

class TclScrollBar : public gui::TCustomControl {
public:
    explicit TclScrollBar(classes::TComponent* owner);
    ~TclScrollBar() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Raises EInvalidOperation "Scrollbar property out of range", changing nothing, when Max < Min or the
    // page is longer than the range; the position is clamped to Min..Max.
    void ApplyScrollParams(int min, int max, int position, int pageSize, bool redraw = true);

    gui::TScrollBarKind Kind() const { return kind_; }
    void SetKind(gui::TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { ApplyScrollParams(value, max_, position_, pageSize_); }
    int Max() const { return max_; }
    void SetMax(int value) { ApplyScrollParams(min_, value, position_, pageSize_); }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value) { ApplyScrollParams(min_, max_, position_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { ApplyScrollParams(min_, max_, value, pageSize_); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    bool UnlimitedTracking() const { return unlimitedTracking_; }
    void SetUnlimitedTracking(bool value) { unlimitedTracking_ = value; }
    TclLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
    // Takes the other look-and-feel's settings.
    void SetLookAndFeel(TclLookAndFeel* value) { lookAndFeel_->Assign(value); }
    // The framework's value or the one the program asked for (a skin switches the framework's off).
    bool Ctl3D() const { return TCustomControl::Ctl3D() || askedCtl3D_; }
    void SetCtl3D(bool value);

    TclScrollBarViewInfo* ViewInfo() const { return viewInfo_.get(); }
    // The part under a client point (clsbpNone outside, or over a bar without thumb away from the arrows).
    TclScrollBarPart HitTest(win::POINT point) const;
    // The position the thumb's place stands for.
    int PositionFromThumb() const;
    // The painter's state of a part: 1 normal, 2 hot, 3 pressed, 4 disabled.
    int PartState(TclScrollBarPart part) const;
    TclScrollBarPart PressedPart() const { return pressedPart_; }
    TclScrollBarPart HotPart() const { return hotPart_; }

    void SetBounds(int left, int top, int width, int height) override;
    // A bar that takes its parent's Ctl3D has nothing of its own to store.
    bool StoresCtl3D() const { return !ParentCtl3D(); }

    classes::TNotifyEvent OnChange;
    TclScrollEvent OnScroll;

    void Dispatch(win::TMessage& message) override;

protected:
    virtual void RaiseChange();
    virtual void PaintAllParts(TclCanvas& canvas);
    virtual void PaintOnePart(TclCanvas& canvas, const win::RECT& rect, TclScrollBarPart part, int state);
    virtual bool HotTrackEnabled() const;
    virtual void RaiseScroll(TclScrollCode code, int& position);
    virtual int MinThumbLength() const;

    // The painter the look-and-feel gives for scroll bars.
    TclCustomLookAndFeelPainterClass Painter() const;
    void HandleLookAndFeelChange(TclLookAndFeel* sender, TclLookAndFeelValues changed);
    void HandleThemeChange();
    // Recomputes the layout with the painter's minimum thumb length.
    void RecalcLayout();
    void DoScroll(TclScrollCode code);
    // Ends a press: a dragged thumb sets the position, the repeat stops, an end-scroll notification runs.
    void EndPress();

    void Paint() override;
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    void MouseMove(gui::TShiftState shift, int x, int y) override;
    void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    void Loaded() override;

private:
    void Notify(TclScrollCode code, int position);
    void ScrollByPart(TclScrollBarPart part);
    void RepeatTick(classes::TObject* sender);
    void DragThumbBy(int offset);
    void SetHotPart(TclScrollBarPart part);
    bool Horizontal() const { return kind_ == gui::sbHorizontal; }

    gui::TScrollBarKind kind_ = gui::sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int position_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool unlimitedTracking_ = false;
    std::unique_ptr<gui::TBitmap> bitmap_;
    std::unique_ptr<TclCanvas> bitmapCanvas_;
    std::unique_ptr<TclLookAndFeel> lookAndFeel_;
    std::unique_ptr<TclScrollBarViewInfo> viewInfo_;
    std::unique_ptr<TuxThemeChangedNotificator> themeNotificator_;
    bool askedCtl3D_ = true;
    bool applyingCtl3D_ = false;
    std::unique_ptr<TclTimer> timer_;
    TclScrollBarPart pressedPart_ = clsbpNone;
    TclScrollBarPart hotPart_ = clsbpNone;
    int savedPosition_ = 0;
    win::POINT savedThumbCorner_{};
    win::POINT pressPoint_{};
};

}  // namespace controls
