#include "controls/clControls.h"

#include "controls/clEntryPoints.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Frame.h"
#include "platform/gui/core/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/win/Cursor.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Paint.h"
#include "platform/win/Timers.h"

#include <algorithm>
#include <cstdlib>

namespace controls {

namespace {

// The next message of a modal loop: false on an error and on WM_QUIT, which goes back to the queue for
// the program's own loop.
bool NextModalMessage(win::MSG& msg)
{
    const win::BOOL got = win::GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
        win::PostQuitMessage(int(msg.wParam));
    }
    return got > 0;
}

}  // namespace

win::POINT clGetCursorScreenPos()
{
    win::POINT point{};
    if (!win::GetCursorPos(&point)) {
        return {-1, -1};
    }
    return point;
}

win::RECT clGetWorkAreaAtPoint(win::POINT point)
{
    const TclEntryPoints& entries = clEntryPoints();
    if (entries.MonitorFromPoint && entries.GetMonitorInfo) {
        win::MONITORINFO info;
        if (entries.GetMonitorInfo(entries.MonitorFromPoint(point, win::MONITOR_DEFAULTTONEAREST), &info)) {
            return info.rcWork;
        }
    }
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int clRunDragDetectLoop(win::HWND window)
{
    const int threshold = gui::Mouse()->DragThreshold();
    const win::POINT center = clGetCursorScreenPos();
    const win::RECT square{center.x - threshold, center.y - threshold, center.x + threshold, center.y + threshold};
    win::SetCapture(window);
    int result = 2;
    for (;;) {
        if (win::GetCapture() != window) {
            break;
        }
        win::MSG msg{};
        if (!NextModalMessage(msg)) {
            break;
        }
        bool done = false;
        switch (msg.message) {
        case win::WM_MOUSEMOVE:
            if (msg.hwnd == window) {
                win::POINT p{win::GET_X_LPARAM(msg.lParam), win::GET_Y_LPARAM(msg.lParam)};
                win::ClientToScreen(window, &p);
                if (!clRectContainsPoint(square, p)) {
                    result = 1;
                    done = true;
                }
            }
            break;
        case win::WM_LBUTTONUP:
        case win::WM_RBUTTONUP:
        case win::WM_MBUTTONUP:
            result = 0;
            done = true;
            break;
        case win::WM_KEYDOWN:
        case win::WM_KEYUP:
            if (msg.wParam == win::VK_ESCAPE) {
                result = 2;
                done = true;
            }
            break;
        default: break;
        }
        if (done) {
            break;
        }
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    if (win::GetCapture() == window) {
        win::ReleaseCapture();
    }
    return result;
}

bool clWithinDragThreshold(win::POINT pressPoint, win::POINT point)
{
    const int threshold = gui::Mouse()->DragThreshold();
    return std::abs(point.x - pressPoint.x) < threshold && std::abs(point.y - pressPoint.y) < threshold;
}

bool clCtrlKeyDown() { return win::GetAsyncKeyState(win::VK_CONTROL) < 0; }

bool clIsAncestorWindow(win::HWND owner, win::HWND window)
{
    if (!owner) {
        return false;
    }
    for (win::HWND w = window; w; w = win::GetParent(w)) {
        if (w == owner) {
            return true;
        }
    }
    return false;
}

bool clIsSameOrChildWindow(win::HWND parent, win::HWND window)
{
    return parent && (parent == window || win::IsChild(parent, window));
}

bool clHasChildStyle(win::HWND window) { return (win::GetWindowLong(window, win::GWL_STYLE) & win::WS_CHILD) != 0; }

win::POINT clMapPointBetweenWindows(win::HWND from, win::HWND to, win::POINT point)
{
    win::MapWindowPoints(from, to, &point, 1);
    return point;
}

win::RECT clMapRectBetweenWindows(win::HWND from, win::HWND to, const win::RECT& rect)
{
    const win::POINT topLeft = clMapPointBetweenWindows(from, to, {rect.left, rect.top});
    const win::POINT bottomRight = clMapPointBetweenWindows(from, to, {rect.right, rect.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string clStripHotkeyPrefixes(const std::string& text, bool lastAsUnderscore)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
        } else if (i + 1 < text.size()) {
            result += text[++i];
        } else if (lastAsUnderscore) {
            result += '_';
        }
    }
    return result;
}

unsigned clShiftToMouseKeyFlags(gui::TShiftState shift)
{
    unsigned flags = 0;
    if (gui::Has(shift, gui::ssShift)) {
        flags |= win::MK_SHIFT;
    }
    if (gui::Has(shift, gui::ssCtrl)) {
        flags |= win::MK_CONTROL;
    }
    if (gui::Has(shift, gui::ssLeft)) {
        flags |= win::MK_LBUTTON;
    }
    if (gui::Has(shift, gui::ssRight)) {
        flags |= win::MK_RBUTTON;
    }
    if (gui::Has(shift, gui::ssMiddle)) {
        flags |= win::MK_MBUTTON;
    }
    return flags;
}

bool clCanAllocateHandle(gui::TWinControl* control)
{
    if (control->HandleAllocated()) {
        return true;
    }
    if (control->HasState(classes::csDestroying)) {
        return false;
    }
    if (control->ParentWindow()) {
        return true;
    }
    if (control->Parent()) {
        return clCanAllocateHandle(control->Parent());
    }
    const bool formOrFrame = dynamic_cast<gui::TCustomForm*>(control) || dynamic_cast<gui::TCustomFrame*>(control);
    return formOrFrame && gui::Application() && gui::Application()->Handle();
}

unsigned clDoubleClickTime() { return win::GetDoubleClickTime(); }

}  // namespace controls

// ------------------------------------------------------------------------------------------------------------
// Popup components

namespace controls {

bool clShowPopupMenu(gui::TControl* control, classes::TComponent* component, int x, int y)
{
    if (auto* popup = classes::Supports<IclPopupMenuIntf>(component)) {
        return popup->Popup(x, y);
    }
    if (auto* menu = classes::Supports<gui::IPopupMenu>(component); menu && menu->AutoPopup()) {
        menu->SetPopupComponent(control);
        menu->Popup(x, y);
        return true;
    }
    return false;
}

bool clPopupMenuShortCut(classes::TComponent* component, win::WORD key, gui::TShiftState shift)
{
    if (auto* popup = classes::Supports<IclPopupMenuIntf>(component)) {
        return popup->IsShortCutKey(key, shift);
    }
    if (auto* menu = classes::Supports<gui::IPopupMenu>(component)) {
        return menu->IsShortCut(key, shift);
    }
    return false;
}

// ------------------------------------------------------------------------------------------------------------
// Settings controller and the unit's shared state

namespace {

struct ControlsUnit {
    bool ended = false;
    std::unique_ptr<TclSettingsController> settings;
};

ControlsUnit& ControlsState()
{
    static ControlsUnit unit;
    return unit;
}

}  // namespace

TclSettingsController::~TclSettingsController()
{
    if (window_) {
        win::DeallocateHWnd(window_);
    }
}

void TclSettingsController::AddControl(TclControl* control)
{
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) {
        return;
    }
    controls_.push_back(control);
    if (!window_) {
        window_ = win::AllocateHWnd([this](win::TMessage& message) {
            try {
                ProcessMessage(message);
            } catch (...) {
                if (!gui::Application()) {
                    throw;
                }
                gui::Application()->HandleException(this);
            }
        });
    }
}

void TclSettingsController::DropControl(TclControl* control)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (controls_.empty() && window_) {
        win::DeallocateHWnd(window_);
        window_ = nullptr;
    }
}

