#pragma once
// TControl: the base of every control, windowed or not. A control has a parent (the TWinControl it lies
// in), a place in the parent's client area, alignment and anchors that keep that place as the parent
// changes size, a caption, a colour and a font that it may take from its parent, a hint, a cursor, a
// popup menu, an action, and the mouse, click, drag and dock behaviour every control shares.
//
// Messages reach a control through WindowProc (a replaceable method, WndProc by default); Perform sends
// one directly. WndProc does the work common to all messages and then Dispatch, where each class handles
// the messages it knows and passes the others to its ancestor's Dispatch, down to DefaultHandler.
//
// A control freed with Free() while it (or a control inside it, or one it owns) handles a message is
// deleted once that handling is over; deleted with `delete` meanwhile, the handling stops touching it.
// Freed while a TFreeHold holds it, it is deleted when the message loop takes its next message.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/ControlCanvas.h"
#include "platform/gui/graphics/Font.h"
#include "platform/wintypes/Messages.h"

#include <memory>
#include <string>

namespace gui {

class TBasicAction;
class TControlActionLink;
class TCustomForm;
class TDragImageList;
class TWinControl;

// ControlStyle: what a control is and does.
enum : std::uint32_t {
    csAcceptsControls = 1u << 0,   // other controls may be placed in it
    csCaptureMouse = 1u << 1,      // captures the mouse while a button is down
    csDesignInteractive = 1u << 2,
    csClickEvents = 1u << 3,       // a press and release inside it is a click
    csFramed = 1u << 4,            // drawn with a 3-D frame by its parent when Ctl3D
    csSetCaption = 1u << 5,        // takes its name as caption when named at design time
    csOpaque = 1u << 6,            // paints all of itself: nothing behind it is drawn or erased
    csDoubleClicks = 1u << 7,      // a second press is a double click (else a second press)
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12,      // no mouse and key events of its own
    csDisplayDragImage = 1u << 13, // shows the drag image of a drag passing over it
    csReflector = 1u << 14,
    csActionClient = 1u << 15,     // has an action
    csMenuEvents = 1u << 16,
    csNeedsBorderPaint = 1u << 17,
    csParentBackground = 1u << 18, // its background is its parent's picture
};
using TControlStyle = std::uint32_t;

// ControlState: what is happening to it now.
enum : std::uint32_t {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csPalette = 1u << 2,
    csReadingState = 1u << 3,
    csAlignmentNeeded = 1u << 4,
    csFocusing = 1u << 5,
    csCreating = 1u << 6,
    csPaintCopy = 1u << 7,         // painting a copy of itself into another control's picture
    csCustomPaint = 1u << 8,
    csDestroyingHandle = 1u << 9,
    csDocking = 1u << 10,
};
using TControlState = std::uint32_t;

using TWndMethod = rtl::Method<void(win::TMessage& message)>;

// Minimum and maximum sizes a control keeps to; 0 is no limit.
class TSizeConstraints : public classes::TPersistent {
public:
    explicit TSizeConstraints(TControl* control) : control_(control) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;
    TPersistent* GetOwner() const override;

    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);

    // The size within the limits.
    void Constrain(int& width, int& height) const;

private:
    void Changed();

    TControl* control_;
    int maxHeight_ = 0;
    int maxWidth_ = 0;
    int minHeight_ = 0;
    int minWidth_ = 0;
};

class TControl : public classes::TComponent, public TCanvasControl {
public:
    explicit TControl(classes::TComponent* owner);
    ~TControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Deletes the control now, or, while it or a control it contains or owns handles a message, as soon
    // as that handling is over, or, while a TFreeHold holds it, when the message loop takes its next
    // message.
    void Free();

    // --- messages ---
    TWndMethod WindowProc;
    // Sends a message to the control through WindowProc and answers its result.
    win::LRESULT Perform(win::UINT message, win::WPARAM wParam = 0, win::LPARAM lParam = 0);
    virtual void WndProc(win::TMessage& message);
    // The class's own message handlers; unknown messages go to DefaultHandler.
    virtual void Dispatch(win::TMessage& message);
    virtual void DefaultHandler(win::TMessage& message);

    // --- the tree ---
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    classes::TComponent* GetParentComponent() const override;
    void SetParentComponent(classes::TComponent* parent) override;
    void ReadState(classes::TReader& reader) override;
    // Visible, and so is every parent up to a parentless windowed control.
    bool IsControlShowing() const;

