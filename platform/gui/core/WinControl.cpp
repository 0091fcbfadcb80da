#include "platform/gui/core/WinControl.h"

#include "platform/classes/ComponentReader.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Shapes.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/NonClient.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/Points.h"

#include <algorithm>

namespace gui {

namespace {

constexpr const char* kControlProp = "GuiControl";

thread_local TWinControl* creationControl = nullptr;
// Set while CreateParams is asked only for the styles (to measure the frame): no parent window is made.
thread_local bool measuringFrame = false;

template <class T>
void MoveInList(std::vector<T*>& list, T* item, std::size_t position)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) {
        return;
    }
    list.erase(it);
    list.insert(list.begin() + std::ptrdiff_t(std::min(position, list.size())), item);
}

}  // namespace

TWinControl* FindControl(win::HWND hwnd)
{
    if (!hwnd) {
        return nullptr;
    }
    return static_cast<TWinControl*>(win::GetProp(hwnd, kControlProp));
}

TWinControl::TWinControl(classes::TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>())
{
    brush_->SetColor(Color());
}

TWinControl::~TWinControl()
{
    Destroying();
    // Out of the parent while still a windowed control (the lists are kept by kind).
    if (parent_) {
        parent_->RemoveControl(this);
    }
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        form->DefocusControl(this, true);
    }
    DestroyHandle();
    for (TControl* client : std::vector<TControl*>(dockClients_)) {
        client->hostDockSite_ = nullptr;
    }
    dockClients_.clear();
    // Children this control does not own are left without a parent; owned ones go with their owner.
    while (!controls_.empty() || !winControls_.empty()) {
        TControl* child = !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
        RemoveControl(child);
    }
    if (objectInstance_) {
        win::FreeObjectInstance(objectInstance_);
    }
}

const classes::TClassInfo& TWinControl::StaticClass()
{
    static const classes::TClassInfo info("TWinControl", &TControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TWinControl>(c)
            .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Stored(false)
            .Property("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).Default(0)
            .Property("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered).Default(0)
            .Property("ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground)
            .Stored(false)
            .Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(1)
            .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1)
            .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(0)
            .Property("OnDockDrop", DockDropEventType(), &TWinControl::OnDockDrop)
            .Property("OnDockOver", DockOverEventType(), &TWinControl::OnDockOver)
            .Property("OnEnter", classes::NotifyEventType(), &TWinControl::OnEnter)
            .Property("OnExit", classes::NotifyEventType(), &TWinControl::OnExit)
            .Property("OnKeyDown", KeyEventType(), &TWinControl::OnKeyDown)
            .Property("OnKeyPress", KeyPressEventType(), &TWinControl::OnKeyPress)
            .Property("OnKeyUp", KeyEventType(), &TWinControl::OnKeyUp)
            .Property("OnUnDock", UnDockEventType(), &TWinControl::OnUnDock)
            .Method<&TWinControl::SetFocus>("SetFocus");
    });
    return info;
}

// --- the window ---

win::LRESULT TWinControl::InitWndProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    TWinControl* control = creationControl;
    if (!control) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    creationControl = nullptr;
    control->handle_ = hwnd;
    win::SetWindowLongPtr(hwnd, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(control->objectInstance_));
    win::SetProp(hwnd, kControlProp, control);
    return win::CallWindowProc(control->objectInstance_, hwnd, message, wParam, lParam);
}

void TWinControl::MainWndProc(win::TMessage& message)
{
    detail::DispatchScope scope(this);
    try {
        WindowProc(message);
    } catch (...) {
        if (Application()) {
            Application()->HandleException(this);
        } else {
            throw;
        }
    }
    FreeDeviceContexts();
}

win::HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_) {
        return;
    }
    if (parent_) {
        parent_->HandleNeeded();
    }
    CreateHandle();
}

