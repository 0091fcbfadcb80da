// The page control: its page list, the active page and the change of page with the form's focus and the
// change events, and what it changes of the tab control.

#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/detail/AliveGuard.h"

#include "controls/clLookAndFeels.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/graphics/ImageList.h"

#include <algorithm>
#include <optional>

namespace pagecontrol {

using detail::AliveGuard;

namespace {

// A link to an object that may be null; a null object stays "alive".
class OptionalGuard {
public:
    explicit OptionalGuard(classes::TObject* object)
    {
        if (object) {
            guard_.emplace(object);
        }
    }
    bool Alive() const { return !guard_ || guard_->Alive(); }

private:
    std::optional<AliveGuard> guard_;
};

}  // namespace

TclPageControl::TclPageControl(classes::TComponent* owner) : TclCustomTabControl(owner) {}

TclPageControl::~TclPageControl()
{
    for (TclTabSheet* page : pages_) {
        page->pageControl_ = nullptr;
        page->tab_ = nullptr;
    }
    pages_.clear();
    activePage_ = nullptr;
    undockingPage_ = nullptr;
}

const classes::TClassInfo& TclPageControl::StaticClass()
{
    static const classes::TTypeInfo canCloseType = classes::MethodType<void(classes::TObject*, bool&)>("TclPCCanCloseEvent");
    static const classes::TTypeInfo drawTabType =
        classes::MethodType<void(TclCustomTabControl*, TclTab*, bool&)>("TclDrawTabEvent");
    static const classes::TTypeInfo drawTabExType =
        classes::MethodType<void(TclCustomTabControl*, TclTab*, gui::TFont*)>("TclDrawTabExEvent");
    static const classes::TTypeInfo getImageType =
        classes::MethodType<void(classes::TObject*, int, int&)>("TclGetTabImageEvent");
    static const classes::TTypeInfo pageChangingType =
        classes::MethodType<void(classes::TObject*, TclTabSheet*, bool&)>("TclPageChangingEvent");
    static const classes::TClassInfo info("TclPageControl", &TclCustomTabControl::StaticClass(), [](classes::TClassInfo& c) {
        using T = TclPageControl;
        classes::ClassBuilder<T>(c)
            .Property("ActivePage", classes::ClassRefType<TclTabSheet>(), &T::ActivePage, &T::SetActivePage)
            .Property("Focusable", &T::Focusable, &T::SetFocusable).Default(1)
            .Property("HideTabs", &T::HideTabs, &T::SetHideTabs).Default(0)
            .Property("HotTrack", &T::HotTrack, &T::SetHotTrack).Default(0)
            .Property("ImageBorder", &T::ImageBorder, &T::SetImageBorder).Default(0)
            .Property("Images", classes::ClassRefType<gui::TCustomImageList>(), &T::Images, &T::SetImages)
            .Property("LookAndFeel", &T::LookAndFeel, &T::SetLookAndFeel)
            .Property("MaxRotatedTabWidth", &T::MaxRotatedTabWidth, &T::SetMaxRotatedTabWidth).Default(0)
            .Property("MultiLine", &T::MultiLine, &T::SetMultiLine).Default(0)
            .Property("NavigatorPosition", NavigatorPositionType(), &T::NavigatorPosition, &T::SetNavigatorPosition)
            .Default(npRightTop)
            .Property("Options", PCOptionsType(), &T::Options, &T::SetOptions).Default(clPCDefaultOptions)
            .Property("OwnerDraw", &T::OwnerDraw, &T::SetOwnerDraw).Default(0)
            .Property("RaggedRight", &T::RaggedRight, &T::SetRaggedRight).Default(0)
            .Property("Rotate", &T::Rotate, &T::SetRotate).Default(0)
            .Property("ScrollOpposite", &T::ScrollOpposite, &T::SetScrollOpposite).Default(0)
            .Property("ShowFrame", &T::ShowFrame, &T::SetShowFrame).Default(0)
            .Property("Style", &T::Style, &T::SetStyle).Default(0)
            .Property("TabHeight", classes::TypeInfoOf<std::int16_t>(), &T::TabHeight, &T::SetTabHeight).Default(0)
            .Property("TabPosition", TabPositionType(), &T::TabPosition, &T::SetTabPosition).Default(tpTop)
            .Property("TabSlants", &T::TabSlants, &T::SetTabSlants)
            .Property("TabWidth", classes::TypeInfoOf<std::int16_t>(), &T::TabWidth, &T::SetTabWidth).Default(0)
            .Property("OnCanClose", canCloseType, &T::OnCanClose)
            .Property("OnChange", classes::NotifyEventType(), &T::OnChange)
            .Property("OnDrawTab", drawTabType, &T::OnDrawTab)
            .Property("OnDrawTabEx", drawTabExType, &T::OnDrawTabEx)
            .Property("OnGetImageIndex", getImageType, &T::OnGetImageIndex)
            .Property("OnPageChanging", pageChangingType, &T::OnPageChanging);
    });
    return info;
}

// ------------------------------------------------------------------------------------------------------------
// Pages

TclTabSheet* TclPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount()) {
        throw rtl::EListError(rtl::Format("List index out of bounds (%d)", {index}));
    }
    return pages_[std::size_t(index)];
}

int TclPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TclPageControl::SetActivePageIndex(int value)
{
    SetActivePage(value >= 0 && value < PageCount() ? pages_[std::size_t(value)] : nullptr);
}

TclTabSheet* TclPageControl::FindNeighbourPage(TclTabSheet* page, bool forward, bool wrap, bool checkTabVisible) const
{
    const int count = PageCount();
    if (count == 0) {
        return nullptr;
    }
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    int index = 0;
    if (it != pages_.end()) {
        index = int(it - pages_.begin());
    } else {
        // A page not in the list: the first step lands on the first (or last) page.
        index = forward ? -1 : count;
    }
    for (int steps = 0; steps < count; ++steps) {
        index += forward ? 1 : -1;
        if (index < 0 || index >= count) {
            if (!wrap) {
                return nullptr;
            }
            index = forward ? 0 : count - 1;
        }
        TclTabSheet* candidate = pages_[std::size_t(index)];
        if (!checkTabVisible || (candidate->TabVisible() && candidate->Enabled())) {
            return candidate;
        }
    }
    return nullptr;
}

void TclPageControl::SelectNeighbourPage(bool forward, bool checkTabVisible)
{
    TclTabSheet* page = FindNeighbourPage(activePage_, forward, true, checkTabVisible);
    if (page && page != activePage_) {
        SetActivePage(page);
    }
}

TclTabSheet* TclPageControl::PageOfTab(const TclTab* tab) const
{
    for (TclTabSheet* page : pages_) {
        if (page->tab_ == tab) {
            return page;
        }
    }
    return nullptr;
}

void TclPageControl::InsertPage(TclTabSheet* page)
{
    struct Inserting {
        bool& flag;
        explicit Inserting(bool& f) : flag(f) { flag = true; }
        ~Inserting() { flag = false; }
    };
    {
        Inserting inserting(pageInserting_);
        pages_.push_back(page);
        page->pageControl_ = this;
        try {
            page->TCustomControl::SetParent(this);
            Tabs()->Add(page->Caption());
        } catch (...) {
            std::erase(pages_, page);
            page->pageControl_ = nullptr;
            if (page->Parent() == this) {
                page->TCustomControl::SetParent(nullptr);
            }
            throw;
        }
        page->tab_ = Tabs()->Tab(Tabs()->Count() - 1);
    }
    UpdateTab(page);
    if (!IsLoading() && !activePage_) {
        SetActivePage(page);
    } else if (page != activePage_ && page->Visible()) {
        // A page shown in the page control it came from.
        page->TCustomControl::SetVisible(false);
    }
}

