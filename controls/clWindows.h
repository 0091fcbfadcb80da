#pragma once
// The small windows and window-backed services of the controls: a popup form that opens beside an owner
// and fits the work area, its two drag-feedback descendants (a translucent image and a hatched size
// frame), the base of the shaped and animated hint windows, the shared hidden message window, timers
// multiplexed on one hidden window, mouse-leave tracking built on them, and the designer notifier.
//
// The shared windows and lists are made on first request and freed when the unit ends; once it has
// ended a request answers null instead of making them again.

#include "controls/clGraphics.h"

#include "platform/classes/Component.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/HintWindow.h"
#include "platform/wintypes/Messages.h"

#include <cstdint>
#include <memory>
#include <string>

namespace controls {

// A form that opens beside (direction 0) or above/below (direction 1) the owner's bounds, aligned to
// them, flipping to the side with more room and pushed into the work area along the other axis.
class TclPopupWindow : public gui::TForm {
public:
    // Without owner: border none, desktop monitor, stay on top, hidden.
    TclPopupWindow();
    ~TclPopupWindow() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual void ComputePopupOrigin(win::POINT& origin);
    // Places the children inside the frame and sizes the popup around them (only when Adjustable).
    virtual void FitToChildren();
    // side: 0 left, 1 top, 2 right, 3 bottom.
    virtual int SideFrameWidth(int side);
    virtual win::RECT ContentRect();
    virtual int FrameStyleWidth();
    // The owner's bounds on the screen; without an owner parent they are screen coordinates already.
    virtual win::RECT OwnerScreenBounds();
    virtual void TakeOwnerFont();
    virtual void PaintFrame();
    virtual void ClosePopup() { Hide(); }
    virtual void OpenPopup();

    TclCanvas* ClCanvas() const { return clCanvas_.get(); }
    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool value) { adjustable_ = value; }
    // 0 left, 1 centre, 2 right.
    int AlignHorz() const { return alignHorz_; }
    void SetAlignHorz(int value) { alignHorz_ = value; }
    // 0 top, 1 centre, 2 bottom.
    int AlignVert() const { return alignVert_; }
    void SetAlignVert(int value) { alignVert_ = value; }
    // 0 beside the owner, 1 above or below it.
    int Direction() const { return direction_; }
    void SetDirection(int value) { direction_ = value; }
    // 0 none, 1 single, 2 flat 3D, 3 raised 3D.
    int FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(int value) { frameStyle_ = value; }
    int BorderSpace() const { return borderSpace_; }
    void SetBorderSpace(int value) { borderSpace_ = value; }
    gui::TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(gui::TColor value) { frameColor_ = value; }
    // In the client coordinates of OwnerParent.
    const win::RECT& OwnerBounds() const { return ownerBounds_; }
    void SetOwnerBounds(const win::RECT& value) { ownerBounds_ = value; }
    gui::TControl* OwnerParent() const { return ownerParent_; }
    void SetOwnerParent(gui::TControl* value) { ownerParent_ = value; }

    void Dispatch(win::TMessage& message) override;

protected:
    virtual void AfterVisibleChange() {}
    void Deactivate() override;
    void Paint() override;

private:
    void HandleActivate(win::TMessage& message);
    void HandleActivateApp(win::TMessage& message);

    std::unique_ptr<TclCanvas> clCanvas_;
    bool adjustable_ = true;
    int alignHorz_ = 0;
    int alignVert_ = 2;
    int direction_ = 1;
    int frameStyle_ = 0;
    int borderSpace_ = 0;
    gui::TColor frameColor_ = gui::clWindowText;
    win::RECT ownerBounds_{};
    gui::TControl* ownerParent_ = nullptr;
    win::HWND previousActive_ = nullptr;
};

// A translucent picture that follows the mouse without ever being hit by it.
class TclCustomDragImage : public TclPopupWindow {
public:
    TclCustomDragImage();
    ~TclCustomDragImage() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void ShowNoActivate();
    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(gui::TCreateParams& params) override;
};

// A hatched frame of a given width showing a new size; its window region leaves only the ring visible.
class TclSizeFrame : public TclCustomDragImage {
public:
    explicit TclSizeFrame(int frameWidth);
    ~TclSizeFrame() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void SetFrameRect(const win::RECT& screenRect);
    void SetBounds(int left, int top, int width, int height) override;
    bool FillSelection() const { return fillSelection_; }
    void SetFillSelection(bool value) { fillSelection_ = value; }
    int FrameWidth() const { return frameWidth_; }

protected:
    void Paint() override;

private:
    void BuildRing();
    void ApplyRegion();

    int frameWidth_;
    TclRegion region_;
    bool fillSelection_ = false;
    std::unique_ptr<gui::TBitmap> pattern_;
};

enum TclHintAnimationStyle : std::uint8_t {
    cxhaSlideFromLeft,
    cxhaSlideFromRight,
    cxhaSlideDownward,
    cxhaSlideUpward,
    cxhaSlideFromCenter,
    cxhaHide,
    cxhaActivate,
    cxhaFadeIn,
    cxhaAuto,
    cxhaNone,
};

