#pragma once
// The tab control: a strip of tabs in one scrolled row or in several rows on one side of a page frame,
// picked with mouse or keys, scrolled with navigator buttons, with every metric and pixel delegated to
// a painter chosen by a style number (clPCPainters.h). The page control derives from it and binds each
// tab to a tab sheet, the child window shown while its tab is current.
//
// The layout pass and the row algorithms are in clPCLayout.cpp, keys, mouse and hot state in
// clPCInput.cpp, the tab model in clPCTabs.h, the page control in clPCPageControl.cpp (its docking in
// clPCDocking.cpp) and the sheets in clPCTabSheet.cpp.

#include "controls/pagecontrol/clPCTabs.h"

#include "controls/clControls.h"
#include "controls/clWindows.h"
#include "platform/classes/Interfaces.h"
#include "platform/classes/TypeInfo.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/graphics/ImageList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pagecontrol {

class TclPCCustomPainter;
class TclPCPainterClassInfo;
using TclPCCustomPainterClass = const TclPCPainterClassInfo*;
class TclPCImageList;
class TclPCGoDialog;

using TclDrawTabEvent = rtl::Method<void(TclCustomTabControl* control, TclTab* tab, bool& defaultDraw)>;
using TclDrawTabExEvent = rtl::Method<void(TclCustomTabControl* control, TclTab* tab, gui::TFont* font)>;
using TclGetTabImageEvent = rtl::Method<void(classes::TObject* sender, int tabIndex, int& imageIndex)>;
using TclPCCanCloseEvent = rtl::Method<void(classes::TObject* sender, bool& canClose)>;
using TclTabChangingEvent = rtl::Method<void(classes::TObject* sender, bool& allowChange)>;

// The marker the foundation's tab-like controls carry.
class IclTabControl : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {
        0xEF3FF483, 0x9B69, 0x46DF, {0x95, 0xA4, 0xD3, 0xA3, 0x81, 0x0F, 0x63, 0xA5}};

protected:
    ~IclTabControl() = default;
};

// The types of the stored options and positions.
const classes::TTypeInfo& PCOptionType();
const classes::TTypeInfo& PCOptionsType();
const classes::TTypeInfo& TabPositionType();
const classes::TTypeInfo& NavigatorPositionType();

class TclPageControl;

class TclCustomTabControl : public controls::TclControl, public IclTabControl {
public:
    explicit TclCustomTabControl(classes::TComponent* owner);
    ~TclCustomTabControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // --- virtual operations ---
    virtual void AfterPaintTab(controls::TclCanvas& canvas, TclTab* tab, const win::RECT& imageRect,
                               const win::RECT& textRect);
    virtual bool DoCanClose();
    virtual void CloseActiveTab();
    virtual bool SelectTabByAccel(char key);
    virtual bool IsTabSelectable(int tabIndex);
    virtual void ShowGoDialog();
    virtual void DoTabNotification(int, int, int) {}
    virtual classes::TObject* GetActivePageControl() { return nullptr; }
    virtual int GetTabImageIndex(int tabIndex);
    virtual gui::TControl* GetTabPage(int) { return nullptr; }
    virtual void GoDialogItemSelected(int tabIndex);
    virtual void ImageListChanged();
    virtual bool ProcessNavigationKey(win::WORD& key, gui::TShiftState shift);
    virtual void PrepareTabCanvasFont(TclTab* tab, controls::TclCanvas& canvas);
    virtual bool RequiresVisibleActiveTab() { return false; }

    // What a page control refines.
    virtual bool ConfirmTabChange(int newTabIndex);
    virtual void NotifyTabChange();
    virtual void RebuildLayout();

