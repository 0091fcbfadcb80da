#include "controls/clWindows.h"

#include "controls/clControls.h"
#include "controls/clEntryPoints.h"

#include "platform/gdi/Region.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Paint.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace controls {

namespace {

struct WindowsUnit {
    bool ended = false;
    std::unique_ptr<TclMessageWindow> messageWindow;
    std::unique_ptr<TclMessageWindow> timerWindow;
    std::vector<win::UINT_PTR> runningTimers;
    std::vector<class TMouseTrackingTimer*> trackings;
};

WindowsUnit& Unit()
{
    static WindowsUnit unit;
    return unit;
}

bool IsRunningTimer(win::UINT_PTR id)
{
    const auto& list = Unit().runningTimers;
    return std::find(list.begin(), list.end(), id) != list.end();
}

class TclTimerWindow : public TclMessageWindow {
protected:
    void ProcessMessage(win::TMessage& message) override
    {
        if (message.Msg != win::WM_TIMER) {
            TclMessageWindow::ProcessMessage(message);
            return;
        }
        // The id is the timer's address; only a timer still in the running list is touched.
        if (IsRunningTimer(message.WParam)) {
            reinterpret_cast<TclTimer*>(message.WParam)->FireTimer();
        }
    }
};

}  // namespace

// --- TclPopupWindow ---

TclPopupWindow::TclPopupWindow() : TForm(nullptr)
{
    clCanvas_ = std::make_unique<TclCanvas>(Canvas());
    SetBorderStyle(gui::bsNone);
    SetDefaultMonitor(gui::dmDesktop);
    SetFormStyle(gui::fsStayOnTop);
}

TclPopupWindow::~TclPopupWindow() = default;

const classes::TClassInfo& TclPopupWindow::StaticClass()
{
    static const classes::TClassInfo info("TclPopupWindow", &TForm::StaticClass(), [](classes::TClassInfo&) {});
    return info;
}

void TclPopupWindow::ComputePopupOrigin(win::POINT& origin)
{
    int horz = alignHorz_;
    int vert = alignVert_;
    const win::RECT o = OwnerScreenBounds();
    const int w = Width();
    const int h = Height();
    win::POINT anchor{};
    if (horz == 1) {
        origin.x = (o.left + o.right - w) / 2;
        anchor.x = origin.x;
    }
    if (vert == 1) {
        origin.y = (o.top + o.bottom - h) / 2;
        anchor.y = origin.y;
    }
    auto place = [&] {
        if (direction_ == 1) {
            if (horz == 0) {
                origin.x = o.left;
                anchor.x = o.left;
            } else if (horz == 2) {
                origin.x = o.right - w;
                anchor.x = o.right;
            }
            if (vert == 0) {
                origin.y = o.top - h;
                anchor.y = o.top;
            } else if (vert == 2) {
                origin.y = o.bottom;
                anchor.y = o.bottom;
            }
        } else {
            if (horz == 0) {
                origin.x = o.left - w;
                anchor.x = o.left;
            } else if (horz == 2) {
                origin.x = o.right;
                anchor.x = o.right;
            }
            if (vert == 0) {
                origin.y = o.top;
                anchor.y = o.top;
            } else if (vert == 2) {
                origin.y = o.bottom - h;
                anchor.y = o.bottom;
            }
        }
    };
    place();
    const win::RECT r = clGetWorkAreaAtPoint(anchor);
    bool flipped = false;
    if (direction_ == 1) {
        const bool moreRoomAbove = r.bottom - o.bottom < o.top - r.top;
        if (vert == 2 && origin.y + h > r.bottom && moreRoomAbove) {
            vert = 0;
            flipped = true;
        } else if (vert == 0 && origin.y < r.top && !moreRoomAbove) {
            vert = 2;
            flipped = true;
        }
    } else {
        const bool moreRoomLeft = r.right - o.right < o.left - r.left;
        if (horz == 2 && origin.x + w > r.right && moreRoomLeft) {
            horz = 0;
            flipped = true;
        } else if (horz == 0 && origin.x < r.left && !moreRoomLeft) {
            horz = 2;
            flipped = true;
        }
    }
    if (flipped) {
        place();
    }
    if (direction_ == 1 || horz == 1) {
        if (origin.x + w > r.right) {
            origin.x = r.right - w;
        }
        if (origin.x < r.left) {
            origin.x = r.left;
        }
    }
    if (direction_ == 0 || vert == 1) {
        if (origin.y + h > r.bottom) {
            origin.y = r.bottom - h;
        }
        if (origin.y < r.top) {
            origin.y = r.top;
        }
    }
}

