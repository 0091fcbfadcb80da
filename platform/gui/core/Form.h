#pragma once
// TCustomForm and TForm: a top-level window with a caption and frame, which keeps track of its focused
// control, closes on request (asking OnCloseQuery, then OnClose), and can run modally.
//
// A form class whose window was designed reads it from the program's resources: the RCDATA named after
// the class ("TFANFORM"). Its constructor calls CreateFromStoredData() after its own members are there:
// the stored components are made, Loaded runs on each, references are resolved, the class binds its
// fields (BindComponents) and OnCreate runs. A form made with the plain constructor (CreateNew) reads
// nothing. OnDestroy runs when the form is freed.

#include "platform/gui/core/ScrollingWinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace gui {

class TIcon;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = std::uint8_t;  // bit 1 << TBorderIcon
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPopupMode { pmNone, pmAuto, pmExplicit };
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };

using TCloseEvent = rtl::Method<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = rtl::Method<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = rtl::Method<void(win::TMessage& message, bool& handled)>;

const classes::TTypeInfo& FormBorderStyleType();
const classes::TTypeInfo& BorderIconsType();
const classes::TTypeInfo& FormStyleType();
const classes::TTypeInfo& WindowStateType();
const classes::TTypeInfo& PositionType();
const classes::TTypeInfo& CloseActionType();
const classes::TTypeInfo& PopupModeType();
const classes::TTypeInfo& DefaultMonitorType();

class TCustomForm : public TScrollingWinControl {
public:
    // CreateNew: a form without stored data.
    explicit TCustomForm(classes::TComponent* owner);
    ~TCustomForm() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // OnDestroy, while the form is whole.
    void BeforeDestruction() override;

    // --- showing and closing ---
    void SetVisible(bool value) override;
    void Show();
    void Hide();
    // Runs the form modally: the thread's other enabled, visible windows are disabled while it shows;
    // answers ModalResult once it is set (a refused CloseQuery sets it back to 0). Close gives mrCancel.
    // EInvalidOperation "Cannot make a visible window modal" when it is visible.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Modal() const { return modal_; }
    // OnCloseQuery; then OnClose, whose action says what happens: hidden, freed, minimized or nothing.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages posted before are handled.
    void Release();
    bool Active() const { return active_; }

    // --- focus ---
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The control that has the focus now; false when a focus change during the change made it moot.
    bool SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // A control goes away or loses the ability to have the focus.
    void DefocusControl(TWinControl* control, bool removing);
    void SetFocus() override;
    bool CanFocus() override;
    // Tells the focused control that a mouse action starts elsewhere.
    void SendCancelMode(TControl* sender);
    // Whether the form takes the key before its focused child control (KeyPreview off: no).
    bool WantChildKey(TControl* child, win::TMessage& message);
    // OnShortCut, then the shortcuts of the form's action lists and popup menus.
    virtual bool IsShortCut(win::WORD key, TShiftState shift);

    // --- look ---
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
    void SetDefaultMonitor(TDefaultMonitor value) { defaultMonitor_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    int AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(int value);
    TPopupMode PopupMode() const { return popupMode_; }
    void SetPopupMode(TPopupMode value);
    TCustomForm* PopupParent() const { return popupParent_; }
    void SetPopupParent(TCustomForm* value);
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(TIcon* value);
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }
    TCanvas* Canvas() const { return canvas_.get(); }
    // Stored with the window; the screen is 96 pixels per inch and nothing is rescaled.
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    win::RECT ClientRect() const override;

    // --- events ---
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TNotifyEvent OnShow;
    TShortCutEvent OnShortCut;

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void Dispatch(win::TMessage& message) override;

protected:
    // Reads the stored data of the form's class, binds the fields and runs OnCreate: the last step of the
    // constructor of a stored form class. EResNotFound "Resource TFANFORM not found" without it, the
    // reader's EReadError when it is damaged; either way nothing of the read is left.
    void CreateFromStoredData();
    // After the stored components are read and before OnCreate: the class's fields take them.
    virtual void BindComponents() {}
    // OnCreate; an exception goes to the application's handler.
    void DoCreate();
    void DoDestroy();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Paint();
    void PaintWindow(win::HDC dc) override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void ReadState(classes::TReader& reader) override;
    void UpdateShowing() override;

private:
    friend class TApplication;
    void SetActive(bool value);
    void SetWindowFocus();
    void ApplyPosition();
    void ShowingChanged();
    void CloseModal();
    bool IsForm() const { return !Parent(); }
    win::HWND OwnerWindow();

    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool active_ = false;
    bool modal_ = false;
    bool positioned_ = false;
    bool creating_ = false;
    TModalResult modalResult_ = mrNone;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TDefaultMonitor defaultMonitor_ = dmActiveForm;
    bool keyPreview_ = false;
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 255;
    TPopupMode popupMode_ = pmNone;
    TCustomForm* popupParent_ = nullptr;
    std::unique_ptr<TIcon> icon_;
    std::string helpFile_;
    std::unique_ptr<TControlCanvas> canvas_;
    bool scaled_ = true;
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool oldCreateOrder_ = false;
    int focusCount_ = 0;
    bool destroyed_ = false;
    bool visibleWhenCreated_ = false;
    bool showingChange_ = false;
};

class TForm : public TCustomForm {
public:
    explicit TForm(classes::TComponent* owner) : TCustomForm(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
