#pragma once
// The tab control: a strip of tabs in one scrolled row or in several rows on one side of a page frame,
// picked with mouse or keys, scrolled with navigator buttons, with every metric and pixel delegated to
// a painter chosen by a style number (clPCPainters.h). The page control derives from it.
//
// The layout pass and the row algorithms are in clPCLayout.cpp, keys, mouse and hot state in
// clPCInput.cpp, the tab model in clPCTabs.h.

#include "controls/pagecontrol/clPCTabs.h"

#include "controls/clControls.h"
#include "controls/clWindows.h"
#include "platform/classes/Interfaces.h"
#include "platform/classes/TypeInfo.h"
#include "platform/gui/ImageList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

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

// The types of the stored options.
const classes::TTypeInfo& PCOptionType();
const classes::TTypeInfo& PCOptionsType();

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

}  // namespace pagecontrol
