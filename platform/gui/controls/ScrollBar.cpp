#include "platform/gui/controls/ScrollBar.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include <algorithm>

namespace gui {

const classes::TTypeInfo& ScrollBarKindType()
{
    static const classes::TTypeInfo type = classes::EnumType("TScrollBarKind", {"sbHorizontal", "sbVertical"});
    return type;
}

const classes::TTypeInfo& ScrollCodeType()
{
    static const classes::TTypeInfo type = classes::EnumType(
            "TScrollCode", {"scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition", "scTrack", "scTop", "scBottom", "scEndScroll"});
    return type;
}

const classes::TTypeInfo& ScrollEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TScrollCode, int&)>("TScrollEvent");
    return type;
}

TScrollBar::TScrollBar(classes::TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, win::GetSystemMetrics(win::SM_CYHSCROLL));
    SetTabStop(true);
    SetControlStyle(csFramed | csDoubleClicks | csOpaque);
}

const classes::TClassInfo& TScrollBar::StaticClass()
{
    static const classes::TClassInfo info("TScrollBar", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TScrollBar>(c)
            .Property("Kind", ScrollBarKindType(), &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal)
            .Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1)
            .Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100)
            .Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0)
            .Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0)
            .Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0)
            .Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1)
            .Property("TabStop", &TScrollBar::TabStop, &TScrollBar::SetTabStop).Default(1)
            .Property("OnChange", classes::NotifyEventType(), &TScrollBar::OnChange)
            .Property("OnScroll", ScrollEventType(), &TScrollBar::OnScroll);
    });
    return info;
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "SCROLLBAR");
    params.style |= kind_ == sbVertical ? win::SBS_VERT : win::SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateWindow();
}

void TScrollBar::UpdateWindow()
{
    if (!HandleAllocated()) {
        return;
    }
    win::SCROLLINFO info;
    info.fMask = win::SIF_ALL;
    info.nMin = min_;
    info.nMax = max_;
    info.nPage = win::UINT(pageSize_);
    info.nPos = position_;
    win::SendMessage(Handle(), win::SBM_SETSCROLLINFO, 1, reinterpret_cast<win::LPARAM>(&info));
}

void TScrollBar::Loaded()
{
    TWinControl::Loaded();
    // The stored values settle without OnChange: the position read is no change.
    max_ = std::max(min_, max_);
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    position_ = std::clamp(position_, min_, max_);
    UpdateWindow();
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (value != kind_) {
        kind_ = value;
        if (!HasState(classes::csLoading)) {
            SetBounds(Left(), Top(), Height(), Width());
        }
        RecreateWnd();
    }
}

void TScrollBar::SetPageSize(int value)
{
    if (value != pageSize_ && value >= 0) {
        if (!HasState(classes::csLoading) && value > max_ - min_ + 1) {
            throw rtl::EInvalidOperation("Scroll bar property out of range");
        }
        pageSize_ = value;
        UpdateWindow();
    }
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (HasState(classes::csLoading)) {
        // Stored data brings the range one end at a time; Loaded settles it.
        position_ = position;
        min_ = min;
        max_ = max;
        return;
    }
    if (max < min || max - min + 1 < pageSize_) {
        throw rtl::EInvalidOperation("Scroll bar property out of range");
    }
    position = std::clamp(position, min, max);
    const bool changed = position != position_;
    min_ = min;
    max_ = max;
    position_ = position;
    UpdateWindow();
    if (changed) {
        Change();
    }
}

void TScrollBar::Change()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TScrollBar::Scroll(TScrollCode scrollCode, int& scrollPos)
{
    if (OnScroll) {
        OnScroll(this, scrollCode, scrollPos);
    }
}

void TScrollBar::ScrollMessage(win::WORD code, int thumb)
{
    int position = position_;
    TScrollCode scrollCode = scEndScroll;
    switch (code) {
    case win::SB_LINEUP: scrollCode = scLineUp; position -= smallChange_; break;
    case win::SB_LINEDOWN: scrollCode = scLineDown; position += smallChange_; break;
    case win::SB_PAGEUP: scrollCode = scPageUp; position -= largeChange_; break;
    case win::SB_PAGEDOWN: scrollCode = scPageDown; position += largeChange_; break;
    case win::SB_THUMBPOSITION: scrollCode = scPosition; position = thumb; break;
    case win::SB_THUMBTRACK: scrollCode = scTrack; position = thumb; break;
    case win::SB_TOP: scrollCode = scTop; position = min_; break;
    case win::SB_BOTTOM: scrollCode = scBottom; position = max_; break;
    case win::SB_ENDSCROLL: break;
    default: return;
    }
    // The last position the page leaves room for.
    const int last = std::max(min_, max_ - std::max(pageSize_ - 1, 0));
    position = std::clamp(position, min_, last);
    Scroll(scrollCode, position);
    SetPosition(position);
}

void TScrollBar::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: {
        // The thumb's position in full: the message carries only 16 bits of it.
        win::SCROLLINFO info;
        info.fMask = win::SIF_TRACKPOS;
        win::SendMessage(Handle(), win::SBM_GETSCROLLINFO, 0, reinterpret_cast<win::LPARAM>(&info));
        ScrollMessage(win::LOWORD(win::DWORD(message.WParam)), info.nTrackPos);
        message.Result = 0;
        return;
    }
    default:
        TWinControl::Dispatch(message);
    }
}

}  // namespace gui