void TclPageControl::RemovePage(TclTabSheet* page)
{
    const bool quiet = IsDestroying() || destroying_;
    const bool designing = HasState(classes::csDesigning);
    TclTabSheet* neighbour = nullptr;
    if (!quiet && page == activePage_) {
        neighbour = FindNeighbourPage(page, true, false, !designing);
        if (!neighbour) {
            neighbour = FindNeighbourPage(page, false, false, !designing);
        }
    }
    const bool wasActive = page == activePage_;
    if (wasActive) {
        activePage_ = nullptr;
    }
    std::erase(pages_, page);
    TclTab* tab = page->tab_;
    page->tab_ = nullptr;
    page->pageControl_ = nullptr;
    if (undockingPage_ == page) {
        undockingPage_ = nullptr;
    }
    AliveGuard self(this);
    if (tab && tab->Tabs()) {
        Tabs()->Delete(tab->Index());
    }
    if (!self.Alive()) {
        return;
    }
    tabIndex_ = -1;
    currentVisibleIndex_ = -1;
    if (page->Parent() == this) {
        page->TCustomControl::SetParent(nullptr);
    }
    if (quiet) {
        return;
    }
    if (!wasActive) {
        // Another page was shown: it stays, and its tab is current again.
        SetTabIndexQuietly(activePage_ && activePage_->TabVisible() ? activePage_->tab_->Index() : -1);
        return;
    }
    if (!neighbour) {
        SetTabIndexQuietly(-1);
        NotifyPageChange();
        return;
    }
    SetActivePage(neighbour);
    if (self.Alive() && !activePage_) {
        // The neighbour was refused: the removed page is gone all the same, so the shown page changed.
        SetTabIndexQuietly(-1);
        NotifyPageChange();
    }
}

void TclPageControl::MovePage(TclTabSheet* page, int index)
{
    const int from = page->PageIndex();
    if (from == index) {
        return;
    }
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + index, page);
    Tabs()->Move(page->tab_->Index(), index);
    UpdateTab(page);
    SetTabIndexQuietly(activePage_ && activePage_->TabVisible() ? activePage_->tab_->Index() : -1);
}

void TclPageControl::UpdateTab(TclTabSheet* page)
{
    TclTab* tab = page->tab_;
    if (!tab || IsLoading()) {
        return;
    }
    AliveGuard self(this);
    tab->SetCaption(page->Caption());
    tab->SetEnabled(page->Enabled());
    tab->SetImageIndex(page->ImageIndex());
    tab->SetHighlighted(page->Highlighted());
    tab->SetVisible(page->TabVisible());
    if (self.Alive() && page == activePage_) {
        SetTabIndexQuietly(page->TabVisible() ? tab->Index() : -1);
    }
}

void TclPageControl::PageTabVisibleChanged(TclTabSheet* page)
{
    TclTab* tab = page->tab_;
    if (!tab || IsLoading()) {
        return;
    }
    if (page != activePage_ || page->TabVisible()) {
        UpdateTab(page);
        if (page->TabVisible() && !activePage_ && PageCount() == 1) {
            SetActivePage(page);
        }
        return;
    }
    // The current tab goes: the tab that takes its visible position becomes current.
    const int visibleIndex = tab->VisibleIndex();
    AliveGuard self(this);
    tab->SetVisible(false);
    if (!self.Alive()) {
        return;
    }
    const int count = VisibleTabs().Count();
    TclTabSheet* next = nullptr;
    if (count > 0 && visibleIndex != -1) {
        next = PageOfTab(VisibleTabs().Tab(std::min(visibleIndex, count - 1)));
    }
    if (next) {
        SetActivePage(next);
        if (!self.Alive() || activePage_ != page) {
            return;
        }
    }
    DropActivePage();
}

// ------------------------------------------------------------------------------------------------------------
// The active page

void TclPageControl::SetActivePage(TclTabSheet* page)
{
    if (page && page->pageControl_ != this) {
        return;
    }
    ChangeActivePage(page);
}