void TclSettingsController::ProcessMessage(win::TMessage& message)
{
    if (message.Msg == win::WM_SETTINGCHANGE && message.WParam == win::SPI_SETNONCLIENTMETRICS) {
        for (TclControl* control : std::vector<TclControl*>(controls_)) {
            if (control->HandleAllocated()) {
                win::SendNotifyMessage(control->Handle(), CM_CLUPDATESCROLLBARSIZES, 0, 0);
            }
        }
    }
    message.Result = win::DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
}

TclSettingsController* clGetSettingsController()
{
    ControlsUnit& unit = ControlsState();
    if (unit.ended) {
        return nullptr;
    }
    if (!unit.settings) {
        unit.settings = std::make_unique<TclSettingsController>();
    }
    return unit.settings.get();
}

// ------------------------------------------------------------------------------------------------------------
// TclControlScrollBar and TclSizeGrip

TclControlScrollBar::TclControlScrollBar() : TclScrollBar(nullptr)
{
    SetColor(gui::clBtnFace);
    SetControlStyle((ControlStyle() & ~gui::csFramed) | gui::csNoDesignVisible);
    SetTabStop(false);
    SetVisible(false);
}

const classes::TClassInfo& TclControlScrollBar::StaticClass()
{
    static const classes::TClassInfo info("TclControlScrollBar", &TclScrollBar::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

void TclControlScrollBar::ApplyData()
{
    ApplyScrollParams(data_.Min, data_.Max, data_.Position, data_.PageSize, Visible());
    SetSmallChange(data_.SmallChange);
    SetLargeChange(data_.LargeChange);
    SetEnabled(data_.Enabled);
    if (Visible() != data_.Visible) {
        SetVisible(data_.Visible);
        Perform(gui::CM_SHOWINGCHANGED, 0, 0);
    }
}

void TclControlScrollBar::FocusParent()
{
    if (auto* control = dynamic_cast<TclControl*>(Parent())) {
        if (control->FocusOnScrollBarClick() && control->CanFocus()) {
            control->SetFocus();
        }
    } else if (Parent() && Parent()->CanFocus()) {
        Parent()->SetFocus();
    }
}

void TclControlScrollBar::Dispatch(win::TMessage& message)
{
    if (message.Msg == gui::CM_DESIGNHITTEST) {
        message.Result = 1;
        return;
    }
    TclScrollBar::Dispatch(message);
}

void TclControlScrollBar::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    TclObjectLink* link = clCreateObjectLink(this);
    if (button == gui::mbLeft) {
        FocusParent();
    }
    if (link->Ref) {
        TclScrollBar::MouseDown(button, shift, x, y);
    }
    clReleaseObjectLink(link);
}

TclSizeGrip::TclSizeGrip() : TCustomControl(nullptr)
{
    SetColor(gui::clBtnFace);
    SetControlStyle(ControlStyle() | gui::csNoDesignVisible);
    lookAndFeel_ = std::make_unique<TclLookAndFeel>(this);
    lookAndFeel_->OnChanged =
        rtl::Method<void(TclLookAndFeel*, TclLookAndFeelValues)>::Of<&TclSizeGrip::LookAndFeelChanged>(this);
}

TclSizeGrip::~TclSizeGrip() = default;

const classes::TClassInfo& TclSizeGrip::StaticClass()
{
    static const classes::TClassInfo info("TclSizeGrip", &TCustomControl::StaticClass(), [](classes::TClassInfo&) {});
    return info;
}

void TclSizeGrip::Dispatch(win::TMessage& message)
{
    if (message.Msg == win::WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(message);
}

void TclSizeGrip::Paint()
{
    Canvas()->Brush()->SetColor(lookAndFeel_->GetActivePainter()->WindowBackColor());
    Canvas()->FillRect(ClientRect());
}

// ------------------------------------------------------------------------------------------------------------
// TclControl

namespace {

TclDragAndDropObject* MakeDragAndDropObject(TclControl* control) { return new TclDragAndDropObject(control); }

// The framework's left-button-down state while a press is dispatched past the framework's own drag start.
class LeftButtonDownScope {
public:
    explicit LeftButtonDownScope(gui::TControl* control, TclObjectLink* link) : control_(control), link_(link)
    {
        control_->SetControlState(control_->ControlState() | gui::csLButtonDown);
    }
    ~LeftButtonDownScope()
    {
        if (link_->Ref) {
            control_->SetControlState(control_->ControlState() & ~gui::csLButtonDown);
        }
    }

private:
    gui::TControl* control_;
    TclObjectLink* link_;
};

// Releases an object link at the end of a scope.
struct LinkGuard {
    TclObjectLink* link;
    ~LinkGuard() { clReleaseObjectLink(link); }
    bool Alive() const { return link->Ref != nullptr; }
};

}  // namespace

TclControl::TclControl(classes::TComponent* owner) : TCustomControl(owner)
{
    if (ShowsDragImage()) {
        SetControlStyle(ControlStyle() | gui::csDisplayDragImage);
    }
    clCanvas_ = std::make_unique<TclCanvas>(Canvas());
    defaultCursor_ = Cursor();
    lookAndFeel_ = std::make_unique<TclLookAndFeel>(this);
    lookAndFeel_->OnChanged =
        rtl::Method<void(TclLookAndFeel*, TclLookAndFeelValues)>::Of<&TclControl::HandleOwnLookAndFeelChange>(this);
    CreateScrollBars();
    SetTabStop(DefaultTabStop());
    SetParentBackground(true);
}

TclControl::~TclControl()
{
    if (Dragging()) {
        EndDrag(false);
    }
    if (clCurrentDragObject() && gui::DragControl() == this) {
        clSetCurrentDragObject(nullptr);
    }
    DestroyScrollBars();
    fontListeners_.clear();
    dragAndDropObject_.reset();
    clInvalidateObjectLinks(this);
}

const classes::TClassInfo& TclControl::StaticClass()
{
    static const classes::TClassInfo info("TclControl", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclControl>(c).Property("FocusOnClick", &TclControl::FocusOnClick,
                                                      &TclControl::SetFocusOnClick).Default(1);
    });
    return info;
}

// --- overridable operations ---

bool TclControl::ShowPopupMenuAt(classes::TComponent* component, int x, int y)
{
    return clShowPopupMenu(this, component, x, y);
}

void TclControl::NotifyDesignerModified()
{
    // Controls are designed nowhere in this system: no designer listens.
}

void TclControl::StartMouseAction(gui::TMouseButton button, int x, int y)
{
    if (button == gui::mbLeft && DragMode() == gui::dmAutomatic && MouseCapture() &&
        (!InDesignMode() || DesignDragAllowedAt(x, y)) && NoDragAndDropRunning()) {
        TclObjectLink* link = clCreateObjectLink(this);
        LinkGuard guard{link};
        if (clRunDragDetectLoop(Handle()) == 1 && guard.Alive()) {
            BeginDrag(true, -1);
        }
    } else if (button == gui::mbMiddle) {
        RunMiddleButtonScroll();
    }
}

void TclControl::RaiseScrollBars()
{
    for (gui::TControl* part : {static_cast<gui::TControl*>(hScrollBar_.get()),
                                static_cast<gui::TControl*>(vScrollBar_.get()),
                                static_cast<gui::TControl*>(sizeGrip_.get())}) {
        if (part) {
            part->BringToFront();
        }
    }
}

void TclControl::FinishMouseActions()
{
    FinishDragAndDrop(true);
    SetMouseCaptureObject(nullptr);
}

bool TclControl::TakesFocusOnClick() { return !InDesignMode() && focusOnClick_ && DefaultTabStop() && CanFocus(); }

int TclControl::CurrentBorderWidth() { return borderStyle_ == 0 ? 0 : ActivePainter()->BorderWidth(); }

win::RECT TclControl::ClientBoundsRect()
{
    if (!clRectIsZero(clientBounds_)) {
        return clientBounds_;
    }
    if (HandleAllocated()) {
        return ClientRect();
    }
    return {0, 0, Width(), Height()};
}

win::RECT TclControl::InnerClientRect()
{
    const int border = CurrentBorderWidth();
    win::RECT r = clRectExpand(ClientBoundsRect(), -border, -border);
    if (GetHScrollBarVisible()) {
        r.bottom -= hScrollBar_->Height();
    }
    if (GetVScrollBarVisible()) {
        r.right -= vScrollBar_->Width();
    }
    return r;
}

TclWheelScrollKind TclControl::WheelScrollKind() { return GetVScrollBarVisible() ? wskVertical : wskNone; }

bool TclControl::IsScrollPart(gui::TControl* control) const
{
    return control && (control == hScrollBar_.get() || control == vScrollBar_.get() || control == sizeGrip_.get());
}

win::RECT TclControl::HScrollBarBounds()
{
    const win::RECT inner = InnerClientRect();
    return {inner.left, inner.bottom, inner.right, inner.bottom + hScrollBar_->Height()};
}

win::RECT TclControl::SizeGripBounds()
{
    return {vScrollBar_->Left(), hScrollBar_->Top(), vScrollBar_->Left() + vScrollBar_->Width(),
            hScrollBar_->Top() + hScrollBar_->Height()};
}

win::RECT TclControl::VScrollBarBounds()
{
    const win::RECT inner = InnerClientRect();
    return {inner.right, inner.top, inner.right + vScrollBar_->Width(), inner.bottom};
}

void TclControl::LayoutScrollBars()
{
    if (!hScrollBar_) {
        return;
    }
    if (hScrollBar_->Visible()) {
        hScrollBar_->SetBoundsRect(HScrollBarBounds());
    }
    if (vScrollBar_->Visible()) {
        vScrollBar_->SetBoundsRect(VScrollBarBounds());
    }
    if (sizeGrip_->Visible()) {
        sizeGrip_->SetBoundsRect(SizeGripBounds());
    }
}

void TclControl::RefreshScrollBars()
{
    if (!hScrollBar_) {
        return;
    }
    for (gui::TControl* part : {static_cast<gui::TControl*>(hScrollBar_.get()),
                                static_cast<gui::TControl*>(vScrollBar_.get()),
                                static_cast<gui::TControl*>(sizeGrip_.get())}) {
        if (part->Visible()) {
            part->Invalidate();
        }
    }
}

TclDragAndDropObjectFactory TclControl::DragDropHandlerClass() { return &MakeDragAndDropObject; }

gui::TDragImageList* TclControl::DragImageListClass() { return new TclDragImageList(nullptr); }

void TclControl::BuildDragImage(gui::TDragImageList* list)
{
    const win::POINT extent = DragImageExtent();
    list->SetWidth(extent.x);
    list->SetHeight(extent.y);
    if (extent.x == 0 || extent.y == 0) {
        return;
    }
    gui::TBitmap bitmap;
    bitmap.SetWidth(extent.x);
    bitmap.SetHeight(extent.y);
    TclCanvas canvas(bitmap.Canvas());
    PaintDragImage(canvas, {0, 0, extent.x, extent.y});
    list->AddMasked(&bitmap, bitmap.TransparentColor());
}

bool TclControl::FocusReachable()
{
    if (!CanFocus()) {
        return false;
    }
    gui::TCustomForm* form = gui::GetParentForm(this);
    return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TclControl::DragStartAllowedAt(int x, int y)
{
    return DragMode() == gui::dmManual || InsideDragDetectArea({x, y});
}

void TclControl::ReleaseMouseAction()
{
    mouseButtonPressed_ = false;
    SetMouseCaptureObject(nullptr);
}

void TclControl::NotifyFocusChanged()
{
    if (OnFocusChanged) {
        OnFocusChanged(this);
    }
}

void TclControl::BroadcastFontChange()
{
    for (IclFontListener* listener : std::vector<IclFontListener*>(fontListeners_)) {
        listener->FontChanged(this, Font());
    }
    Invalidate();
}

gui::TDragControlObject* TclControl::DragControlObjectClass() { return new TclDragControlObject(this); }

void TclControl::NotifyMouseEnter(gui::TControl* control)
{
    if (OnMouseEnter) {
        OnMouseEnter(this, control);
    }
}

void TclControl::NotifyMouseLeave(gui::TControl* control)
{
    if (OnMouseLeave) {
        OnMouseLeave(this, control);
    }
}

// --- drag and drop ---

TclDragAndDropObject* TclControl::ActiveDragDropHandler()
{
    if (!dragAndDropObject_) {
        dragAndDropObject_.reset(DragDropHandlerClass()(this));
    }
    return dragAndDropObject_.get();
}

void TclControl::SetDragAndDropState(TclDragAndDropState value)
{
    if (value == dragAndDropState_) {
        return;
    }
    dragAndDropState_ = value;
    if (value == ddsNone && !finishingDragAndDrop_) {
        ReleaseMouseAction();
    }
}

void TclControl::OpenDragAndDrop()
{
    ActiveDragDropHandler()->Init();
    SetMouseCapture(true);
    savedScreenCursor_ = gui::Screen()->Cursor();
    SetDragAndDropState(ddsInProcess);
}

void TclControl::TrackDragAndDrop(win::POINT point)
{
    bool accepted = false;
    ActiveDragDropHandler()->DoTrack(point, accepted);
}

void TclControl::CloseDragAndDrop(bool accepted)
{
    SetDragAndDropState(ddsNone);
    gui::Screen()->SetCursor(savedScreenCursor_);
    SetMouseCapture(false);
    SetMouseCaptureObject(nullptr);
    ActiveDragDropHandler()->DoFinish(accepted);
}

void TclControl::FinishDragAndDrop(bool accepted)
{
    if (finishingDragAndDrop_) {
        return;
    }
    finishingDragAndDrop_ = true;
    if (dragAndDropState_ == ddsInProcess) {
        CloseDragAndDrop(accepted);
    } else {
        SetDragAndDropState(ddsNone);
    }
    finishingDragAndDrop_ = false;
    dragAndDropObject_.reset();
}

gui::TDragImageList* TclControl::GetDragImages()
{
    if (!ShowsDragImage()) {
        return nullptr;
    }
    if (!dragImageList_) {
        dragImageList_.reset(DragImageListClass());
        BuildDragImage(dragImageList_.get());
    }
    return dragImageList_->Count() > 0 ? dragImageList_.get() : nullptr;
}

void TclControl::DoStartDrag(gui::TDragObject*& dragObject)
{
    Update();
    TCustomControl::DoStartDrag(dragObject);
    if (!dragObject) {
        dragObject = DragControlObjectClass();
    }
    if (!KeepsDragObject(dragObject)) {
        delete dragObject;
        dragObject = nullptr;
        // However the drag was started, it does not start now.
        gui::CancelDrag();
    }
}

void TclControl::DoEndDrag(classes::TObject* target, int x, int y)
{
    TCustomControl::DoEndDrag(target, x, y);
    dragImageList_.reset();
}

void TclControl::DragOver(classes::TObject* source, int x, int y, gui::TDragState state, bool& accept)
{
    clSetCurrentDragObject(state == gui::dsDragLeave ? nullptr : gui::DragObject());
    TCustomControl::DragOver(source, x, y, state, accept);
}

// --- properties ---

void TclControl::SetBorderStyle(int value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        BoundsChanged();
        Invalidate();
    }
}

void TclControl::SetScrollBars(TclScrollStyle value)
{
    if (value != scrollBars_) {
        scrollBars_ = value;
        RecalcScrollBars();
    }
}

bool TclControl::GetHScrollBarVisible() const
{
    if (!hScrollBar_) {
        return false;
    }
    return scrollBarsCalculating_ ? hScrollBar_->ScrollData().Visible : hScrollBar_->Visible();
}

bool TclControl::GetVScrollBarVisible() const
{
    if (!vScrollBar_) {
        return false;
    }
    return scrollBarsCalculating_ ? vScrollBar_->ScrollData().Visible : vScrollBar_->Visible();
}

void TclControl::SetPopupMenu(classes::TComponent* value)
{
    if (value && !classes::Supports<gui::IPopupMenu>(value) && !classes::Supports<IclPopupMenuIntf>(value)) {
        value = nullptr;
    }
    if (value == popupComponent_) {
        return;
    }
    if (popupComponent_) {
        popupComponent_->RemoveFreeNotification(this);
    }
    popupComponent_ = value;
    if (value) {
        value->FreeNotification(this);
    }
    // The framework pops up only a framework menu itself.
    TCustomControl::SetPopupMenu(classes::Supports<gui::IPopupMenu>(value) ? value : nullptr);
}

void TclControl::SetMouseCaptureObject(classes::TObject* value)
{
    if (value == captureObject_) {
        return;
    }
    const bool hadCapture = MouseCapture();
    if (auto* old = classes::Supports<IclCaptureObjectIntf>(captureObject_)) {
        old->CaptureLost();
    }
    captureObject_ = value;
    SetMouseCapture(value != nullptr);
    if (hadCapture && !MouseCapture() && dragAndDropState_ == ddsStarting && HandleAllocated()) {
        Perform(win::WM_CANCELMODE, 0, 0);
    }
}

void TclControl::RemoveFontListener(IclFontListener* listener)
{
    fontListeners_.erase(std::remove(fontListeners_.begin(), fontListeners_.end(), listener), fontListeners_.end());
}

bool TclControl::IsPopupMenuShortCut(win::WORD key, gui::TShiftState shift)
{
    if (InDesignMode()) {
        return false;
    }
    for (gui::TControl* control = this; control; control = control->Parent()) {
        if (auto* clControl = dynamic_cast<TclControl*>(control);
            clControl && clPopupMenuShortCut(clControl->PopupMenu(), key, shift)) {
            return true;
        }
    }
    return false;
}

void TclControl::InvalidateArea(const win::RECT& rect)
{
    if (HandleAllocated()) {
        win::InvalidateRect(Handle(), &rect, win::TRUE);
    }
}

void TclControl::RepaintWithChildren()
{
    if (HandleAllocated()) {
        win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_NOERASE | win::RDW_ALLCHILDREN);
    }
}

