#include "platform/gui/core/Control.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Interfaces.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/Action.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/DockForm.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Cursor.h"
#include "platform/win/HitTest.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Points.h"

#include <algorithm>

namespace gui {

namespace {

TControl* captureControl = nullptr;

}  // namespace

// --- TSizeConstraints ---

const classes::TClassInfo& TSizeConstraints::StaticClass()
{
    static const classes::TClassInfo info("TSizeConstraints", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TSizeConstraints>(c)
            .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0)
            .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0)
            .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0)
            .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
    });
    return info;
}

void TSizeConstraints::Assign(const classes::TPersistent* source)
{
    const auto* other = dynamic_cast<const TSizeConstraints*>(source);
    if (!other) {
        return TPersistent::Assign(source);
    }
    maxHeight_ = other->maxHeight_;
    maxWidth_ = other->maxWidth_;
    minHeight_ = other->minHeight_;
    minWidth_ = other->minWidth_;
    Changed();
}

classes::TPersistent* TSizeConstraints::GetOwner() const
{
    return control_;
}

void TSizeConstraints::SetMaxHeight(int value)
{
    if (value != maxHeight_) {
        maxHeight_ = std::max(value, 0);
        if (maxHeight_ > 0 && maxHeight_ < minHeight_) {
            minHeight_ = maxHeight_;
        }
        Changed();
    }
}

void TSizeConstraints::SetMaxWidth(int value)
{
    if (value != maxWidth_) {
        maxWidth_ = std::max(value, 0);
        if (maxWidth_ > 0 && maxWidth_ < minWidth_) {
            minWidth_ = maxWidth_;
        }
        Changed();
    }
}

void TSizeConstraints::SetMinHeight(int value)
{
    if (value != minHeight_) {
        minHeight_ = std::max(value, 0);
        if (maxHeight_ > 0 && minHeight_ > maxHeight_) {
            maxHeight_ = minHeight_;
        }
        Changed();
    }
}

void TSizeConstraints::SetMinWidth(int value)
{
    if (value != minWidth_) {
        minWidth_ = std::max(value, 0);
        if (maxWidth_ > 0 && minWidth_ > maxWidth_) {
            maxWidth_ = minWidth_;
        }
        Changed();
    }
}

void TSizeConstraints::Constrain(int& width, int& height) const
{
    if (minWidth_ > 0 && width < minWidth_) {
        width = minWidth_;
    }
    if (maxWidth_ > 0 && width > maxWidth_) {
        width = maxWidth_;
    }
    if (minHeight_ > 0 && height < minHeight_) {
        height = minHeight_;
    }
    if (maxHeight_ > 0 && height > maxHeight_) {
        height = maxHeight_;
    }
}

void TSizeConstraints::Changed()
{
    if (control_) {
        control_->ConstraintsChanged();
    }
}

// --- TControl ---

TControl::TControl(classes::TComponent* owner)
    : TComponent(owner),
      constraints_(std::make_unique<TSizeConstraints>(this)),
      font_(std::make_unique<TFont>()),
      floatingDockSiteClass_(&TCustomDockForm::StaticClass())
{
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    font_->OnChange = TNotifyEvent::Of<&TControl::FontChanged>(this);
}

TControl::~TControl()
{
    Destroying();
    detail::ForgetControl(this);
    DragForgetControl(this);
    if (Application()) {
        Application()->ControlDestroying(this);
    }
    if (captureControl == this) {
        captureControl = nullptr;
    }
    if (hostDockSite_) {
        std::erase(hostDockSite_->dockClients_, this);
        hostDockSite_ = nullptr;
    }
    if (parent_) {
        parent_->RemoveControl(this);
    }
    actionLink_.reset();
}