    // --- properties ---
    TclTabs* Tabs() const { return tabs_.get(); }
    TclVisibleTabList& VisibleTabs() { return visibleTabs_; }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);
    bool Focusable() const { return focusable_; }
    void SetFocusable(bool value);
    bool HideTabs() const { return hideTabs_; }
    void SetHideTabs(bool value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    int ImageBorder() const { return imageBorder_; }
    void SetImageBorder(int value);
    gui::TCustomImageList* Images() const;
    void SetImages(gui::TCustomImageList* value);
    TclPCImageList* ImageList() const { return imageList_.get(); }
    int MaxRotatedTabWidth() const { return maxRotatedTabWidth_; }
    void SetMaxRotatedTabWidth(int value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TclPCNavigatorPosition NavigatorPosition() const { return navigatorPosition_; }
    void SetNavigatorPosition(TclPCNavigatorPosition value);
    TclPCOptions Options() const { return options_; }
    void SetOptions(TclPCOptions value);
    bool HasOption(TclPCOption option) const { return (options_ & clPCOptionBit(option)) != 0; }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    bool RaggedRight() const { return raggedRight_; }
    void SetRaggedRight(bool value);
    bool Rotate() const { return rotate_; }
    void SetRotate(bool value);
    bool ScrollOpposite() const { return scrollOpposite_; }
    void SetScrollOpposite(bool value);
    bool ShowFrame() const { return showFrame_; }
    void SetShowFrame(bool value);
    TclPCStyleID Style() const { return style_; }
    void SetStyle(TclPCStyleID value);
    TclTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TclTabPosition value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    TclTabSlants* TabSlants() const { return tabSlants_.get(); }
    void SetTabSlants(TclTabSlants* value);

    TclPCCustomPainter* Painter() const { return painter_.get(); }
    TclPCCustomPainterClass PainterClass() const;
    // Null while the control is designed.
    TclPCGoDialog* GoDialog() const { return goDialog_.get(); }

    // --- layout state ---
    const win::RECT& StartRowRect() const { return startRowRect_; }
    const win::RECT& EndRowRect() const { return endRowRect_; }
    int FirstDisplayedTab() const { return firstDisplayedTab_; }
    int LastDisplayedTab() const { return lastDisplayedTab_; }
    int HotTab() const { return hotTab_; }
    int PressedTab() const { return pressedTab_; }
    int FocusedTab() const { return focusedTab_; }
    int CurrentVisibleIndex() const { return currentVisibleIndex_; }
    int RowCount() const { return rowCount_; }
    int StartRowCount() const { return startRowCount_; }
    int TabRowThickness() const { return tabRowThickness_; }
    int WidestRotatedCaption() const { return widestRotatedCaption_; }
    bool LastTabFits() const { return lastTabFits_; }
    const TclPCTabsArea& TabsArea() const { return tabsArea_; }
    TclPCNavigatorButtons NavigatorButtons() const { return navigatorButtons_; }
    TclPCNavigatorButtonState NavigatorButtonState(TclPCNavigatorButton button) const { return buttonStates_[button]; }
    TclPCNavigatorButtons HotNavigatorButtons() const { return hotButtons_; }
    TclPCNavigatorButtons PressedNavigatorButton() const { return pressedButton_; }
    bool IsGoDialogOpen() const { return goDialogOpen_; }
    bool IsRowVertical() const { return tabPosition_ == tpLeft || tabPosition_ == tpRight; }
    TclPCCaptionDirection CaptionDirection() const;
    // The first tab lies at the end of the row axis.
    bool IsDisplayOrderReversed() const;
    bool IsMultiSelectActive() const { return multiSelect_; }
    bool IsInLayout() const { return inLayout_; }

    // The visible index of the tab at a client point, or -1.
    int VisibleIndexAt(int x, int y);
    // A tab's change: a repaint through the painter, or a layout for clpcrLayout and visible index -1.
    void RepaintTab(int visibleIndex, TclPCTabRepaintReason reason);
    // Moves the first displayed tab one tab towards the one the arrow points at; nothing while disabled.
    void ScrollTabs(TclPCNavigatorButton arrow);

    // --- events ---
    // OnDrawTab, OnDrawTabEx and OnGetImageIndex run while the control paints or measures, also when
    // program code changes it; one that frees the control with Free() leaves it whole until the message
    // loop takes its next message.
    TclPCCanCloseEvent OnCanClose;
    classes::TNotifyEvent OnChange;
    TclTabChangingEvent OnChanging;
    TclDrawTabEvent OnDrawTab;
    TclDrawTabExEvent OnDrawTabEx;
    TclGetTabImageEvent OnGetImageIndex;

    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override;
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }

    void WndProc(win::TMessage& message) override;
    void DefineProperties(classes::TFiler& filer) override;
    void Loaded() override;
    void AdjustClientRect(win::RECT& rect) override;
    void BeforeDestruction() override;
    bool UsesScrollBars() override { return false; }
    bool CanFocus() override;
    void HandleLookAndFeelChange(controls::TclLookAndFeel* sender, controls::TclLookAndFeelValues changed) override;

protected:
    void CreateParams(gui::TCreateParams& params) override;
    void CreateWnd() override;
    void Resize() override;
    void Paint() override;
    void KeyDown(win::WORD& key, gui::TShiftState shift) override;
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    void MouseMove(gui::TShiftState shift, int x, int y) override;
    void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    bool DoMouseWheel(gui::TShiftState shift, int wheelDelta, win::POINT mousePos) override;

    void LockChangeEvents() { ++changeEventLock_; }
    void UnlockChangeEvents() { --changeEventLock_; }
    bool ChangeEventsLocked() const { return changeEventLock_ > 0; }
    // Re-aligns the children and repaints.
    void RealignAndInvalidate();
    void SetSelectedTab(TclTab* tab, bool value);

private:
    friend class TclTab;
    friend class TclTabs;
    friend class TclPCPainterParentInfo;
    friend class TclPageControl;

    // Painter choice.
    void ApplyStyle(TclPCStyleID value);
    void ChooseStyleByLookAndFeel();
    void DropRotatedCaptions();
    void TabSlantsChanged(classes::TObject* sender);

    // Layout (clPCLayout.cpp).
    void Relayout();
    void ResetLayoutState();
    void CalculateNormalSizes();
    void PlaceSingleRow();
    void PlaceMultipleRows();
    TclPCNavigatorButtons ButtonsWhenAllFit() const;
    TclPCNavigatorButtons ButtonsWhenScrolling() const;
    void CalculateTabsArea(TclPCNavigatorButtons buttons);
    void PlaceTabs(int first, int last, bool forced);
    int TabExtent(const TclTab* tab) const;
    void CalculateRowThickness();
    void BreakRows();
    void BalanceRun(int firstTab, int lastTab);
    void StretchRow(int firstTab, int lastTab);
    void ArrangeRows();
    void PositionRows();
    void ApplyVisibleRow(TclTab* tab, int visibleRow);
    void ScrollToTab(int visibleIndex);
    void RearrangeRowsForCurrent();
    void UpdateCurrentVisibleIndex(bool repaint);
    int VisibleIndexOfTabIndex(int tabIndex) const;

    // Tab change.
    void ChangeTabIndex(int value);

    // Keys, mouse, hot state (clPCInput.cpp).
    int NextSelectableTab(int start, bool forward, bool wrap);
    void MoveToTab(int visibleIndex, bool onlyFocus);
    void SetFocusedTab(int visibleIndex);
    void SelectTab(int visibleIndex, bool ctrl);
    void UpdateHotState();
    void UpdateHotStateAt(win::POINT point);
    void SetHotTab(int visibleIndex);
    void SetHotButtons(TclPCNavigatorButtons buttons);
    void SetButtonState(TclPCNavigatorButton button, TclPCNavigatorButtonState state);
    void UpdateNavigatorButtonStates();
    bool IsArrowDisabled(TclPCNavigatorButton arrow) const;
    bool ArrowPointsToStart(TclPCNavigatorButton arrow) const;
    void StartRepeatTimer();
    void StopRepeatTimer();
    void RepeatTimerFired(classes::TObject* sender);
    void CancelButtonPress();
    void ResetGoDialogState();
    bool HasFocusWithin();
    bool MouseEventsAllowed() const;

    // Stored data.
    void ReadClientRectEdge(classes::TReader& reader, int edge);

    int changeEventLock_ = 0;
    win::RECT storedClientRect_{};
    win::RECT endRowRect_{};
    win::RECT startRowRect_{};
    int firstDisplayedTab_ = -1;
    int lastDisplayedTab_ = -1;
    bool focusable_ = true;
    bool hideTabs_ = false;
    bool hotTrack_ = false;
    TclPCNavigatorButtons hotButtons_ = 0;
    int hotTab_ = -1;
    int imageBorder_ = 0;
    std::unique_ptr<TclPCImageList> imageList_;
    std::unique_ptr<TclPCGoDialog> goDialog_;
    bool storedClientRectRead_ = false;
    bool goDialogOpen_ = false;
    bool lastTabFits_ = false;
    int currentVisibleIndex_ = -1;
    int maxRotatedTabWidth_ = 0;
    int widestRotatedCaption_ = 0;
    bool multiLine_ = false;
    bool multiSelect_ = false;
    TclPCNavigatorButtons navigatorButtons_ = 0;
    std::array<TclPCNavigatorButtonState, 4> buttonStates_{};
    TclPCNavigatorPosition navigatorPosition_ = npRightTop;
    TclPCOptions options_ = clPCDefaultOptions;
    bool ownerDraw_ = false;
    std::unique_ptr<TclPCCustomPainter> painter_;
    TclPCNavigatorButtons pressedButton_ = 0;
    int pressedTab_ = -1;
    bool raggedRight_ = false;
    bool rotate_ = false;
    int rowCount_ = 0;
    int tabRowThickness_ = 0;
    bool scrollOpposite_ = false;
    bool showFrame_ = false;
    TclPCStyleID style_ = 0;
    int tabIndex_ = -1;
    TclTabPosition tabPosition_ = tpTop;
    std::unique_ptr<TclTabs> tabs_;
    std::int16_t tabWidth_ = 0;
    std::int16_t tabHeight_ = 0;
    std::unique_ptr<TclTabSlants> tabSlants_;
    TclPCTabsArea tabsArea_;
    std::unique_ptr<controls::TclTimer> repeatTimer_;
    int startRowCount_ = 0;
    int focusedTab_ = -1;
    bool inLayout_ = false;
    TclVisibleTabList visibleTabs_;
    int storedTabIndex_ = -1;
    bool tabIndexStored_ = false;
    bool destroying_ = false;
};

