#pragma once
// TWinControl: a control with a window of its own, which can hold other controls, take the keyboard
// focus and receive keys. Its window is made on first need (Handle, or when it shows) from CreateParams,
// of the window class named after the control's class ("TFANFORM"), and destroyed and made again when
// CreateParams must change (RecreateWnd); text and state survive that.
//
// Its children are painted in z-order: the window itself (WM_ERASEBKGND fills Color unless the control is
// opaque), then the graphic controls in it, clipped to their bounds. Aligned children fill the client area
// in the order top, bottom, left, right, client; anchored ones keep their distances to the edges.
//
// Keys: the application offers a key to the focused control first (CN_KEYDOWN, CN_CHAR); a key the control
// does not claim (WM_GETDLGCODE, CM_WANTSPECIALKEY) goes to its form as CM_DIALOGKEY, which offers it to
// its controls and then moves the focus (Tab, Shift+Tab, arrows) itself.

#include "platform/gui/core/Control.h"
#include "platform/gui/graphics/Brush.h"
#include "platform/wintypes/Types.h"

#include <string>
#include <vector>

namespace gui {

struct TCreateParams {
    std::string caption;
    win::DWORD style = 0;
    win::DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    win::HWND wndParent = nullptr;
    void* param = nullptr;
    win::WNDCLASS windowClass;
    std::string winClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(classes::TComponent* owner);
    ~TWinControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // A top-level window that becomes a child (docked) is made again as one, and back.
    void SetParent(TWinControl* parent) override;

    // --- the window ---
    win::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Without a parent control: the window the control's window is a child of.
    win::HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(win::HWND value);
    // Destroys the window to make it again with new CreateParams (now, or when next needed).
    void RecreateWnd();
    // Destroys the window and the windows of the controls in it; they are made again when needed.
    void DestroyHandle();
    bool Showing() const { return showing_; }

    // --- children ---
    int ControlCount() const { return int(controls_.size() + winControls_.size()); }
    // The graphic controls first, then the windowed ones, each in z-order (bottom first).
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The child control at a client point: the topmost visible (and enabled, unless allowDisabled) one;
    // windowed children only with allowWinControls.
    TControl* ControlAtPos(win::POINT pos, bool allowDisabled, bool allowWinControls = false) const;
    // Sends message to every child control until one answers it (non-zero result).
    void Broadcast(win::TMessage& message);
    // Performs message on every child control.
    void NotifyControls(win::UINT message);
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void SetChildOrder(classes::TComponent* child, int order) override;

    // --- alignment ---
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return alignLevel_ != 0; }

    // --- focus ---
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    // The controls in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // Moves the focus from current to the next (or previous) control of this one that can take it;
    // checkTabStop skips controls without TabStop.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);

    // --- look ---
    TBrush* Brush() const { return brush_.get(); }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    bool ParentBackground() const { return (ControlStyle() & csParentBackground) != 0; }
    void SetParentBackground(bool value);
    std::string GetText() const override;
    void SetBounds(int left, int top, int width, int height) override;
    win::RECT ClientRect() const override;
    win::POINT ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Paints the window and its graphic controls into dc (the window's own when null).
    void PaintTo(win::HDC dc, int x, int y);
    win::HDC GetDeviceContext(win::HWND& window) override;
    void SetEnabled(bool value) override;

    // --- docking ---
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool value) { dockSite_ = value; }
    int DockClientCount() const { return int(dockClients_.size()); }
    TControl* DockClients(int index) const { return dockClients_[std::size_t(index)]; }
    // The drop of a dock drag onto this site: CM_DOCKCLIENT, then OnDockDrop.
    virtual void DockDrop(TDragDockObject* source, int x, int y);
    virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
    // A client leaves: OnUnDock may refuse; then CM_UNDOCKCLIENT.
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
    // The rectangle (screen coordinates) a client dragged here would take.
    virtual void GetSiteInfo(TControl* client, win::RECT& influenceRect, win::POINT mousePos, bool& canDock);

    void WndProc(win::TMessage& message) override;
    void Dispatch(win::TMessage& message) override;
    void DefaultHandler(win::TMessage& message) override;

