#pragma once
// The base control of the library, TclControl: a custom control with a canvas wrapper, its own
// look-and-feel whose painter draws its border, optional own scroll bars with a size grip laid out inside
// the client area and recomputed until stable, focus on click, a mouse-capture object, the library's own
// drag-and-drop beside the framework's drag, content scrolling by the wheel and a middle-button anchor,
// popup components, font listeners and components that attach to it. Beside it the window and mouse
// helpers of its unit, the library's cursors, and the hidden window that relays non-client metric
// changes to the controls.

#include "controls/clClasses.h"
#include "controls/clDragAndDrop.h"
#include "controls/clGraphics.h"
#include "controls/clLookAndFeels.h"
#include "controls/clScrollBar.h"
#include "controls/clWindows.h"

#include "platform/classes/Interfaces.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/WinControl.h"
#include "platform/wintypes/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace controls {

// GetCursorPos, or (-1, -1) when it fails.
win::POINT clGetCursorScreenPos();
// The work area of the monitor nearest a screen point (the system's work area without the monitor
// functions).
win::RECT clGetWorkAreaAtPoint(win::POINT point);
// Captures the mouse for window and pumps the messages until the pointer leaves the square of side twice
// the drag threshold around the cursor (1), a button is released (0), or Esc, a lost capture or a quit
// request ends it (2).
int clRunDragDetectLoop(win::HWND window);
// Both distances from the press point below the drag threshold.
bool clWithinDragThreshold(win::POINT pressPoint, win::POINT point);
bool clCtrlKeyDown();
// True when the owner (not null) is reached walking up the parents of window.
bool clIsAncestorWindow(win::HWND owner, win::HWND window);
bool clIsSameOrChildWindow(win::HWND parent, win::HWND window);
bool clHasChildStyle(win::HWND window);
win::POINT clMapPointBetweenWindows(win::HWND from, win::HWND to, win::POINT point);
win::RECT clMapRectBetweenWindows(win::HWND from, win::HWND to, const win::RECT& rect);
// Each '&' goes, keeping the character after it ("&&" gives "&"); a last '&' becomes '_' when asked.
std::string clStripHotkeyPrefixes(const std::string& text, bool lastAsUnderscore = false);
// MK_ flags of a shift state: shift 4, ctrl 8, left 1, right 2, middle 16.
unsigned clShiftToMouseKeyFlags(gui::TShiftState shift);
inline unsigned clMapKeyCode(unsigned key) { return key; }
inline bool clIsPrintableKeyChar(int code) { return code > 31; }
bool clCanAllocateHandle(gui::TWinControl* control);
unsigned clDoubleClickTime();

// Private message: take the system's scroll-bar sizes again.
constexpr win::UINT CM_CLUPDATESCROLLBARSIZES = 0x8065;

// The library's screen cursors (Screen.Cursors ids); crclDragCopy (2100) is in clDragAndDrop.h.
constexpr gui::TCursor crclFullScroll = 2101;
constexpr gui::TCursor crclHorScroll = 2102;
constexpr gui::TCursor crclVerScroll = 2103;
constexpr gui::TCursor crclUpScroll = 2104;
constexpr gui::TCursor crclRightScroll = 2105;
constexpr gui::TCursor crclDownScroll = 2106;
constexpr gui::TCursor crclLeftScroll = 2107;
constexpr gui::TCursor crclRemove = 2108;
constexpr gui::TCursor crclVertSize = 2109;
constexpr gui::TCursor crclHorzSize = 2110;
constexpr gui::TCursor crclMultiDrag = 2111;
constexpr gui::TCursor crclNoDrop = 2112;
constexpr gui::TCursor crclDrag = 2113;
constexpr gui::TCursor crclColorPicker = 2114;
constexpr gui::TCursor crclHand = -2099;

