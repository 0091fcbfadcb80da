#include "controls/pagecontrol/clPCTabs.h"

#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCPainters.h"

#include "controls/clBitmaps.h"
#include "controls/clClasses.h"
#include "controls/clGraphics.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <algorithm>

namespace pagecontrol {

namespace {

[[noreturn]] void RaiseTabError(const char* className, const char* operation, const std::string& message)
{
    throw rtl::Exception(std::string(className) + "." + operation + ": " + message);
}

}  // namespace

// ------------------------------------------------------------------------------------------------------------
// TclTab

TclTab::TclTab(TclTabs* tabs, int index) : imageIndex_(index), index_(index), tabs_(tabs) {}

TclTab::~TclTab()
{
    if (tabs_) {
        tabs_->Forget(this);
    }
}

const classes::TClassInfo& TclTab::StaticClass()
{
    static const classes::TClassInfo info("TclTab", &TPersistent::StaticClass());
    return info;
}

void TclTab::Assign(const classes::TPersistent* source)
{
    const auto* tab = dynamic_cast<const TclTab*>(source);
    if (!tab) {
        TPersistent::Assign(source);
        return;
    }
    caption_ = tab->caption_;
    enabled_ = tab->enabled_;
    highlighted_ = tab->highlighted_;
    SetImageIndex(tab->imageIndex_);
    object_ = tab->object_;
    SetVisible(tab->visible_);
    SetSelected(tab->selected_);
}

TclCustomTabControl* TclTab::Control() const { return tabs_ ? tabs_->Control() : nullptr; }

bool TclTab::IsCurrent() const { return Control() && Control()->TabIndex() == index_; }

bool TclTab::IsHot() const
{
    const int visibleIndex = VisibleIndex();
    return visibleIndex != -1 && Control()->HotTab() == visibleIndex;
}

bool TclTab::IsPressed() const
{
    const int visibleIndex = VisibleIndex();
    return visibleIndex != -1 && Control()->PressedTab() == visibleIndex;
}

bool TclTab::IsFocused() const
{
    const int visibleIndex = VisibleIndex();
    return visibleIndex != -1 && Control()->FocusedTab() == visibleIndex;
}

bool TclTab::IsSelectable() const { return enabled_ && Control() && Control()->Enabled(); }

int TclTab::VisibleIndex() const
{
    TclCustomTabControl* control = Control();
    return control ? control->VisibleTabs().VisibleIndexOf(index_) : -1;
}

TclTabPosition TclTab::RowSide() const
{
    TclCustomTabControl* control = Control();
    const bool start = visibleRow_ < control->StartRowCount();
    if (control->IsRowVertical()) {
        return start ? tpLeft : tpRight;
    }
    return start ? tpTop : tpBottom;
}

win::RECT TclTab::NormalRect() const
{
    TclCustomTabControl* control = Control();
    const int along = control->Rotate() ? tabs_->TabNormalHeight() : normalWidth_;
    const int across = control->TabRowThickness();
    if (control->IsRowVertical()) {
        return {normalTopLeft_.x, normalTopLeft_.y, normalTopLeft_.x + across, normalTopLeft_.y + along};
    }
    return {normalTopLeft_.x, normalTopLeft_.y, normalTopLeft_.x + along, normalTopLeft_.y + across};
}

win::RECT TclTab::FullRect() const
{
    win::RECT rect = NormalRect();
    rect.left += correction_.left;
    rect.top += correction_.top;
    rect.right += correction_.right;
    rect.bottom += correction_.bottom;
    return rect;
}

win::RECT TclTab::VisibleRect() const
{
    TclCustomTabControl* control = Control();
    const int visibleIndex = VisibleIndex();
    if (!visible_ || visibleIndex == -1 || control->RowCount() == 0) {
        return {};
    }
    if (!control->MultiLine()
        && (visibleIndex < control->FirstDisplayedTab() || visibleIndex > control->LastDisplayedTab())) {
        return {};
    }
    const win::RECT row = visibleRow_ < control->StartRowCount() ? control->StartRowRect() : control->EndRowRect();
    win::RECT result{};
    const win::RECT full = FullRect();
    if (!win::IntersectRect(&result, &full, &row)) {
        return {};
    }
    return result;
}

bool TclTab::IsDisplayed() const { return !controls::clRectHasNoArea(VisibleRect()); }

int TclTab::ContentOrientationCode() const
{
    return clPCContentOrientationCode(RowSide(), Control()->CaptionDirection());
}

void TclTab::Report(TclPCTabRepaintReason reason)
{
    if (TclCustomTabControl* control = Control()) {
        control->RepaintTab(VisibleIndex(), reason);
    }
}

void TclTab::ReportChange(TclPCTabRepaintReason reason, bool wasDisplayed)
{
    if (wasDisplayed || IsDisplayed()) {
        Report(reason);
    }
}

void TclTab::SetCaption(const std::string& value)
{
    if (caption_ == value) {
        return;
    }
    caption_ = value;
    TclCustomTabControl* control = Control();
    if (!visible_ || !control || !control->Painter() || control->IsLoading()) {
        return;
    }
    DropRotatedCaptionBitmap();
    const int oldWidth = normalWidth_;
    const int oldWidest = control->WidestRotatedCaption();
    normalWidth_ = control->Painter()->CalculateTabNormalWidth(this);
    if (normalWidth_ != oldWidth || (control->Rotate() && clPCGetTabTextSize(this).cx > oldWidest)) {
        control->RebuildLayout();
    } else if (IsDisplayed()) {
        Report(clpcrCaption);
    }
}

void TclTab::SetColor(gui::TColor value)
{
    if (color_ == value) {
        return;
    }
    color_ = value;
    if (IsDisplayed()) {
        Report(clpcrColor);
    }
}

void TclTab::SetEnabled(bool value)
{
    if (enabled_ == value) {
        return;
    }
    const bool wasDisplayed = IsDisplayed();
    enabled_ = value;
    ReportChange(clpcrEnabled, wasDisplayed);
}

void TclTab::SetHighlighted(bool value)
{
    if (highlighted_ == value) {
        return;
    }
    highlighted_ = value;
    Report(clpcrHighlighted);
}

void TclTab::SetImageIndex(int value)
{
    value = std::max(value, -1);
    if (imageIndex_ == value) {
        return;
    }
    imageIndex_ = value;
    if (IsDisplayed()) {
        Report(clpcrLayout);
    }
}

void TclTab::SetSelected(bool value)
{
    if (selected_ == value) {
        return;
    }
    if (TclCustomTabControl* control = Control()) {
        control->SetSelectedTab(this, value);
    } else {
        selected_ = value;
    }
}

void TclTab::SetVisible(bool value)
{
    if (visible_ == value) {
        return;
    }
    visible_ = value;
    TclCustomTabControl* control = Control();
    if (!control) {
        return;
    }
    if (value) {
        control->VisibleTabs().Add(index_);
    } else {
        control->VisibleTabs().Remove(index_);
    }
    control->RebuildLayout();
}

void TclTab::SetRotatedCaptionBitmap(std::unique_ptr<controls::TclBitmap> bitmap)
{
    rotatedCaption_ = std::move(bitmap);
}

void TclTab::DropRotatedCaptionBitmap() { rotatedCaption_.reset(); }

controls::TclBitmap* TclTab::PaintBitmap()
{
    if (!paintBitmap_) {
        paintBitmap_ = std::make_unique<controls::TclBitmap>(0, 0);
    }
    return paintBitmap_.get();
}

// ------------------------------------------------------------------------------------------------------------
// TclTabs

TclTabs::TclTabs(TclCustomTabControl* control) : control_(control) {}

TclTabs::~TclTabs()
{
    ++updating_;
    for (TclTab* tab : tabs_) {
        tab->tabs_ = nullptr;
        delete tab;
    }
    tabs_.clear();
}

void TclTabs::CheckIndex(int index, const char* operation) const
{
    if (index < 0 || index >= Count()) {
        RaiseTabError("TclTabs", operation, rtl::Format("Tab's index (%d) out of bounds", {index}));
    }
}

TclTab* TclTabs::Tab(int index) const
{
    CheckIndex(index, "GetTab");
    return tabs_[std::size_t(index)];
}

TclTab* TclTabs::VisibleTab(int visibleIndex) const
{
    const int count = VisibleTabCount();
    if (visibleIndex < 0 || visibleIndex >= count) {
        RaiseTabError("TclTabs", "GetVisibleTab",
                      rtl::Format("TabVisibleIndex (%d) must be between 0 and %d", {visibleIndex, count - 1}));
    }
    return control_->VisibleTabs().Tab(visibleIndex);
}

int TclTabs::VisibleTabCount() const { return control_->VisibleTabs().Count(); }

std::string TclTabs::Get(int index) const
{
    CheckIndex(index, "Get");
    return tabs_[std::size_t(index)]->caption_;
}

void TclTabs::Put(int index, const std::string& s) { Tab(index)->SetCaption(s); }

void* TclTabs::GetObject(int index) const { return Tab(index)->object_; }

void TclTabs::PutObject(int index, void* object) { Tab(index)->object_ = object; }

void TclTabs::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) {
        RaiseTabError("TclTabs", "Insert", rtl::Format("Tab's index (%d) out of bounds", {index}));
    }
    auto* tab = new TclTab(this, index);
    tab->caption_ = s;
    tabs_.insert(tabs_.begin() + index, tab);
    Renumber(index + 1);
    if (control_->tabIndex_ >= index && control_->tabIndex_ != -1) {
        ++control_->tabIndex_;
    }
    StructureChanged();
    if (Count() == 1 && control_->tabIndex_ == -1 && !control_->IsLoading()) {
        control_->LockChangeEvents();
        control_->SetTabIndex(0);
        control_->UnlockChangeEvents();
    }
}