void TWinControl::SetParentWindow(win::HWND value)
{
    if (parent_ || value == parentWindow_) {
        return;
    }
    if (handle_ && parentWindow_ && value) {
        parentWindow_ = value;
        win::SetParent(handle_, value);
        UpdateControlState();
        return;
    }
    DestroyHandle();
    parentWindow_ = value;
    UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params = TCreateParams();
    params.caption = text_;
    params.style = win::WS_CHILD | win::WS_CLIPSIBLINGS;
    if (ControlStyle() & csAcceptsControls) {
        params.style |= win::WS_CLIPCHILDREN;
        params.exStyle |= win::WS_EX_CONTROLPARENT;
    }
    if (!HasState(classes::csDesigning) && !Enabled()) {
        params.style |= win::WS_DISABLED;
    }
    if (tabStop_) {
        params.style |= win::WS_TABSTOP;
    }
    params.x = left_;
    params.y = top_;
    params.width = width_;
    params.height = height_;
    params.wndParent = parent_ ? (measuringFrame ? parent_->handle_ : parent_->Handle()) : parentWindow_;
    params.windowClass.style = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
    params.windowClass.lpfnWndProc = &win::DefWindowProc;
    params.windowClass.hCursor = win::LoadCursor(nullptr, win::IDC_ARROW);
    params.windowClass.hInstance = win::GetModuleHandle(nullptr);
    params.winClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName)
{
    win::WNDCLASS native;
    if (!win::GetClassInfo(nullptr, controlClassName, &native)) {
        return;
    }
    const win::UINT keep = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS | win::CS_SAVEBITS;
    native.hInstance = params.windowClass.hInstance;
    native.style = (native.style & ~keep) | (params.windowClass.style & keep);
    params.windowClass = native;
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    handle_ = win::CreateWindowEx(params.exStyle, params.winClassName.c_str(), params.caption.c_str(), params.style,
                                  params.x, params.y, params.width, params.height, params.wndParent, nullptr,
                                  params.windowClass.hInstance, params.param);
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!params.wndParent && (params.style & win::WS_CHILD)) {
        throw rtl::EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
    defWndProc_ = params.windowClass.lpfnWndProc;
    win::WNDCLASS registered;
    const bool known = win::GetClassInfo(params.windowClass.hInstance, params.winClassName.c_str(), &registered);
    if (!known || registered.lpfnWndProc != &TWinControl::InitWndProc) {
        if (known) {
            win::UnregisterClass(params.winClassName.c_str(), params.windowClass.hInstance);
        }
        win::WNDCLASS cls = params.windowClass;
        cls.lpfnWndProc = &TWinControl::InitWndProc;
        cls.lpszClassName = params.winClassName.c_str();
        if (!win::RegisterClass(&cls)) {
            throw rtl::EOutOfResources("Cannot register the window class " + params.winClassName);
        }
    }
    if (!objectInstance_) {
        objectInstance_ = win::MakeObjectInstance([this](win::TMessage& message) { MainWndProc(message); });
    }
    creationControl = this;
    try {
        CreateWindowHandle(params);
    } catch (...) {
        creationControl = nullptr;
        throw;
    }
    creationControl = nullptr;
    if (!handle_) {
        throw rtl::EOutOfResources("Error creating window of " + (Name().empty() ? ClassName() : Name()));
    }
    text_.clear();
    UpdateBounds();
    Perform(win::WM_SETFONT, reinterpret_cast<win::WPARAM>(Font()->Handle()), 1);
    if (AutoSize()) {
        AdjustSize();
    }
}

