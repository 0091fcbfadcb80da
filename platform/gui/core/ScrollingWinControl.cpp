#include "platform/gui/core/ScrollingWinControl.h"

#include "platform/gui/core/Messages.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"

#include <algorithm>

namespace gui {

// --- TControlScrollBar ---

const classes::TClassInfo& TControlScrollBar::StaticClass()
{
    static const classes::TClassInfo info("TControlScrollBar", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TControlScrollBar>(c)
            .Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8)
            .Property("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin).Default(0)
            .Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0)
            .Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
            .Default(0)
            .Stored(&TControlScrollBar::IsRangeStored)
            .Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(0)
            .Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(1);
    });
    return info;
}

void TControlScrollBar::Assign(const classes::TPersistent* source)
{
    const auto* other = dynamic_cast<const TControlScrollBar*>(source);
    if (!other) {
        return TPersistent::Assign(source);
    }
    increment_ = other->increment_;
    margin_ = other->margin_;
    range_ = other->range_;
    tracking_ = other->tracking_;
    visible_ = other->visible_;
    SetPosition(other->position_);
    Update();
}

classes::TPersistent* TControlScrollBar::GetOwner() const
{
    return control_;
}

void TControlScrollBar::SetMargin(int value)
{
    margin_ = std::max(value, 0);
    if (control_->AutoScroll()) {
        control_->CalcAutoRange();
    }
}

void TControlScrollBar::SetPosition(int value)
{
    value = std::clamp(value, 0, std::max(ScrollRange(), 0));
    if (value == position_) {
        return;
    }
    const int delta = position_ - value;
    position_ = value;
    if (kind_ == sbHorizontal) {
        control_->ScrollBy(delta, 0);
    } else {
        control_->ScrollBy(0, delta);
    }
    Update();
}

void TControlScrollBar::SetRange(int value)
{
    range_ = std::max(value, 0);
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool value)
{
    visible_ = value;
    control_->UpdateScrollBars();
}

int TControlScrollBar::ControlSize() const
{
    const win::RECT client = control_->ClientRect();
    return kind_ == sbHorizontal ? client.right : client.bottom;
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    return visible_ && range_ > ControlSize();
}

bool TControlScrollBar::IsRangeStored() const
{
    return !control_->AutoScroll();
}

int TControlScrollBar::ScrollRange() const
{
    return range_ - ControlSize();
}

void TControlScrollBar::Update()
{
    if (!control_->HandleAllocated()) {
        return;
    }
    win::SCROLLINFO info;
    info.fMask = win::SIF_ALL;
    info.nMin = 0;
    if (visible_ && range_ > ControlSize()) {
        info.nMax = range_ - 1;
        info.nPage = win::UINT(ControlSize());
        info.nPos = position_;
    }
    win::SetScrollInfo(control_->Handle(), kind_ == sbHorizontal ? win::SB_HORZ : win::SB_VERT, &info, win::TRUE);
}

void TControlScrollBar::ScrollMessage(win::WORD code, int thumb)
{
    const int page = std::max(ControlSize() * 9 / 10, 1);
    switch (code) {
    case win::SB_LINEUP:
        SetPosition(position_ - increment_);
        break;
    case win::SB_LINEDOWN:
        SetPosition(position_ + increment_);
        break;
    case win::SB_PAGEUP:
        SetPosition(position_ - page);
        break;
    case win::SB_PAGEDOWN:
        SetPosition(position_ + page);
        break;
    case win::SB_THUMBPOSITION:
        SetPosition(thumb);
        break;
    case win::SB_THUMBTRACK:
        if (tracking_) {
            SetPosition(thumb);
        }
        break;
    case win::SB_TOP:
        SetPosition(0);
        break;
    case win::SB_BOTTOM:
        SetPosition(ScrollRange());
        break;
    default:
        break;
    }
}

// --- TScrollingWinControl ---

TScrollingWinControl::TScrollingWinControl(classes::TComponent* owner)
    : TWinControl(owner),
      horzScrollBar_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vertScrollBar_(std::make_unique<TControlScrollBar>(this, sbVertical))
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
}

TScrollingWinControl::~TScrollingWinControl() = default;

const classes::TClassInfo& TScrollingWinControl::StaticClass()
{
    static const classes::TClassInfo info("TScrollingWinControl", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TScrollingWinControl>(c)
            .Property("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll).Default(1)
            .Property("HorzScrollBar", &TScrollingWinControl::HorzScrollBar, &TScrollingWinControl::SetHorzScrollBar)
            .Property("VertScrollBar", &TScrollingWinControl::VertScrollBar, &TScrollingWinControl::SetVertScrollBar);
    });
    return info;
}