void TclTabs::Delete(int index)
{
    CheckIndex(index, "Delete");
    if (updating_ > 0) {
        return;
    }
    TclTab* tab = tabs_[std::size_t(index)];
    ++updating_;
    tabs_.erase(tabs_.begin() + index);
    tab->tabs_ = nullptr;
    delete tab;
    --updating_;
    Renumber(index);
    int& current = control_->tabIndex_;
    if (current > index || (current == index && current >= Count())) {
        --current;
    }
    StructureChanged();
}

void TclTabs::Clear()
{
    if (tabs_.empty()) {
        return;
    }
    ++updating_;
    std::vector<TclTab*> old;
    old.swap(tabs_);
    for (TclTab* tab : old) {
        tab->tabs_ = nullptr;
        delete tab;
    }
    --updating_;
    control_->tabIndex_ = -1;
    StructureChanged();
}

void TclTabs::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex || curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count()) {
        return;
    }
    TclTab* current = control_->tabIndex_ >= 0 ? tabs_[std::size_t(control_->tabIndex_)] : nullptr;
    TclTab* tab = tabs_[std::size_t(curIndex)];
    tabs_.erase(tabs_.begin() + curIndex);
    tabs_.insert(tabs_.begin() + newIndex, tab);
    Renumber(0);
    if (current) {
        control_->tabIndex_ = current->index_;
    }
    StructureChanged();
}