void TWinControl::CreateHandle()
{
    if (handle_) {
        return;
    }
    CreateWnd();
    if (parent_) {
        win::SetWindowPos(handle_, parent_->PrecedingWindow(this), 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
    Realign();
}

void TWinControl::DestroyHandle()
{
    if (!handle_) {
        return;
    }
    for (TWinControl* child : std::vector<TWinControl*>(winControls_)) {
        child->DestroyHandle();
    }
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    text_ = win::GetWindowText(handle_);
    FreeDeviceContexts();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    controlState_ |= csDestroyingHandle;
    const win::HWND hwnd = handle_;
    try {
        win::DestroyWindow(hwnd);
    } catch (...) {
        controlState_ &= ~csDestroyingHandle;
        throw;
    }
    controlState_ &= ~csDestroyingHandle;
    handle_ = nullptr;
    showing_ = false;
}

void TWinControl::RecreateWnd()
{
    if (handle_) {
        Perform(CM_RECREATEWND);
    }
}

void TWinControl::UpdateControlState()
{
    TWinControl* top = this;
    while (top->parent_) {
        top = top->parent_;
        if (!top->showing_) {
            return;
        }
    }
    if (dynamic_cast<TCustomForm*>(top) || top->parentWindow_) {
        UpdateShowing();
    }
}

void TWinControl::UpdateShowing()
{
    const bool show = Visible() && !(controlState_ & csReadingState);
    if (show) {
        if (!handle_) {
            CreateHandle();
        }
        for (TWinControl* child : std::vector<TWinControl*>(winControls_)) {
            child->UpdateShowing();
        }
    }
    if (handle_ && showing_ != show) {
        showing_ = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
    if (!show) {
        for (TWinControl* child : std::vector<TWinControl*>(winControls_)) {
            child->UpdateShowing();
        }
    }
}

void TWinControl::UpdateBounds()
{
    if (!handle_) {
        return;
    }
    win::RECT rect;
    win::GetWindowRect(handle_, &rect);
    if (win::GetWindowLongPtr(handle_, win::GWL_STYLE) & win::WS_CHILD) {
        const win::HWND parent = win::GetParent(handle_);
        if (parent) {
            win::POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
            win::MapWindowPoints(nullptr, parent, corners, 2);
            rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        }
    }
    const bool sized = rect.right - rect.left != width_ || rect.bottom - rect.top != height_;
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    if (sized) {
        UpdateAnchorRules();
    }
}

// --- children ---

TControl* TWinControl::Controls(int index) const
{
    if (index < int(controls_.size())) {
        return controls_[std::size_t(index)];
    }
    return winControls_[std::size_t(index) - controls_.size()];
}

void TWinControl::InsertControl(TControl* control)
{
    control->ValidateContainer(this);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(control), 1);
    InsertIntoList(control);
    if (!control->HasState(classes::csReading)) {
        control->Perform(CM_PARENTCOLORCHANGED);
        control->Perform(CM_PARENTFONTCHANGED);
        control->Perform(CM_PARENTSHOWHINTCHANGED);
        control->Perform(CM_PARENTBIDIMODECHANGED);
        if (auto* window = dynamic_cast<TWinControl*>(control)) {
            window->Perform(CM_PARENTCTL3DCHANGED);
            window->UpdateControlState();
        } else if (handle_) {
            control->Invalidate();
        }
        AlignControl(control);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(control), 1);
}

void TWinControl::InsertIntoList(TControl* control)
{
    control->SetParentDirect(this);
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        winControls_.push_back(window);
        tabList_.push_back(window);
    } else {
        controls_.push_back(control);
    }
    control->anchorsValid_ = false;
}

void TWinControl::RemoveControl(TControl* control)
{
    Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(control), 0);
    auto windowed = std::find(winControls_.begin(), winControls_.end(), control);
    if (windowed != winControls_.end()) {
        TWinControl* window = *windowed;
        window->RemoveFocus(true);
        window->DestroyHandle();
        std::erase(winControls_, window);
        std::erase(tabList_, window);
    } else {
        if (handle_) {
            control->InvalidateControl(control->Visible(), false);
        }
        std::erase(controls_, control);
    }
    control->SetParentDirect(nullptr);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(control), 0);
    if (!HasState(classes::csDestroying)) {
        Realign();
    }
}

bool TWinControl::HasChild(const TControl* control) const
{
    return std::find(controls_.begin(), controls_.end(), control) != controls_.end()
           || std::find(winControls_.begin(), winControls_.end(), control) != winControls_.end();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

TControl* TWinControl::ControlAtPos(win::POINT pos, bool allowDisabled, bool allowWinControls) const
{
    auto hit = [&](TControl* control) {
        const win::RECT bounds = control->BoundsRect();
        if (!win::PointIn(bounds, pos) || !(control->Visible() || control->HasState(classes::csDesigning))) {
            return false;
        }
        if (!control->Enabled() && !allowDisabled) {
            return false;
        }
        const win::POINT local{pos.x - bounds.left, pos.y - bounds.top};
        return control->Perform(CM_HITTEST, 0, win::MAKELPARAM(win::WORD(local.x), win::WORD(local.y))) != 0;
    };
    if (allowWinControls) {
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it) {
            if (hit(*it)) {
                return *it;
            }
        }
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (hit(*it)) {
            return *it;
        }
    }
    return nullptr;
}

std::vector<TControl*> TWinControl::Children() const
{
    std::vector<TControl*> children(controls_.begin(), controls_.end());
    children.insert(children.end(), winControls_.begin(), winControls_.end());
    return children;
}

void TWinControl::Broadcast(win::TMessage& message)
{
    // A child may free itself or a sibling when told: the others are still told.
    for (TControl* control : Children()) {
        if (!HasChild(control)) {
            continue;
        }
        message.Result = 0;
        control->WindowProc(message);
        if (message.Result != 0) {
            return;
        }
    }
}

