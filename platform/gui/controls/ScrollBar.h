#pragma once
// TScrollBar: a windowed control over a SCROLLBAR window. The user's scrolling moves Position by
// SmallChange (arrows), LargeChange (pages), to the thumb or to the ends, each step offered to OnScroll
// first (which may change the position); OnChange fires whenever Position changes, from code too.
// PageSize is the thumb's share of the range Min .. Max.

#include "platform/gui/core/ScrollingWinControl.h"
#include "platform/gui/core/WinControl.h"

namespace gui {

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = rtl::Method<void(classes::TObject* sender, TScrollCode scrollCode, int& scrollPos)>;

const classes::TTypeInfo& ScrollBarKindType();
const classes::TTypeInfo& ScrollCodeType();
const classes::TTypeInfo& ScrollEventType();

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    // Sets the three at once; the position is kept within the range (while reading stored data the
    // range is settled first, whatever the order of the properties).
    void SetParams(int position, int min, int max);

    classes::TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;
    virtual void Change();
    virtual void Scroll(TScrollCode scrollCode, int& scrollPos);

private:
    void UpdateWindow();
    void ScrollMessage(win::WORD code, int thumb);

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    int pageSize_ = 0;
};

}  // namespace gui