// A component other than a framework popup menu that pops up for a control.
class IclPopupMenuIntf : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x2F6B8E14, 0x51C3, 0x4D0A, {0x9E, 0x27, 0x6A, 0xC1, 0x03, 0x5D, 0xB8, 0x4F}};
    // Shows the menu at a screen point; false when it did not.
    virtual bool Popup(int x, int y) = 0;
    virtual bool IsShortCutKey(win::WORD key, gui::TShiftState shift) = 0;

protected:
    ~IclPopupMenuIntf() = default;
};

// A capture object told when another one takes the control's mouse capture.
class IclCaptureObjectIntf : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x7A0C3D52, 0x9E41, 0x4B7E, {0x83, 0x1D, 0x54, 0xF2, 0x6B, 0x0E, 0x97, 0xA3}};
    virtual void CaptureLost() = 0;

protected:
    ~IclCaptureObjectIntf() = default;
};

// Told of every font change of a control.
class IclFontListener {
public:
    virtual void FontChanged(classes::TObject* sender, gui::TFont* font) = 0;

protected:
    ~IclFontListener() = default;
};

// A popup component shows at a screen point: an IclPopupMenuIntf by itself, a framework popup menu only
// with AutoPopup on, after it took the control as its popup component.
bool clShowPopupMenu(gui::TControl* control, classes::TComponent* component, int x, int y);
// Whether the key is a shortcut of the popup component (and runs it).
bool clPopupMenuShortCut(classes::TComponent* component, win::WORD key, gui::TShiftState shift);

class TclControl;

// The scroll bar a TclControl lays out itself; the control fills its data before the bar is updated.
class TclControlScrollBar : public TclScrollBar {
public:
    struct Data {
        int Min = 0;
        int Max = 100;
        int Position = 0;
        int PageSize = 0;
        std::int16_t SmallChange = 1;
        std::int16_t LargeChange = 1;
        bool Enabled = true;
        bool Visible = false;
        bool AllowShow = false;
        bool AllowHide = false;
    };

    TclControlScrollBar();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    Data& ScrollData() { return data_; }
    // Range, page and position (repainted when visible), steps and enabled state; a visibility change
    // also sends CM_SHOWINGCHANGED.
    void ApplyData();
    virtual void FocusParent();

    void Dispatch(win::TMessage& message) override;

protected:
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;

private:
    Data data_;
};

// The square between the two bars, painted in the painter's window background colour.
class TclSizeGrip : public gui::TCustomControl {
public:
    TclSizeGrip();
    ~TclSizeGrip() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TclLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;

private:
    void LookAndFeelChanged(TclLookAndFeel*, TclLookAndFeelValues) { Invalidate(); }
    std::unique_ptr<TclLookAndFeel> lookAndFeel_;
};

// Holds the controls with own scroll bars and, while there are any, a hidden window; a change of the
// non-client metrics sends each control that has a window CM_CLUPDATESCROLLBARSIZES.
class TclSettingsController : public classes::TObject {
public:
    ~TclSettingsController() override;
    void AddControl(TclControl* control);
    void DropControl(TclControl* control);
    int ControlCount() const { return int(controls_.size()); }

protected:
    virtual void ProcessMessage(win::TMessage& message);

private:
    std::vector<TclControl*> controls_;
    win::HWND window_ = nullptr;
};

// The process-wide settings controller; null once the unit has ended.
TclSettingsController* clGetSettingsController();

// Scroll directions.
enum TclScrollDirection : std::uint8_t { sdNone, sdLeft, sdRight, sdUp, sdDown };
// Scroll-bar kinds of the control.
enum : int { clHorzBar = 0, clVertBar = 1 };
// Wheel scroll kinds.
enum TclWheelScrollKind : std::uint8_t { wskNone, wskHorizontal, wskVertical };
// Scroll-bars setting.
enum TclScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
// Keys a control wants.
enum : std::uint8_t { wkAll = 1, wkArrows = 2, wkChars = 4, wkTab = 8 };
// The own drag-and-drop's state.
enum TclDragAndDropState : std::uint8_t { ddsNone, ddsStarting, ddsInProcess };

