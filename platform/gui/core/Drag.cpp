#include "platform/gui/core/Drag.h"

#include "platform/gui/core/Application.h"
#include "platform/gui/core/Control.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace gui {

// The drag in progress: its object, the control dragged, and the capture window that follows the mouse.
class DragState {
public:
    static DragState*& Current()
    {
        thread_local DragState* state = nullptr;
        return state;
    }
    // Drags that ended: their capture windows may still be running the message that ended them, so
    // they go at the next drag's start or the library's end.
    static std::vector<std::unique_ptr<DragState>>& Finished()
    {
        thread_local std::vector<std::unique_ptr<DragState>> finished;
        return finished;
    }
    // Set while the dragged control's DoStartDrag runs; CancelDrag then clears it and the drag never starts.
    static bool& Starting()
    {
        thread_local bool starting = false;
        return starting;
    }

    DragState(TDragObject* object, bool owned, TControl* control, bool docking, int threshold)
        : object_(object), owned_(owned), control_(control), docking_(docking), threshold_(threshold)
    {
        win::GetCursorPos(&start_);
        object_->dragPos_ = start_;
        savedCursor_ = win::GetCursor();
        capture_ = win::AllocateHWnd([this](win::TMessage& message) { CaptureProc(message); });
        win::SetCapture(capture_);
    }

    ~DragState()
    {
        if (capture_) {
            const win::HWND window = capture_;
            capture_ = nullptr;
            win::DeallocateHWnd(window);
        }
        if (owned_) {
            delete object_;
        }
    }

    TDragObject* Object() const { return object_; }
    TControl* Control() const { return control_; }
    bool Active() const { return active_; }

    void DragTo(win::POINT pos)
    {
        if (!active_ && std::abs(start_.x - pos.x) < threshold_ && std::abs(start_.y - pos.y) < threshold_) {
            return;
        }
        TControl* target = FindTarget(pos);
        if (!active_) {
            active_ = true;
            if (TDragImageList* images = object_->GetDragImages()) {
                images->BeginDrag(win::GetDesktopWindow(), pos.x, pos.y);
            }
        }
        if (target != object_->dragTarget_) {
            Message(TDragMessage::dmDragLeave);
            if (Current() != this) {
                return;
            }
            object_->dragTarget_ = target;
            object_->dragPos_ = pos;
            Message(TDragMessage::dmDragEnter);
            if (Current() != this) {
                return;
            }
        }
        object_->dragPos_ = pos;
        if (target) {
            object_->dragTargetPos_ = target->ScreenToClient(pos);
        }
        const bool accepted = Message(TDragMessage::dmDragMove);
        if (Current() != this) {
            return;
        }
        if (auto* dock = dynamic_cast<TDragDockObject*>(object_); dock && (!accepted || !target)) {
            // Outside any site the control would float under the mouse at its undocked size.
            const int width = control_->UndockWidth();
            const int height = control_->UndockHeight();
            dock->SetDockRect({pos.x - width / 2, pos.y, pos.x - width / 2 + width, pos.y + height});
        }
        const TCursor cursor = object_->GetDragCursor(accepted, pos.x, pos.y);
        if (TDragImageList* images = object_->GetDragImages()) {
            if (!target || (target->ControlStyle() & csDisplayDragImage)) {
                images->DragMove(pos.x, pos.y);
                object_->ShowDragImage();
            } else {
                object_->HideDragImage();
            }
        }
        win::SetCursor(Screen()->Cursors(cursor));
    }

    // finish: the source hears the end (OnEndDrag); not when the dragged control is going away.
    void Done(bool drop, bool finish = true)
    {
        if (object_->cancelling_) {
            return;
        }
        object_->cancelling_ = true;
        object_->dropped_ = drop;
        // From here on this state is no longer the current drag: nothing may start it again.
        Current() = nullptr;
        Finished().emplace_back(this);
        if (capture_ && win::GetCapture() == capture_) {
            win::ReleaseCapture();
        }
        auto* dock = dynamic_cast<TDragDockObject*>(object_);
        if (dock) {
            dock->SetFloating(object_->dragTarget_ == nullptr);
        }
        if (!control_) {
            drop = false;
        }
        win::POINT targetPos = object_->dragTarget_ ? object_->dragTargetPos_ : object_->dragPos_;
        bool accepted = false;
        if (drop && active_) {
            accepted = (dock && dock->Floating()) || Message(TDragMessage::dmDragLeave);
        }
        if (dock) {
            if (accepted && dock->Floating()) {
                if (TCustomForm* form = GetParentForm(control_); form && form->ActiveControl() == control_) {
                    form->SetActiveControl(nullptr);
                }
                control_->Perform(CM_FLOAT, 0, reinterpret_cast<win::LPARAM>(dock));
            }
        } else if (TDragImageList* images = object_->GetDragImages()) {
            images->EndDrag();
        } else {
            win::SetCursor(savedCursor_);
        }
        if (object_->dragTarget_ && (!dock || !dock->Floating())) {
            if (!accepted) {
                object_->dragPos_ = {0, 0};
                targetPos = {0, 0};
            }
            Message(accepted ? TDragMessage::dmDragDrop : TDragMessage::dmDragCancel);
        }
        object_->cancelling_ = false;
        if (finish) {
            object_->Finished(object_->dragTarget_, targetPos.x, targetPos.y, accepted);
        }
    }