// --- scroll bars ---

void TclControl::CreateScrollBars()
{
    if (!UsesScrollBars() || hScrollBar_) {
        return;
    }
    hScrollBar_ = std::make_unique<TclControlScrollBar>();
    hScrollBar_->SetKind(gui::sbHorizontal);
    vScrollBar_ = std::make_unique<TclControlScrollBar>();
    vScrollBar_->SetKind(gui::sbVertical);
    sizeGrip_ = std::make_unique<TclSizeGrip>();
    sizeGrip_->SetVisible(false);
    for (TclControlScrollBar* bar : {hScrollBar_.get(), vScrollBar_.get()}) {
        bar->OnScroll = TclScrollEvent::Of<&TclControl::RelayScrollEvent>(this);
        bar->LookAndFeel()->ChangeMaster(lookAndFeel_.get());
        bar->SetControlStyle(bar->ControlStyle() | gui::csReplicatable);
    }
    sizeGrip_->LookAndFeel()->ChangeMaster(lookAndFeel_.get());
    sizeGrip_->SetControlStyle(sizeGrip_->ControlStyle() | gui::csReplicatable);
    UpdateScrollBarSizes();
    if (TclSettingsController* settings = clGetSettingsController()) {
        settings->AddControl(this);
    }
}

void TclControl::DestroyScrollBars()
{
    if (!hScrollBar_) {
        return;
    }
    if (TclSettingsController* settings = clGetSettingsController()) {
        settings->DropControl(this);
    } else if (ControlsState().settings) {
        ControlsState().settings->DropControl(this);
    }
    sizeGrip_.reset();
    vScrollBar_.reset();
    hScrollBar_.reset();
}