const classes::TClassInfo& TControl::StaticClass()
{
    static const classes::TClassInfo info("TControl", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TControl>(c)
            .Property("Left", &TControl::Left, &TControl::SetLeft)
            .Property("Top", &TControl::Top, &TControl::SetTop)
            .Property("Width", &TControl::Width, &TControl::SetWidth)
            .Property("Height", &TControl::Height, &TControl::SetHeight)
            .Property("Action", classes::ClassRefType<TBasicAction>(), &TControl::Action, &TControl::SetAction)
            .Property("Align", AlignType(), &TControl::Align, &TControl::SetAlign).Default(alNone)
            .Property("Anchors", AnchorsType(), &TControl::Anchors, &TControl::SetAnchors)
            .Default(kDefaultAnchors)
            .Stored(&TControl::IsAnchorsStored)
            .Property("Color", ColorType(), &TControl::Color, &TControl::SetColor).Stored(&TControl::IsColorStored)
            .Property("Constraints", &TControl::Constraints, &TControl::SetConstraints)
            .Property("Cursor", CursorType(), &TControl::Cursor, &TControl::SetCursor).Default(crDefault)
            .Property("DragCursor", CursorType(), &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag)
            .Property("DragKind", DragKindType(), &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag)
            .Property("DragMode", DragModeType(), &TControl::DragMode, &TControl::SetDragMode).Default(dmManual)
            .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1).Stored(&TControl::IsEnabledStored)
            .Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored)
            .Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext)
            .Default(0)
            .Stored(&TControl::IsHelpContextStored)
            .Property("Hint", &TControl::Hint, &TControl::SetHint).Stored(&TControl::IsHintStored)
            .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(1)
            .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(1)
            .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(1)
            .Property("PopupMenu", classes::ClassRefType<classes::TComponent>(), &TControl::PopupMenu,
                      &TControl::SetPopupMenu)
            .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored)
            .Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(1).Stored(&TControl::IsVisibleStored)
            .Property("OnCanResize", CanResizeEventType(), &TControl::OnCanResize)
            .Property("OnClick", classes::NotifyEventType(), &TControl::OnClick).Stored(&TControl::IsOnClickStored)
            .Property("OnContextPopup", ContextPopupEventType(), &TControl::OnContextPopup)
            .Property("OnDblClick", classes::NotifyEventType(), &TControl::OnDblClick)
            .Property("OnDragDrop", DragDropEventType(), &TControl::OnDragDrop)
            .Property("OnDragOver", DragOverEventType(), &TControl::OnDragOver)
            .Property("OnEndDock", EndDragEventType(), &TControl::OnEndDock)
            .Property("OnEndDrag", EndDragEventType(), &TControl::OnEndDrag)
            .Property("OnMouseDown", MouseEventType(), &TControl::OnMouseDown)
            .Property("OnMouseMove", MouseMoveEventType(), &TControl::OnMouseMove)
            .Property("OnMouseUp", MouseEventType(), &TControl::OnMouseUp)
            .Property("OnMouseWheel", MouseWheelEventType(), &TControl::OnMouseWheel)
            .Property("OnResize", classes::NotifyEventType(), &TControl::OnResize)
            .Property("OnStartDock", StartDockEventType(), &TControl::OnStartDock)
            .Property("OnStartDrag", StartDragEventType(), &TControl::OnStartDrag)
            .Method<&TControl::Show>("Show")
            .Method<&TControl::Hide>("Hide");
    });
    return info;
}

void TControl::Free()
{
    if (!detail::DeferFree(this)) {
        BeforeDestruction();
        delete this;
    }
}

TFreeHold::TFreeHold(TControl* control) : index_(detail::BeginHold(control)) {}

TFreeHold::~TFreeHold() { detail::EndHold(index_); }

// --- messages ---

win::LRESULT TControl::Perform(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    win::TMessage msg{message, wParam, lParam, 0};
    detail::DispatchScope scope(this);
    WindowProc(msg);
    return msg.Result;
}

