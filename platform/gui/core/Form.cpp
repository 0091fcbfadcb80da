#include "platform/gui/core/Form.h"

#include "platform/gui/core/PopupMenu.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/gui/core/detail/PaintingOn.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Activation.h"
#include "platform/win/Input.h"
#include "platform/win/Layered.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <algorithm>
#include <vector>

namespace gui {

namespace {

constexpr win::WPARAM ICON_BIG = 1;

// The windows a modal form disables, given back exactly as they were.
class DisabledWindows {
public:
    explicit DisabledWindows(win::HWND modal)
    {
        struct Search {
            win::HWND modal;
            std::vector<win::HWND>* windows;
        } search{modal, &windows_};
        win::EnumThreadWindows(win::GetCurrentThreadId(), [](win::HWND hwnd, win::LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (hwnd != s->modal && win::IsWindowVisible(hwnd) && win::IsWindowEnabled(hwnd)) {
                s->windows->push_back(hwnd);
            }
            return win::TRUE;
        }, reinterpret_cast<win::LPARAM>(&search));
        for (win::HWND hwnd : windows_) {
            win::EnableWindow(hwnd, win::FALSE);
        }
    }
    ~DisabledWindows()
    {
        for (win::HWND hwnd : windows_) {
            if (win::IsWindow(hwnd)) {
                win::EnableWindow(hwnd, win::TRUE);
            }
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    std::vector<win::HWND> windows_;
};

}  // namespace

const classes::TTypeInfo& FormBorderStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return type;
}

const classes::TTypeInfo& BorderIconsType()
{
    static const classes::TTypeInfo element =
        classes::EnumType("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    static const classes::TTypeInfo type = classes::SetType("TBorderIcons", element);
    return type;
}

const classes::TTypeInfo& FormStyleType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    return type;
}

const classes::TTypeInfo& WindowStateType()
{
    static const classes::TTypeInfo type = classes::EnumType("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
    return type;
}

const classes::TTypeInfo& PositionType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                      "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return type;
}

const classes::TTypeInfo& CloseActionType()
{
    static const classes::TTypeInfo type = classes::EnumType("TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"});
    return type;
}

const classes::TTypeInfo& PopupModeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TPopupMode", {"pmNone", "pmAuto", "pmExplicit"});
    return type;
}

const classes::TTypeInfo& DefaultMonitorType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TDefaultMonitor", {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"});
    return type;
}

namespace {

const classes::TTypeInfo& CloseEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(classes::TObject*, TCloseAction&)>("TCloseEvent");
    return type;
}

const classes::TTypeInfo& CloseQueryEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, bool&)>("TCloseQueryEvent");
    return type;
}

const classes::TTypeInfo& ShortCutEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(win::TMessage&, bool&)>("TShortCutEvent");
    return type;
}

}  // namespace

TCustomForm::TCustomForm(classes::TComponent* owner)
    : TScrollingWinControl(owner), icon_(std::make_unique<TIcon>()), canvas_(std::make_unique<TControlCanvas>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    canvas_->SetControl(this);
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetFloatingDockSiteClass(nullptr);
    if (Screen()) {
        pixelsPerInch_ = Screen()->PixelsPerInch();
        Screen()->AddForm(this);
    }
}