void TclTabs::Renumber(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i) {
        tabs_[std::size_t(i)]->index_ = i;
    }
}

void TclTabs::Forget(TclTab* tab)
{
    if (updating_ > 0 || notifying_) {
        return;
    }
    const auto it = std::find(tabs_.begin(), tabs_.end(), tab);
    if (it == tabs_.end()) {
        return;
    }
    const int index = int(it - tabs_.begin());
    if (control_->focusedTab_ != -1 && control_->focusedTab_ == tab->VisibleIndex()) {
        control_->focusedTab_ = -1;
    }
    notifying_ = true;
    tabs_.erase(it);
    tab->tabs_ = nullptr;
    Renumber(index);
    int& current = control_->tabIndex_;
    if (current > index || (current == index && current >= Count())) {
        --current;
    }
    StructureChanged();
    notifying_ = false;
}

void TclTabs::StructureChanged()
{
    control_->VisibleTabs().Rebuild();
    control_->RebuildLayout();
}

// ------------------------------------------------------------------------------------------------------------
// TclVisibleTabList

TclTab* TclVisibleTabList::Tab(int visibleIndex) const
{
    if (indexes_.empty()) {
        RaiseTabError("TclVisibleTabList", "GetTab", "There are no visible tabs");
    }
    if (visibleIndex < 0 || visibleIndex >= Count()) {
        RaiseTabError("TclVisibleTabList", "GetTab",
                      rtl::Format("TabVisibleIndex (%d) must be between 0 and %d", {visibleIndex, Count() - 1}));
    }
    return control_->Tabs()->Tab(indexes_[std::size_t(visibleIndex)]);
}

bool TclVisibleTabList::Find(int tabIndex, int& index) const
{
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int value = indexes_[std::size_t(middle)];
        if (value == tabIndex) {
            index = middle;
            return true;
        }
        if (value < tabIndex) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    index = low;
    return false;
}

void TclVisibleTabList::Add(int tabIndex)
{
    int index = 0;
    if (!Find(tabIndex, index)) {
        indexes_.insert(indexes_.begin() + index, tabIndex);
    }
}

