// The tab sheet: its place in a page control, what it copies to its tab, its events, and the page
// background and border it lets the page control's painter draw.

#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/detail/AliveGuard.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Reflection.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <algorithm>

namespace pagecontrol {

using detail::AliveGuard;

TclTabSheet::TclTabSheet(classes::TComponent* owner) : TCustomControl(owner)
{
    SetAlign(gui::alClient);
    SetControlStyle(ControlStyle() | gui::csAcceptsControls | gui::csClickEvents | gui::csDoubleClicks);
    TCustomControl::SetVisible(false);
}

TclTabSheet::~TclTabSheet()
{
    if (pageControl_) {
        // Leaving also clears the page control's reference to a page being undocked.
        pageControl_->RemovePage(this);
    }
}

const classes::TClassInfo& TclTabSheet::StaticClass()
{
    static const classes::TClassInfo info("TclTabSheet", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclTabSheet>(c)
            // The page control places, orders, shows and hides its pages.
            .Property("Left", &TclTabSheet::Left, &TclTabSheet::SetLeft).Stored(false)
            .Property("Top", &TclTabSheet::Top, &TclTabSheet::SetTop).Stored(false)
            .Property("Width", &TclTabSheet::Width, &TclTabSheet::SetWidth).Stored(false)
            .Property("Height", &TclTabSheet::Height, &TclTabSheet::SetHeight).Stored(false)
            .Property("Align", gui::AlignType(), &TclTabSheet::Align, &TclTabSheet::SetAlign).Stored(false)
            .Property("Visible", &TclTabSheet::Visible, &TclTabSheet::SetVisible).Stored(false)
            .Property("TabOrder", &TclTabSheet::TabOrder, &TclTabSheet::SetTabOrder).Stored(false)
            .Property("BorderWidth", &TclTabSheet::BorderWidth, &TclTabSheet::SetBorderWidth).Default(0)
            .Property("Caption", &TclTabSheet::Caption, &TclTabSheet::SetCaption)
            .Property("Highlighted", &TclTabSheet::Highlighted, &TclTabSheet::SetHighlighted).Default(0)
            .Property("ImageIndex", &TclTabSheet::ImageIndex, &TclTabSheet::SetImageIndex).Default(-1)
            .Property("PageIndex", &TclTabSheet::PageIndex, &TclTabSheet::SetPageIndex)
            .Property("TabVisible", &TclTabSheet::TabVisible, &TclTabSheet::SetTabVisible).Default(1)
            .Property("OnHide", classes::NotifyEventType(), &TclTabSheet::OnHide)
            .Property("OnShow", classes::NotifyEventType(), &TclTabSheet::OnShow);
    });
    return info;
}

// ------------------------------------------------------------------------------------------------------------
// Place in the page control

void TclTabSheet::SetParent(gui::TWinControl* parent)
{
    if (parent == Parent()) {
        return;
    }
    auto* pageControl = dynamic_cast<TclPageControl*>(parent);
    if (parent && !pageControl) {
        rtl::Abort();
    }
    SetPageControl(pageControl);
}

void TclTabSheet::SetPageControl(TclPageControl* value)
{
    if (pageControl_ == value) {
        return;
    }
    if (pageControl_) {
        pageControl_->RemovePage(this);
    }
    if (value) {
        value->InsertPage(this);
    }
}

int TclTabSheet::PageIndex() const
{
    if (!pageControl_) {
        return -1;
    }
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TclTabSheet::SetPageIndex(int value)
{
    if (!pageControl_) {
        return;
    }
    const int count = pageControl_->PageCount();
    if (value < 0 || value >= count) {
        throw rtl::EListError(rtl::Format(
            "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d", {value, count - 1}));
    }
    pageControl_->MovePage(this, value);
}

void TclTabSheet::ReadState(classes::TReader& reader)
{
    auto* parent = dynamic_cast<gui::TWinControl*>(reader.Parent());
    if (parent && parent != this && !dynamic_cast<TclPageControl*>(parent)) {
        // Stored under something else: the sheet stays unplaced, the rest of the window still loads.
        try {
            throw rtl::EReadError("Error reading " + Name() + ": a tab sheet must lie on a page control, not on "
                                  + (parent->Name().empty() ? parent->ClassType().Name() : parent->Name()));
        } catch (const rtl::EReadError&) {
            if (gui::Application()) {
                gui::Application()->HandleException(this);
            }
        }
        TComponent::ReadState(reader);
        return;
    }
    TCustomControl::ReadState(reader);
}

// ------------------------------------------------------------------------------------------------------------
// What the tab shows

void TclTabSheet::UpdateTab()
{
    if (pageControl_) {
        pageControl_->UpdateTab(this);
    }
}

void TclTabSheet::SetTabVisible(bool value)
{
    if (tabVisible_ == value) {
        return;
    }
    tabVisible_ = value;
    if (pageControl_) {
        pageControl_->PageTabVisibleChanged(this);
    }
}

void TclTabSheet::SetImageIndex(int value)
{
    if (imageIndex_ != value) {
        imageIndex_ = value;
        UpdateTab();
    }
}

void TclTabSheet::SetHighlighted(bool value)
{
    if (highlighted_ != value) {
        highlighted_ = value;
        UpdateTab();
    }
}

void TclTabSheet::SetBorderWidth(int value)
{
    value = std::max(value, 0);
    if (borderWidth_ == value) {
        return;
    }
    borderWidth_ = value;
    if (HandleAllocated()) {
        win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE
                              | win::SWP_FRAMECHANGED);
    }
    Realign();
    Invalidate();
}