TCustomForm::~TCustomForm()
{
    BeforeDestruction();
    Destroying();
    canvas_->SetControl(nullptr);
    // The window goes first: its last messages (the activation moving away) still see a whole form.
    DestroyHandle();
    if (Screen()) {
        Screen()->RemoveForm(this);
    }
    if (Application() && Application()->MainForm() == this) {
        Application()->SetMainForm(nullptr);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (!destroyed_) {
        destroyed_ = true;
        DoDestroy();
    }
}

const classes::TClassInfo& TCustomForm::StaticClass()
{
    static const classes::TClassInfo info("TCustomForm", &TScrollingWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomForm>(c)
            .Property("ActiveControl", classes::ClassRefType<TWinControl>(), &TCustomForm::ActiveControl,
                      &TCustomForm::SetActiveControl)
            .Property("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend).Default(0)
            .Property("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue).Default(255)
            .Property("BorderIcons", BorderIconsType(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .Default((1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize))
            .Property("BorderStyle", FormBorderStyleType(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Default(bsSizeable)
            .Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption).Stored(&TCustomForm::IsCaptionStored)
            .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).Stored(false)
            .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).Stored(false)
            .Property("DefaultMonitor", DefaultMonitorType(), &TCustomForm::DefaultMonitor,
                      &TCustomForm::SetDefaultMonitor)
            .Default(dmActiveForm)
            .Property("FormStyle", FormStyleType(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal)
            .Property("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile)
            .Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
            .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(0)
            .Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
            .Property("ParentColor", &TCustomForm::ParentColor, &TCustomForm::SetParentColor).Stored(false)
            .Property("ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont).Default(0)
            .Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
            .Property("PopupMode", PopupModeType(), &TCustomForm::PopupMode, &TCustomForm::SetPopupMode).Default(pmNone)
            .Property("PopupParent", classes::ClassRefType<TCustomForm>(), &TCustomForm::PopupParent,
                      &TCustomForm::SetPopupParent)
            .Property("Position", PositionType(), &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned)
            .Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(1)
            .Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight)
            .Property("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible).Default(0)
            .Property("WindowState", WindowStateType(), &TCustomForm::WindowState, &TCustomForm::SetWindowState)
            .Default(wsNormal)
            .Property("OnActivate", classes::NotifyEventType(), &TCustomForm::OnActivate)
            .Property("OnClose", CloseEventType(), &TCustomForm::OnClose)
            .Property("OnCloseQuery", CloseQueryEventType(), &TCustomForm::OnCloseQuery)
            .Property("OnCreate", classes::NotifyEventType(), &TCustomForm::OnCreate)
            .Property("OnDeactivate", classes::NotifyEventType(), &TCustomForm::OnDeactivate)
            .Property("OnDestroy", classes::NotifyEventType(), &TCustomForm::OnDestroy)
            .Property("OnHide", classes::NotifyEventType(), &TCustomForm::OnHide)
            .Property("OnPaint", classes::NotifyEventType(), &TCustomForm::OnPaint)
            .Property("OnShortCut", ShortCutEventType(), &TCustomForm::OnShortCut)
            .Property("OnShow", classes::NotifyEventType(), &TCustomForm::OnShow)
            .Method<&TCustomForm::Close>("Close")
            .Method<&TCustomForm::ShowModal>("ShowModal");
    });
    return info;
}

const classes::TClassInfo& TForm::StaticClass()
{
    static const classes::TClassInfo info("TForm", &TCustomForm::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TForm>{c}; });
    return info;
}

// --- creation ---

void TCustomForm::CreateFromStoredData()
{
    creating_ = true;
    visibleWhenCreated_ = false;
    try {
        classes::TResourceStream stream(ClassName(), classes::RT_RCDATA);
        classes::TReader reader(stream);
        reader.ReadRootComponent(this);
        classes::GlobalFixupReferences();
    } catch (...) {
        // Never made, so never destroyed: what was read of its events is not run.
        creating_ = false;
        destroyed_ = true;
        throw;
    }
    creating_ = false;
    BindComponents();
    DoCreate();
    if (visibleWhenCreated_) {
        SetVisible(true);
    }
}

void TCustomForm::DoCreate()
{
    if (!OnCreate) {
        return;
    }
    try {
        OnCreate(this);
    } catch (...) {
        if (!Application()) {
            throw;
        }
        Application()->HandleException(this);
    }
}

void TCustomForm::DoDestroy()
{
    if (!OnDestroy) {
        return;
    }
    try {
        OnDestroy(this);
    } catch (...) {
        if (Application()) {
            Application()->HandleException(this);
        }
    }
}

void TCustomForm::ReadState(classes::TReader& reader)
{
    DisableAlign();
    try {
        TScrollingWinControl::ReadState(reader);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TCustomForm::Loaded()
{
    TScrollingWinControl::Loaded();
    if (TWinControl* control = activeControl_) {
        activeControl_ = nullptr;
        if (control->CanFocus() || !HandleAllocated()) {
            SetActiveControl(control);
        }
    }
}

void TCustomForm::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TScrollingWinControl::Notification(component, operation);
    if (operation != classes::TOperation::Remove) {
        return;
    }
    if (component == activeControl_) {
        activeControl_ = nullptr;
    }
    if (component == focusedControl_) {
        focusedControl_ = nullptr;
    }
    if (component == popupParent_) {
        popupParent_ = nullptr;
    }
}

void TCustomForm::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    TScrollingWinControl::GetChildren(proc, root);
    if (root == this) {
        for (int i = 0; i < ComponentCount(); ++i) {
            if (!Components(i)->HasParent()) {
                proc(Components(i));
            }
        }
    }
}

// --- window ---

win::HWND TCustomForm::OwnerWindow()
{
    if (popupMode_ == pmExplicit && popupParent_ && popupParent_ != this) {
        return popupParent_->Handle();
    }
    if (popupMode_ == pmAuto && Screen()) {
        if (TCustomForm* active = Screen()->ActiveCustomForm(); active && active != this && active->HandleAllocated()) {
            return active->Handle();
        }
    }
    return Application() ? Application()->Handle() : nullptr;
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TScrollingWinControl::CreateParams(params);
    if (alphaBlend_) {
        params.exStyle |= win::WS_EX_LAYERED;
    }
    if (Parent() || ParentWindow()) {
        return;  // docked in a site: a plain child window
    }
    params.wndParent = OwnerWindow();
    params.style &= ~(win::WS_CHILD | win::WS_GROUP | win::WS_TABSTOP);
    params.windowClass.style = win::CS_DBLCLKS;
    switch (borderStyle_) {
    case bsNone:
        params.style |= win::WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.style |= win::WS_CAPTION | win::WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.style |= win::WS_CAPTION | win::WS_THICKFRAME;
        break;
    case bsDialog:
        params.style |= win::WS_POPUP | win::WS_CAPTION;
        params.exStyle |= win::WS_EX_DLGMODALFRAME | win::WS_EX_WINDOWEDGE;
        params.windowClass.style |= win::CS_SAVEBITS;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) {
        params.exStyle |= win::WS_EX_TOOLWINDOW;
    }
    TBorderIcons icons = borderIcons_;
    if (borderStyle_ == bsDialog || borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) {
        icons &= TBorderIcons(~((1u << biMinimize) | (1u << biMaximize)));
    }
    if (borderStyle_ != bsNone) {
        if (icons & (1u << biSystemMenu)) {
            params.style |= win::WS_SYSMENU;
        }
        if (icons & (1u << biMinimize)) {
            params.style |= win::WS_MINIMIZEBOX;
        }
        if (icons & (1u << biMaximize)) {
            params.style |= win::WS_MAXIMIZEBOX;
        }
        if ((icons & (1u << biHelp)) && !(icons & ((1u << biMinimize) | (1u << biMaximize)))) {
            params.exStyle |= win::WS_EX_CONTEXTHELP;
        }
    }
    if (formStyle_ == fsStayOnTop) {
        params.exStyle |= win::WS_EX_TOPMOST;
    }
}

void TCustomForm::CreateWnd()
{
    TScrollingWinControl::CreateWnd();
    if (!icon_->Empty()) {
        win::SendMessage(Handle(), win::WM_SETICON, ICON_BIG, reinterpret_cast<win::LPARAM>(icon_->Handle()));
    }
    if (alphaBlend_) {
        win::SetLayeredWindowAttributes(Handle(), 0, win::BYTE(alphaBlendValue_), win::LWA_ALPHA);
    }
}

win::RECT TCustomForm::ClientRect() const
{
    if (HandleAllocated() && win::IsIconic(const_cast<TCustomForm*>(this)->Handle())) {
        return {0, 0, 0, 0};
    }
    return TScrollingWinControl::ClientRect();
}

void TCustomForm::SetClientWidth(int value)
{
    SetWidth(Width() - ClientWidth() + value);
}

void TCustomForm::SetClientHeight(int value)
{
    SetHeight(Height() - ClientHeight() + value);
}

// --- look ---

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        RecreateWnd();
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value != borderIcons_) {
        borderIcons_ = value;
        RecreateWnd();
    }
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == formStyle_) {
        return;
    }
    formStyle_ = value;
    if (HandleAllocated()) {
        win::SetWindowPos(Handle(), value == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == windowState_) {
        return;
    }
    windowState_ = value;
    if (HandleAllocated() && Showing()) {
        static constexpr int commands[] = {win::SW_RESTORE, win::SW_MINIMIZE, win::SW_MAXIMIZE};
        win::ShowWindow(Handle(), commands[value]);
        // A window minimized from the maximized state is restored to it; the normal state is one step on.
        if (value == wsNormal && win::IsZoomed(Handle())) {
            win::ShowWindow(Handle(), win::SW_RESTORE);
        }
    }
}

void TCustomForm::SetAlphaBlend(bool value)
{
    if (value != alphaBlend_) {
        alphaBlend_ = value;
        RecreateWnd();
    }
}

void TCustomForm::SetAlphaBlendValue(int value)
{
    alphaBlendValue_ = std::clamp(value, 0, 255);
    if (alphaBlend_ && HandleAllocated()) {
        win::SetLayeredWindowAttributes(Handle(), 0, win::BYTE(alphaBlendValue_), win::LWA_ALPHA);
    }
}

void TCustomForm::SetPopupMode(TPopupMode value)
{
    if (value != popupMode_) {
        popupMode_ = value;
        RecreateWnd();
    }
}

void TCustomForm::SetPopupParent(TCustomForm* value)
{
    if (value == this) {
        value = nullptr;
    }
    if (value == popupParent_) {
        return;
    }
    if (popupParent_) {
        popupParent_->RemoveFreeNotification(this);
    }
    popupParent_ = value;
    if (value) {
        value->FreeNotification(this);
        popupMode_ = pmExplicit;
    }
    RecreateWnd();
}

void TCustomForm::SetIcon(TIcon* value)
{
    icon_->Assign(value);
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::WM_SETICON, ICON_BIG, reinterpret_cast<win::LPARAM>(icon_->Handle()));
    }
}

void TCustomForm::PaintWindow(win::HDC dc)
{
    detail::PaintingOn painting(*canvas_, dc);
    Paint();
}

void TCustomForm::Paint()
{
    if (OnPaint) {
        OnPaint(this);
    }
}

// --- showing ---

void TCustomForm::SetVisible(bool value)
{
    if (creating_) {
        visibleWhenCreated_ = value;
        return;
    }
    TScrollingWinControl::SetVisible(value);
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
    if (HandleAllocated() && IsForm()) {
        win::SetWindowPos(Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
    }
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::UpdateShowing()
{
    TScrollingWinControl::UpdateShowing();
}

void TCustomForm::ApplyPosition()
{
    if (!IsForm() || positioned_) {
        return;
    }
    positioned_ = true;
    const win::RECT work = Screen() ? Screen()->WorkAreaRect() : win::RECT{0, 0, 0, 0};
    int x = Left();
    int y = Top();
    auto centreOn = [&](const win::RECT& area) {
        x = area.left + (area.right - area.left - Width()) / 2;
        y = area.top + (area.bottom - area.top - Height()) / 2;
    };
    switch (position_) {
    case poScreenCenter:
        centreOn(work);
        break;
    case poDesktopCenter:
        centreOn(Screen()->DesktopRect());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* centre = Application() ? Application()->MainForm() : nullptr;
        if (position_ == poOwnerFormCenter) {
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner())) {
                centre = owner;
            }
        }
        if (centre && centre != this) {
            centreOn(centre->BoundsRect());
        } else {
            centreOn(work);
        }
        break;
    }
    default:
        return;
    }
    // The caption stays in the work area.
    x = std::max<int>(std::min<int>(x, work.right - Width()), work.left);
    y = std::max<int>(std::min<int>(y, work.bottom - Height()), work.top);
    SetBounds(x, y, Width(), Height());
}