void TControl::WndProc(win::TMessage& message)
{
    if (message.Msg >= win::WM_KEYFIRST && message.Msg <= win::WM_KEYLAST) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->WantChildKey(this, message)) {
            return;
        }
    } else if (message.Msg >= win::WM_MOUSEFIRST && message.Msg <= win::WM_MOUSELAST) {
        if (!(controlStyle_ & csDoubleClicks)) {
            switch (message.Msg) {
            case win::WM_LBUTTONDBLCLK:
            case win::WM_RBUTTONDBLCLK:
            case win::WM_MBUTTONDBLCLK:
                message.Msg -= win::WM_LBUTTONDBLCLK - win::WM_LBUTTONDOWN;
                break;
            default:
                break;
            }
        }
        switch (message.Msg) {
        case win::WM_MOUSEMOVE:
            if (Application()) {
                detail::DispatchScope scope(this);
                Application()->HintMouseMessage(this, message);
                if (!scope.Alive()) {
                    return;
                }
            }
            break;
        case win::WM_LBUTTONDOWN:
        case win::WM_LBUTTONDBLCLK:
            if (dragMode_ == dmAutomatic && !HasState(classes::csDesigning)) {
                BeginDrag(Mouse()->DragImmediate(), Mouse()->DragThreshold());
                return;
            }
            controlState_ |= csLButtonDown;
            break;
        case win::WM_LBUTTONUP:
            controlState_ &= ~csLButtonDown;
            break;
        default:
            break;
        }
    }
    detail::DispatchScope scope(this);
    Dispatch(message);
    if (!scope.Alive()) {
        return;
    }
    if (hostDockSite_ && (message.Msg == win::WM_SETTEXT || message.Msg == CM_VISIBLECHANGED)) {
        TDockNotifyRec notify{message.Msg, message.WParam, message.LParam};
        hostDockSite_->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<win::WPARAM>(this),
                               reinterpret_cast<win::LPARAM>(&notify));
    }
}