    // --- place and size ---
    int Left() const { return left_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    int Top() const { return top_; }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    int Width() const { return width_; }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    int Height() const { return height_; }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    win::RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const win::RECT& rect) { SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); }
    // The client area in its own coordinates; without a window of its own, the whole control.
    virtual win::RECT ClientRect() const;
    int ClientWidth() const { return ClientRect().right; }
    virtual void SetClientWidth(int value);
    int ClientHeight() const { return ClientRect().bottom; }
    virtual void SetClientHeight(int value);
    // The client area's top left on the screen.
    virtual win::POINT ClientOrigin() const;
    win::POINT ClientToScreen(win::POINT point) const;
    win::POINT ScreenToClient(win::POINT point) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    // Fits the size to the content when AutoSize is set.
    void AdjustSize();

    // --- state ---
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show();
    void Hide();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    virtual std::string GetText() const;
    void SetText(const std::string& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // A component with the popup interface (PopupMenu.h), or null.
    classes::TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(classes::TComponent* value);
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }
    // Lets the action update this control (idle time).
    virtual void InitiateAction();
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    // --- painting ---
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    win::HDC GetDeviceContext(win::HWND& window) override;

    // Runs before a control is freed (Free, or the application freeing its forms), while it is whole.
    virtual void BeforeDestruction() {}

    // --- mouse ---
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    virtual void Click();
    virtual void DblClick();

    // --- drag and dock ---
    TDragMode DragMode() const { return dragMode_; }
    virtual void SetDragMode(TDragMode value) { dragMode_ = value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value) { dragCursor_ = value; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    // Starts dragging: at once, or once the mouse moved threshold pixels (-1: the system's) while the
    // left button is down.
    void BeginDrag(bool immediate, int threshold = -1);
    void EndDrag(bool drop);
    bool Dragging() const;
    // The picture that follows the mouse while this control is dragged; null: none.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    virtual void DragDrop(TObject* source, int x, int y);
    // Docked into HostDockSite, floating in a host form of FloatingDockSiteClass, or in the open.
    TWinControl* HostDockSite() const { return hostDockSite_; }
    bool Floating() const;
    const classes::TClassInfo* FloatingDockSiteClass() const { return floatingDockSiteClass_; }
    void SetFloatingDockSiteClass(const classes::TClassInfo* value) { floatingDockSiteClass_ = value; }
    int UndockWidth() const { return undockWidth_ > 0 ? undockWidth_ : width_; }
    int UndockHeight() const { return undockHeight_ > 0 ? undockHeight_ : height_; }
    // Docks into target (null: floats where the control is); false when the site it leaves refuses.
    bool ManualDock(TWinControl* target, TControl* dropControl = nullptr, TAlign side = alNone);
    // Floats in a host form of FloatingDockSiteClass at screenRect (a form floats as itself).
    bool ManualFloat(const win::RECT& screenRect);
    // Moves the control into site (null: the open) at rect, without asking anybody: the last step of a dock.
    virtual void Dock(TWinControl* site, const win::RECT& rect);

    // --- events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // Used by the drag machinery and the hints.
    virtual void DoStartDrag(TDragObject*& dragObject);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoStartDock(TDragDockObject*& dragObject);
    virtual void DoEndDock(TObject* target, int x, int y);
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);

protected:
    friend class TWinControl;
    friend class TControlActionLink;
    friend class TSizeConstraints;

    virtual void Loaded() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, win::POINT mousePos);
    virtual void DoContextPopup(win::POINT mousePos, bool& handled);
    virtual void Resize();
    virtual bool CanResize(int& newWidth, int& newHeight);
    // The size that fits the content; false keeps the size.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void ConstrainedResize(int& width, int& height);
    virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
    virtual void ConstraintsChanged();
    virtual void VisibleChanging() {}
    // The stored predicates of the properties children may take from their parent.
    bool IsColorStored() const { return !parentColor_; }
    bool IsFontStored() const { return !parentFont_; }
    bool IsShowHintStored() const { return !parentShowHint_; }
    bool IsAnchorsStored() const;
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsHelpContextStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;

    // Tells the focused control of every form around this one that a mouse action starts elsewhere.
    void SendCancelMode(TControl* sender);
    // Repaints the part of the parent the control covers (or itself, for an opaque one).
    void InvalidateControl(bool isVisible, bool isOpaque);
    // The bounds changed from outside (the window moved): stores them and re-anchors.
    void UpdateBoundsRect(const win::RECT& rect);
    // The anchor distances are measured again from the current place.
    void UpdateAnchorRules();
    // The text as stored without a window.
    std::string text_;

    // Message handlers, each passing on to the ancestor's Dispatch where the original behaviour continues.
    void HandleMouseDown(win::TMessage& message, TMouseButton button, TShiftState extra);
    void HandleMouseUp(win::TMessage& message, TMouseButton button);

private:
    friend class TApplication;
    friend class TDragObject;
    void FontChanged(TObject* sender);
    void DoDock(TWinControl* site, win::RECT& rect);
    void SetParentDirect(TWinControl* parent) { parent_ = parent; }
    void AnchorToParent();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = kDefaultAnchors;
    // Distances to the parent's edges and the parent's client size when the rules were taken.
    win::RECT anchorRules_;
    win::SIZE anchorParentSize_;
    bool anchorsValid_ = false;
    std::unique_ptr<TSizeConstraints> constraints_;
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    classes::TComponent* popupMenu_ = nullptr;
    std::unique_ptr<TControlActionLink> actionLink_;
    int helpContext_ = 0;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_ = 0;
    TDragMode dragMode_ = dmManual;
    TCursor dragCursor_ = crDrag;
    TDragKind dragKind_ = dkDrag;
    TWinControl* hostDockSite_ = nullptr;
    const classes::TClassInfo* floatingDockSiteClass_ = nullptr;
    int undockWidth_ = 0;
    int undockHeight_ = 0;
};

// Held over a call to one of a control's event handlers made outside the handling of its messages (while
// program code lays the control out, for example). The code around the call may go on using the control
// after the nearest handling is over, so a handler that frees the control with Free() leaves it whole
// until the message loop takes its next message.
class TFreeHold {
public:
    explicit TFreeHold(TControl* control);
    ~TFreeHold();
    TFreeHold(const TFreeHold&) = delete;
    TFreeHold& operator=(const TFreeHold&) = delete;

private:
    int index_;
};

// The form a control lies in (the outermost form when forms are docked in forms); null when none.
TCustomForm* GetParentForm(TControl* control);
// The short and long parts of a hint "short|long" (both the whole text without a bar).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// The control whose window hwnd is (itself a control's window), or null.
TWinControl* FindControl(win::HWND hwnd);
// The control under a screen point: the deepest enabled (or any, with allowDisabled) visible control.
TControl* FindDragTarget(win::POINT screenPos, bool allowDisabled);
// The control holding the mouse capture through SetMouseCapture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

}  // namespace gui
