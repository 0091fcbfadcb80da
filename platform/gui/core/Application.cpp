#include "platform/gui/core/Application.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Threads.h"
#include "platform/services/DialogService.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Timers.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/Points.h"

namespace gui {

namespace {

TApplication* application = nullptr;

// The control whose hint shows for control: itself or the nearest parent with ShowHint.
TControl* HintControlOf(TControl* control)
{
    while (control && !control->ShowHint()) {
        control = control->Parent();
    }
    if (control && control->HasState(classes::csDesigning)) {
        return nullptr;
    }
    return control;
}

// The hint text of a control: its own, or its parents'.
std::string HintOf(TControl* control)
{
    for (; control; control = control->Parent()) {
        if (!control->Hint().empty()) {
            return control->Hint();
        }
    }
    return {};
}

}  // namespace

TApplication* Application()
{
    return application;
}

TApplication::TApplication(classes::TComponent* owner) : TComponent(owner), icon_(std::make_unique<TIcon>())
{
    if (!application) {
        application = this;
    }
    handle_ = win::AllocateHWnd([this](win::TMessage& message) { WndProc(message); });
    win::SetWindowText(handle_, rtl::ChangeFileExt(rtl::ExtractFileName(ExeName()), "").c_str());
    rtl::SetWakeMainThread([this] { WakeMainThread(); });
    SetShowHint(true);
}

TApplication::~TApplication()
{
    CancelHint();
    SetShowHint(false);
    // The forms hear OnDestroy while they are whole, the last made first.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (auto* control = dynamic_cast<TControl*>(Components(i))) {
            control->BeforeDestruction();
        }
    }
    DestroyComponents();
    rtl::SetWakeMainThread(nullptr);
    win::DeallocateHWnd(handle_);
    if (application == this) {
        application = nullptr;
    }
}

const classes::TClassInfo& TApplication::StaticClass()
{
    static const classes::TClassInfo info("TApplication", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TApplication>(c)
            .Property("ExeName", &TApplication::ExeName)
            .Property("HelpFile", &TApplication::HelpFile, &TApplication::SetHelpFile)
            .Property("Hint", &TApplication::Hint, &TApplication::SetHint)
            .Property("HintColor", ColorType(), &TApplication::HintColor, &TApplication::SetHintColor)
            .Property("HintHidePause", &TApplication::HintHidePause, &TApplication::SetHintHidePause)
            .Property("HintPause", &TApplication::HintPause, &TApplication::SetHintPause)
            .Property("HintShortPause", &TApplication::HintShortPause, &TApplication::SetHintShortPause)
            .Property("ShowHint", &TApplication::ShowHint, &TApplication::SetShowHint)
            .Property("Title", &TApplication::Title, &TApplication::SetTitle)
            .Method<&TApplication::Minimize>("Minimize")
            .Method<&TApplication::ProcessMessages>("ProcessMessages")
            .Method<&TApplication::Restore>("Restore");
    });
    return info;
}

void TApplication::WakeMainThread()
{
    win::PostMessage(handle_, win::WM_NULL, 0, 0);
}

void TApplication::WndProc(win::TMessage& message)
{
    try {
        switch (message.Msg) {
        case win::WM_NULL:
            rtl::CheckSynchronize();
            return;
        case win::WM_ACTIVATEAPP:
            if (message.WParam) {
                if (OnActivate) {
                    OnActivate(this);
                }
            } else {
                CancelHint();
                if (OnDeactivate) {
                    OnDeactivate(this);
                }
            }
            return;
        case win::WM_SETTINGCHANGE:
            if (Screen()) {
                Screen()->ResetFonts();
            }
            break;
        default:
            break;
        }
        message.Result = win::DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == mainForm_) {
        mainForm_ = nullptr;
    }
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (!mainForm_ && dynamic_cast<TForm*>(form)) {
        form->HandleNeeded();
        mainForm_ = form;
    }
}

// --- the loop ---