void TControl::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_LBUTTONDOWN:
        return HandleMouseDown(message, mbLeft, 0);
    case win::WM_LBUTTONDBLCLK:
        return HandleMouseDown(message, mbLeft, With(0, ssDouble));
    case win::WM_RBUTTONDOWN:
        return HandleMouseDown(message, mbRight, 0);
    case win::WM_RBUTTONDBLCLK:
        return HandleMouseDown(message, mbRight, With(0, ssDouble));
    case win::WM_MBUTTONDOWN:
        return HandleMouseDown(message, mbMiddle, 0);
    case win::WM_MBUTTONDBLCLK:
        return HandleMouseDown(message, mbMiddle, With(0, ssDouble));
    case win::WM_LBUTTONUP:
        return HandleMouseUp(message, mbLeft);
    case win::WM_RBUTTONUP:
        return HandleMouseUp(message, mbRight);
    case win::WM_MBUTTONUP:
        return HandleMouseUp(message, mbMiddle);
    case win::WM_MOUSEMOVE:
        DefaultHandler(message);
        if (!(controlStyle_ & csNoStdEvents)) {
            const win::POINT pt = win::PointOf(message.LParam);
            MouseMove(MouseKeysToShiftState(message.WParam), pt.x, pt.y);
        }
        return;
    case win::WM_MOUSEWHEEL:
        message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
        if (message.Result == 0) {
            DefaultHandler(message);
        }
        return;
    case CM_MOUSEWHEEL: {
        const auto delta = static_cast<std::int16_t>(win::HIWORD(message.WParam));
        message.Result = 0;
        if (DoMouseWheel(MouseKeysToShiftState(win::LOWORD(message.WParam)), delta, win::PointOf(message.LParam))) {
            message.Result = 1;
        } else if (parent_) {
            message.Result = parent_->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
        }
        return;
    }
    case win::WM_CONTEXTMENU: {
        if (message.Result != 0) {
            return;
        }
        win::POINT pt = win::PointOf(message.LParam);
        const bool keyboard = pt.x == -1 && pt.y == -1;
        bool handled = false;
        detail::DispatchScope scope(this);
        DoContextPopup(keyboard ? pt : ScreenToClient(pt), handled);
        if (!scope.Alive()) {
            return;
        }
        message.Result = handled ? 1 : 0;
        if (handled) {
            return;
        }
        if (auto* popup = classes::Supports<IPopupMenu>(popupMenu_); popup && popup->AutoPopup()) {
            SendCancelMode(nullptr);
            popup->SetPopupComponent(this);
            if (keyboard) {
                pt = ClientToScreen({0, 0});
            }
            popup->Popup(pt.x, pt.y);
            message.Result = 1;
            return;
        }
        DefaultHandler(message);
        return;
    }
    case win::WM_CANCELMODE:
    case CM_CANCELMODE:
        if (MouseCapture()) {
            SetMouseCapture(false);
            controlState_ &= ~(csLButtonDown | csClicked);
        }
        if (message.Msg == win::WM_CANCELMODE) {
            DefaultHandler(message);
        }
        return;
    case CM_VISIBLECHANGED:
        if (!(controlStyle_ & csNoDesignVisible)) {
            InvalidateControl(true, visible_ && (controlStyle_ & csOpaque));
        }
        return;
    case CM_ENABLEDCHANGED:
        Invalidate();
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_) {
            SetColor(message.WParam ? TColor(message.LParam) : parent_->Color());
            parentColor_ = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_) {
            settingParentFont_ = true;
            font_->Assign(message.WParam ? reinterpret_cast<TFont*>(message.LParam) : parent_->Font());
            settingParentFont_ = false;
            Perform(CM_FONTCHANGED);
        }
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_) {
            SetShowHint(parent_->ShowHint());
            parentShowHint_ = true;
        }
        return;
    case CM_SHOWHINTCHANGED:
        return;
    case CM_HITTEST:
        message.Result = win::HTCLIENT;
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (parent_) {
            parent_->Perform(message.Msg, 0, message.LParam ? message.LParam : reinterpret_cast<win::LPARAM>(this));
        }
        return;
    case CM_HINTSHOW:
        message.Result = 0;
        return;
    case CM_DRAG: {
        auto* rec = reinterpret_cast<TDragRec*>(message.LParam);
        const auto kind = static_cast<TDragMessage>(message.WParam);
        if (kind == TDragMessage::dmFindTarget) {
            message.Result = reinterpret_cast<win::LRESULT>(this);
            return;
        }
        auto* target = static_cast<TControl*>(rec->target);
        if (!target) {
            return;
        }
        const win::POINT pt = target->ScreenToClient(rec->pos);
        // The targets of a control's drag see the control itself as the source.
        TObject* source = rec->source;
        if (auto* controlDrag = dynamic_cast<TDragControlObject*>(rec->source); controlDrag && controlDrag->Control()) {
            source = controlDrag->Control();
        }
        if (kind == TDragMessage::dmDragDrop) {
            if (rec->docking) {
                if (auto* site = dynamic_cast<TWinControl*>(target)) {
                    site->DockDrop(static_cast<TDragDockObject*>(rec->source), pt.x, pt.y);
                }
            } else {
                target->DragDrop(source, pt.x, pt.y);
            }
            return;
        }
        if (kind == TDragMessage::dmDragCancel) {
            return;
        }
        bool accept = true;
        const auto state = static_cast<TDragState>(int(kind));
        if (rec->docking) {
            auto* site = dynamic_cast<TWinControl*>(target);
            accept = site != nullptr;
            if (site) {
                site->DockOver(static_cast<TDragDockObject*>(rec->source), pt.x, pt.y, state, accept);
            }
        } else {
            target->DragOver(source, pt.x, pt.y, state, accept);
        }
        message.Result = accept ? 1 : 0;
        return;
    }
    case CM_FLOAT:
        if (const auto* dock = reinterpret_cast<const TDragDockObject*>(message.LParam)) {
            ManualFloat(dock->DockRect());
        }
        return;
    case CM_ACTIONUPDATE:
    case CM_ACTIONEXECUTE:
        message.Result = 0;
        return;
    default:
        DefaultHandler(message);
        return;
    }
}

void TControl::DefaultHandler(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(message.LParam);
        if (!buffer || message.WParam == 0) {
            message.Result = 0;
            return;
        }
        const std::size_t count = std::min<std::size_t>(text_.size(), message.WParam - 1);
        std::copy_n(text_.data(), count, buffer);
        buffer[count] = '\0';
        message.Result = win::LRESULT(count);
        return;
    }
    case win::WM_GETTEXTLENGTH:
        message.Result = win::LRESULT(text_.size());
        return;
    case win::WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(message.LParam);
        text_ = text ? text : "";
        message.Result = 1;
        return;
    }
    default:
        return;
    }
}

