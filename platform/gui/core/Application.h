#pragma once
// TApplication: the program's message loop and what belongs to the program as a whole: the hidden owner
// window of its forms, the main form, the title, icon and help file, the exception handler, idle time
// (action updates, hints, the calls worker threads synchronize) and the hints.
//
// The loop offers each message to OnMessage, to the hints (a click or key hides the hint), and to the
// focused control as CN_KEYDOWN / CN_CHAR before the window gets it. An exception that leaves a message
// handler is caught where the window system dispatched the message: the capture and a drag end, then it
// goes to OnException, or is shown in a message box.

#include "platform/classes/Component.h"
#include "platform/gui/core/Action.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/gui/core/HintWindow.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/wintypes/Messages.h"

#include <exception>
#include <memory>
#include <string>

namespace gui {

class TBasicAction;
class TCustomForm;
class TIcon;

using TMessageEvent = rtl::Method<void(win::MSG& message, bool& handled)>;
using TExceptionEvent = rtl::Method<void(TObject* sender, const std::exception& error)>;
using TIdleEvent = rtl::Method<void(TObject* sender, bool& done)>;
using THelpEvent = rtl::Method<bool(win::WORD command, int data, bool& callHelp)>;
using TShowHintEvent = rtl::Method<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

// WinHelp commands the application's help takes.
constexpr win::WORD HELP_CONTEXT = 0x0001;
constexpr win::WORD HELP_QUIT = 0x0002;
constexpr win::WORD HELP_CONTENTS = 0x0003;
constexpr win::WORD HELP_CONTEXTPOPUP = 0x0008;
constexpr win::WORD HELP_SETPOPUP_POS = 0x000D;

class TApplication : public classes::TComponent {
public:
    explicit TApplication(classes::TComponent* owner);
    ~TApplication() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The hidden window that owns the forms and receives the application's messages.
    win::HWND Handle() const { return handle_; }
    TCustomForm* MainForm() const { return mainForm_; }

    // Makes a form owned by the application; the first one becomes the main form.
    template <class F>
    void CreateForm(F*& reference)
    {
        reference = nullptr;
        reference = new F(this);
        FormCreated(reference);
    }
    // The loop: until the main form closes or Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // One message, or idle time and a wait for the next when there is none.
    void HandleMessage();
    // Every message the queue holds now.
    void ProcessMessages();
    // One message, when there is one; false when the queue is empty. Controls freed under a TFreeHold go
    // first.
    bool ProcessMessage();

    // The exception being handled (in a catch block) goes to OnException, or ShowException.
    void HandleException(TObject* sender);
    void ShowException(const std::exception& error);
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

    std::string Title() const;
    void SetTitle(const std::string& value);
    // The program's full path.
    std::string ExeName() const;
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(TIcon* value);
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }
    // OnHelp, or the form's and then the application's help file; answers whether help was given.
    bool HelpCommand(win::WORD command, int data);
    bool HelpContext(int context);
    void Minimize();
    void Restore();
    bool UpdateFormatSettings() const { return updateFormatSettings_; }
    void SetUpdateFormatSettings(bool value) { updateFormatSettings_ = value; }

    // Runs action through OnActionExecute / OnActionUpdate.
    bool ExecuteAction(TBasicAction* action);
    bool UpdateAction(TBasicAction* action);

    // --- hints ---
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return showHint_; }
    // Off frees the hint window; on makes one of the current HintWindowClass.
    void SetShowHint(bool value);
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int value) { hintShortPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }
    bool HintShortCuts() const { return hintShortCuts_; }
    void SetHintShortCuts(bool value) { hintShortCuts_ = value; }
    THintWindow* HintWindow() const { return hintWindow_; }
    void CancelHint();
    // Shows the hint of the control under cursorPos (screen) now.
    void ActivateHint(win::POINT cursorPos);
    // Called with every mouse move over a control: starts, moves or cancels the hint, and tells the
    // controls the mouse entered and left (CM_MOUSEENTER / CM_MOUSELEAVE).
    void HintMouseMessage(TControl* control, const win::TMessage& message);
    // The mouse left the window the control under it belongs to.
    void MouseLeftWindow(TWinControl* window);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    THelpEvent OnHelp;
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TActionEvent OnActionExecute;
    TActionEvent OnActionUpdate;

    // Forgets a control that goes away (hint and mouse tracking).
    void ControlDestroying(TControl* control);
    // A form was made by CreateForm.
    void FormCreated(TCustomForm* form);
    // The main form is closing, or gone.
    void MainFormClosed() { Terminate(); }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }

protected:
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    enum class HintTimer { None, Show, Hide };
    void WndProc(win::TMessage& message);
    // Idle time: OnIdle, the action updates and the synchronized calls, then a wait for the next message.
    void Idle();
    bool IsKeyMsg(win::MSG& msg);
    bool IsHintMsg(const win::MSG& msg);
    void DoActionIdle();
    void StartHintTimer(int milliseconds, HintTimer mode);
    void StopHintTimer();
    void HideHint();
    void HintTimerExpired();
    static void HintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD);
    void UpdateMouseControl(TControl* control);
    void WakeMainThread();

    win::HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool running_ = false;
    std::unique_ptr<TIcon> icon_;
    std::string helpFile_;
    std::string hint_;
    bool updateFormatSettings_ = true;
    bool showHint_ = false;
    THintWindow* hintWindow_ = nullptr;
    TColor hintColor_ = clInfoBk;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    bool hintShortCuts_ = true;
    TControl* hintControl_ = nullptr;
    bool hintActive_ = false;
    win::RECT hintCursorRect_;
    win::UINT_PTR hintTimer_ = 0;
    HintTimer hintTimerMode_ = HintTimer::None;
    TControl* mouseControl_ = nullptr;
};

// The program's application object, made by gui::core::initialize().
TApplication* Application();

}  // namespace gui