void TScrollingWinControl::SetAutoScroll(bool value)
{
    if (value == autoScroll_) {
        return;
    }
    autoScroll_ = value;
    if (value) {
        CalcAutoRange();
    } else {
        horzScrollBar_->range_ = 0;
        vertScrollBar_->range_ = 0;
        UpdateScrollBars();
    }
}

void TScrollingWinControl::EnableAutoRange()
{
    if (autoRangeLock_ > 0 && --autoRangeLock_ == 0) {
        CalcAutoRange();
    }
}

void TScrollingWinControl::CalcAutoRange()
{
    if (!autoScroll_ || autoRangeLock_ > 0 || HasState(classes::csLoading)) {
        return;
    }
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (!control->Visible() || control->Align() != alNone) {
            continue;
        }
        right = std::max(right, control->Left() + control->Width() + horzScrollBar_->position_);
        bottom = std::max(bottom, control->Top() + control->Height() + vertScrollBar_->position_);
    }
    horzScrollBar_->range_ = right > 0 ? right + horzScrollBar_->margin_ : 0;
    vertScrollBar_->range_ = bottom > 0 ? bottom + vertScrollBar_->margin_ : 0;
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (updatingScrollBars_ || !HandleAllocated()) {
        return;
    }
    updatingScrollBars_ = true;
    // Showing one bar narrows the client area, which may call for the other: twice settles it.
    for (int pass = 0; pass < 2; ++pass) {
        horzScrollBar_->Update();
        vertScrollBar_->Update();
    }
    horzScrollBar_->SetPosition(horzScrollBar_->position_);
    vertScrollBar_->SetPosition(vertScrollBar_->position_);
    updatingScrollBars_ = false;
}

void TScrollingWinControl::ScrollBy(int dx, int dy)
{
    if (dx == 0 && dy == 0) {
        return;
    }
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Align() == alNone) {
            control->SetBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
        }
    }
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control)
{
    if (!control || !ContainsControl(control)) {
        return;
    }
    win::RECT rect = control->BoundsRect();
    for (TWinControl* p = control->Parent(); p && p != this; p = p->Parent()) {
        rect = win::Moved(rect, p->Left(), p->Top());
    }
    const win::RECT client = ClientRect();
    auto scroll = [](TControlScrollBar* bar, int low, int high, int size) {
        if (low < 0) {
            bar->SetPosition(bar->Position() + low - bar->Margin());
        } else if (high > size) {
            const int delta = std::min(high - size + bar->Margin(), low);
            bar->SetPosition(bar->Position() + delta);
        }
    };
    scroll(horzScrollBar_.get(), rect.left, rect.right, client.right);
    scroll(vertScrollBar_.get(), rect.top, rect.bottom, client.bottom);
}

void TScrollingWinControl::AutoScrollInView(TControl* control)
{
    if (autoScroll_ && control && !control->HasState(classes::csLoading) && !HasState(classes::csLoading)) {
        ScrollInView(control);
    }
}

void TScrollingWinControl::AlignControls(TControl* control, win::RECT& rect)
{
    TWinControl::AlignControls(control, rect);
    CalcAutoRange();
}

void TScrollingWinControl::AdjustClientRect(win::RECT& rect)
{
    // Aligned controls take the whole content, scrolled with it.
    const int left = -horzScrollBar_->position_;
    const int top = -vertScrollBar_->position_;
    rect = {left, top, left + std::max<int>(rect.right - rect.left, horzScrollBar_->range_),
            top + std::max<int>(rect.bottom - rect.top, vertScrollBar_->range_)};
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_HSCROLL:
        if (message.LParam == 0) {
            horzScrollBar_->ScrollMessage(win::LOWORD(message.WParam), static_cast<std::int16_t>(win::HIWORD(message.WParam)));
            return;
        }
        break;
    case win::WM_VSCROLL:
        if (message.LParam == 0) {
            vertScrollBar_->ScrollMessage(win::LOWORD(message.WParam), static_cast<std::int16_t>(win::HIWORD(message.WParam)));
            return;
        }
        break;
    case win::WM_SIZE:
        TWinControl::Dispatch(message);
        UpdateScrollBars();
        return;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}

}  // namespace gui