    // The control goes away: the drag ends if it is the one dragged, and forgets it as a target.
    void Forget(TControl* control)
    {
        if (object_->dragTarget_ == control) {
            object_->dragTarget_ = nullptr;
        }
        if (control_ == control) {
            control_ = nullptr;
        }
    }

private:
    TControl* FindTarget(win::POINT pos)
    {
        TControl* found = FindDragTarget(pos, false);
        if (!docking_) {
            if (auto* window = dynamic_cast<TWinControl*>(found)) {
                TDragRec rec{pos, object_, nullptr, false};
                if (auto* target = reinterpret_cast<TControl*>(window->Perform(
                        CM_DRAG, win::WPARAM(TDragMessage::dmFindTarget), reinterpret_cast<win::LPARAM>(&rec)))) {
                    found = target;
                }
            }
            return found;
        }
        // A dock drag looks for a dock site that takes the control, the innermost first.
        auto* dock = static_cast<TDragDockObject*>(object_);
        for (TControl* c = found; c; c = c->Parent()) {
            auto* site = dynamic_cast<TWinControl*>(c);
            if (!site || !site->DockSite() || site == control_) {
                continue;
            }
            if (auto* window = dynamic_cast<TWinControl*>(control_); window && window->ContainsControl(site)) {
                continue;
            }
            win::RECT influence;
            bool canDock = true;
            site->GetSiteInfo(control_, influence, pos, canDock);
            if (canDock && pos.x >= influence.left && pos.x < influence.right && pos.y >= influence.top &&
                pos.y < influence.bottom) {
                dock->SetDockRect(influence);
                dock->SetTarget(site);
                return site;
            }
        }
        dock->SetTarget(nullptr);
        return nullptr;
    }

    bool Message(TDragMessage kind)
    {
        auto* target = object_->dragTarget_;
        if (!target) {
            return false;
        }
        TDragRec rec{object_->dragPos_, object_, target, docking_};
        return target->Perform(CM_DRAG, win::WPARAM(kind), reinterpret_cast<win::LPARAM>(&rec)) != 0;
    }

    void CaptureProc(win::TMessage& message)
    {
        try {
            HandleCaptureMessage(message);
        } catch (...) {
            // As for any window of a control: the drag ends, and the error goes to the application.
            if (!Application()) {
                throw;
            }
            Application()->HandleException(control_);
        }
    }

    void HandleCaptureMessage(win::TMessage& message)
    {
        switch (message.Msg) {
        case win::WM_MOUSEMOVE: {
            win::POINT pt{win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam)};
            win::ClientToScreen(capture_, &pt);
            DragTo(pt);
            return;
        }
        case win::WM_CAPTURECHANGED:
            if (Current() == this && reinterpret_cast<win::HWND>(message.LParam) != capture_) {
                Done(false);
            }
            return;
        case win::WM_LBUTTONUP:
        case win::WM_RBUTTONUP:
            Done(true);
            return;
        case CN_KEYDOWN:
        case win::WM_KEYDOWN:
            if (message.WParam == win::VK_ESCAPE) {
                message.Result = 1;
                Done(false);
            } else if (message.WParam == win::VK_CONTROL) {
                DragTo(object_->dragPos_);
            }
            return;
        case CN_KEYUP:
            if (message.WParam == win::VK_CONTROL) {
                DragTo(object_->dragPos_);
            }
            return;
        default:
            message.Result = win::DefWindowProc(capture_, message.Msg, message.WParam, message.LParam);
            return;
        }
    }

    TDragObject* object_;
    bool owned_;
    TControl* control_;
    bool docking_;
    int threshold_;
    bool active_ = false;
    win::POINT start_;
    win::HCURSOR savedCursor_ = nullptr;
    win::HWND capture_ = nullptr;
};