// ------------------------------------------------------------------------------------------------------------
// Showing and hiding

void TclTabSheet::SetVisible(bool value)
{
    if (Visible() == value) {
        return;
    }
    AliveGuard guard(this);
    TCustomControl::SetVisible(value);
    if (guard.Alive() && Visible() == value) {
        FireVisibilityEvent(value);
    }
}

void TclTabSheet::FireVisibilityEvent(bool shown)
{
    const classes::TNotifyEvent& event = shown ? OnShow : OnHide;
    if (!event || HasState(classes::csLoading)) {
        return;
    }
    try {
        event(this);
    } catch (...) {
        if (gui::Application()) {
            gui::Application()->HandleException(this);
        }
    }
}

// ------------------------------------------------------------------------------------------------------------
// Window and painting

void TclTabSheet::CreateParams(gui::TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.windowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TclTabSheet::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_ERASEBKGND:
        EraseBackground(message);
        return;
    case win::WM_NCCALCSIZE:
        TCustomControl::Dispatch(message);
        if (borderWidth_ > 0) {
            win::RECT& rect = message.WParam ? reinterpret_cast<win::NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                                             : *reinterpret_cast<win::RECT*>(message.LParam);
            const int width = std::min({borderWidth_, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2});
            win::InflateRect(&rect, -width, -width);
        }
        return;
    case win::WM_NCPAINT:
        TCustomControl::Dispatch(message);
        PaintBorder();
        return;
    case win::WM_WINDOWPOSCHANGED: {
        AliveGuard guard(this);
        TCustomControl::Dispatch(message);
        if (guard.Alive()) {
            Invalidate();
        }
        return;
    }
    case gui::CM_TEXTCHANGED:
    case gui::CM_ENABLEDCHANGED: {
        AliveGuard guard(this);
        TCustomControl::Dispatch(message);
        if (guard.Alive()) {
            UpdateTab();
        }
        return;
    }
    case gui::CM_COLORCHANGED: {
        AliveGuard guard(this);
        TCustomControl::Dispatch(message);
        if (!guard.Alive()) {
            return;
        }
        if (pageControl_ && tab_ && tab_->VisibleIndex() != -1) {
            pageControl_->RepaintTab(tab_->VisibleIndex(), clpcrLayout);
        }
        PaintBorder();
        Invalidate();
        return;
    }
    default:
        TCustomControl::Dispatch(message);
        return;
    }
}

void TclTabSheet::EraseBackground(win::TMessage& message)
{
    message.Result = 1;
    auto* dc = reinterpret_cast<win::HDC>(message.WParam);
    // Double buffered, the window's own erase is skipped: the buffered paint erases its bitmap.
    if (!dc || (DoubleBuffered() && message.WParam != win::WPARAM(message.LParam))) {
        return;
    }
    TclPCCustomPainter* painter = pageControl_ ? pageControl_->Painter() : nullptr;
    if (!painter || pageControl_->IsDestroying()) {
        const win::RECT client = ClientRect();
        win::FillRect(dc, &client, Brush()->Handle());
        return;
    }
    if (painter->IsNativePainting()) {
        painter->DrawNativePageBackground(dc, this);
        return;
    }
    // The painter draws in the page control's coordinates, which the sheet's origin shifts to its own.
    const int saved = win::SaveDC(dc);
    win::POINT origin{};
    win::GetWindowOrgEx(dc, &origin);
    win::SetWindowOrgEx(dc, origin.x + Left(), origin.y + Top(), nullptr);
    gui::TCanvas& canvas = *pageControl_->Canvas();
    canvas.Lock();
    canvas.SetHandle(dc);
    try {
        painter->DrawPageBackground();
    } catch (...) {
        canvas.SetHandle(nullptr);
        canvas.Unlock();
        win::RestoreDC(dc, saved);
        throw;
    }
    canvas.SetHandle(nullptr);
    canvas.Unlock();
    win::RestoreDC(dc, saved);
}

void TclTabSheet::PaintBorder()
{
    if (borderWidth_ <= 0 || !HandleAllocated()) {
        return;
    }
    win::HDC dc = win::GetWindowDC(Handle());
    if (!dc) {
        return;
    }
    win::RECT window{};
    win::GetWindowRect(Handle(), &window);
    const win::RECT whole{0, 0, window.right - window.left, window.bottom - window.top};
    const int width = std::min({borderWidth_, whole.right / 2, whole.bottom / 2});
    win::ExcludeClipRect(dc, width, width, whole.right - width, whole.bottom - width);
    TclPCCustomPainter* painter = pageControl_ ? pageControl_->Painter() : nullptr;
    if (painter && painter->IsNativePainting()) {
        painter->DrawNativePageBackground(dc, this);
    } else {
        win::FillRect(dc, &whole, Brush()->Handle());
    }
    win::ReleaseDC(Handle(), dc);
}

}  // namespace pagecontrol
