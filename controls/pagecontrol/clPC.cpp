#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCGoDialog.h"
#include "controls/pagecontrol/clPCImageList.h"
#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/detail/AliveGuard.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"

#include <algorithm>

namespace pagecontrol {

using detail::AliveGuard;

const classes::TTypeInfo& PCOptionType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TclPCOption", {"pcoAlwaysShowGoDialogButton", "pcoCloseButton", "pcoFixedTabWidthWhenRotated", "pcoGoDialog",
                        "pcoGradient", "pcoGradientClientArea", "pcoNoArrows", "pcoRedrawOnResize", "pcoSort",
                        "pcoTopToBottomText", "pcoUsePageColorForTab"});
    return type;
}

const classes::TTypeInfo& PCOptionsType()
{
    static const classes::TTypeInfo type = classes::SetType("TclPCOptions", PCOptionType());
    return type;
}

const classes::TTypeInfo& TabPositionType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TclTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"});
    return type;
}

const classes::TTypeInfo& NavigatorPositionType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TclPCNavigatorPosition", {"npLeftTop", "npLeftBottom", "npRightTop", "npRightBottom"});
    return type;
}

TclCustomTabControl::TclCustomTabControl(classes::TComponent* owner)
    : TclControl(owner), visibleTabs_(this)
{
    SetControlStyle(ControlStyle() | gui::csAcceptsControls | gui::csCaptureMouse | gui::csClickEvents
                    | gui::csDoubleClicks | gui::csOpaque | gui::csParentBackground);
    SetBounds(Left(), Top(), 289, 193);
    SetTabStop(true);
    SetWantedKeys(controls::wkArrows);
    SetScrollBars(controls::ssNone);
    tabSlants_ = std::make_unique<TclTabSlants>(this);
    tabSlants_->OnChange = classes::TNotifyEvent::Of<&TclCustomTabControl::TabSlantsChanged>(this);
    imageList_ = std::make_unique<TclPCImageList>(this);
    tabs_ = std::make_unique<TclTabs>(this);
    ChooseStyleByLookAndFeel();
    if (!HasState(classes::csDesigning)) {
        goDialog_ = std::make_unique<TclPCGoDialog>(this);
        goDialog_->OnItemSelected =
            rtl::Method<void(int)>::Of<&TclCustomTabControl::GoDialogItemSelected>(this);
    }
}

TclCustomTabControl::~TclCustomTabControl()
{
    destroying_ = true;
    tabSlants_.reset();
    repeatTimer_.reset();
    goDialog_.reset();
    imageList_.reset();
    tabs_.reset();
    painter_.reset();
}

const classes::TClassInfo& TclCustomTabControl::StaticClass()
{
    static const classes::TClassInfo info(
        "TclCustomTabControl", &TclControl::StaticClass(),
        [](classes::TClassInfo& c) { classes::ClassBuilder<TclCustomTabControl>(c).Implements<IclTabControl>(); });
    return info;
}

std::int32_t TclCustomTabControl::QueryInterface(const classes::TGUID& iid, void** object)
{
    return classes::GetInterface(this, iid, object);
}

void TclCustomTabControl::BeforeDestruction()
{
    destroying_ = true;
    TclControl::BeforeDestruction();
}

// ------------------------------------------------------------------------------------------------------------
// Virtual operations

void TclCustomTabControl::AfterPaintTab(controls::TclCanvas&, TclTab*, const win::RECT&, const win::RECT&) {}

bool TclCustomTabControl::DoCanClose()
{
    bool canClose = true;
    if (OnCanClose) {
        OnCanClose(this, canClose);
    }
    return canClose;
}

void TclCustomTabControl::CloseActiveTab()
{
    if (tabIndex_ < 0) {
        return;
    }
    AliveGuard guard(this);
    tabs_->Delete(tabIndex_);
    if (guard.Alive()) {
        NotifyTabChange();
    }
}

bool TclCustomTabControl::SelectTabByAccel(char key)
{
    if (!CanFocus()) {
        return false;
    }
    for (int i = 0; i < tabs_->Count(); ++i) {
        if (gui::IsAccel(key, tabs_->Tab(i)->Caption()) && IsTabSelectable(i)) {
            SetTabIndex(i);
            return true;
        }
    }
    return false;
}

bool TclCustomTabControl::IsTabSelectable(int tabIndex)
{
    TclTab* tab = tabs_->Tab(tabIndex);
    return tab->Visible() && tab->Enabled() && Enabled();
}