// --- drag objects ---

const classes::TClassInfo& TDragObject::StaticClass()
{
    static const classes::TClassInfo info("TDragObject", &TObject::StaticClass());
    return info;
}

TCursor TDragObject::GetDragCursor(bool accepted, int, int)
{
    return accepted ? crDrag : crNoDrop;
}

void TDragObject::HideDragImage()
{
    if (TDragImageList* images = GetDragImages()) {
        images->DragLock(win::GetDesktopWindow(), dragPos_.x, dragPos_.y);
    }
}

void TDragObject::ShowDragImage()
{
    if (TDragImageList* images = GetDragImages()) {
        images->DragUnlock();
    }
}

const classes::TClassInfo& TBaseDragControlObject::StaticClass()
{
    static const classes::TClassInfo info("TBaseDragControlObject", &TDragObject::StaticClass());
    return info;
}

void TBaseDragControlObject::Finished(TObject* target, int x, int y, bool accepted)
{
    if (!accepted) {
        target = nullptr;
        x = 0;
        y = 0;
    }
    EndDrag(target, x, y);
}

void TBaseDragControlObject::EndDrag(TObject* target, int x, int y)
{
    if (control_) {
        control_->DoEndDrag(target, x, y);
    }
}

const classes::TClassInfo& TDragControlObject::StaticClass()
{
    static const classes::TClassInfo info("TDragControlObject", &TBaseDragControlObject::StaticClass());
    return info;
}

TCursor TDragControlObject::GetDragCursor(bool accepted, int x, int y)
{
    if (accepted && Control()) {
        return Control()->DragCursor();
    }
    return TBaseDragControlObject::GetDragCursor(accepted, x, y);
}

TDragImageList* TDragControlObject::GetDragImages()
{
    return Control() ? Control()->GetDragImages() : nullptr;
}

TDragDockObject::TDragDockObject(TControl* control) : TBaseDragControlObject(control)
{
    if (control) {
        const win::RECT bounds = control->BoundsRect();
        win::POINT origin{bounds.left, bounds.top};
        if (control->Parent()) {
            origin = control->Parent()->ClientToScreen(origin);
        }
        dockRect_ = {origin.x, origin.y, origin.x + bounds.right - bounds.left, origin.y + bounds.bottom - bounds.top};
    }
}

const classes::TClassInfo& TDragDockObject::StaticClass()
{
    static const classes::TClassInfo info("TDragDockObject", &TBaseDragControlObject::StaticClass());
    return info;
}

void TDragDockObject::EndDrag(TObject* target, int x, int y)
{
    if (Control()) {
        Control()->DoEndDock(target, x, y);
    }
}

// --- the drag ---

void DragInitControl(TControl* control, bool immediate, int threshold)
{
    if (DragState::Current()) {
        return;
    }
    DragState::Finished().clear();
    TDragObject* object = nullptr;
    bool owned = false;
    const bool docking = control->DragKind() == dkDock;
    if (docking) {
        TDragDockObject* dock = nullptr;
        control->DoStartDock(dock);
        if (!dock) {
            dock = new TDragDockObject(control);
            owned = true;
        }
        object = dock;
    } else {
        DragState::Starting() = true;
        control->DoStartDrag(object);
        const bool refused = !DragState::Starting();
        DragState::Starting() = false;
        if (refused) {
            return;
        }
        if (!object) {
            object = new TDragControlObject(control);
            owned = true;
        }
    }
    auto* state = new DragState(object, owned, control, docking, immediate ? 0 : threshold);
    DragState::Current() = state;
    if (immediate) {
        win::POINT pos;
        win::GetCursorPos(&pos);
        state->DragTo(pos);
    }
}

void DragDone(bool drop)
{
    if (DragState* state = DragState::Current()) {
        state->Done(drop);
    }
}

void CancelDrag()
{
    DragState::Starting() = false;
    DragDone(false);
}

void FreeFinishedDrags()
{
    DragState::Finished().clear();
}

TDragObject* DragObject()
{
    DragState* state = DragState::Current();
    return state ? state->Object() : nullptr;
}

TControl* DragControl()
{
    DragState* state = DragState::Current();
    return state ? state->Control() : nullptr;
}

bool DragActive()
{
    DragState* state = DragState::Current();
    return state && state->Active();
}

void DragForgetControl(TControl* control)
{
    DragState* state = DragState::Current();
    if (!state) {
        return;
    }
    const bool dragged = state->Control() == control;
    state->Forget(control);
    if (dragged) {
        state->Done(false, false);
    }
}

}  // namespace gui