void TCustomForm::ShowingChanged()
{
    if (!IsForm()) {
        win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                          (Showing() ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW) | win::SWP_NOSIZE | win::SWP_NOMOVE |
                              win::SWP_NOZORDER | win::SWP_NOACTIVATE);
        return;
    }
    if (showingChange_) {
        throw rtl::EInvalidOperation("Cannot change Visible in OnShow or OnHide");
    }
    showingChange_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{showingChange_};
    if (Showing()) {
        try {
            DoShow();
        } catch (...) {
            Application()->HandleException(this);
        }
        ApplyPosition();
        static constexpr int commands[] = {win::SW_SHOWNORMAL, win::SW_SHOWMINNOACTIVE, win::SW_SHOWMAXIMIZED};
        win::ShowWindow(Handle(), commands[windowState_]);
    } else {
        try {
            DoHide();
        } catch (...) {
            Application()->HandleException(this);
        }
        win::ShowWindow(Handle(), win::SW_HIDE);
    }
}

void TCustomForm::DoShow()
{
    if (OnShow) {
        OnShow(this);
    }
}

void TCustomForm::DoHide()
{
    if (OnHide) {
        OnHide(this);
    }
}

// --- closing ---

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose) {
        OnClose(this, action);
    }
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) {
        return;
    }
    if (Application() && Application()->MainForm() == this) {
        Application()->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release()
{
    win::PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal()
{
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone) {
            modalResult_ = mrNone;
        } else if (action == caFree) {
            Release();
        }
    } catch (...) {
        modalResult_ = mrNone;
        Application()->HandleException(this);
    }
}