int TclCustomTabControl::GetTabImageIndex(int tabIndex)
{
    int index = tabs_->Tab(tabIndex)->ImageIndex();
    if (OnGetImageIndex) {
        gui::TFreeHold hold(this);
        OnGetImageIndex(this, tabIndex, index);
    }
    index = std::max(index, -1);
    gui::TCustomImageList* images = Images();
    if (!images || images->Width() <= 0 || images->Height() <= 0 || index >= images->Count()) {
        return -1;
    }
    return index;
}

void TclCustomTabControl::ShowGoDialog()
{
    if (goDialog_) {
        AliveGuard guard(this);
        goDialog_->Popup(HasOption(pcoSort));
        if (!guard.Alive()) {
            return;
        }
    }
    ResetGoDialogState();
}

void TclCustomTabControl::GoDialogItemSelected(int tabIndex)
{
    ResetGoDialogState();
    if (tabIndex != -1) {
        SetTabIndex(tabIndex);
    }
}

void TclCustomTabControl::ResetGoDialogState()
{
    goDialogOpen_ = false;
    pressedButton_ = 0;
    SetButtonState(nbGoDialog, nbsNormal);
    UpdateHotState();
}

void TclCustomTabControl::ImageListChanged() { RebuildLayout(); }

void TclCustomTabControl::PrepareTabCanvasFont(TclTab* tab, controls::TclCanvas& canvas)
{
    canvas.SetCanvasFont(Font());
    if (painter_) {
        canvas.GetCanvasFont()->SetColor(painter_->GetTabTextColor(tab->VisibleIndex()));
    }
    if (OnDrawTabEx) {
        gui::TFreeHold hold(this);
        OnDrawTabEx(this, tab, canvas.GetCanvasFont());
    }
}

bool TclCustomTabControl::ConfirmTabChange(int)
{
    bool allow = true;
    if (!ChangeEventsLocked() && OnChanging) {
        OnChanging(this, allow);
    }
    return allow;
}

void TclCustomTabControl::NotifyTabChange()
{
    if (!ChangeEventsLocked()) {
        controls::clFireNotify(this, OnChange);
    }
}

void TclCustomTabControl::RebuildLayout() { Relayout(); }

// ------------------------------------------------------------------------------------------------------------
// Properties

void TclCustomTabControl::SetTabIndex(int value)
{
    if (IsLoading()) {
        storedTabIndex_ = value;
        tabIndexStored_ = true;
        return;
    }
    ChangeTabIndex(value);
}

void TclCustomTabControl::ChangeTabIndex(int value)
{
    if (value < -1 || value >= tabs_->Count()) {
        return;
    }
    if (value != -1 && RequiresVisibleActiveTab() && !tabs_->Tab(value)->Visible()) {
        value = -1;
    }
    if (value == tabIndex_) {
        return;
    }
    AliveGuard guard(this);
    if (!ConfirmTabChange(value) || !guard.Alive()) {
        return;
    }
    tabIndex_ = -1;
    UpdateCurrentVisibleIndex(true);
    for (int i = 0; i < tabs_->Count(); ++i) {
        tabs_->Tab(i)->SetSelectedValue(false);
    }
    focusedTab_ = -1;
    tabIndex_ = value;
    UpdateCurrentVisibleIndex(true);
    if (!multiLine_) {
        if (currentVisibleIndex_ != -1) {
            ScrollToTab(currentVisibleIndex_);
        }
        RebuildLayout();
    } else {
        RearrangeRowsForCurrent();
        RealignAndInvalidate();
    }
    UpdateNavigatorButtonStates();
    UpdateHotState();
    NotifyTabChange();
}

void TclCustomTabControl::SetFocusable(bool value)
{
    if (focusable_ != value) {
        focusable_ = value;
        SetTabStop(value);
    }
}

bool TclCustomTabControl::CanFocus() { return focusable_ && TclControl::CanFocus(); }

void TclCustomTabControl::SetHideTabs(bool value)
{
    if (hideTabs_ != value) {
        hideTabs_ = value;
        RealignAndInvalidate();
    }
}

void TclCustomTabControl::SetHotTrack(bool value)
{
    if (hotTrack_ != value) {
        hotTrack_ = value;
        UpdateHotState();
    }
}

void TclCustomTabControl::SetImageBorder(int value)
{
    if (value < 0 || imageBorder_ == value) {
        return;
    }
    imageBorder_ = value;
    if (visibleTabs_.Count() > 0) {
        RebuildLayout();
    }
}

gui::TCustomImageList* TclCustomTabControl::Images() const { return imageList_->BaseImages(); }

void TclCustomTabControl::SetImages(gui::TCustomImageList* value) { imageList_->SetBaseImages(value); }