void TclControl::UpdateScrollBarsPresence()
{
    if (UsesScrollBars()) {
        CreateScrollBars();
        if (HandleAllocated()) {
            AttachScrollBars();
        }
    } else {
        DestroyScrollBars();
    }
}

void TclControl::ParentScrollBars()
{
    if (!hScrollBar_) {
        return;
    }
    hScrollBar_->SetParent(this);
    vScrollBar_->SetParent(this);
    sizeGrip_->SetParent(this);
}

void TclControl::RelayScrollEvent(classes::TObject* sender, TclScrollCode code, int& position)
{
    HandleScroll(sender == hScrollBar_.get() ? clHorzBar : clVertBar, code, position);
}

void TclControl::SetScrollBarInfo(int kind, int min, int max, int step, int page, int position, bool allowShow,
                                  bool allowHide)
{
    TclControlScrollBar* bar = kind == clHorzBar ? hScrollBar_.get() : vScrollBar_.get();
    if (!bar) {
        return;
    }
    // A client smaller than the bars leaves no page rather than a negative one.
    page = std::max(page, 0);
    TclControlScrollBar::Data& data = bar->ScrollData();
    const bool kindShown = kind == clHorzBar ? (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
                                             : (scrollBars_ == ssVertical || scrollBars_ == ssBoth);
    data.AllowShow = allowShow && kindShown;
    data.AllowHide = allowHide;
    data.Visible = false;
    if (!data.AllowShow) {
        return;
    }
    if (max < min || std::int64_t{page} >= std::int64_t{max} - min + 1 || position < min) {
        if (allowHide) {
            data.Visible = false;
        } else {
            data.Visible = true;
            data.Enabled = false;
        }
        return;
    }
    data.Min = min;
    data.Max = max;
    data.Position = position;
    data.PageSize = page;
    data.SmallChange = std::int16_t(step);
    data.LargeChange = std::int16_t(page);
    data.Visible = true;
    data.Enabled = true;
}

void TclControl::ComputeUntilStable()
{
    TclControlScrollBar::Data& h = hScrollBar_->ScrollData();
    TclControlScrollBar::Data& v = vScrollBar_->ScrollData();
    scrollBarsCalculating_ = true;
    h.Visible = false;
    v.Visible = false;
    for (;;) {
        const bool hBefore = h.Visible;
        const bool vBefore = v.Visible;
        ComputeScrollBarParams();
        if (h.Visible == hBefore && v.Visible == vBefore) {
            break;
        }
    }
    if (h.Visible && v.Visible && h.Enabled && v.Enabled && h.AllowHide && v.AllowHide && MayDropScrollBar(clHorzBar) &&
        MayDropScrollBar(clVertBar)) {
        // Each page plus the other bar's thickness covering the whole range: without both bars all fits.
        const bool hDroppable = std::int64_t{h.PageSize} + vScrollBar_->Width() >= std::int64_t{h.Max} - h.Min + 1;
        const bool vDroppable = std::int64_t{v.PageSize} + hScrollBar_->Height() >= std::int64_t{v.Max} - v.Min + 1;
        if (hDroppable && vDroppable) {
            const int hThickness = hScrollBar_->Height();
            const int vThickness = vScrollBar_->Width();
            SetScrollBarInfo(clHorzBar, h.Min, h.Max, h.SmallChange, h.PageSize + vThickness, h.Position, true,
                             true);
            SetScrollBarInfo(clVertBar, v.Min, v.Max, v.SmallChange, v.PageSize + hThickness, v.Position, true,
                             true);
        }
    }
    scrollBarsCalculating_ = false;
}

void TclControl::RecalcScrollBars()
{
    if (!hScrollBar_) {
        return;
    }
    if (scrollBarsLock_ > 0) {
        scrollBarsUpdatePending_ = true;
        return;
    }
    const bool outermost = !scrollBarsUpdating_;
    if (outermost) {
        savedHVisible_ = hScrollBar_->Visible();
        savedVVisible_ = vScrollBar_->Visible();
    }
    const bool wasUpdating = scrollBarsUpdating_;
    scrollBarsUpdating_ = true;
    const bool hBefore = hScrollBar_->Visible();
    const bool vBefore = vScrollBar_->Visible();
    if (!scrollBarsStable_ && !scrollBarsCalculating_) {
        ComputeUntilStable();
        TclControlScrollBar::Data& h = hScrollBar_->ScrollData();
        TclControlScrollBar::Data& v = vScrollBar_->ScrollData();
        if (!outermost && h.Visible == savedHVisible_ && v.Visible == savedVVisible_) {
            // Back where the outermost update started: the bar that would flip stays, shown disabled.
            scrollBarsStable_ = true;
            for (TclControlScrollBar* bar : {hScrollBar_.get(), vScrollBar_.get()}) {
                if (bar->Visible() != bar->ScrollData().Visible) {
                    bar->ScrollData().Visible = true;
                    bar->ScrollData().Enabled = false;
                }
                bar->ApplyData();
            }
        } else {
            hScrollBar_->ApplyData();
            vScrollBar_->ApplyData();
        }
    }
    if (hScrollBar_->Visible() != hBefore || vScrollBar_->Visible() != vBefore) {
        BoundsChanged();
    } else {
        sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
        LayoutScrollBars();
        if (ScrollBarsAboveChildren()) {
            RaiseScrollBars();
        }
    }
    scrollBarsUpdating_ = wasUpdating;
    if (outermost) {
        scrollBarsStable_ = false;
    }
}

void TclControl::UnlockScrollBars()
{
    if (scrollBarsLock_ > 0 && --scrollBarsLock_ == 0 && scrollBarsUpdatePending_) {
        scrollBarsUpdatePending_ = false;
        RecalcScrollBars();
    }
}

void TclControl::UpdateScrollBarSizes()
{
    if (!hScrollBar_) {
        return;
    }
    const int height = win::GetSystemMetrics(win::SM_CYHSCROLL);
    const int width = win::GetSystemMetrics(win::SM_CXVSCROLL);
    if (hScrollBar_->Height() == height && vScrollBar_->Width() == width) {
        return;
    }
    hScrollBar_->SetHeight(height);
    vScrollBar_->SetWidth(width);
    BoundsChanged();
}

void TclControl::ScrollContent(TclScrollDirection direction)
{
    if (direction == sdNone || (!UsesScrollBars() && !ScrollsWithoutBars(direction))) {
        return;
    }
    const bool horizontal = direction == sdLeft || direction == sdRight;
    const TclScrollCode code = direction == sdLeft || direction == sdUp ? scLineUp : scLineDown;
    TclControlScrollBar* bar = horizontal ? hScrollBar_.get() : vScrollBar_.get();
    int position = bar ? bar->Position() : 0;
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    HandleScroll(horizontal ? clHorzBar : clVertBar, code, position);
    if (guard.Alive()) {
        Update();
    }
}

namespace {

// Where the pointer stands relative to the anchor of the middle-button mode.
struct AnchorReading {
    TclScrollDirection direction = sdNone;
    int speed = 0;
    gui::TCursor cursor = crclFullScroll;
};

AnchorReading ReadAnchor(win::POINT anchor, win::POINT pointer, int halfWidth, bool hasHorz, bool hasVert)
{
    AnchorReading reading;
    reading.cursor = hasHorz && hasVert ? crclFullScroll : hasHorz ? crclHorScroll : crclVerScroll;
    const int dx = pointer.x - anchor.x;
    const int dy = pointer.y - anchor.y;
    // Without a bar of a kind the neutral zone spans the whole screen that way.
    const bool insideX = !hasHorz || std::abs(dx) < halfWidth;
    const bool insideY = !hasVert || std::abs(dy) < halfWidth;
    if (insideX && insideY) {
        return reading;
    }
    const bool vertical = !hasHorz || (hasVert && std::abs(dy) >= std::abs(dx));
    const int distance = vertical ? std::abs(dy) : std::abs(dx);
    reading.speed = std::min((distance - halfWidth) / 5 + 1, 12);
    if (vertical) {
        reading.direction = dy < 0 ? sdUp : sdDown;
        reading.cursor = dy < 0 ? crclUpScroll : crclDownScroll;
    } else {
        reading.direction = dx < 0 ? sdLeft : sdRight;
        reading.cursor = dx < 0 ? crclLeftScroll : crclRightScroll;
    }
    return reading;
}

}  // namespace

void TclControl::RunMiddleButtonScroll()
{
    const bool hasHorz = GetHScrollBarVisible();
    const bool hasVert = GetVScrollBarVisible();
    if (!hasHorz && !hasVert) {
        return;
    }
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    scrollingContent_ = true;
    const win::POINT anchor = clGetCursorScreenPos();
    gui::TBitmap bitmap;
    bitmap.LoadFromResourceName(win::GetModuleHandle(nullptr), hasHorz && hasVert ? "CL_FULLSCROLLBITMAP"
                                                               : hasVert         ? "CL_VERSCROLLBITMAP"
                                                                                 : "CL_HORSCROLLBITMAP");
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    const win::HWND window = win::CreateWindowEx(win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW, "STATIC", "",
                                                 win::WS_POPUP, anchor.x - width / 2, anchor.y - height / 2, width,
                                                 height, Handle(), nullptr, nullptr, nullptr);
    if (window) {
        win::HRGN ellipse = win::CreateEllipticRgn(0, 0, width + 1, height + 1);
        win::SetWindowRgn(window, ellipse, win::FALSE);
        win::ShowWindow(window, win::SW_SHOWNOACTIVATE);
        win::HDC dc = win::GetDC(window);
        win::BitBlt(dc, 0, 0, width, height, bitmap.Canvas()->Handle(), 0, 0, win::SRCCOPY);
        win::HRGN frame = win::CreateEllipticRgn(0, 0, width + 1, height + 1);
        win::FrameRgn(dc, frame, win::GetSysColorBrush(win::COLOR_WINDOWTEXT), 1, 1);
        win::DeleteObject(frame);
        win::ReleaseDC(window, dc);
        win::ValidateRect(window, nullptr);
    }
    const win::UINT_PTR timer = win::SetTimer(nullptr, 0, 20, nullptr);
    AnchorReading reading = ReadAnchor(anchor, anchor, width / 2, hasHorz, hasVert);
    win::SetCursor(gui::Screen()->Cursors(reading.cursor));
    const win::HWND self = Handle();
    win::SetCapture(self);
    bool leftZone = false;
    unsigned ticks = 0;
    win::POINT last = anchor;
    while (guard.Alive() && win::GetCapture() == self) {
        win::MSG msg{};
        if (!NextModalMessage(msg)) {
            break;
        }
        bool end = false;
        bool dispatch = true;
        switch (msg.message) {
        case win::WM_PAINT:
            if (msg.hwnd == window) {
                win::ValidateRect(window, nullptr);
                dispatch = false;
            }
            break;
        case win::WM_KEYDOWN:
        case win::WM_KEYUP: end = msg.wParam == win::VK_ESCAPE; break;
        case win::WM_TIMER:
            if (msg.hwnd == nullptr && msg.wParam == timer) {
                dispatch = false;
                ++ticks;
                if (reading.direction != sdNone && ticks % unsigned(13 - reading.speed) == 0) {
                    ScrollContent(reading.direction);
                }
            }
            break;
        case win::WM_MOUSEMOVE: {
            const win::POINT pointer = clGetCursorScreenPos();
            if (pointer.x != last.x || pointer.y != last.y) {
                last = pointer;
                reading = ReadAnchor(anchor, pointer, width / 2, hasHorz, hasVert);
                leftZone = leftZone || reading.direction != sdNone;
                win::SetCursor(gui::Screen()->Cursors(reading.cursor));
            }
            dispatch = false;
            break;
        }
        case win::WM_LBUTTONDOWN:
        case win::WM_RBUTTONDOWN:
        case win::WM_MBUTTONDOWN:
        case win::WM_LBUTTONDBLCLK:
        case win::WM_RBUTTONDBLCLK:
        case win::WM_MBUTTONDBLCLK:
        case win::WM_LBUTTONUP:
        case win::WM_RBUTTONUP:
        case win::WM_MOUSEWHEEL:
            end = true;
            dispatch = false;
            break;
        case win::WM_MBUTTONUP:
            // A plain middle click leaves the mode on until the next click.
            end = leftZone;
            dispatch = leftZone;
            break;
        default: break;
        }
        if (dispatch) {
            win::TranslateMessage(&msg);
            win::DispatchMessage(&msg);
        }
        if (end) {
            break;
        }
    }
    if (win::GetCapture() == self) {
        win::ReleaseCapture();
    }
    win::KillTimer(nullptr, timer);
    if (window) {
        win::DestroyWindow(window);
    }
    if (guard.Alive()) {
        scrollingContent_ = false;
    }
}

// --- framework overrides ---

win::POINT TclControl::MessagePoint(win::LPARAM lParam)
{
    // Points beyond 16 bits do not fit the message: the cursor tells where the press was.
    if (Width() > 32768 || Height() > 32768) {
        return ScreenToClient(clGetCursorScreenPos());
    }
    return {win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
}

void TclControl::WndProc(win::TMessage& message)
{
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    const bool leftPress = message.Msg == win::WM_LBUTTONDOWN || message.Msg == win::WM_LBUTTONDBLCLK;
    bool handled = false;
    if (leftPress && !Dragging()) {
        const win::POINT p = MessagePoint(message.LParam);
        const bool design = InDesignMode();
        const bool direct = design ? ClaimsDesignMouse(p.x, p.y, gui::MouseKeysToShiftState(message.WParam))
                                   : DragMode() == gui::dmAutomatic;
        if (direct && !ControlAtPos(p, false)) {
            // The control decides itself when its automatic drag starts.
            LeftButtonDownScope scope(this, link);
            Dispatch(message);
            handled = true;
        }
    }
    if (!handled) {
        if (message.Msg == win::WM_RBUTTONUP) {
            rightButtonReleased_ = true;
        }
        TCustomControl::WndProc(message);
    }
    if (!guard.Alive()) {
        return;
    }
    switch (message.Msg) {
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: NotifyFocusChanged(); break;
    case win::WM_PAINT:
        if (ParentBackground() != parentBackground_) {
            parentBackground_ = ParentBackground();
            ParentBackgroundToggled();
        }
        break;
    case win::WM_RBUTTONUP: rightButtonReleased_ = false; break;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONDBLCLK:
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONDBLCLK: {
        const gui::TMouseButton button = message.Msg <= win::WM_LBUTTONDBLCLK   ? gui::mbLeft
                                         : message.Msg <= win::WM_RBUTTONDBLCLK ? gui::mbRight
                                                                                 : gui::mbMiddle;
        const win::POINT p = MessagePoint(message.LParam);
        StartMouseAction(button, p.x, p.y);
        break;
    }
    default: break;
    }
}

void TclControl::HandleContextMenu(win::TMessage& message)
{
    if (message.Result != 0) {
        return;
    }
    if (!InDesignMode()) {
        const win::POINT screen{win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam)};
        const bool keyboard = screen.x == -1 && screen.y == -1;
        if (keyboard || clRectContainsPoint(ClientRect(), ScreenToClient(screen))) {
            bool handled = false;
            DoContextPopup(keyboard ? screen : ScreenToClient(screen), handled);
            message.Result = handled ? 1 : 0;
            return;
        }
        // Not over the client area: the window's default handling passes it to the parent.
        DefaultHandler(message);
        return;
    }
    TCustomControl::Dispatch(message);
}

void TclControl::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_CANCELMODE: {
        TclObjectLink* link = clCreateObjectLink(this);
        LinkGuard guard{link};
        TCustomControl::Dispatch(message);
        if (guard.Alive()) {
            FinishDragAndDrop(false);
            ReleaseMouseAction();
        }
        return;
    }
    case win::WM_CONTEXTMENU: HandleContextMenu(message); return;
    case win::WM_ERASEBKGND:
        if (EraseBackgroundNeeded()) {
            TCustomControl::Dispatch(message);
        } else {
            message.Result = 1;
        }
        return;
    case win::WM_GETDLGCODE: {
        win::LRESULT code = 0;
        if (wantedKeys_ & wkAll) {
            code |= win::DLGC_WANTALLKEYS;
        }
        if (wantedKeys_ & wkArrows) {
            code |= win::DLGC_WANTARROWS;
        }
        if (wantedKeys_ & wkChars) {
            code |= win::DLGC_WANTCHARS;
        }
        if ((wantedKeys_ & wkTab) && !clCtrlKeyDown()) {
            code |= win::DLGC_WANTTAB;
        }
        message.Result = code;
        return;
    }
    case win::WM_NCCALCSIZE:
        TCustomControl::Dispatch(message);
        if (HandleAllocated()) {
            win::PostMessage(Handle(), CM_CLUPDATESCROLLBARSIZES, 0, 0);
        }
        return;
    case CM_CLUPDATESCROLLBARSIZES:
        if (UsesScrollBars()) {
            UpdateScrollBarSizes();
        }
        return;
    case win::WM_PAINT: {
        gui::TDragObject* dragObject = clCurrentDragObject();
        if (dragObject) {
            dragObject->HideDragImage();
        }
        TCustomControl::Dispatch(message);
        if (dragObject && clCurrentDragObject() == dragObject) {
            dragObject->ShowDragImage();
        }
        return;
    }
    case gui::CM_COLORCHANGED:
        AfterColorChange();
        TCustomControl::Dispatch(message);
        return;
    case gui::CM_CURSORCHANGED:
        RememberDefaultCursor();
        TCustomControl::Dispatch(message);
        return;
    case gui::CM_DESIGNHITTEST:
        TCustomControl::Dispatch(message);
        if (message.Result == 0) {
            const win::POINT p{win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam)};
            message.Result = ClaimsDesignMouse(p.x, p.y, gui::MouseKeysToShiftState(message.WParam)) ? 1 : 0;
        }
        return;
    case gui::CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        BroadcastFontChange();
        return;
    case gui::CM_MOUSEENTER:
    case gui::CM_MOUSELEAVE: {
        TCustomControl::Dispatch(message);
        auto* control = message.LParam ? reinterpret_cast<gui::TControl*>(message.LParam) : this;
        if (message.Msg == gui::CM_MOUSEENTER) {
            NotifyMouseEnter(control);
        } else {
            NotifyMouseLeave(control);
        }
        return;
    }
    case gui::CM_TEXTCHANGED:
        TCustomControl::Dispatch(message);
        AfterTextChange();
        return;
    case gui::CM_VISIBLECHANGED:
        TCustomControl::Dispatch(message);
        AfterVisibleChange();
        return;
    case gui::CN_KEYDOWN:
    case gui::CN_SYSKEYDOWN:
        if (IsPopupMenuShortCut(win::WORD(message.WParam), gui::KeyDataToShiftState(message.LParam))) {
            message.Result = 1;
            return;
        }
        if (message.Msg == gui::CN_KEYDOWN && !NoDragAndDropRunning()) {
            // Drag-and-drop swallows every key; Esc still reaches KeyDown and ends it.
            message.Result = 1;
            if (message.WParam == win::VK_ESCAPE && HandleAllocated()) {
                win::SendMessage(Handle(), win::WM_KEYDOWN, message.WParam, message.LParam);
            }
            return;
        }
        TCustomControl::Dispatch(message);
        return;
    default: TCustomControl::Dispatch(message);
    }
}