void TWinControl::NotifyControls(win::UINT message)
{
    win::TMessage msg{message, 0, 0, 0};
    for (TControl* control : Children()) {
        if (HasChild(control)) {
            control->WindowProc(msg);
        }
    }
}

void TWinControl::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Owner() == root) {
            proc(control);
        }
    }
}

void TWinControl::SetChildOrder(classes::TComponent* child, int order)
{
    auto* control = dynamic_cast<TControl*>(child);
    if (!control || control->Parent() != this) {
        return;
    }
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        MoveInList(winControls_, window, std::size_t(std::max(order - int(controls_.size()), 0)));
    } else {
        MoveInList(controls_, control, std::size_t(std::max(order, 0)));
    }
}

void TWinControl::SetZOrderOf(TControl* control, bool topMost)
{
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        MoveInList(winControls_, window, topMost ? winControls_.size() : 0);
        if (window->handle_) {
            win::SetWindowPos(window->handle_, topMost ? win::HWND_TOP : win::HWND_BOTTOM, 0, 0, 0, 0,
                              win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
        }
    } else {
        MoveInList(controls_, control, topMost ? controls_.size() : 0);
        control->Invalidate();
    }
}

win::HWND TWinControl::PrecedingWindow(TWinControl* control) const
{
    auto it = std::find(winControls_.begin(), winControls_.end(), control);
    for (++it; it < winControls_.end(); ++it) {
        if ((*it)->handle_) {
            return (*it)->handle_;
        }
    }
    return win::HWND_TOP;
}

// --- focus ---

int TWinControl::TabOrder() const
{
    if (!parent_) {
        return -1;
    }
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!parent_ || value < 0) {
        return;
    }
    if (controlState_ & csReadingState) {
        readTabOrder_ = value;
        return;
    }
    MoveInList(parent_->tabList_, this, std::size_t(value));
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_) {
        return;
    }
    tabStop_ = value;
    if (handle_) {
        win::LONG_PTR style = win::GetWindowLongPtr(handle_, win::GWL_STYLE);
        style = value ? (style | win::WS_TABSTOP) : (style & ~win::LONG_PTR(win::WS_TABSTOP));
        win::SetWindowLongPtr(handle_, win::GWL_STYLE, style);
    }
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form) {
        return false;
    }
    for (TControl* c = this; c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) {
            return false;
        }
    }
    return true;
}

bool TWinControl::Focused()
{
    return handle_ && win::GetFocus() == handle_;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (parentWindow_) {
        win::SetFocus(Handle());
    } else {
        throw rtl::EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list)
{
    for (TWinControl* control : tabList_) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) {
        return nullptr;
    }
    auto found = std::find(list.begin(), list.end(), current);
    std::size_t start = found != list.end() ? std::size_t(found - list.begin()) : (goForward ? list.size() - 1 : 0);
    std::size_t i = start;
    do {
        i = goForward ? (i + 1) % list.size() : (i + list.size() - 1) % list.size();
        TWinControl* candidate = list[i];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this)) {
            return candidate;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) {
        next->SetFocus();
    }
}

void TWinControl::RemoveFocus(bool removing)
{
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        form->DefocusControl(this, removing);
    }
}

// --- look ---

void TWinControl::SetCtl3D(bool value)
{
    if (value != ctl3D_) {
        ctl3D_ = value;
        parentCtl3D_ = false;
        Perform(CM_CTL3DCHANGED);
    }
}

void TWinControl::SetParentCtl3D(bool value)
{
    if (value != parentCtl3D_) {
        parentCtl3D_ = value;
        if (parent_ && value && !HasState(classes::csReading)) {
            Perform(CM_PARENTCTL3DCHANGED);
        }
    }
}

void TWinControl::SetParentBackground(bool value)
{
    if (value != ParentBackground()) {
        SetControlStyle(value ? (ControlStyle() | csParentBackground) : (ControlStyle() & ~csParentBackground));
        Invalidate();
    }
}