void TclCustomTabControl::SetMaxRotatedTabWidth(int value)
{
    value = std::max(value, 0);
    if (value > 0 && painter_) {
        value = std::max(value, painter_->GetTabMinWidth(-1));
    }
    if (maxRotatedTabWidth_ == value) {
        return;
    }
    maxRotatedTabWidth_ = value;
    if (rotate_ && visibleTabs_.Count() > 0) {
        RebuildLayout();
    }
}

void TclCustomTabControl::SetMultiLine(bool value)
{
    if (multiLine_ != value) {
        multiLine_ = value;
        RebuildLayout();
    }
}

void TclCustomTabControl::SetNavigatorPosition(TclPCNavigatorPosition value)
{
    if (navigatorPosition_ != value) {
        navigatorPosition_ = value;
        RebuildLayout();
    }
}

void TclCustomTabControl::SetOptions(TclPCOptions value)
{
    if (options_ == value) {
        return;
    }
    const TclPCOptions changed = options_ ^ value;
    options_ = value;
    const TclPCOptions layoutBits = clPCOptionBit(pcoAlwaysShowGoDialogButton) | clPCOptionBit(pcoCloseButton)
                                    | clPCOptionBit(pcoFixedTabWidthWhenRotated) | clPCOptionBit(pcoGoDialog)
                                    | clPCOptionBit(pcoGradient) | clPCOptionBit(pcoGradientClientArea)
                                    | clPCOptionBit(pcoNoArrows) | clPCOptionBit(pcoTopToBottomText);
    if (changed & layoutBits) {
        RebuildLayout();
    } else if (changed & clPCOptionBit(pcoUsePageColorForTab)) {
        Invalidate();
    }
}

void TclCustomTabControl::SetOwnerDraw(bool value)
{
    if (ownerDraw_ != value) {
        ownerDraw_ = value;
        Invalidate();
    }
}

void TclCustomTabControl::SetRaggedRight(bool value)
{
    if (raggedRight_ != value) {
        raggedRight_ = value;
        if (multiLine_) {
            RebuildLayout();
        }
    }
}

void TclCustomTabControl::SetRotate(bool value)
{
    if (rotate_ == value) {
        return;
    }
    if (value && painter_ && !painter_->ClassRef()->IsTabRotationSupported()) {
        throw rtl::Exception(
            rtl::Format("%s style does not support rotation of tabs", {painter_->ClassRef()->GetStyleName()}));
    }
    rotate_ = value;
    RebuildLayout();
}

void TclCustomTabControl::SetScrollOpposite(bool value)
{
    if (scrollOpposite_ == value) {
        return;
    }
    scrollOpposite_ = value;
    if (!multiLine_) {
        return;
    }
    if (tabIndex_ != -1) {
        RearrangeRowsForCurrent();
        RealignAndInvalidate();
    } else {
        Realign();
    }
}

void TclCustomTabControl::SetShowFrame(bool value)
{
    if (showFrame_ != value) {
        showFrame_ = value;
        RebuildLayout();
    }
}

void TclCustomTabControl::SetTabPosition(TclTabPosition value)
{
    if (tabPosition_ != value) {
        tabPosition_ = value;
        RebuildLayout();
    }
}

void TclCustomTabControl::SetTabWidth(int value)
{
    if (value < INT16_MIN || value > INT16_MAX) {
        throw rtl::EInvalidArgument(rtl::Format("TabWidth %d is outside -32768..32767", {value}));
    }
    if (tabWidth_ != value) {
        tabWidth_ = std::int16_t(value);
        RebuildLayout();
    }
}

void TclCustomTabControl::SetTabHeight(int value)
{
    if (value < INT16_MIN || value > INT16_MAX) {
        throw rtl::EInvalidArgument(rtl::Format("TabHeight %d is outside -32768..32767", {value}));
    }
    if (tabHeight_ != value) {
        tabHeight_ = std::int16_t(value);
        RebuildLayout();
    }
}

void TclCustomTabControl::SetTabSlants(TclTabSlants* value) { tabSlants_->Assign(value); }

void TclCustomTabControl::TabSlantsChanged(classes::TObject*) { RebuildLayout(); }

// ------------------------------------------------------------------------------------------------------------
// Choosing the painter

TclPCCustomPainterClass TclCustomTabControl::PainterClass() const { return painter_ ? painter_->ClassRef() : nullptr; }

void TclCustomTabControl::SetStyle(TclPCStyleID value)
{
    if (value == 0) {
        style_ = 0;
        ChooseStyleByLookAndFeel();
        return;
    }
    if (value == style_ || !PaintersFactory() || !PaintersFactory()->FindPainterClass(value)) {
        return;
    }
    ApplyStyle(value);
}