void TclVisibleTabList::Remove(int tabIndex)
{
    int index = 0;
    if (Find(tabIndex, index)) {
        indexes_.erase(indexes_.begin() + index);
    }
}

void TclVisibleTabList::Rebuild()
{
    indexes_.clear();
    TclTabs* tabs = control_->Tabs();
    if (!tabs) {
        return;
    }
    for (int i = 0; i < tabs->Count(); ++i) {
        if (tabs->Tab(i)->Visible()) {
            indexes_.push_back(i);
        }
    }
}

int TclVisibleTabList::VisibleIndexOf(int tabIndex) const
{
    int index = 0;
    return Find(tabIndex, index) ? index : -1;
}

// ------------------------------------------------------------------------------------------------------------
// TclTabSlants

const classes::TClassInfo& TclTabSlants::StaticClass()
{
    static const classes::TTypeInfo kindType = classes::EnumType("TclTabSlantKind", {"skCutCorner", "skSlant"});
    static const classes::TTypeInfo positionType = classes::EnumType("TclTabSlantPosition", {"spLeft", "spRight"});
    static const classes::TTypeInfo positionsType = classes::SetType("TclTabSlantPositions", positionType);
    static const classes::TClassInfo info("TclTabSlants", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclTabSlants>(c)
            .Property("Kind", kindType, &TclTabSlants::Kind, &TclTabSlants::SetKind)
            .Default(skSlant)
            .Property("Positions", positionsType, &TclTabSlants::Positions, &TclTabSlants::SetPositions)
            .Default(1u << spLeft);
    });
    return info;
}

void TclTabSlants::Assign(const classes::TPersistent* source)
{
    const auto* slants = dynamic_cast<const TclTabSlants*>(source);
    if (!slants) {
        TPersistent::Assign(source);
        return;
    }
    if (kind_ == slants->kind_ && positions_ == slants->positions_) {
        return;
    }
    kind_ = slants->kind_;
    positions_ = slants->positions_;
    Changed();
}

void TclTabSlants::SetKind(TclTabSlantKind value)
{
    if (kind_ != value) {
        kind_ = value;
        Changed();
    }
}

void TclTabSlants::SetPositions(TclTabSlantPositions value)
{
    if (positions_ != value) {
        positions_ = value;
        Changed();
    }
}

void TclTabSlants::Changed() { controls::clFireNotify(this, OnChange); }

// ------------------------------------------------------------------------------------------------------------
// Routines

void clPCGetVisibleTabRange(TclCustomTabControl* control, int& first, int& last)
{
    if (control->MultiLine()) {
        first = control->VisibleTabs().Count() > 0 ? 0 : -1;
        last = control->VisibleTabs().Count() > 0 ? control->VisibleTabs().Count() - 1 : -2;
        return;
    }
    if (control->FirstDisplayedTab() < 0 || control->VisibleTabs().Count() == 0) {
        first = -1;
        last = -2;
        return;
    }
    first = control->FirstDisplayedTab();
    last = control->LastDisplayedTab();
}

win::RECT clPCOrientRect(const win::RECT& r, TclTabPosition position)
{
    switch (position) {
    case tpBottom:
        return {r.right, r.bottom, r.left, r.top};
    case tpLeft:
        return {r.top, r.right, r.bottom, r.left};
    case tpRight:
        return {r.bottom, r.left, r.top, r.right};
    default:
        return r;
    }
}

win::RECT clPCOrientRectInverse(const win::RECT& rect, TclTabPosition position)
{
    if (position == tpLeft) {
        return clPCOrientRect(rect, tpRight);
    }
    if (position == tpRight) {
        return clPCOrientRect(rect, tpLeft);
    }
    return clPCOrientRect(rect, position);
}

win::SIZE clPCGetTabTextSize(TclTab* tab, gui::TFont* font)
{
    controls::TclScreenCanvas* screen = controls::clGetScreenCanvas();
    if (!screen) {
        return {};
    }
    screen->PushState();
    if (font) {
        screen->SetCanvasFont(font);
    } else if (TclCustomTabControl* control = tab->Control()) {
        control->PrepareTabCanvasFont(tab, *screen);
    }
    const win::SIZE size = screen->MeasureText(tab->Caption());
    screen->PopState();
    return size;
}

int clPCContentOrientationCode(TclTabPosition rowSide, TclPCCaptionDirection direction)
{
    static constexpr int codes[4][3] = {{1, 2, 3}, {10, 11, 12}, {6, 4, 5}, {9, 7, 8}};
    return codes[rowSide][direction];
}

}  // namespace pagecontrol