void TclControl::BeforeDestruction()
{
    TCustomControl::BeforeDestruction();
    if (!HasState(classes::csDestroying)) {
        Destroying();
    }
}

void TclControl::CreateParams(gui::TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.style |= win::WS_CLIPCHILDREN;
}

void TclControl::CreateWnd()
{
    creatingWindow_ = true;
    TCustomControl::CreateWnd();
    creatingWindow_ = false;
    UpdateScrollBarsPresence();
    AttachScrollBars();
}

void TclControl::DestroyWindowHandle()
{
    TCustomControl::DestroyWindowHandle();
    SetControlState(ControlState() & ~gui::csClicked);
}

void TclControl::Resize()
{
    TCustomControl::Resize();
    BoundsChanged();
}

void TclControl::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == popupComponent_) {
        popupComponent_ = nullptr;
    }
}

void TclControl::KeyDown(win::WORD& key, gui::TShiftState shift)
{
    if (key == win::VK_ESCAPE && !NoDragAndDropRunning()) {
        FinishDragAndDrop(false);
    }
    TCustomControl::KeyDown(key, shift);
}

void TclControl::Paint()
{
    if (borderStyle_ != 0) {
        ActivePainter()->PaintBorder(*clCanvas_, ClientBoundsRect());
        clCanvas_->ClipToRect(InnerClientRect());
    }
    TCustomControl::Paint();
    RefreshScrollBars();
}