void TclCustomTabControl::ChooseStyleByLookAndFeel()
{
    TclPCPaintersFactory* factory = PaintersFactory();
    if (!factory) {
        throw rtl::Exception("TclPCPaintersFactory.GetDefaultStyleID: There are no styles registered");
    }
    TclPCStyleID id = factory->FindStyleIDForLookAndFeel(LookAndFeel());
    if (id == -1) {
        id = factory->GetDefaultStyleID(LookAndFeel());
    }
    ApplyStyle(id);
    style_ = 0;
}

void TclCustomTabControl::ApplyStyle(TclPCStyleID value)
{
    TclPCPaintersFactory* factory = PaintersFactory();
    TclPCCustomPainterClass cls = factory ? factory->FindPainterClass(value) : nullptr;
    if (!cls) {
        return;
    }
    style_ = value;
    if (painter_ && painter_->ClassRef() == cls) {
        return;
    }
    factory->ReleasePainter(painter_);
    painter_ = factory->GetPainterInstance(cls, this);
    if (rotate_ && !cls->IsTabRotationSupported()) {
        rotate_ = false;
    }
    DropRotatedCaptions();
    RebuildLayout();
    RepaintWithChildren();
}

void TclCustomTabControl::DropRotatedCaptions()
{
    for (int i = 0; i < tabs_->Count(); ++i) {
        tabs_->Tab(i)->DropRotatedCaptionBitmap();
    }
}

void TclCustomTabControl::HandleLookAndFeelChange(controls::TclLookAndFeel*, controls::TclLookAndFeelValues changed)
{
    if (destroying_) {
        return;
    }
    if (style_ == 0) {
        ChooseStyleByLookAndFeel();
    }
    RebuildLayout();
    if (changed & controls::lfvNativeStyle) {
        RepaintWithChildren();
    }
}

// ------------------------------------------------------------------------------------------------------------
// Tab reports and selection

void TclCustomTabControl::RepaintTab(int visibleIndex, TclPCTabRepaintReason reason)
{
    if (IsLoading() || destroying_ || IsDestroying()) {
        return;
    }
    if (reason == clpcrLayout || visibleIndex == -1) {
        RebuildLayout();
        return;
    }
    if (painter_) {
        painter_->RepaintTab(visibleIndex, reason);
    }
}

void TclCustomTabControl::SetSelectedTab(TclTab* tab, bool value)
{
    if (IsLoading()) {
        tab->SetSelectedValue(value);
        return;
    }
    if (painter_ && painter_->ClassRef()->AllowsMultiSelect()) {
        if (value) {
            for (int i = 0; i < tabs_->Count(); ++i) {
                if (tabs_->Tab(i) != tab && tabs_->Tab(i)->Selected()) {
                    multiSelect_ = true;
                    break;
                }
            }
        }
    } else if (value && !tab->IsCurrent()) {
        return;
    }
    const bool wasDisplayed = tab->IsDisplayed();
    tab->SetSelectedValue(value);
    if (wasDisplayed || tab->IsDisplayed()) {
        RepaintTab(tab->VisibleIndex(), clpcrSelected);
    }
}

void TclCustomTabControl::RealignAndInvalidate()
{
    Realign();
    Invalidate();
}

// ------------------------------------------------------------------------------------------------------------
// Painting and messages

void TclCustomTabControl::Paint()
{
    if (destroying_ || IsDestroying() || !painter_) {
        return;
    }
    const int depth = painter_->SavedClipRegionCount();
    painter_->SaveClipRegion();
    try {
        painter_->Paint();
    } catch (...) {
        // A painter that failed half-way may leave clips of its own saved above ours.
        while (painter_->SavedClipRegionCount() > depth) {
            painter_->RestoreClipRegion();
        }
        throw;
    }
    painter_->RestoreClipRegion();
}