void TApplication::Run()
{
    running_ = true;
    struct Stop {
        bool& running;
        ~Stop() { running = false; }
    } stop{running_};
    if (!mainForm_) {
        return;
    }
    if (mainForm_->WindowState() == wsMinimized) {
        Minimize();
    } else {
        mainForm_->SetVisible(true);
    }
    win::ModalLoopScope loop("TApplication.Run");
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate()
{
    win::PostQuitMessage(0);
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage()) {
        Idle();
    }
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

bool TApplication::ProcessMessage()
{
    detail::DeleteFreedBeforeNextMessage();
    win::MSG msg;
    if (!win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        return false;
    }
    if (msg.message == win::WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) {
        OnMessage(msg, handled);
    }
    if (!IsHintMsg(msg) && !handled && !IsKeyMsg(msg)) {
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(win::MSG& msg)
{
    if (msg.message < win::WM_KEYFIRST || msg.message > win::WM_KEYLAST) {
        return false;
    }
    win::HWND target = win::GetCapture();
    if (!target) {
        target = msg.hwnd;
        while (target && !FindControl(target)) {
            target = win::GetParent(target);
        }
        if (!target) {
            target = msg.hwnd;
        }
    } else if (win::GetWindowThreadProcessId(target, nullptr) != win::GetCurrentThreadId()) {
        return false;
    }
    return target && win::SendMessage(target, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsHintMsg(const win::MSG& msg)
{
    if (hintWindow_ && hintWindow_->IsHintMsg(msg)) {
        CancelHint();
    }
    return false;
}

void TApplication::Idle()
{
    bool done = true;
    try {
        if (OnIdle) {
            OnIdle(this, done);
        }
        if (done) {
            DoActionIdle();
        }
    } catch (...) {
        HandleException(this);
    }
    if (rtl::IsMainThread() && rtl::CheckSynchronize()) {
        done = false;
    }
    if (done) {
        win::WaitMessage();
    }
}

void TApplication::DoActionIdle()
{
    if (!Screen()) {
        return;
    }
    for (int i = 0; i < Screen()->CustomFormCount(); ++i) {
        TCustomForm* form = Screen()->CustomForms(i);
        if (!form->HandleAllocated() || !win::IsWindowVisible(form->Handle()) || !win::IsWindowEnabled(form->Handle())) {
            continue;
        }
        for (int c = 0; c < form->ComponentCount(); ++c) {
            if (auto* list = dynamic_cast<TCustomActionList*>(form->Components(c))) {
                for (int a = 0; a < list->ActionCount(); ++a) {
                    list->Actions(a)->Update();
                }
            }
        }
    }
}

// --- errors ---

void TApplication::HandleException(TObject* sender)
{
    // What a handler was in the middle of ends first: the capture and a drag.
    if (win::HWND capture = win::GetCapture()) {
        win::SendMessage(capture, win::WM_CANCELMODE, 0, 0);
    }
    CancelDrag();
    try {
        throw;
    } catch (const rtl::EAbort&) {
    } catch (const std::exception& error) {
        if (OnException) {
            OnException(sender, error);
        } else {
            ShowException(error);
        }
    } catch (...) {
        const rtl::Exception unknown("Unknown exception");
        if (OnException) {
            OnException(sender, unknown);
        } else {
            ShowException(unknown);
        }
    }
}

void TApplication::ShowException(const std::exception& error)
{
    std::string text = error.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    MessageBox(text, Title(), win::MB_OK | win::MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    return win::CurrentDialogService().MessageBox(text, caption, flags);
}

// --- the program ---

std::string TApplication::Title() const
{
    return win::GetWindowText(handle_);
}

void TApplication::SetTitle(const std::string& value)
{
    win::SetWindowText(handle_, value.c_str());
}

std::string TApplication::ExeName() const
{
    return rtl::ProgramFileName();
}

void TApplication::SetIcon(TIcon* value)
{
    icon_->Assign(value);
}

bool TApplication::HelpCommand(win::WORD command, int data)
{
    // The program's help router takes OnHelp; there is no help system behind the application itself.
    bool callHelp = true;
    return OnHelp ? OnHelp(command, data, callHelp) : false;
}

bool TApplication::HelpContext(int context)
{
    return HelpCommand(HELP_CONTEXT, context);
}

void TApplication::Minimize()
{
    if (mainForm_ && mainForm_->HandleAllocated()) {
        win::ShowWindow(mainForm_->Handle(), win::SW_MINIMIZE);
    }
    if (OnMinimize) {
        OnMinimize(this);
    }
}

void TApplication::Restore()
{
    if (mainForm_ && mainForm_->HandleAllocated() && win::IsIconic(mainForm_->Handle())) {
        win::ShowWindow(mainForm_->Handle(), win::SW_RESTORE);
    }
    if (OnRestore) {
        OnRestore(this);
    }
}

bool TApplication::ExecuteAction(TBasicAction* action)
{
    bool handled = false;
    if (OnActionExecute) {
        OnActionExecute(action, handled);
    }
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* action)
{
    bool handled = false;
    if (OnActionUpdate) {
        OnActionUpdate(action, handled);
    }
    return handled;
}

// --- hints ---

namespace {

// Offers the message to the visible controls in container, depth first, until one takes it.
bool OfferToVisibleControls(TWinControl* container, win::TMessage& message)
{
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        if (!control->Visible()) {
            continue;
        }
        if (control->Perform(message.Msg, message.WParam, message.LParam) != 0) {
            return true;
        }
        if (auto* inner = dynamic_cast<TWinControl*>(control); inner && OfferToVisibleControls(inner, message)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void TApplication::SetHint(const std::string& value)
{
    if (value == hint_) {
        return;
    }
    hint_ = value;
    if (OnHint) {
        OnHint(this);
        return;
    }
    // Without a handler of its own the hint goes to the controls of the active form, then of the main
    // form, where a status bar may show it.
    win::TMessage message{CM_APPLICATIONHINT, 0, reinterpret_cast<win::LPARAM>(&hint_), 0};
    TCustomForm* active = Screen() ? Screen()->ActiveCustomForm() : nullptr;
    if (!(active && OfferToVisibleControls(active, message)) && MainForm() && MainForm() != active) {
        OfferToVisibleControls(MainForm(), message);
    }
}

void TApplication::SetShowHint(bool value)
{
    if (value == showHint_) {
        return;
    }
    showHint_ = value;
    if (value) {
        const classes::TClassInfo* cls = HintWindowClass();
        hintWindow_ = dynamic_cast<THintWindow*>(cls->createComponent(this));
        if (hintWindow_) {
            hintWindow_->SetColor(hintColor_);
        }
    } else {
        CancelHint();
        THintWindow* window = hintWindow_;
        hintWindow_ = nullptr;
        delete window;
    }
}

void TApplication::SetHintColor(TColor value)
{
    hintColor_ = value;
    if (hintWindow_) {
        hintWindow_->SetColor(value);
    }
}

void TApplication::HintMouseMessage(TControl* control, const win::TMessage& message)
{
    win::POINT screen;
    try {
        screen = control->ClientToScreen(win::PointOf(message.LParam));
    } catch (const rtl::EInvalidOperation&) {
        return;  // a control outside any window
    }
    TControl* target = FindDragTarget(screen, true);
    UpdateMouseControl(target);
    SetHint(GetLongHint(HintOf(target)));
    if (!showHint_) {
        return;
    }
    TControl* hinted = HintControlOf(target);
    if (!hinted) {
        CancelHint();
        return;
    }
    if (hinted != hintControl_ || !win::PointIn(hintCursorRect_, screen)) {
        const bool wasActive = hintActive_;
        int pause = wasActive ? hintShortPause_ : hintPause_;
        hinted->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<win::LPARAM>(&pause));
        CancelHint();
        hintActive_ = wasActive;
        hintControl_ = hinted;
        StartHintTimer(pause, HintTimer::Show);
    }
}

void TApplication::MouseLeftWindow(TWinControl*)
{
    win::POINT pt;
    win::GetCursorPos(&pt);
    TControl* target = FindDragTarget(pt, true);
    UpdateMouseControl(target);
    if (!target) {
        SetHint({});
        CancelHint();
    }
}

void TApplication::UpdateMouseControl(TControl* control)
{
    if (control == mouseControl_) {
        return;
    }
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old) {
        old->Perform(CM_MOUSELEAVE);
    }
    if (control && control == mouseControl_) {
        control->Perform(CM_MOUSEENTER);
    }
}

void TApplication::CancelHint()
{
    if (hintControl_) {
        HideHint();
        hintControl_ = nullptr;
        hintActive_ = false;
        StopHintTimer();
    }
}

void TApplication::HideHint()
{
    if (hintWindow_ && hintWindow_->HandleAllocated() && win::IsWindowVisible(hintWindow_->Handle())) {
        win::ShowWindow(hintWindow_->Handle(), win::SW_HIDE);
    }
}

void TApplication::StartHintTimer(int milliseconds, HintTimer mode)
{
    StopHintTimer();
    hintTimer_ = win::SetTimer(nullptr, 0, win::UINT(std::max(milliseconds, 0)), &TApplication::HintTimerProc);
    hintTimerMode_ = mode;
    if (!hintTimer_) {
        CancelHint();
    }
}

void TApplication::StopHintTimer()
{
    if (hintTimer_) {
        win::KillTimer(nullptr, hintTimer_);
        hintTimer_ = 0;
        hintTimerMode_ = HintTimer::None;
    }
}

void TApplication::HintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD)
{
    if (!application) {
        return;
    }
    try {
        application->HintTimerExpired();
    } catch (...) {
        application->HandleException(application);
    }
}

void TApplication::HintTimerExpired()
{
    const HintTimer mode = hintTimerMode_;
    StopHintTimer();
    if (mode == HintTimer::Hide) {
        HideHint();
    } else if (mode == HintTimer::Show) {
        win::POINT pt;
        win::GetCursorPos(&pt);
        ActivateHint(pt);
    }
}

void TApplication::ActivateHint(win::POINT cursorPos)
{
    hintActive_ = false;
    THintInfo info;
    if (showHint_ && hintControl_ && FindDragTarget(cursorPos, true) &&
        HintControlOf(FindDragTarget(cursorPos, true)) == hintControl_) {
        info.HintControl = hintControl_;
        info.HintPos = {cursorPos.x, cursorPos.y + win::GetSystemMetrics(win::SM_CYCURSOR)};
        info.HintMaxWidth = Screen() ? Screen()->Width() : win::GetSystemMetrics(win::SM_CXSCREEN);
        info.HintColor = hintColor_;
        // The control's bounds, in its own client coordinates.
        const win::RECT bounds = hintControl_->BoundsRect();
        info.CursorRect = win::Moved(bounds, -bounds.left, -bounds.top);
        if (auto* window = dynamic_cast<TWinControl*>(hintControl_); window && window->HandleAllocated()) {
            win::RECT frame;
            win::GetWindowRect(window->Handle(), &frame);
            const win::POINT origin = hintControl_->ClientOrigin();
            info.CursorRect = win::Moved(frame, -origin.x, -origin.y);
        }
        info.CursorPos = hintControl_->ScreenToClient(cursorPos);
        info.HintStr = GetShortHint(HintOf(hintControl_));
        info.HideTimeout = hintHidePause_;
        info.HintWindowClass = HintWindowClass();
        bool canShow = hintControl_->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info)) == 0;
        if (canShow && OnShowHint) {
            OnShowHint(info.HintStr, canShow, info);
        }
        hintActive_ = canShow && hintControl_;
        if (hintActive_ && !info.HintStr.empty()) {
            if (!info.HintWindowClass) {
                info.HintWindowClass = HintWindowClass();
            }
            if (!hintWindow_ || &hintWindow_->ClassType() != info.HintWindowClass) {
                THintWindow* old = hintWindow_;
                hintWindow_ = dynamic_cast<THintWindow*>(info.HintWindowClass->createComponent(this));
                delete old;
            }
            if (hintWindow_) {
                hintWindow_->SetColor(info.HintColor);
                win::RECT rect = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
                rect = win::Moved(rect, info.HintPos.x, info.HintPos.y);
                const win::POINT topLeft = hintControl_->ClientToScreen({info.CursorRect.left, info.CursorRect.top});
                const win::POINT bottomRight =
                    hintControl_->ClientToScreen({info.CursorRect.right, info.CursorRect.bottom});
                hintCursorRect_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
                hintWindow_->ActivateHintData(rect, info.HintStr, info.HintData);
                if (info.ReshowTimeout > 0) {
                    StartHintTimer(info.ReshowTimeout, HintTimer::Show);
                } else {
                    StartHintTimer(info.HideTimeout, HintTimer::Hide);
                }
                return;
            }
        }
    }
    if (info.ReshowTimeout > 0) {
        StartHintTimer(info.ReshowTimeout, HintTimer::Show);
    } else {
        CancelHint();
    }
}

void TApplication::ControlDestroying(TControl* control)
{
    if (control == hintControl_) {
        hintControl_ = nullptr;
        hintActive_ = false;
        StopHintTimer();
        HideHint();
    }
    if (control == mouseControl_) {
        mouseControl_ = nullptr;
    }
    if (control == hintWindow_) {
        hintWindow_ = nullptr;
    }
    if (control == mainForm_) {
        mainForm_ = nullptr;
    }
}

}  // namespace gui