void TclPopupWindow::FitToChildren()
{
    if (!adjustable_) {
        return;
    }
    int right = 0;
    int bottom = 0;
    const int count = ControlCount();
    for (int i = 0; i < count; ++i) {
        gui::TControl* child = Controls(i);
        right = std::max(right, child->Left() + child->Width());
        bottom = std::max(bottom, child->Top() + child->Height());
        child->SetBounds(child->Left() + SideFrameWidth(0), child->Top() + SideFrameWidth(1), child->Width(),
                         child->Height());
    }
    if (right != 0 || bottom != 0 || count > 0) {
        SetBounds(Left(), Top(), SideFrameWidth(0) + right + SideFrameWidth(2),
                  SideFrameWidth(1) + bottom + SideFrameWidth(3));
    }
}

int TclPopupWindow::SideFrameWidth(int) { return FrameStyleWidth() + borderSpace_; }

win::RECT TclPopupWindow::ContentRect()
{
    win::RECT r = ClientRect();
    return clRectExpandSides(r, -SideFrameWidth(0), -SideFrameWidth(1), -SideFrameWidth(2), -SideFrameWidth(3));
}

int TclPopupWindow::FrameStyleWidth()
{
    switch (frameStyle_) {
    case 1:
    case 2: return 1;
    case 3: return 2;
    default: return 0;
    }
}