void TclControl::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    pressPoint_ = {x, y};
    const bool doubleClick = gui::Has(shift, gui::ssDouble);
    if (TakesFocusOnClickAt(x, y) && !doubleClick) {
        const win::RECT before = BoundsRect();
        SetFocus();
        if (!guard.Alive()) {
            return;
        }
        gui::TCustomForm* form = gui::GetParentForm(this);
        if (form && form->ActiveControl() == this && !Focused()) {
            win::SetFocus(Handle());
        }
        if (!Focused() && !ContinuesUnfocused()) {
            SetMouseCapture(false);
            return;
        }
        x += before.left - Left();
        y += before.top - Top();
    }
    if (button == gui::mbLeft && !doubleClick && DragAndDropStartsAt({x, y})) {
        TclDragAndDropObject* object = ActiveDragDropHandler();
        if (object->StartsAtOnce()) {
            OpenDragAndDrop();
        } else {
            SetDragAndDropState(ddsStarting);
        }
    } else {
        FinishDragAndDrop(false);
    }
    if (!guard.Alive()) {
        return;
    }
    PreMouseDown(button, shift, x, y);
    if (!guard.Alive()) {
        return;
    }
    TCustomControl::MouseDown(button, shift, x, y);
    if (guard.Alive() && MouseCapture()) {
        mouseButtonPressed_ = true;
    }
}