std::string TWinControl::GetText() const
{
    return handle_ ? win::GetWindowText(handle_) : text_;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (!CanResize(width, height)) {
        return;
    }
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    // Its OnResize may free it: it goes once the bounds are settled.
    detail::DispatchScope scope(this);
    if (handle_ && !win::IsIconic(handle_)) {
        win::SetWindowPos(handle_, nullptr, left, top, width, height, win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    } else {
        const bool sized = width != width_ || height != height_;
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        if (sized) {
            Realign();
            if (!HasState(classes::csLoading)) {
                Resize();
            }
        }
    }
    if (!scope.Alive()) {
        return;
    }
    UpdateAnchorRules();
    if (parent_) {
        parent_->AlignControl(this);
    }
}

win::RECT TWinControl::ClientRect() const
{
    if (handle_) {
        win::RECT rect;
        win::GetClientRect(handle_, &rect);
        return rect;
    }
    // Without a window: what the window's frame would leave.
    TCreateParams params;
    measuringFrame = true;
    try {
        const_cast<TWinControl*>(this)->CreateParams(params);
    } catch (...) {
        measuringFrame = false;
        throw;
    }
    measuringFrame = false;
    win::RECT frame{0, 0, 0, 0};
    win::AdjustWindowRectEx(&frame, params.style, win::FALSE, params.exStyle);
    return {0, 0, std::max(width_ - (frame.right - frame.left), 0), std::max(height_ - (frame.bottom - frame.top), 0)};
}

win::POINT TWinControl::ClientOrigin() const
{
    if (handle_) {
        win::POINT origin{0, 0};
        win::ClientToScreen(handle_, &origin);
        return origin;
    }
    if (!parent_) {
        return {left_, top_};
    }
    return TControl::ClientOrigin();
}

void TWinControl::Invalidate()
{
    if (handle_) {
        win::InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? win::FALSE : win::TRUE);
    }
}

void TWinControl::Update()
{
    if (handle_) {
        win::UpdateWindow(handle_);
    }
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintTo(win::HDC dc, int x, int y)
{
    // A paint handler may free the control: it must outlive the rest of this painting.
    detail::DispatchScope scope(this);
    const int saved = win::SaveDC(dc);
    win::POINT origin;
    win::GetWindowOrgEx(dc, &origin);
    win::SetWindowOrgEx(dc, origin.x - x, origin.y - y, nullptr);
    win::IntersectClipRect(dc, 0, 0, width_, height_);
    controlState_ |= csPaintCopy;
    Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
    Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    controlState_ &= ~csPaintCopy;
    // A child's painting may free it or a sibling: each is painted only while it is still a child.
    const std::vector<TWinControl*> children = winControls_;
    for (TWinControl* child : children) {
        if (HasChild(child) && child->Visible()) {
            child->PaintTo(dc, child->Left(), child->Top());
        }
    }
    win::RestoreDC(dc, saved);
}

win::HDC TWinControl::GetDeviceContext(win::HWND& window)
{
    window = Handle();
    return win::GetDC(window);
}

void TWinControl::SetEnabled(bool value)
{
    TControl::SetEnabled(value);
}

// --- alignment ---

void TWinControl::DisableAlign()
{
    ++alignLevel_;
}

void TWinControl::EnableAlign()
{
    if (--alignLevel_ == 0 && (controlState_ & csAlignmentNeeded) && !HasState(classes::csLoading)) {
        Realign();
    }
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* control)
{
    if (HasState(classes::csDestroying)) {
        return;
    }
    if (alignLevel_ != 0 || HasState(classes::csLoading)) {
        controlState_ |= csAlignmentNeeded;
        return;
    }
    DisableAlign();
    win::RECT rect = ClientRect();
    AlignControls(control, rect);
    controlState_ &= ~csAlignmentNeeded;
    --alignLevel_;
}

void TWinControl::AlignControls(TControl* control, win::RECT& rect)
{
    AdjustClientRect(rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        DoAlign(align, control, rect);
    }
    // Anchors keep distances to the edges of the client area itself, whatever the content's extent.
    AnchorChildren(ClientRect());
    controlState_ &= ~csAlignmentNeeded;
}

void TWinControl::DoAlign(TAlign align, TControl* moved, win::RECT& rect)
{
    std::vector<TControl*> list;
    // Controls of one alignment go in the order of their places (the one moved first among equals).
    auto before = [&](TControl* a, TControl* b) {
        switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
        }
    };
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Align() != align || !(control->Visible() || control->HasState(classes::csDesigning))) {
            continue;
        }
        auto position = std::find_if(list.begin(), list.end(), [&](TControl* other) {
            return before(control, other) || (control == moved && !before(other, control));
        });
        list.insert(position, control);
    }
    for (TControl* control : list) {
        // A child's OnResize may free a sibling still to be placed, or the child itself: the child stays
        // whole until it is placed and the rest goes by what it took.
        if (!HasChild(control)) {
            continue;
        }
        const TFreeHold hold(control);
        int left = rect.left;
        int top = rect.top;
        int width = rect.right - rect.left;
        int height = rect.bottom - rect.top;
        switch (align) {
        case alTop:
            height = control->Height();
            break;
        case alBottom:
            height = control->Height();
            top = rect.bottom - height;
            break;
        case alLeft:
            width = control->Width();
            break;
        case alRight:
            width = control->Width();
            left = rect.right - width;
            break;
        default:
            break;
        }
        control->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
        // The control may keep another size (constraints, a fixed size): the rest goes by what it took.
        switch (align) {
        case alTop:
            rect.top += control->Height();
            break;
        case alBottom:
            rect.bottom -= control->Height();
            break;
        case alLeft:
            rect.left += control->Width();
            break;
        case alRight:
            rect.right -= control->Width();
            break;
        default:
            break;
        }
    }
}