win::RECT TclPopupWindow::OwnerScreenBounds()
{
    if (!ownerParent_) {
        return ownerBounds_;
    }
    const win::POINT topLeft = ownerParent_->ClientToScreen({ownerBounds_.left, ownerBounds_.top});
    const win::POINT bottomRight = ownerParent_->ClientToScreen({ownerBounds_.right, ownerBounds_.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void TclPopupWindow::TakeOwnerFont()
{
    if (ownerParent_) {
        Font()->Assign(ownerParent_->Font());
    }
}

void TclPopupWindow::PaintFrame()
{
    const win::RECT r{0, 0, Width(), Height()};
    switch (frameStyle_) {
    case 1: clCanvas_->DrawFrameSides(r, frameColor_); break;
    case 2: clCanvas_->Paint3DEdge(r, false, false); break;
    case 3:
        clCanvas_->Paint3DEdge(r, false, true);
        clCanvas_->Paint3DEdge(clRectExpand(r, -1, -1), false, false);
        break;
    default: break;
    }
}

void TclPopupWindow::OpenPopup()
{
    TakeOwnerFont();
    FitToChildren();
    win::POINT origin{Left(), Top()};
    ComputePopupOrigin(origin);
    SetBounds(origin.x, origin.y, Width(), Height());
    Show();
}

void TclPopupWindow::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_ACTIVATE: HandleActivate(message); break;
    case win::WM_ACTIVATEAPP: HandleActivateApp(message); break;
    case gui::CM_VISIBLECHANGED:
        TForm::Dispatch(message);
        AfterVisibleChange();
        break;
    default: TForm::Dispatch(message);
    }
}

void TclPopupWindow::HandleActivate(win::TMessage& message)
{
    TForm::Dispatch(message);
    if ((message.WParam & 0xFFFF) != win::WA_INACTIVE) {
        // Keeps the owner's caption drawn active while the popup has the activation.
        previousActive_ = reinterpret_cast<win::HWND>(message.LParam);
        if (previousActive_) {
            win::SendMessage(previousActive_, win::WM_NCACTIVATE, win::TRUE, 0);
        }
    }
}

void TclPopupWindow::HandleActivateApp(win::TMessage& message)
{
    TForm::Dispatch(message);
    if (message.WParam == 0) {
        if (previousActive_ && win::IsWindow(previousActive_)) {
            win::SendMessage(previousActive_, win::WM_NCACTIVATE, win::FALSE, 0);
        }
        ClosePopup();
    }
}

void TclPopupWindow::Deactivate()
{
    TForm::Deactivate();
    ClosePopup();
}

void TclPopupWindow::Paint()
{
    TForm::Paint();
    PaintFrame();
}

// --- TclCustomDragImage ---

TclCustomDragImage::TclCustomDragImage()
{
    SetBounds(0, 0, 0, 0);
    SetAlphaBlend(true);
    SetAlphaBlendValue(180);
    SetPopupMode(gui::pmExplicit);
}

TclCustomDragImage::~TclCustomDragImage() { SetPopupMode(gui::pmNone); }

const classes::TClassInfo& TclCustomDragImage::StaticClass()
{
    static const classes::TClassInfo info("TclCustomDragImage", &TclPopupWindow::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

void TclCustomDragImage::CreateParams(gui::TCreateParams& params)
{
    TclPopupWindow::CreateParams(params);
    params.windowClass.style |= win::CS_SAVEBITS;
    gui::TCustomForm* parent = PopupParent();
    if (!parent && gui::Screen()) {
        parent = gui::Screen()->ActiveCustomForm();
    }
    if (parent && parent != this) {
        params.wndParent = parent->Handle();
    }
}

void TclCustomDragImage::ShowNoActivate()
{
    win::ShowWindow(Handle(), win::SW_SHOWNA);
    Update();
}

void TclCustomDragImage::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_ERASEBKGND: message.Result = 1; break;
    case win::WM_NCHITTEST: message.Result = win::HTTRANSPARENT; break;
    default: TclPopupWindow::Dispatch(message);
    }
}

// --- TclSizeFrame ---

TclSizeFrame::TclSizeFrame(int frameWidth) : frameWidth_(frameWidth)
{
    SetAlphaBlend(false);
    // A halftone: black and white pixels alternating.
    pattern_ = std::make_unique<gui::TBitmap>();
    pattern_->SetWidth(8);
    pattern_->SetHeight(8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pattern_->Canvas()->SetPixels(x, y, (x + y) % 2 ? gui::clWhite : gui::clBlack);
        }
    }
    Canvas()->Brush()->SetBitmap(pattern_.get());
}

TclSizeFrame::~TclSizeFrame() { Canvas()->Brush()->SetBitmap(nullptr); }