void TControl::HandleMouseDown(win::TMessage& message, TMouseButton button, TShiftState extra)
{
    detail::DispatchScope scope(this);
    if (button == mbLeft) {
        SendCancelMode(this);
        if (!scope.Alive()) {
            return;
        }
    }
    DefaultHandler(message);
    if (button == mbLeft || (extra & (1u << ssDouble))) {
        if (controlStyle_ & csCaptureMouse) {
            SetMouseCapture(true);
        }
    }
    if (button == mbLeft && (controlStyle_ & csClickEvents)) {
        if (Has(extra, ssDouble)) {
            DblClick();
            if (!scope.Alive()) {
                return;
            }
        } else {
            controlState_ |= csClicked;
        }
    }
    if (!(controlStyle_ & csNoStdEvents)) {
        const win::POINT pt = win::PointOf(message.LParam);
        MouseDown(button, TShiftState(MouseKeysToShiftState(message.WParam) | extra), pt.x, pt.y);
    }
}

void TControl::HandleMouseUp(win::TMessage& message, TMouseButton button)
{
    detail::DispatchScope scope(this);
    DefaultHandler(message);
    const win::POINT pt = win::PointOf(message.LParam);
    if (button == mbLeft) {
        if (controlStyle_ & csCaptureMouse) {
            SetMouseCapture(false);
        }
        if (controlState_ & csClicked) {
            controlState_ &= ~csClicked;
            if (win::PointIn(ClientRect(), pt)) {
                Click();
                if (!scope.Alive()) {
                    return;
                }
            }
        }
    }
    if (!(controlStyle_ & csNoStdEvents)) {
        MouseUp(button, MouseKeysToShiftState(message.WParam), pt.x, pt.y);
    }
}

// --- the tree ---

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) {
        return;
    }
    if (parent == this) {
        throw rtl::EInvalidOperation("A control cannot have itself as its parent");
    }
    if (parent_) {
        parent_->RemoveControl(this);
    }
    if (parent) {
        parent->InsertControl(this);
    }
}

classes::TComponent* TControl::GetParentComponent() const
{
    return parent_;
}

void TControl::SetParentComponent(classes::TComponent* parent)
{
    if (auto* window = dynamic_cast<TWinControl*>(parent)) {
        SetParent(window);
    }
}

void TControl::ReadState(classes::TReader& reader)
{
    controlState_ |= csReadingState;
    if (auto* parent = dynamic_cast<TWinControl*>(reader.Parent()); parent && parent != this) {
        SetParent(parent);
    }
    try {
        TComponent::ReadState(reader);
    } catch (...) {
        controlState_ &= ~csReadingState;
        throw;
    }
    controlState_ &= ~csReadingState;
    // What the control takes from its parent was skipped while it was read; the parent's own values are
    // read by now (a parent's properties come before its children).
    if (parent_) {
        Perform(CM_PARENTCOLORCHANGED);
        Perform(CM_PARENTFONTCHANGED);
        Perform(CM_PARENTSHOWHINTCHANGED);
        Perform(CM_PARENTBIDIMODECHANGED);
    }
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (actionLink_ && actionLink_->Action()) {
        ActionChange(actionLink_->Action(), true);
    }
    if (parent_) {
        AnchorToParent();
    }
}

bool TControl::IsControlShowing() const
{
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->visible_) {
            return false;
        }
        if (!c->parent_) {
            if (const auto* window = dynamic_cast<const TWinControl*>(c)) {
                return window->handle_ != nullptr && win::IsWindowVisible(window->handle_);
            }
            return false;
        }
    }
    return false;
}

void TControl::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove) {
        if (component == popupMenu_) {
            popupMenu_ = nullptr;
        }
        if (actionLink_ && component == actionLink_->Action()) {
            SetAction(nullptr);
        }
    }
}

// --- place and size ---

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (!CanResize(width, height)) {
        return;
    }
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    InvalidateControl(visible_, false);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    UpdateAnchorRules();
    Invalidate();
    Perform(win::WM_WINDOWPOSCHANGED, 0, 0);
    if (parent_) {
        parent_->AlignControl(this);
    }
    if (!HasState(classes::csLoading)) {
        Resize();
    }
}

bool TControl::CanResize(int& newWidth, int& newHeight)
{
    if (autoSize_ && !HasState(classes::csLoading)) {
        int w = newWidth;
        int h = newHeight;
        if (CanAutoSize(w, h)) {
            newWidth = w;
            newHeight = h;
        }
    }
    bool resize = true;
    if (OnCanResize) {
        OnCanResize(this, newWidth, newHeight, resize);
    }
    if (resize) {
        ConstrainedResize(newWidth, newHeight);
        constraints_->Constrain(newWidth, newHeight);
    }
    return resize;
}