void TclControl::MouseMove(gui::TShiftState shift, int x, int y)
{
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    const gui::TCursor keep = defaultCursor_;
    SetCursor(CursorAtPoint(x, y));
    defaultCursor_ = keep;
    TCustomControl::MouseMove(shift, x, y);
    if (!guard.Alive()) {
        return;
    }
    if (dragAndDropState_ == ddsStarting && !InsideDragDetectArea({x, y})) {
        OpenDragAndDrop();
    }
    if (dragAndDropState_ == ddsInProcess) {
        TrackDragAndDrop({x, y});
    }
}

void TclControl::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    mouseButtonPressed_ = false;
    FinishMouseActions();
    if (guard.Alive()) {
        TCustomControl::MouseUp(button, shift, x, y);
    }
}

bool TclControl::DoMouseWheel(gui::TShiftState shift, int wheelDelta, win::POINT mousePos)
{
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) {
        return true;
    }
    const TclWheelScrollKind kind = WheelScrollKind();
    if (kind == wskNone) {
        return false;
    }
    const bool vertical = kind == wskVertical;
    const TclScrollDirection direction =
        wheelDelta > 0 ? (vertical ? sdUp : sdLeft) : (vertical ? sdDown : sdRight);
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    for (int i = 0; i < gui::Mouse()->WheelScrollLines() && guard.Alive(); ++i) {
        ScrollContent(direction);
    }
    return true;
}