    // --- events ---
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TDockDropEvent OnDockDrop;
    TDockOverEvent OnDockOver;
    TUnDockEvent OnUnDock;

protected:
    friend class TControl;
    friend class TCustomForm;

    virtual void CreateParams(TCreateParams& params);
    // The native class whose window procedure this control's windows keep as default (EDIT, BUTTON ...).
    void CreateSubClass(TCreateParams& params, const char* controlClassName);
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateHandle();
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // Shows or hides the window as Visible and the parent's showing say.
    virtual void UpdateShowing();
    void UpdateControlState();
    // After the window moved or changed size: the stored bounds follow.
    void UpdateBounds();

    // The last steps of a dock: the client enters this site (by default it becomes a child here), and it
    // has left this site for another or the open.
    virtual void DoAddDockClient(TControl* client, const win::RECT& rect);
    virtual void DoRemoveDockClient(TControl*) {}

    virtual void AlignControls(TControl* control, win::RECT& rect);
    virtual void AdjustClientRect(win::RECT&) {}
    bool CanAutoSize(int& newWidth, int& newHeight) override;

    // Painting.
    virtual void PaintWindow(win::HDC dc);
    void PaintHandler(win::TMessage& message);
    void PaintControls(win::HDC dc, TControl* first);

    // Keys.
    virtual void KeyDown(win::WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void KeyUp(win::WORD& key, TShiftState shift);
    bool DoKeyDown(win::TMessage& message);
    bool DoKeyPress(win::TMessage& message);
    bool DoKeyUp(win::TMessage& message);
    virtual void DoEnter();
    virtual void DoExit();
    // Whether the form's key handling lets it have the key (CN_KEYDOWN and kin).
    bool IsMenuKey(win::TMessage& message);

    void Loaded() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void ReadState(classes::TReader& reader) override;

    // The window procedure a window of this control had before it (DefaultHandler calls it).
    win::WNDPROC DefWndProc() const { return defWndProc_; }

private:
    friend class TApplication;
    // The window procedure of the first messages of a new window, until it takes the control's own.
    static win::LRESULT InitWndProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);
    void MainWndProc(win::TMessage& message);
    void InsertIntoList(TControl* control);
    // Whether control is still one of the children; looks at the pointer only, so a child a handler
    // freed meanwhile answers false.
    bool HasChild(const TControl* control) const;
    // The children in the order of Controls(i), taken now: a loop that tells them something goes over
    // this and skips the ones it no longer has.
    std::vector<TControl*> Children() const;
    void AlignControl(TControl* control);
    void DoAlign(TAlign align, TControl* control, win::RECT& rect);
    bool NeedsAnchorWork(const TControl* control) const;
    void AnchorChildren(const win::RECT& clientRect);
    void HandleKeyMessage(win::TMessage& message);
    void HandleSetFocus(win::TMessage& message);
    void HandleDialogKeyAtForm(win::TMessage& message);
    bool IsControlMouseMsg(win::TMessage& message);
    void ReflectToChild(win::TMessage& message, win::HWND child);
    void RemoveFocus(bool removing);
    win::HWND PrecedingWindow(TWinControl* control) const;
    void SetZOrderOf(TControl* control, bool topMost);

    win::HWND handle_ = nullptr;
    win::HWND parentWindow_ = nullptr;
    win::WNDPROC objectInstance_ = nullptr;
    win::WNDPROC defWndProc_ = nullptr;
    bool showing_ = false;
    std::vector<TControl*> controls_;       // graphic children, bottom first
    std::vector<TWinControl*> winControls_; // windowed children, bottom first
    std::vector<TWinControl*> tabList_;
    std::vector<TControl*> dockClients_;
    int alignLevel_ = 0;
    bool tabStop_ = false;
    std::unique_ptr<TBrush> brush_;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool doubleBuffered_ = false;
    bool dockSite_ = false;
    bool mouseTracked_ = false;
    int readTabOrder_ = -1;  // TabOrder as stored, applied once the parent's children are all read
};

}  // namespace gui