TModalResult TCustomForm::ShowModal()
{
    CancelDrag();
    if (Visible() || !Enabled() || modal_ || formStyle_ == fsMDIChild) {
        throw rtl::EInvalidOperation("Cannot make a visible window modal");
    }
    if (win::HWND capture = win::GetCapture()) {
        win::SendMessage(capture, win::WM_CANCELMODE, 0, 0);
    }
    win::ReleaseCapture();
    win::HWND previous = win::GetActiveWindow();
    TCustomForm* savedFocusedForm = Screen()->FocusedForm();
    const TCursor savedCursor = Screen()->Cursor();
    Screen()->SetCursor(crDefault);
    modal_ = true;
    struct Restore {
        TCustomForm& form;
        TCustomForm* focusedForm;
        TCursor cursor;
        ~Restore()
        {
            form.modal_ = false;
            Screen()->SetFocusedForm(focusedForm);
            Screen()->SetCursor(cursor);
        }
    } restore{*this, savedFocusedForm, savedCursor};
    TModalResult result = mrNone;
    {
        DisabledWindows disabled(Handle());
        struct HideAfter {
            TCustomForm& form;
            ~HideAfter()
            {
                if (form.Visible()) {
                    form.Hide();
                }
            }
        } hideAfter{*this};
        Show();
        SendMessage(Handle(), CM_ACTIVATE, 0, 0);
        modalResult_ = mrNone;
        win::ModalLoopScope loop("TCustomForm.ShowModal");
        do {
            Application()->HandleMessage();
            if (Application()->Terminated()) {
                modalResult_ = mrCancel;
            } else if (modalResult_ != mrNone) {
                CloseModal();
            }
        } while (modalResult_ == mrNone);
        result = modalResult_;
        SendMessage(Handle(), CM_DEACTIVATE, 0, 0);
        if (win::GetActiveWindow() != Handle()) {
            previous = nullptr;
        }
    }
    if (previous && win::IsWindow(previous)) {
        win::SetActiveWindow(previous);
    }
    return result;
}