void TclControl::DoContextPopup(win::POINT mousePos, bool& handled)
{
    TclObjectLink* link = clCreateObjectLink(this);
    LinkGuard guard{link};
    TCustomControl::DoContextPopup(mousePos, handled);
    if (handled || !guard.Alive() || !popupComponent_) {
        return;
    }
    const win::POINT client = mousePos.x == -1 && mousePos.y == -1 ? win::POINT{0, 0} : mousePos;
    const win::POINT screen = ClientToScreen(client);
    handled = ShowPopupMenuAt(popupComponent_, screen.x, screen.y);
}

void TclControl::HandleOwnLookAndFeelChange(TclLookAndFeel* sender, TclLookAndFeelValues changed)
{
    HandleLookAndFeelChange(sender, changed);
}

// ------------------------------------------------------------------------------------------------------------
// TclControlChildComponent

TclControlChildComponent::TclControlChildComponent(classes::TComponent* owner) : TclComponent(owner) { Initialize(); }

TclControlChildComponent::TclControlChildComponent(TclControl* control, bool takeOwner)
    : TclComponent(takeOwner && control ? control->Owner() : nullptr)
{
    Initialize();
    SetControl(control);
}

TclControlChildComponent::~TclControlChildComponent() { SetControl(nullptr); }

const classes::TClassInfo& TclControlChildComponent::StaticClass()
{
    static const classes::TClassInfo info("TclControlChildComponent", &TclComponent::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

void TclControlChildComponent::SetControl(TclControl* value)
{
    if (value == control_) {
        return;
    }
    if (control_) {
        control_->RemoveFreeNotification(this);
        control_->RemoveChildComponent(this);
    }
    control_ = value;
    if (control_) {
        control_->FreeNotification(this);
        control_->AddChildComponent(this);
    }
}

void TclControlChildComponent::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TclComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == control_) {
        control_ = nullptr;
    }
}

classes::TComponent* TclControlChildComponent::GetParentComponent() const { return control_; }

void TclControlChildComponent::SetParentComponent(classes::TComponent* parent)
{
    if (auto* control = dynamic_cast<TclControl*>(parent)) {
        SetControl(control);
    }
}

// ------------------------------------------------------------------------------------------------------------
// The unit

namespace {

struct CursorResource {
    gui::TCursor id;
    const char* name;
};

constexpr CursorResource kCursors[] = {
    {crclDragCopy, "CL_DRAGCOPYCURSOR"},       {crclFullScroll, "CL_FULLSCROLLCURSOR"},
    {crclHorScroll, "CL_HORSCROLLCURSOR"},     {crclVerScroll, "CL_VERSCROLLCURSOR"},
    {crclUpScroll, "CL_UPSCROLLCURSOR"},       {crclRightScroll, "CL_RIGHTSCROLLCURSOR"},
    {crclDownScroll, "CL_DOWNSCROLLCURSOR"},   {crclLeftScroll, "CL_LEFTSCROLLCURSOR"},
    {crclRemove, "CL_REMOVECURSOR"},           {crclVertSize, "CL_VERTSIZECURSOR"},
    {crclHorzSize, "CL_HORZSIZECURSOR"},       {crclMultiDrag, "CL_MULTIDRAGCURSOR"},
    {crclNoDrop, "CL_NODROPCURSOR"},           {crclDrag, "CL_DRAGCURSOR"},
    {crclColorPicker, "CL_COLORPICKERCURSOR"},
};

}  // namespace

namespace detail {

void InitializeControls()
{
    ControlsState().ended = false;
    if (gui::TScreen* screen = gui::Screen()) {
        for (const CursorResource& cursor : kCursors) {
            screen->SetCursors(cursor.id, win::LoadCursor(win::GetModuleHandle(nullptr), cursor.name));
        }
        screen->SetCursors(crclHand, win::LoadCursor(nullptr, win::IDC_HAND));
    }
}

void FinalizeControls()
{
    ControlsState().ended = true;
    ControlsState().settings.reset();
}

}  // namespace detail

}  // namespace controls