// The AnimateWindow flags of a style (without AW_SLIDE); 0 for auto and none.
win::DWORD clHintAnimationFlags(TclHintAnimationStyle style);

// The base of the library's hint windows: kept in the work area, shaped by descendants and shown with
// the system's tooltip animation.
class TclBaseHintWindow : public gui::THintWindow {
public:
    explicit TclBaseHintWindow(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual void ClearWindowRegion();
    virtual void ApplyWindowRegion() {}
    virtual void ShowNoActivate();

    void ActivateHint(win::RECT rect, const std::string& hint) override;
    // Keeps the top-left corner inside the work area of the monitor there.
    void SetBounds(int left, int top, int width, int height) override;
    // The style in force: none, or auto resolved by the system's tooltip animation and fade.
    TclHintAnimationStyle ResolveAnimation() const;

    bool StandardHint() const { return standardHint_; }
    void SetStandardHint(bool value) { standardHint_ = value; }
    bool HasBorder() const { return border_; }
    void SetBorder(bool value) { border_ = value; }
    TclHintAnimationStyle AnimationStyle() const { return animationStyle_; }
    void SetAnimationStyle(TclHintAnimationStyle value) { animationStyle_ = value; }
    int AnimationDelay() const { return animationDelay_; }
    void SetAnimationDelay(int value) { animationDelay_ = value; }
    bool EraseBackground() const { return eraseBackground_; }
    void SetEraseBackground(bool value) { eraseBackground_ = value; }

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(gui::TCreateParams& params) override;

private:
    bool standardHint_ = false;
    bool border_ = false;
    TclHintAnimationStyle animationStyle_ = cxhaAuto;
    int animationDelay_ = 100;
    bool eraseBackground_ = false;
};

// A hidden window whose messages go to ProcessMessage.
class TclMessageWindow : public classes::TObject {
public:
    TclMessageWindow();
    ~TclMessageWindow() override;
    TclMessageWindow(const TclMessageWindow&) = delete;
    TclMessageWindow& operator=(const TclMessageWindow&) = delete;

    win::HWND Handle() const { return handle_; }

protected:
    virtual void ProcessMessage(win::TMessage& message);

private:
    win::HWND handle_;
};

// The shared hidden message window; null once the unit has ended.
TclMessageWindow* clGetMessageWindow();

// A timer whose id on the one shared timer window is its own address; it runs while enabled with an
// OnTimer handler. A WM_TIMER for a timer that is not running is ignored.
class TclTimer : public classes::TComponent {
public:
    explicit TclTimer(classes::TComponent* owner);
    ~TclTimer() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    // 0 is ignored.
    void SetInterval(std::uint32_t value);
    const classes::TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(const classes::TNotifyEvent& value);
    bool Running() const { return running_; }
    win::UINT_PTR TimerId() const { return reinterpret_cast<win::UINT_PTR>(this); }

    virtual void FireTimer();

private:
    void Stop();
    void Start();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    classes::TNotifyEvent onTimer_;
    bool running_ = false;
};

// The window that owns every running timer; null once the unit has ended.
TclMessageWindow* clGetTimerWindow();

// Told when the pointer left the watched rect.
class IclMouseTrackingCaller {
public:
    virtual void PointerLeft() = 0;

protected:
    ~IclMouseTrackingCaller() = default;
};

// A caller that decides itself whether a point (client coordinates of the control) is still inside.
class IclMouseTrackingCallerEx : public IclMouseTrackingCaller {
public:
    virtual bool ContainsPoint(win::POINT clientPoint) = 0;

protected:
    ~IclMouseTrackingCallerEx() = default;
};

// Watches the pointer every 10 ms; when it leaves the rect (client coordinates of the control, or the
// screen without one) the control gets CM_MOUSELEAVE (when the pointer left its client area too) and
// the caller PointerLeft, and the watch ends. A caller already watched is refused.
void clWatchMouseLeave(gui::TWinControl* control, const win::RECT& rect, IclMouseTrackingCaller* caller);
void clUnwatchMouseLeave(IclMouseTrackingCaller* caller);
bool clIsMouseTracked(IclMouseTrackingCaller* caller);

// Tells a form's designer that the form changed, unless suspended or already telling. Forms of this
// system have no designer at run time, so the notification reaches nobody but keeps its guards.
class TclDesignController : public classes::TObject {
public:
    void NotifyFormDesignerModified(gui::TCustomForm* form);
    void SuspendModifiedNotify() { ++lockCount_; }
    void ResumeModifiedNotify();
    bool Notifying() const { return notifying_; }

private:
    int lockCount_ = 0;
    bool notifying_ = false;
};

namespace detail {
void InitializeWindows();
// Ends the trackings still running (a debug build reports them), then frees the shared windows.
void FinalizeWindows();
bool WindowsUnitEnded();
}  // namespace detail

}  // namespace controls