const classes::TClassInfo& TclSizeFrame::StaticClass()
{
    static const classes::TClassInfo info("TclSizeFrame", &TclCustomDragImage::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

void TclSizeFrame::SetFrameRect(const win::RECT& screenRect)
{
    TclRegion frame(0, 0, clRectGetWidth(screenRect), clRectGetHeight(screenRect));
    region_.CombineWith(frame, roSet);
    SetBounds(screenRect.left, screenRect.top, clRectGetWidth(screenRect), clRectGetHeight(screenRect));
}

void TclSizeFrame::SetBounds(int left, int top, int width, int height)
{
    TclCustomDragImage::SetBounds(left, top, width, height);
    if (HandleAllocated() && frameWidth_ * 2 < Width() && frameWidth_ * 2 < Height()) {
        if (!fillSelection_) {
            BuildRing();
        }
        ApplyRegion();
    }
}

void TclSizeFrame::BuildRing()
{
    // What lies deeper than the frame width inside the region is cut away.
    TclRegion inner;
    inner.CombineWith(region_, roSet);
    for (const win::POINT shift : {win::POINT{frameWidth_, 0}, win::POINT{0, frameWidth_},
                                   win::POINT{-frameWidth_, 0}, win::POINT{0, -frameWidth_}}) {
        TclRegion shifted;
        shifted.CombineWith(inner, roSet);
        shifted.Shift(shift.x, shift.y);
        inner.CombineWith(shifted, roIntersect);
    }
    region_.CombineWith(inner, roSubtract);
}

void TclSizeFrame::ApplyRegion()
{
    TclRegion current;
    const bool hasRegion = win::GetWindowRgn(Handle(), current.Handle()) != win::ERROR;
    if (hasRegion && region_.SameAs(&current)) {
        return;
    }
    // The window system takes the handle over.
    win::HRGN copy = win::CreateRectRgn(0, 0, 0, 0);
    win::CombineRgn(copy, region_.Handle(), nullptr, win::RGN_COPY);
    win::SetWindowRgn(Handle(), copy, win::TRUE);
}

void TclSizeFrame::Paint() { Canvas()->FillRect(ClientRect()); }

// --- TclBaseHintWindow ---

win::DWORD clHintAnimationFlags(TclHintAnimationStyle style)
{
    switch (style) {
    case cxhaSlideFromLeft: return win::AW_HOR_POSITIVE;
    case cxhaSlideFromRight: return win::AW_HOR_NEGATIVE;
    case cxhaSlideDownward: return win::AW_VER_POSITIVE;
    case cxhaSlideUpward: return win::AW_VER_NEGATIVE;
    case cxhaSlideFromCenter: return win::AW_CENTER;
    case cxhaHide: return win::AW_HIDE;
    case cxhaActivate: return win::AW_ACTIVATE;
    case cxhaFadeIn: return win::AW_BLEND;
    default: return 0;
    }
}

TclBaseHintWindow::TclBaseHintWindow(classes::TComponent* owner) : THintWindow(owner) {}

const classes::TClassInfo& TclBaseHintWindow::StaticClass()
{
    static const classes::TClassInfo info("TclBaseHintWindow", &THintWindow::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

void TclBaseHintWindow::ClearWindowRegion() { win::SetWindowRgn(Handle(), nullptr, win::TRUE); }

void TclBaseHintWindow::ShowNoActivate() { win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE); }

TclHintAnimationStyle TclBaseHintWindow::ResolveAnimation() const
{
    if (animationStyle_ == cxhaNone) {
        return cxhaNone;
    }
    win::BOOL animation = win::FALSE;
    if (!win::SystemParametersInfo(win::SPI_GETTOOLTIPANIMATION, 0, &animation, 0) || !animation) {
        return cxhaNone;
    }
    if (animationStyle_ != cxhaAuto) {
        return animationStyle_;
    }
    win::BOOL fade = win::FALSE;
    win::SystemParametersInfo(win::SPI_GETTOOLTIPFADE, 0, &fade, 0);
    return fade ? cxhaFadeIn : cxhaSlideDownward;
}

void TclBaseHintWindow::ActivateHint(win::RECT rect, const std::string& hint)
{
    if (standardHint_) {
        THintWindow::ActivateHint(rect, hint);
        return;
    }
    SetCaption(hint);
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (clPlatformWinXPUp()) {
        ApplyWindowRegion();
    }
    const auto animate = clEntryPoints().AnimateWindow;
    if (hint.size() < 100 && animate) {
        const TclHintAnimationStyle style = ResolveAnimation();
        if (style != cxhaNone) {
            if (!clPlatformWinXPUp()) {
                ClearWindowRegion();
            }
            animate(Handle(), win::DWORD(animationDelay_), clHintAnimationFlags(style) | win::AW_SLIDE);
        }
    }
    if (!clPlatformWinXPUp()) {
        ApplyWindowRegion();
    }
    ShowNoActivate();
    Invalidate();
}

void TclBaseHintWindow::SetBounds(int left, int top, int width, int height)
{
    const win::RECT r = clGetWorkAreaAtPoint({left, top});
    left = std::max(std::min(left, int(r.right) - width), int(r.left));
    top = std::max(std::min(top, int(r.bottom) - height), int(r.top));
    THintWindow::SetBounds(left, top, width, height);
}

void TclBaseHintWindow::CreateParams(gui::TCreateParams& params)
{
    THintWindow::CreateParams(params);
    if (standardHint_) {
        return;
    }
    if (!border_) {
        params.style &= ~win::WS_BORDER;
    }
    params.exStyle |= win::WS_EX_TOPMOST;
}

void TclBaseHintWindow::Dispatch(win::TMessage& message)
{
    if (message.Msg == win::WM_ERASEBKGND && !eraseBackground_ && !standardHint_) {
        message.Result = 1;
        return;
    }
    THintWindow::Dispatch(message);
}

// --- TclMessageWindow ---

TclMessageWindow::TclMessageWindow()
    : handle_(win::AllocateHWnd([this](win::TMessage& message) { ProcessMessage(message); }))
{
}

TclMessageWindow::~TclMessageWindow() { win::DeallocateHWnd(handle_); }

void TclMessageWindow::ProcessMessage(win::TMessage& message)
{
    message.Result = win::DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
}

TclMessageWindow* clGetMessageWindow()
{
    WindowsUnit& unit = Unit();
    if (unit.ended) {
        return nullptr;
    }
    if (!unit.messageWindow) {
        unit.messageWindow = std::make_unique<TclMessageWindow>();
    }
    return unit.messageWindow.get();
}

TclMessageWindow* clGetTimerWindow()
{
    WindowsUnit& unit = Unit();
    if (unit.ended) {
        return nullptr;
    }
    if (!unit.timerWindow) {
        unit.timerWindow = std::make_unique<TclTimerWindow>();
    }
    return unit.timerWindow.get();
}

// --- TclTimer ---

TclTimer::TclTimer(classes::TComponent* owner) : TComponent(owner) {}

TclTimer::~TclTimer() { Stop(); }

const classes::TClassInfo& TclTimer::StaticClass()
{
    static const classes::TClassInfo info("TclTimer", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclTimer>(c)
            .Property("Enabled", &TclTimer::Enabled, &TclTimer::SetEnabled).Default(1)
            .Property("Interval", &TclTimer::Interval, &TclTimer::SetInterval).Default(1000)
            .Property("OnTimer", classes::NotifyEventType(), &TclTimer::onTimer_, &TclTimer::SetOnTimer);
    });
    return info;
}

void TclTimer::Stop()
{
    if (!running_) {
        return;
    }
    running_ = false;
    auto& list = Unit().runningTimers;
    list.erase(std::remove(list.begin(), list.end(), TimerId()), list.end());
    if (TclMessageWindow* window = Unit().timerWindow.get()) {
        win::KillTimer(window->Handle(), TimerId());
    }
}

void TclTimer::Start()
{
    if (!enabled_ || running_ || !onTimer_) {
        return;
    }
    TclMessageWindow* window = clGetTimerWindow();
    if (window && win::SetTimer(window->Handle(), TimerId(), interval_, nullptr)) {
        running_ = true;
        Unit().runningTimers.push_back(TimerId());
    }
}

void TclTimer::SetEnabled(bool value)
{
    if (value != enabled_) {
        enabled_ = value;
        Stop();
        Start();
    }
}

void TclTimer::SetInterval(std::uint32_t value)
{
    if (value != interval_ && value != 0) {
        interval_ = value;
        Stop();
        Start();
    }
}

void TclTimer::SetOnTimer(const classes::TNotifyEvent& value)
{
    onTimer_ = value;
    Stop();
    Start();
}

void TclTimer::FireTimer()
{
    if (onTimer_) {
        onTimer_(this);
    }
}

// --- mouse-leave tracking ---

namespace {

class TMouseTrackingTimer : public TclTimer {
public:
    TMouseTrackingTimer(gui::TWinControl* control, const win::RECT& rect, IclMouseTrackingCaller* caller)
        : TclTimer(nullptr), control_(control), rect_(rect), caller_(caller)
    {
        if (control_) {
            control_->FreeNotification(&watcher_);
            watcher_.OnFreed = [this] { control_ = nullptr; };
        }
        SetInterval(10);
        SetOnTimer(classes::TNotifyEvent::Of<&TMouseTrackingTimer::CheckPointer>(this));
    }
    ~TMouseTrackingTimer() override
    {
        if (control_) {
            control_->RemoveFreeNotification(&watcher_);
        }
    }

    IclMouseTrackingCaller* Caller() const { return caller_; }

private:
    // Clears the control when it is freed first.
    class Watcher : public classes::TComponent {
    public:
        Watcher() : TComponent(nullptr) {}
        std::function<void()> OnFreed;

    protected:
        void Notification(classes::TComponent* component, classes::TOperation operation) override
        {
            TComponent::Notification(component, operation);
            if (operation == classes::TOperation::Remove && OnFreed) {
                OnFreed();
            }
        }
    };

    bool PointerStillInside(win::POINT screenPoint)
    {
        if (auto* ex = dynamic_cast<IclMouseTrackingCallerEx*>(caller_)) {
            return control_ && control_->HandleAllocated() && ex->ContainsPoint(control_->ScreenToClient(screenPoint));
        }
        return clRectContainsPoint(rect_, screenPoint);
    }

    void CheckPointer(classes::TObject*)
    {
        const win::POINT pointer = clGetCursorScreenPos();
        if (PointerStillInside(pointer)) {
            return;
        }
        if (control_ && control_->HandleAllocated() &&
            !clRectContainsPoint(control_->ClientRect(), control_->ScreenToClient(pointer))) {
            control_->Perform(gui::CM_MOUSELEAVE, 0, reinterpret_cast<win::LPARAM>(control_));
        }
        IclMouseTrackingCaller* caller = caller_;
        caller->PointerLeft();
        clUnwatchMouseLeave(caller);
    }

    gui::TWinControl* control_;
    win::RECT rect_;
    IclMouseTrackingCaller* caller_;
    Watcher watcher_;
};

TMouseTrackingTimer* FindTracking(IclMouseTrackingCaller* caller)
{
    for (TMouseTrackingTimer* tracking : Unit().trackings) {
        if (tracking->Caller() == caller) {
            return tracking;
        }
    }
    return nullptr;
}

}  // namespace

void clWatchMouseLeave(gui::TWinControl* control, const win::RECT& rect, IclMouseTrackingCaller* caller)
{
    if (Unit().ended || !caller || FindTracking(caller)) {
        return;
    }
    win::RECT screenRect = rect;
    if (control) {
        const win::POINT topLeft = control->ClientToScreen({rect.left, rect.top});
        screenRect = clRectShift(rect, topLeft.x - rect.left, topLeft.y - rect.top);
    }
    Unit().trackings.push_back(new TMouseTrackingTimer(control, screenRect, caller));
}

void clUnwatchMouseLeave(IclMouseTrackingCaller* caller)
{
    TMouseTrackingTimer* tracking = FindTracking(caller);
    if (!tracking) {
        return;
    }
    auto& list = Unit().trackings;
    list.erase(std::find(list.begin(), list.end(), tracking));
    delete tracking;
}

bool clIsMouseTracked(IclMouseTrackingCaller* caller) { return FindTracking(caller) != nullptr; }

// --- TclDesignController ---

void TclDesignController::NotifyFormDesignerModified(gui::TCustomForm* form)
{
    if (lockCount_ > 0 || notifying_ || !form) {
        return;
    }
    notifying_ = true;
    // A form of this system has no designer at run time: there is nobody to tell.
    notifying_ = false;
}

void TclDesignController::ResumeModifiedNotify()
{
    if (lockCount_ > 0) {
        --lockCount_;
    }
}

namespace detail {

void InitializeWindows() { Unit().ended = false; }

void FinalizeWindows()
{
    WindowsUnit& unit = Unit();
    unit.ended = true;
    // Trackings still running at shut-down are a fault of their callers, but the program ends cleanly.
    if (!unit.trackings.empty()) {
#ifndef NDEBUG
        std::fprintf(stderr, "controls: %zu mouse trackings still running at shut-down\n", unit.trackings.size());
#endif
    }
    while (!unit.trackings.empty()) {
        TMouseTrackingTimer* tracking = unit.trackings.back();
        unit.trackings.pop_back();
        delete tracking;
    }
    unit.timerWindow.reset();
    unit.runningTimers.clear();
    unit.messageWindow.reset();
}

bool WindowsUnitEnded() { return Unit().ended; }

}  // namespace detail

}  // namespace controls