// --- focus ---

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_) {
        return;
    }
    if (control && (control == this || GetParentForm(control) != this ||
                    (!HasState(classes::csLoading) && !control->CanFocus()))) {
        throw rtl::EInvalidOperation("Cannot focus a disabled or invisible window");
    }
    activeControl_ = control;
    if (control) {
        control->FreeNotification(this);
    }
    if (!HasState(classes::csLoading)) {
        if (active_) {
            SetWindowFocus();
        }
        if (Screen()) {
            Screen()->ActiveControlChanged(control);
        }
    }
}

void TCustomForm::SetWindowFocus()
{
    win::HWND focus = activeControl_ ? activeControl_->Handle() : Handle();
    if (focus) {
        win::SetFocus(focus);
    }
}

void TCustomForm::SetActive(bool value)
{
    active_ = value;
    if (value) {
        if (!activeControl_ && !HasState(classes::csDesigning)) {
            activeControl_ = FindNextControl(nullptr, true, true, false);
        }
        SetWindowFocus();
    }
}

void TCustomForm::FocusControl(TWinControl* control)
{
    const bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive) {
        SetFocus();
    }
}

void TCustomForm::SetFocus()
{
    if (!active_) {
        if (!(Visible() && Enabled())) {
            throw rtl::EInvalidOperation("Cannot focus a disabled or invisible window");
        }
        SetWindowFocus();
    }
}