void TclPageControl::ChangeActivePage(TclTabSheet* page)
{
    if (activePageSetting_) {
        return;
    }
    AliveGuard self(this);
    OptionalGuard pageLink(page);
    if (page != activePage_) {
        TclTabSheet* old = activePage_;
        OptionalGuard oldLink(old);
        auto ended = [&] { return !self.Alive() || !pageLink.Alive() || !oldLink.Alive(); };
        if (!ConfirmPageChange(page) || ended() || activePage_ != old) {
            return;
        }
        gui::TCustomForm* form = IsLoading() ? nullptr : gui::GetParentForm(this);
        if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl())) {
            if (old->CanFocus()) {
                form->SetActiveControl(old);
                if (ended()) {
                    return;
                }
            }
            if (form->ActiveControl() != old) {
                // The form kept the focus inside the old page: the tab strip goes back to it.
                SetTabIndexQuietly(old->TabVisible() && old->tab_ ? old->tab_->Index() : -1);
                return;
            }
        }
        gui::TWinControl* focusTo = nullptr;
        if (page && form && old && form->ActiveControl() == old) {
            if (page->Enabled() && Visible() && Enabled() && Parent() && Parent()->CanFocus()) {
                focusTo = page;
            } else {
                focusTo = this;
            }
        }
        if (old) {
            old->SetVisible(false);
            if (ended()) {
                return;
            }
        }
        if (page) {
            page->BringToFront();
            page->SetVisible(true);
            if (ended()) {
                return;
            }
            page->Invalidate();
        }
        if (focusTo && focusTo->CanFocus()) {
            form->SetActiveControl(focusTo);
            if (ended()) {
                return;
            }
        }
        activePage_ = page;
        NotifyPageChange();
        if (ended()) {
            return;
        }
        if (page && form && form->ActiveControl() == page) {
            page->SelectNext(nullptr, true, true);
            if (ended()) {
                return;
            }
        }
        if (HasState(classes::csDesigning)) {
            NotifyDesignerModified();
        }
    }
    if (activePage_ == page) {
        SetTabIndexQuietly(page && page->TabVisible() && page->tab_ ? page->tab_->Index() : -1);
    }
}

void TclPageControl::SetTabIndexQuietly(int value)
{
    AliveGuard self(this);
    LockChangeEvents();
    activePageSetting_ = true;
    try {
        SetTabIndex(value);
    } catch (...) {
        if (self.Alive()) {
            activePageSetting_ = false;
            UnlockChangeEvents();
        }
        throw;
    }
    if (self.Alive()) {
        activePageSetting_ = false;
        UnlockChangeEvents();
    }
}

void TclPageControl::DropActivePage()
{
    AliveGuard self(this);
    TclTabSheet* old = activePage_;
    LockChangeEvents();
    ChangeActivePage(nullptr);
    if (!self.Alive()) {
        return;
    }
    UnlockChangeEvents();
    SetTabIndexQuietly(-1);
    if (self.Alive() && old && !activePage_) {
        NotifyPageChange();
    }
}

void TclPageControl::SyncActivePage()
{
    ChangeActivePage(TabIndex() >= 0 ? PageOfTab(Tabs()->Tab(TabIndex())) : nullptr);
}

bool TclPageControl::ConfirmPageChange(TclTabSheet* newPage)
{
    bool allow = true;
    if (!ChangeEventsLocked() && !IsLoading() && OnPageChanging) {
        OnPageChanging(this, newPage, allow);
    }
    return allow;
}

void TclPageControl::NotifyPageChange()
{
    if (!ChangeEventsLocked() && !IsLoading()) {
        controls::clFireNotify(this, OnChange);
    }
}

// ------------------------------------------------------------------------------------------------------------
// The tab control's operations

void TclPageControl::CloseActiveTab()
{
    if (activePage_) {
        activePage_->Free();
    }
}

classes::TObject* TclPageControl::GetActivePageControl() { return activePage_; }

gui::TControl* TclPageControl::GetTabPage(int tabIndex)
{
    return tabIndex >= 0 && tabIndex < Tabs()->Count() ? PageOfTab(Tabs()->Tab(tabIndex)) : nullptr;
}

void TclPageControl::ImageListChanged()
{
    if (!pageInserting_) {
        for (TclTabSheet* page : pages_) {
            if (page->tab_) {
                page->tab_->SetImageIndex(page->ImageIndex());
            }
        }
    }
    TclCustomTabControl::ImageListChanged();
}