class TclControl : public gui::TCustomControl {
public:
    explicit TclControl(classes::TComponent* owner);
    ~TclControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // --- overridable operations ---
    virtual bool ShowPopupMenuAt(classes::TComponent* component, int x, int y);
    virtual void NotifyDesignerModified();
    virtual void ParentBackgroundToggled() {}
    virtual void StartMouseAction(gui::TMouseButton button, int x, int y);
    virtual bool DesignDragAllowedAt(int, int) { return true; }
    virtual void PreMouseDown(gui::TMouseButton, gui::TShiftState, int, int) {}
    virtual void RaiseScrollBars();
    virtual void FinishMouseActions();
    virtual bool TakesFocusOnClick();
    virtual bool TakesFocusOnClickAt(int, int) { return TakesFocusOnClick(); }
    virtual bool FocusOnScrollBarClick() { return TakesFocusOnClick(); }
    virtual int CurrentBorderWidth();
    virtual win::RECT ClientBoundsRect();
    virtual win::RECT InnerClientRect();
    virtual gui::TCursor CursorAtPoint(int, int) { return defaultCursor_; }
    virtual bool InDesignMode() const { return HasState(classes::csDesigning); }
    virtual bool HasInputFocus() { return Focused(); }
    virtual TclWheelScrollKind WheelScrollKind();
    virtual bool EraseBackgroundNeeded() { return false; }
    virtual void AttachScrollBars() { ParentScrollBars(); }
    virtual bool IsScrollPart(gui::TControl* control) const;
    virtual TclLookAndFeel* ActiveLookAndFeel() const { return lookAndFeel_.get(); }
    virtual TclCustomLookAndFeelPainterClass ActivePainter() const { return lookAndFeel_->GetActivePainter(); }
    virtual void HandleLookAndFeelChange(TclLookAndFeel*, TclLookAndFeelValues) {}
    virtual bool ScrollsWithoutBars(TclScrollDirection) { return false; }
    virtual win::RECT HScrollBarBounds();
    virtual win::RECT SizeGripBounds();
    virtual win::RECT VScrollBarBounds();
    virtual void ComputeScrollBarParams() {}
    virtual bool MayDropScrollBar(int) { return false; }
    virtual bool UsesScrollBars() { return true; }
    virtual bool ScrollBarsAboveChildren() { return !InDesignMode(); }
    virtual void HandleScroll(int, TclScrollCode, int&) {}
    virtual void LayoutScrollBars();
    virtual void RefreshScrollBars();
    virtual void RecalcScrollBars();
    // The maker of the control's drag-and-drop objects.
    virtual TclDragAndDropObjectFactory DragDropHandlerClass();
    // A new, empty drag image list of the class the control uses.
    virtual gui::TDragImageList* DragImageListClass();
    virtual void PaintDragImage(TclCanvas&, const win::RECT&) {}
    virtual win::POINT DragImageExtent() { return {0, 0}; }
    virtual bool DragCopyRequested() { return clCtrlKeyDown(); }
    virtual bool ShowsDragImage() { return false; }
    virtual void BuildDragImage(gui::TDragImageList* list);
    virtual bool FocusReachable();
    virtual bool DragStartAllowedAt(int x, int y);

    virtual void AfterColorChange() {}
    virtual void AfterVisibleChange() {}
    virtual void AddChildComponent(classes::TComponent*) {}
    virtual void RemoveChildComponent(classes::TComponent*) {}
    virtual bool ContinuesUnfocused() { return false; }
    virtual void BoundsChanged() { RecalcScrollBars(); }
    virtual bool NoDragAndDropRunning() { return dragAndDropState_ == ddsNone; }
    virtual void RememberDefaultCursor() { defaultCursor_ = Cursor(); }
    virtual void ReleaseMouseAction();
    virtual void NotifyFocusChanged();
    virtual void BroadcastFontChange();
    virtual bool ClaimsDesignMouse(int, int, gui::TShiftState) { return !NoDragAndDropRunning() || mouseButtonPressed_; }
    // A new framework drag object for the control, of the class the control uses.
    virtual gui::TDragControlObject* DragControlObjectClass();
    virtual bool DefaultTabStop() { return true; }
    virtual void NotifyMouseEnter(gui::TControl* control);
    virtual void NotifyMouseLeave(gui::TControl* control);
    virtual void AfterTextChange() {}
    virtual void TrackDragAndDrop(win::POINT point);
    virtual void CloseDragAndDrop(bool accepted);
    virtual bool DragAndDropStartsAt(win::POINT) { return false; }
    virtual bool KeepsDragObject(gui::TDragObject*) { return true; }
    virtual void OpenDragAndDrop();