bool TCustomForm::CanFocus()
{
    if (!IsForm()) {
        return TScrollingWinControl::CanFocus();
    }
    return Visible() && Enabled();
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (HasState(classes::csDestroying)) {
        return false;
    }
    ++focusCount_;
    const int count = focusCount_;
    auto stillOurs = [&] { return focusCount_ == count; };
    activeControl_ = control != this ? control : nullptr;
    if (Screen()) {
        Screen()->FormFocused(this, control);
    }
    if (control->ControlState() & csFocusing) {
        return false;
    }
    control->SetControlState(control->ControlState() | csFocusing);
    struct Unmark {
        TWinControl* control;
        detail::DispatchScope scope;
        ~Unmark()
        {
            if (scope.Alive()) {
                control->SetControlState(control->ControlState() & ~csFocusing);
            }
        }
    } unmark{control, detail::DispatchScope(control)};
    if (Screen() && Screen()->FocusedForm() != this) {
        if (TCustomForm* old = Screen()->FocusedForm()) {
            Screen()->SetFocusedForm(nullptr);
            old->Perform(CM_DEACTIVATE);
            if (!stillOurs()) {
                return false;
            }
        }
        Screen()->SetFocusedForm(this);
        Perform(CM_ACTIVATE);
        if (!stillOurs()) {
            return false;
        }
    }
    if (!focusedControl_) {
        focusedControl_ = this;
    }
    if (focusedControl_ != control) {
        // Exits up to the common ancestor, then enters down to the control.
        while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
            TWinControl* leaving = focusedControl_;
            focusedControl_ = focusedControl_->Parent();
            leaving->Perform(CM_EXIT);
            if (!stillOurs()) {
                return false;
            }
        }
        while (focusedControl_ != control) {
            TWinControl* entering = control;
            while (entering->Parent() != focusedControl_) {
                entering = entering->Parent();
            }
            focusedControl_ = entering;
            entering->Perform(CM_ENTER);
            if (!stillOurs()) {
                return false;
            }
        }
        for (TWinControl* p = control->Parent(); p; p = p->Parent()) {
            if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(p)) {
                scrolling->AutoScrollInView(control);
            }
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(control));
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (removing && focusedControl_ && control->ContainsControl(focusedControl_)) {
        focusedControl_ = control->Parent();
    }
    // The screen may still name it after another form took the focus.
    if (removing && Screen() && Screen()->ActiveControl() && control->ContainsControl(Screen()->ActiveControl())) {
        Screen()->ActiveControlChanged(nullptr);
    }
    if (activeControl_ && control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
        if (active_ && !HasState(classes::csDestroying) && HandleAllocated() && !removing) {
            SetWindowFocus();
        }
    }
}

void TCustomForm::SendCancelMode(TControl* sender)
{
    if (active_ && activeControl_) {
        activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(sender));
    }
}

bool TCustomForm::WantChildKey(TControl*, win::TMessage&)
{
    return false;
}