class TclTabSheet;

using TclPageChangingEvent = rtl::Method<void(classes::TObject* sender, TclTabSheet* newPage, bool& allowChange)>;

// A tab control whose tabs each show a page, a TclTabSheet child filling the page client rectangle; the
// page of the current tab is visible, the others are hidden. The pages are owned by their owner
// component; the control keeps them in order and frees none but the one CloseActiveTab closes.
class TclPageControl : public TclCustomTabControl {
public:
    explicit TclPageControl(classes::TComponent* owner);
    // Detaches every page first: the pages stay with their owner.
    ~TclPageControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The visible page; setting it asks OnPageChanging, switches the pages with the form's focus and fires
    // OnChange. A page of another page control is ignored.
    TclTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TclTabSheet* page);
    // -1 when no page is active; an index outside 0 .. PageCount - 1 makes no page active.
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // Pages with a hidden tab count too.
    int PageCount() const { return int(pages_.size()); }
    TclTabSheet* Pages(int index) const;
    // The next page from page (or from an end when page is not one of them), stepping forward or back,
    // continuing at the other end with wrap; with checkTabVisible only pages with a visible tab that are
    // enabled. Null when none.
    TclTabSheet* FindNeighbourPage(TclTabSheet* page, bool forward, bool wrap, bool checkTabVisible) const;
    void SelectNeighbourPage(bool forward, bool checkTabVisible);

    // --- what the page control changes of the tab control ---
    void CloseActiveTab() override;
    classes::TObject* GetActivePageControl() override;
    gui::TControl* GetTabPage(int tabIndex) override;
    void ImageListChanged() override;
    bool RequiresVisibleActiveTab() override { return true; }
    bool ConfirmTabChange(int newTabIndex) override;
    void NotifyTabChange() override;
    void RebuildLayout() override;

    // --- its own operations ---
    virtual void HandleDockClient(gui::TCMDockClient& message);
    virtual void HandleUnDockClient(gui::TWinControl* newTarget, gui::TControl* client);
    virtual void HandleControlChange(gui::TControl* client, const gui::TDockNotifyRec& notify);
    // The page of the current tab becomes ActivePage; none when no tab is current.
    virtual void SyncActivePage();
    // OnPageChanging unless change events are locked.
    virtual bool ConfirmPageChange(TclTabSheet* newPage);
    // OnChange unless change events are locked.
    virtual void NotifyPageChange();

    TclPageChangingEvent OnPageChanging;

    // Only over the tab of the active page.
    bool TakesFocusOnClick() override;
    bool TakesFocusOnClickAt(int x, int y) override;
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void SetChildOrder(classes::TComponent* child, int order) override;
    void Loaded() override;
    void WndProc(win::TMessage& message) override;
    void DockOver(gui::TDragDockObject* source, int x, int y, gui::TDragState state, bool& accept) override;
    void GetSiteInfo(gui::TControl* client, win::RECT& influenceRect, win::POINT mousePos, bool& canDock) override;