bool TclPageControl::ConfirmTabChange(int newTabIndex)
{
    // A handler that frees the control, the page asked for or the shown page ends the change.
    TclTab* target = newTabIndex >= 0 && newTabIndex < Tabs()->Count() ? Tabs()->Tab(newTabIndex) : nullptr;
    TclTabSheet* page = target ? PageOfTab(target) : nullptr;
    AliveGuard self(this);
    OptionalGuard pageLink(page);
    OptionalGuard activeLink(activePage_);
    auto ended = [&] {
        return !self.Alive() || !pageLink.Alive() || !activeLink.Alive()
               || (target && (newTabIndex >= Tabs()->Count() || Tabs()->Tab(newTabIndex) != target));
    };
    if (!TclCustomTabControl::ConfirmTabChange(newTabIndex) || ended()) {
        return false;
    }
    if (newTabIndex == -1) {
        return true;
    }
    return ConfirmPageChange(page) && !ended();
}

void TclPageControl::NotifyTabChange()
{
    if (pageInserting_) {
        return;
    }
    AliveGuard self(this);
    TclTabSheet* before = activePage_;
    LockChangeEvents();
    try {
        SyncActivePage();
    } catch (...) {
        if (self.Alive()) {
            UnlockChangeEvents();
        }
        throw;
    }
    if (!self.Alive()) {
        return;
    }
    UnlockChangeEvents();
    if (activePage_ != before) {
        NotifyPageChange();
    }
}

void TclPageControl::RebuildLayout()
{
    TclCustomTabControl::RebuildLayout();
    if (activePage_) {
        activePage_->Invalidate();
    }
}

bool TclPageControl::IsOverActiveTab(win::POINT point)
{
    if (!activePage_ || !activePage_->tab_ || !Painter()) {
        return false;
    }
    const int visibleIndex = activePage_->tab_->VisibleIndex();
    return visibleIndex != -1 && VisibleIndexAt(point.x, point.y) == visibleIndex;
}

bool TclPageControl::TakesFocusOnClick()
{
    return TclCustomTabControl::TakesFocusOnClick() && HandleAllocated()
           && IsOverActiveTab(ScreenToClient(controls::clGetCursorScreenPos()));
}

bool TclPageControl::TakesFocusOnClickAt(int x, int y)
{
    return TclCustomTabControl::TakesFocusOnClick() && IsOverActiveTab({x, y});
}

// ------------------------------------------------------------------------------------------------------------
// Children, loading

void TclPageControl::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (TclTabSheet* page : pages_) {
        if (page->Owner() == root) {
            proc(page);
        }
    }
    for (int i = 0; i < ControlCount(); ++i) {
        gui::TControl* control = Controls(i);
        if (control->Owner() == root && !dynamic_cast<TclTabSheet*>(control)) {
            proc(control);
        }
    }
}

void TclPageControl::SetChildOrder(classes::TComponent* child, int order)
{
    auto* page = dynamic_cast<TclTabSheet*>(child);
    if (page && page->pageControl_ == this) {
        if (order >= 0 && order < PageCount()) {
            MovePage(page, order);
        }
        return;
    }
    TclCustomTabControl::SetChildOrder(child, order);
}

void TclPageControl::Loaded()
{
    AliveGuard self(this);
    LockChangeEvents();
    TclCustomTabControl::Loaded();
    if (!self.Alive()) {
        return;
    }
    for (TclTabSheet* page : std::vector<TclTabSheet*>(pages_)) {
        UpdateTab(page);
        if (!self.Alive()) {
            return;
        }
    }
    if (activePage_ && !activePage_->Enabled() && !HasState(classes::csDesigning)) {
        ChangeActivePage(nullptr);
        if (!self.Alive()) {
            return;
        }
    }
    if (activePage_) {
        SetTabIndexQuietly(activePage_->TabVisible() ? activePage_->tab_->Index() : -1);
    }
    UnlockChangeEvents();
}

}  // namespace pagecontrol