bool TControl::CanAutoSize(int&, int&)
{
    return false;
}

void TControl::ConstrainedResize(int&, int&)
{
}

void TControl::ConstraintsChanged()
{
    SetBounds(left_, top_, width_, height_);
}

void TControl::SetAutoSize(bool value)
{
    if (value != autoSize_) {
        autoSize_ = value;
        if (value) {
            AdjustSize();
        }
    }
}

void TControl::AdjustSize()
{
    if (!HasState(classes::csLoading)) {
        SetBounds(left_, top_, width_, height_);
    }
}

win::RECT TControl::ClientRect() const
{
    return {0, 0, width_, height_};
}

void TControl::SetClientWidth(int value)
{
    SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value)
{
    SetHeight(height_ - ClientHeight() + value);
}

win::POINT TControl::ClientOrigin() const
{
    if (!parent_) {
        throw rtl::EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
    win::POINT origin = parent_->ClientOrigin();
    origin.x += left_;
    origin.y += top_;
    return origin;
}

win::POINT TControl::ClientToScreen(win::POINT point) const
{
    const win::POINT origin = ClientOrigin();
    return {point.x + origin.x, point.y + origin.y};
}

win::POINT TControl::ScreenToClient(win::POINT point) const
{
    const win::POINT origin = ClientOrigin();
    return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_) {
        return;
    }
    const TAlign old = align_;
    align_ = value;
    SetAnchors(AnchorsOfAlign(value));
    const bool wasVertical = old == alTop || old == alBottom;
    const bool isHorizontal = value == alLeft || value == alRight;
    if (!HasState(classes::csLoading) && wasVertical == isHorizontal && old != alNone && old != alClient &&
        old != alCustom && value != alNone && value != alClient && value != alCustom) {
        // Turning from a top or bottom bar into a side bar (or back) turns its size.
        SetBounds(left_, top_, height_, width_);
    }
    if (parent_) {
        parent_->AlignControl(this);
    }
}

void TControl::SetAnchors(TAnchors value)
{
    if (value != anchors_) {
        anchors_ = value;
        UpdateAnchorRules();
    }
}

void TControl::UpdateAnchorRules()
{
    anchorsValid_ = false;
    if (!parent_ || HasState(classes::csLoading) || parent_->AlignDisabled()) {
        return;
    }
    AnchorToParent();
}

void TControl::AnchorToParent()
{
    const win::RECT client = parent_->ClientRect();
    anchorParentSize_ = {client.right, client.bottom};
    anchorRules_ = {left_, top_, client.right - (left_ + width_), client.bottom - (top_ + height_)};
    anchorsValid_ = true;
}

void TControl::UpdateBoundsRect(const win::RECT& rect)
{
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    UpdateAnchorRules();
}

// --- state ---

void TControl::SetVisible(bool value)
{
    if (value == visible_) {
        return;
    }
    VisibleChanging();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (parent_) {
        parent_->AlignControl(this);
    }
}

void TControl::Show()
{
    if (parent_) {
        parent_->Show();
    }
    SetVisible(true);
    BringToFront();
}

void TControl::Hide()
{
    SetVisible(false);
}

void TControl::SetEnabled(bool value)
{
    if (value != enabled_) {
        enabled_ = value;
        Perform(CM_ENABLEDCHANGED);
    }
}

std::string TControl::GetText() const
{
    return text_;
}

void TControl::SetText(const std::string& value)
{
    if (GetText() != value) {
        Perform(win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(value.c_str()));
        Perform(CM_TEXTCHANGED);
    }
}