protected:
    void AlignControls(gui::TControl* control, win::RECT& rect) override;
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
    void DoAddDockClient(gui::TControl* client, const win::RECT& rect) override;
    void DoRemoveDockClient(gui::TControl* client) override;

private:
    friend class TclTabSheet;

    // The page list (the sheet side of these is in clPCTabSheet.cpp).
    void InsertPage(TclTabSheet* page);
    void RemovePage(TclTabSheet* page);
    void MovePage(TclTabSheet* page, int index);
    // Copies the page's caption, state and tab visibility to its tab.
    void UpdateTab(TclTabSheet* page);
    void PageTabVisibleChanged(TclTabSheet* page);
    void ChangeActivePage(TclTabSheet* page);
    // Makes no page active: the page shown changed, so OnChange fires once.
    void DropActivePage();
    void SetTabIndexQuietly(int value);
    TclTabSheet* PageOfTab(const TclTab* tab) const;
    bool IsOverActiveTab(win::POINT point);
    // The page holding the docked control, or null.
    TclTabSheet* DockedPage(const gui::TControl* client) const;
    gui::TControl* DockedControl(const TclTabSheet* page) const;

    TclTabSheet* activePage_ = nullptr;
    bool activePageSetting_ = false;
    TclTabSheet* newDockSheet_ = nullptr;
    bool pageInserting_ = false;
    std::vector<TclTabSheet*> pages_;
    TclTabSheet* undockingPage_ = nullptr;
};