void TclCustomTabControl::CreateParams(gui::TCreateParams& params)
{
    TclControl::CreateParams(params);
    params.windowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TclCustomTabControl::CreateWnd()
{
    TclControl::CreateWnd();
    RebuildLayout();
    Realign();
}

void TclCustomTabControl::Resize()
{
    TclControl::Resize();
    RebuildLayout();
    Realign();
    if (HasOption(pcoRedrawOnResize) && painter_ && painter_->NeedsRedrawOnResize()) {
        RepaintWithChildren();
    }
}

bool TclCustomTabControl::HasFocusWithin()
{
    if (!HandleAllocated()) {
        return false;
    }
    const win::HWND focus = win::GetFocus();
    return focus && controls::clIsSameOrChildWindow(Handle(), focus);
}

void TclCustomTabControl::WndProc(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_ERASEBKGND:
        message.Result = 1;
        return;
    case win::WM_GETDLGCODE:
        message.Result = win::DLGC_WANTARROWS;
        return;
    case gui::CM_DIALOGKEY:
        if (HasFocusWithin()) {
            win::WORD key = win::WORD(message.WParam);
            if (ProcessNavigationKey(key, gui::KeyDataToShiftState(message.LParam))) {
                message.Result = 1;
                return;
            }
        }
        break;
    case gui::CM_DIALOGCHAR:
        if (SelectTabByAccel(char(message.WParam))) {
            message.Result = 1;
            return;
        }
        break;
    case gui::CM_FONTCHANGED:
        TclControl::WndProc(message);
        RebuildLayout();
        return;
    case gui::CM_ENABLEDCHANGED:
    case gui::CM_PARENTCOLORCHANGED:
        TclControl::WndProc(message);
        Invalidate();
        return;
    case gui::CM_MOUSELEAVE: {
        AliveGuard guard(this);
        TclControl::WndProc(message);
        if (guard.Alive()) {
            UpdateHotState();
        }
        return;
    }
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: {
        AliveGuard guard(this);
        TclControl::WndProc(message);
        if (guard.Alive() && currentVisibleIndex_ != -1 && visibleTabs_.Tab(currentVisibleIndex_)->IsDisplayed()) {
            RepaintTab(currentVisibleIndex_, clpcrControlFocus);
        }
        return;
    }
    default:
        break;
    }
    TclControl::WndProc(message);
}

// ------------------------------------------------------------------------------------------------------------
// Loading and stored data

void TclCustomTabControl::Loaded()
{
    TclControl::Loaded();
    RebuildLayout();
    if (tabIndexStored_) {
        tabIndexStored_ = false;
        LockChangeEvents();
        SetTabIndex(storedTabIndex_);
        UnlockChangeEvents();
    }
    Realign();
}

void TclCustomTabControl::AdjustClientRect(win::RECT& rect)
{
    if (IsLoading() || !painter_) {
        if (storedClientRectRead_) {
            rect = storedClientRect_;
        }
    } else {
        rect = painter_->GetPageClientRect();
    }
    if (rect.right < rect.left) {
        std::swap(rect.left, rect.right);
    }
    if (rect.bottom < rect.top) {
        std::swap(rect.top, rect.bottom);
    }
}

namespace {

int RectEdge(const win::RECT& rect, int edge)
{
    switch (edge) {
    case 0:
        return rect.left;
    case 1:
        return rect.top;
    case 2:
        return rect.right;
    default:
        return rect.bottom;
    }
}

void SetRectEdge(win::RECT& rect, int edge, int value)
{
    switch (edge) {
    case 0:
        rect.left = value;
        break;
    case 1:
        rect.top = value;
        break;
    case 2:
        rect.right = value;
        break;
    default:
        rect.bottom = value;
        break;
    }
}

}  // namespace

void TclCustomTabControl::DefineProperties(classes::TFiler& filer)
{
    TclControl::DefineProperties(filer);
    static const char* const names[] = {"ClientRectLeft", "ClientRectTop", "ClientRectRight", "ClientRectBottom"};
    const win::RECT current = painter_ ? painter_->GetPageClientRect() : win::RECT{};
    const auto* ancestor = dynamic_cast<const TclCustomTabControl*>(filer.Ancestor());
    const win::RECT ancestorRect =
        ancestor && ancestor->painter_ ? ancestor->painter_->GetPageClientRect() : win::RECT{};
    for (int edge = 0; edge < 4; ++edge) {
        const int value = RectEdge(current, edge);
        bool hasData = false;
        if (ancestor) {
            hasData = value != RectEdge(ancestorRect, edge);
        } else {
            hasData = edge == 1 || edge == 2 || value != 0;
        }
        filer.DefineProperty(
            names[edge], [this, edge](classes::TReader& reader) { ReadClientRectEdge(reader, edge); },
            [value](classes::TWriter& writer) { writer.WriteInteger(value); }, hasData);
    }
}

void TclCustomTabControl::ReadClientRectEdge(classes::TReader& reader, int edge)
{
    const std::int64_t value = reader.ReadInteger();
    SetRectEdge(storedClientRect_, edge, int(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX)));
    if (edge == 1) {
        storedClientRectRead_ = true;
    }
}

}  // namespace pagecontrol