    // --- properties ---
    TclCanvas* ClCanvas() const { return clCanvas_.get(); }
    TclLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
    void SetLookAndFeel(TclLookAndFeel* value) { lookAndFeel_->Assign(value); }
    // 0 none, 1 single.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);
    TclScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TclScrollStyle value);
    TclControlScrollBar* HScrollBar() const { return hScrollBar_.get(); }
    TclControlScrollBar* VScrollBar() const { return vScrollBar_.get(); }
    TclSizeGrip* SizeGrip() const { return sizeGrip_.get(); }
    bool GetHScrollBarVisible() const;
    bool GetVScrollBarVisible() const;
    bool FocusOnClick() const { return focusOnClick_; }
    void SetFocusOnClick(bool value) { focusOnClick_ = value; }
    std::uint8_t WantedKeys() const { return wantedKeys_; }
    void SetWantedKeys(std::uint8_t value) { wantedKeys_ = value; }
    // A framework popup menu or an IclPopupMenuIntf component; anything else is stored as none.
    classes::TComponent* PopupMenu() const { return popupComponent_; }
    void SetPopupMenu(classes::TComponent* value);
    classes::TObject* MouseCaptureObject() const { return captureObject_; }
    void SetMouseCaptureObject(classes::TObject* value);
    TclDragAndDropState DragAndDropState() const { return dragAndDropState_; }
    void SetDragAndDropState(TclDragAndDropState value);
    TclDragAndDropObject* DragAndDropObject() const { return dragAndDropObject_.get(); }
    // Creates the object on first need.
    TclDragAndDropObject* ActiveDragDropHandler();
    void FinishDragAndDrop(bool accepted);
    bool InsideDragDetectArea(win::POINT point) const { return clWithinDragThreshold(pressPoint_, point); }
    win::POINT PressPoint() const { return pressPoint_; }
    bool MouseButtonPressed() const { return mouseButtonPressed_; }
    void SetClientBounds(const win::RECT& value) { clientBounds_ = value; }
    void AddFontListener(IclFontListener* listener) { fontListeners_.push_back(listener); }
    void RemoveFontListener(IclFontListener* listener);
    bool IsDestroying() const { return HasState(classes::csDestroying); }
    bool IsLoading() const { return HasState(classes::csLoading); }
    // Walks from the control through its parents, asking each TclControl's popup component.
    bool IsPopupMenuShortCut(win::WORD key, gui::TShiftState shift);
    void InvalidateArea(const win::RECT& rect);
    void RepaintWithChildren();
    gui::TDragImageList* GetDragImages() override;

    // --- scroll bars ---
    void SetScrollBarInfo(int kind, int min, int max, int step, int page, int position, bool allowShow,
                          bool allowHide);
    void ScrollContent(TclScrollDirection direction);
    // The middle-button anchor mode; nothing unless a bar is visible.
    void RunMiddleButtonScroll();
    bool ScrollingContent() const { return scrollingContent_; }
    void LockScrollBars() { ++scrollBarsLock_; }
    void UnlockScrollBars();

    classes::TNotifyEvent OnFocusChanged;
    rtl::Method<void(classes::TObject* sender, gui::TControl* control)> OnMouseEnter;
    rtl::Method<void(classes::TObject* sender, gui::TControl* control)> OnMouseLeave;

    void WndProc(win::TMessage& message) override;
    void Dispatch(win::TMessage& message) override;
    void BeforeDestruction() override;
    void DoStartDrag(gui::TDragObject*& dragObject) override;
    void DoEndDrag(classes::TObject* target, int x, int y) override;
    void DragOver(classes::TObject* source, int x, int y, gui::TDragState state, bool& accept) override;