bool TCustomForm::IsShortCut(win::WORD key, TShiftState shift)
{
    bool handled = false;
    if (OnShortCut) {
        win::TMessage message{win::WM_KEYDOWN, key, Has(shift, ssAlt) ? win::LPARAM(1) << 29 : 0, 0};
        OnShortCut(message, handled);
        if (handled) {
            return true;
        }
    }
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)); list && list->IsShortCut(key, shift)) {
            return true;
        }
    }
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* popup = classes::Supports<IPopupMenu>(Components(i)); popup && popup->IsShortCut(key, shift)) {
            return true;
        }
    }
    return false;
}

void TCustomForm::Activate()
{
    if (OnActivate) {
        OnActivate(this);
    }
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) {
        OnDeactivate(this);
    }
}

// --- messages ---

void TCustomForm::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_PAINT:
        if (!HandleAllocated() || !win::IsIconic(Handle())) {
            SetControlState(ControlState() | csCustomPaint);
            TScrollingWinControl::Dispatch(message);
            SetControlState(ControlState() & ~csCustomPaint);
        } else {
            DefaultHandler(message);
        }
        return;
    case win::WM_ACTIVATE:
        if (IsForm()) {
            SetActive(win::LOWORD(message.WParam) != win::WA_INACTIVE);
            if (Screen()) {
                Screen()->UpdateActiveForm();
            }
            return;
        }
        break;
    case win::WM_CLOSE:
        Close();
        return;
    case win::WM_QUERYENDSESSION:
        message.Result = CloseQuery() ? 1 : 0;
        return;
    case win::WM_SIZE:
        // Only a shown window's size tells its state: a hidden one is sized as it is made or moved, and
        // keeps the state it is to show in.
        if (IsForm() && HandleAllocated() && win::IsWindowVisible(Handle())) {
            if (message.WParam == win::SIZE_MINIMIZED) {
                windowState_ = wsMinimized;
            } else if (message.WParam == win::SIZE_MAXIMIZED) {
                windowState_ = wsMaximized;
            } else if (message.WParam == win::SIZE_RESTORED) {
                windowState_ = wsNormal;
            }
        }
        break;
    case win::WM_HELP: {
        const auto* info = reinterpret_cast<const win::HELPINFO*>(message.LParam);
        if (info && info->iContextType == win::HELPINFO_WINDOW) {
            TControl* control = FindControl(static_cast<win::HWND>(info->hItemHandle));
            while (control && control->HelpContext() == 0) {
                control = control->Parent();
            }
            if (control && Application()) {
                const bool popup = borderIcons_ & (1u << biHelp);
                Application()->HelpCommand(popup ? HELP_CONTEXTPOPUP : HELP_CONTEXT, control->HelpContext());
            }
        }
        message.Result = 1;
        return;
    }
    case CM_ACTIVATE:
        Activate();
        return;
    case CM_DEACTIVATE:
        Deactivate();
        return;
    case CM_DIALOGKEY:
        // Tab and the arrows move the focus; the other keys go to the controls (a page control takes
        // Ctrl+Tab, the default button Enter). So arrows move between the buttons of a group even when a
        // page control around them would take them for its tabs.
        if (win::GetKeyState(win::VK_MENU) >= 0) {
            switch (message.WParam) {
            case win::VK_TAB:
                if (win::GetKeyState(win::VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, win::GetKeyState(win::VK_SHIFT) >= 0, true);
                    message.Result = 1;
                    return;
                }
                break;
            case win::VK_LEFT:
            case win::VK_RIGHT:
            case win::VK_UP:
            case win::VK_DOWN:
                if (activeControl_ && activeControl_->Parent()) {
                    activeControl_->Parent()->SelectNext(activeControl_,
                                                         message.WParam == win::VK_RIGHT || message.WParam == win::VK_DOWN,
                                                         false);
                    message.Result = 1;
                    return;
                }
                break;
            default:
                break;
            }
        }
        Broadcast(message);
        return;
    case CM_SHOWINGCHANGED:
        ShowingChanged();
        return;
    case CM_RELEASE:
        Free();
        return;
    default:
        break;
    }
    TScrollingWinControl::Dispatch(message);
}

}  // namespace gui