void TWinControl::AnchorChildren(const win::RECT& clientRect)
{
    const int clientWidth = clientRect.right;
    const int clientHeight = clientRect.bottom;
    // A child's OnResize may free a sibling or the child itself, as when aligning.
    for (TControl* control : Children()) {
        if (!HasChild(control)) {
            continue;
        }
        const TFreeHold hold(control);
        if (control->Align() != alNone || control->HasState(classes::csLoading)) {
            continue;
        }
        if (!control->anchorsValid_) {
            control->AnchorToParent();
            continue;
        }
        const TAnchors anchors = control->Anchors();
        const win::RECT rules = control->anchorRules_;
        const win::SIZE original = control->anchorParentSize_;
        int left = control->Left();
        int top = control->Top();
        int width = control->Width();
        int height = control->Height();
        const bool hasLeft = anchors & (1u << akLeft);
        const bool hasRight = anchors & (1u << akRight);
        const bool hasTop = anchors & (1u << akTop);
        const bool hasBottom = anchors & (1u << akBottom);
        if (hasRight && hasLeft) {
            width = clientWidth - rules.left - rules.right;
        } else if (hasRight) {
            left = clientWidth - rules.right - width;
        } else if (!hasLeft && original.cx > 0) {
            left = win::MulDiv(rules.left + width / 2, clientWidth, original.cx) - width / 2;
        }
        if (hasBottom && hasTop) {
            height = clientHeight - rules.top - rules.bottom;
        } else if (hasBottom) {
            top = clientHeight - rules.bottom - height;
        } else if (!hasTop && original.cy > 0) {
            top = win::MulDiv(rules.top + height / 2, clientHeight, original.cy) - height / 2;
        }
        if (left == control->Left() && top == control->Top() && width == control->Width() &&
            height == control->Height()) {
            continue;
        }
        // Moving by the anchors keeps the rules: they were taken against the original size.
        control->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
        control->anchorRules_ = rules;
        control->anchorParentSize_ = original;
        control->anchorsValid_ = true;
    }
}

bool TWinControl::CanAutoSize(int& newWidth, int& newHeight)
{
    if (ControlCount() == 0) {
        return false;
    }
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Visible() && control->Align() == alNone) {
            right = std::max(right, control->Left() + control->Width());
            bottom = std::max(bottom, control->Top() + control->Height());
        }
    }
    const win::RECT client = ClientRect();
    newWidth = std::max(newWidth - (client.right - right), 0);
    newHeight = std::max(newHeight - (client.bottom - bottom), 0);
    return true;
}

// --- reading ---

void TWinControl::ReadState(classes::TReader& reader)
{
    DisableAlign();
    try {
        TControl::ReadState(reader);
    } catch (...) {
        --alignLevel_;
        throw;
    }
    // The tab order as stored, now that every child is there.
    std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
        return a->readTabOrder_ >= 0 && (b->readTabOrder_ < 0 || a->readTabOrder_ < b->readTabOrder_);
    });
    for (TWinControl* child : tabList_) {
        child->readTabOrder_ = -1;
    }
    --alignLevel_;
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    if (alignLevel_ == 0) {
        Realign();
    }
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->anchorsValid_ = false;
    }
}

void TWinControl::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TControl::Notification(component, operation);
}

}  // namespace gui