protected:
    void CreateParams(gui::TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void Resize() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void KeyDown(win::WORD& key, gui::TShiftState shift) override;
    void Paint() override;
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    void MouseMove(gui::TShiftState shift, int x, int y) override;
    void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    bool DoMouseWheel(gui::TShiftState shift, int wheelDelta, win::POINT mousePos) override;
    void DoContextPopup(win::POINT mousePos, bool& handled) override;

    void CreateScrollBars();
    void DestroyScrollBars();
    void UpdateScrollBarsPresence();
    void ParentScrollBars();
    void RelayScrollEvent(classes::TObject* sender, TclScrollCode code, int& position);

private:
    void HandleOwnLookAndFeelChange(TclLookAndFeel* sender, TclLookAndFeelValues changed);
    void HandleContextMenu(win::TMessage& message);
    void UpdateScrollBarSizes();
    void ComputeUntilStable();
    win::POINT MessagePoint(win::LPARAM lParam);

    std::unique_ptr<TclCanvas> clCanvas_;
    std::unique_ptr<TclLookAndFeel> lookAndFeel_;
    int borderStyle_ = 0;
    TclScrollStyle scrollBars_ = ssBoth;
    std::unique_ptr<TclControlScrollBar> hScrollBar_;
    std::unique_ptr<TclControlScrollBar> vScrollBar_;
    std::unique_ptr<TclSizeGrip> sizeGrip_;
    int scrollBarsLock_ = 0;
    bool scrollBarsUpdatePending_ = false;
    bool scrollBarsCalculating_ = false;
    bool scrollBarsUpdating_ = false;
    bool scrollBarsStable_ = false;
    bool savedHVisible_ = false;
    bool savedVVisible_ = false;
    bool scrollingContent_ = false;
    bool creatingWindow_ = false;
    gui::TCursor defaultCursor_ = gui::crDefault;
    bool focusOnClick_ = true;
    std::uint8_t wantedKeys_ = wkAll | wkArrows | wkChars | wkTab;
    classes::TComponent* popupComponent_ = nullptr;
    win::POINT pressPoint_{};
    bool mouseButtonPressed_ = false;
    bool rightButtonReleased_ = false;
    classes::TObject* captureObject_ = nullptr;
    std::unique_ptr<TclDragAndDropObject> dragAndDropObject_;
    TclDragAndDropState dragAndDropState_ = ddsNone;
    bool finishingDragAndDrop_ = false;
    gui::TCursor savedScreenCursor_ = gui::crDefault;
    std::unique_ptr<gui::TDragImageList> dragImageList_;
    bool parentBackground_ = true;
    win::RECT clientBounds_{};
    std::vector<IclFontListener*> fontListeners_;
};

// A component that belongs to a TclControl: the control is its parent component.
class TclControlChildComponent : public TclComponent {
public:
    explicit TclControlChildComponent(classes::TComponent* owner);
    // With the control's owner when takeOwner is set; then the control is set.
    TclControlChildComponent(TclControl* control, bool takeOwner);
    ~TclControlChildComponent() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual bool IsDestroying() const { return HasState(classes::csDestroying); }
    virtual void Initialize() {}
    virtual void SetControl(TclControl* value);
    TclControl* Control() const { return control_; }

    bool HasParent() const override { return control_ != nullptr; }
    classes::TComponent* GetParentComponent() const override;
    void SetParentComponent(classes::TComponent* parent) override;

protected:
    // A control freed first is forgotten.
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    TclControl* control_ = nullptr;
};

namespace detail {
// Registers the library's cursors; the end frees the settings controller.
void InitializeControls();
void FinalizeControls();
}  // namespace detail

}  // namespace controls