// One page of a page control: a child window filling the page client rectangle, hidden while its tab is
// not current. Its caption, Enabled, ImageIndex, Highlighted and TabVisible are copied to its tab.
class TclTabSheet : public gui::TCustomControl {
public:
    explicit TclTabSheet(classes::TComponent* owner);
    // Leaves its page control first, which then activates a neighbour.
    ~TclTabSheet() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TclPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TclPageControl* value);
    // The position in the page list; -1 outside a page control. A value outside 0 .. PageCount - 1 raises
    // rtl::EListError.
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // The tab in the page control's Tabs; null outside a page control.
    TclTab* Tab() const { return tab_; }

    // Only a page control or nothing: any other parent aborts silently (rtl::EAbort).
    void SetParent(gui::TWinControl* parent) override;
    // OnShow or OnHide follow a change; an exception of theirs goes to the application's handler.
    void SetVisible(bool value) override;

    classes::TNotifyEvent OnShow;
    classes::TNotifyEvent OnHide;

protected:
    void CreateParams(gui::TCreateParams& params) override;
    void Dispatch(win::TMessage& message) override;
    void ReadState(classes::TReader& reader) override;

private:
    friend class TclPageControl;

    void EraseBackground(win::TMessage& message);
    void PaintBorder();
    void FireVisibilityEvent(bool shown);
    void UpdateTab();

    TclPageControl* pageControl_ = nullptr;
    TclTab* tab_ = nullptr;
    int imageIndex_ = -1;
    bool highlighted_ = false;
    bool tabVisible_ = true;
    int borderWidth_ = 0;
};

}  // namespace pagecontrol