void TControl::SetColor(TColor value)
{
    if (value != color_) {
        color_ = value;
        parentColor_ = false;
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetParentColor(bool value)
{
    if (value != parentColor_) {
        parentColor_ = value;
        if (parent_ && value && !HasState(classes::csReading)) {
            Perform(CM_PARENTCOLORCHANGED);
        }
    }
}

void TControl::FontChanged(TObject*)
{
    if (!settingParentFont_) {
        parentFont_ = false;
        Perform(CM_FONTCHANGED);
    }
}

void TControl::SetParentFont(bool value)
{
    if (value != parentFont_) {
        parentFont_ = value;
        if (parent_ && value && !HasState(classes::csReading)) {
            Perform(CM_PARENTFONTCHANGED);
        }
    }
}

void TControl::SetShowHint(bool value)
{
    if (value != showHint_) {
        showHint_ = value;
        parentShowHint_ = false;
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::SetParentShowHint(bool value)
{
    if (value != parentShowHint_) {
        parentShowHint_ = value;
        if (parent_ && value && !HasState(classes::csReading)) {
            Perform(CM_PARENTSHOWHINTCHANGED);
        }
    }
}

void TControl::SetCursor(TCursor value)
{
    if (value == cursor_) {
        return;
    }
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
    // The mouse over the control sees the change at once.
    win::POINT pt;
    if (parent_ && Screen() && Screen()->Cursor() == crDefault && win::GetCursorPos(&pt) &&
        FindDragTarget(pt, true) == this) {
        win::SetCursor(Screen()->Cursors(value));
    }
}

void TControl::SetPopupMenu(classes::TComponent* value)
{
    if (value && !classes::Supports<IPopupMenu>(value)) {
        value = nullptr;
    }
    if (value == popupMenu_) {
        return;
    }
    if (popupMenu_) {
        popupMenu_->RemoveFreeNotification(this);
    }
    popupMenu_ = value;
    if (value) {
        value->FreeNotification(this);
    }
}

TBasicAction* TControl::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value)
{
    if (!value) {
        actionLink_.reset();
        controlStyle_ &= ~csActionClient;
        return;
    }
    controlStyle_ |= csActionClient;
    if (!actionLink_) {
        actionLink_ = std::make_unique<TControlActionLink>(this);
    }
    actionLink_->SetAction(value);
    ActionChange(value, HasState(classes::csLoading));
    value->FreeNotification(this);
}

void TControl::InitiateAction()
{
    if (actionLink_) {
        actionLink_->Update();
    }
}

void TControl::ActionChange(TBasicAction* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) {
        return;
    }
    if (!checkDefaults || Caption().empty() || Caption() == Name()) {
        SetCaption(action->Caption());
    }
    if (!checkDefaults || enabled_) {
        SetEnabled(action->Enabled());
    }
    if (!checkDefaults || helpContext_ == 0) {
        helpContext_ = action->HelpContext();
    }
    if (!checkDefaults || hint_.empty()) {
        hint_ = action->Hint();
    }
    if (!checkDefaults || visible_) {
        SetVisible(action->Visible());
    }
    if (!checkDefaults || !OnClick) {
        OnClick = action->OnExecute;
    }
}

bool TControl::IsAnchorsStored() const
{
    return anchors_ != AnchorsOfAlign(align_);
}

bool TControl::IsCaptionStored() const
{
    return !actionLink_ || !actionLink_->IsCaptionLinked();
}

bool TControl::IsEnabledStored() const
{
    return !actionLink_ || !actionLink_->IsEnabledLinked();
}

bool TControl::IsHintStored() const
{
    return !actionLink_ || !actionLink_->IsHintLinked();
}

bool TControl::IsHelpContextStored() const
{
    return !actionLink_ || !actionLink_->IsHelpContextLinked();
}

bool TControl::IsVisibleStored() const
{
    return !actionLink_ || !actionLink_->IsVisibleLinked();
}

bool TControl::IsOnClickStored() const
{
    return !actionLink_ || !actionLink_->IsOnExecuteLinked();
}

// --- painting ---

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if ((isVisible || HasState(classes::csDesigning)) && parent_ && parent_->HandleAllocated()) {
        const win::RECT rect = BoundsRect();
        win::InvalidateRect(parent_->handle_, &rect, isOpaque ? win::FALSE : win::TRUE);
    }
}

void TControl::Invalidate()
{
    InvalidateControl(visible_, (controlStyle_ & csOpaque) != 0);
}

void TControl::Update()
{
    if (parent_) {
        parent_->Update();
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (parent_) {
        parent_->SetZOrderOf(this, true);
    }
}

void TControl::SendToBack()
{
    if (parent_) {
        parent_->SetZOrderOf(this, false);
    }
}

win::HDC TControl::GetDeviceContext(win::HWND& window)
{
    if (!parent_) {
        throw rtl::EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
    win::HDC dc = parent_->GetDeviceContext(window);
    win::SetViewportOrgEx(dc, left_, top_, nullptr);
    win::IntersectClipRect(dc, 0, 0, width_, height_);
    return dc;
}

// --- mouse ---

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() != value) {
        SetCaptureControl(value ? this : nullptr);
    }
}

void TControl::Click()
{
    if (OnClick && Action() && !(OnClick == Action()->OnExecute)) {
        OnClick(this);
    } else if (!HasState(classes::csDesigning) && actionLink_ && Action()) {
        actionLink_->Execute(this);
    } else if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick()
{
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, win::POINT mousePos)
{
    bool handled = false;
    if (OnMouseWheel) {
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    }
    return handled;
}

void TControl::DoContextPopup(win::POINT mousePos, bool& handled)
{
    if (OnContextPopup) {
        OnContextPopup(this, mousePos, handled);
    }
}

void TControl::Resize()
{
    if (OnResize) {
        OnResize(this);
    }
}

void TControl::SendCancelMode(TControl* sender)
{
    for (TControl* c = this; c; c = c->parent_) {
        if (auto* form = dynamic_cast<TCustomForm*>(c)) {
            form->SendCancelMode(sender);
        }
    }
}

// --- drag ---

void TControl::BeginDrag(bool immediate, int threshold)
{
    if (HasState(classes::csDesigning)) {
        return;
    }
    if (DragActive() || DragObject()) {
        return;
    }
    if (threshold < 0) {
        threshold = Mouse()->DragThreshold();
    }
    DragInitControl(this, immediate, threshold);
}

void TControl::EndDrag(bool drop)
{
    if (Dragging()) {
        DragDone(drop);
    }
}

bool TControl::Dragging() const
{
    return DragControl() == this;
}

void TControl::DragDrop(TObject* source, int x, int y)
{
    if (OnDragDrop) {
        OnDragDrop(this, source, x, y);
    }
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = false;
    if (OnDragOver) {
        accept = true;
        OnDragOver(this, source, x, y, state, accept);
    }
}

void TControl::DoStartDrag(TDragObject*& dragObject)
{
    if (OnStartDrag) {
        OnStartDrag(this, dragObject);
    }
}

void TControl::DoEndDrag(TObject* target, int x, int y)
{
    if (OnEndDrag) {
        OnEndDrag(this, target, x, y);
    }
}

void TControl::DoStartDock(TDragDockObject*& dragObject)
{
    if (OnStartDock) {
        OnStartDock(this, dragObject);
    }
}

void TControl::DoEndDock(TObject* target, int x, int y)
{
    if (OnEndDock) {
        OnEndDock(this, target, x, y);
    }
}

// --- free functions ---

TCustomForm* GetParentForm(TControl* control)
{
    if (!control) {
        return nullptr;
    }
    while (control->Parent()) {
        control = control->Parent();
    }
    return dynamic_cast<TCustomForm*>(control);
}

std::string GetShortHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TControl* FindDragTarget(win::POINT screenPos, bool allowDisabled)
{
    TWinControl* window = nullptr;
    for (win::HWND hwnd = win::WindowFromPoint(screenPos); hwnd && !window; hwnd = win::GetParent(hwnd)) {
        window = FindControl(hwnd);
    }
    if (!window) {
        return nullptr;
    }
    TControl* control = window->ControlAtPos(window->ScreenToClient(screenPos), allowDisabled);
    return control ? control : window;
}

TControl* GetCaptureControl()
{
    TControl* result = FindControl(win::GetCapture());
    if (result && captureControl && captureControl->Parent() == result) {
        return captureControl;
    }
    return result;
}

void SetCaptureControl(TControl* control)
{
    win::ReleaseCapture();
    captureControl = nullptr;
    if (!control) {
        return;
    }
    auto* window = dynamic_cast<TWinControl*>(control);
    if (!window) {
        if (!control->Parent()) {
            return;
        }
        captureControl = control;
        window = control->Parent();
    }
    win::SetCapture(window->Handle());
}

}  // namespace gui
