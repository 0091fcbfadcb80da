#include "platform/gui/controls/PageControl.h"

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/detail/Frame3D.h"
#include "platform/gui/controls/detail/ScreenText.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/List.h"
#include "platform/text/DrawText.h"
#include "platform/win/Input.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace gui {

namespace {

constexpr int kStripTop = 2;      // room above the tabs for the active one to grow into
constexpr int kTabPadding = 6;    // on each side of a tab's caption
constexpr int kActiveGrowth = 2;  // how much larger the active tab is on its sides and top
constexpr int kPageMargin = 4;    // the frame and the gap inside it
constexpr int kScrollButton = 16; // each of the two arrows that scroll a strip too long for the control

const classes::TTypeInfo& TabChangingEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, bool&)>("TTabChangingEvent");
    return type;
}

}  // namespace

// --- TTabSheet ---

TTabSheet::TTabSheet(classes::TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    // The control hands the page over without showing or hiding what is going.
    Destroying();
    if (pageControl_) {
        pageControl_->RemovePage(this);
    }
}

const classes::TClassInfo& TTabSheet::StaticClass()
{
    static const classes::TClassInfo info("TTabSheet", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TTabSheet>(c)
            .Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption).Stored(&TTabSheet::IsCaptionStored)
            .Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(0)
            .Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false)
            .Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(1)
            .Property("OnHide", classes::NotifyEventType(), &TTabSheet::OnHide)
            .Property("OnShow", classes::NotifyEventType(), &TTabSheet::OnShow);
    });
    return info;
}

void TTabSheet::SetPageControl(TPageControl* value)
{
    SetParent(value);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    TWinControl::SetParent(parent);
    auto* control = dynamic_cast<TPageControl*>(parent);
    if (control == pageControl_) {
        return;
    }
    if (pageControl_) {
        pageControl_->RemovePage(this);
    }
    if (control) {
        control->InsertPage(this);
    }
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_) {
        return -1;
    }
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (!pageControl_) {
        return;
    }
    auto& pages = pageControl_->pages_;
    rtl::CheckListIndex(value, int(pages.size()));
    pages.erase(pages.begin() + PageIndex());
    pages.insert(pages.begin() + value, this);
    pageControl_->TabsChanged();
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_) {
        return -1;
    }
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this) {
            return index;
        }
        index += page->tabVisible_ ? 1 : 0;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == tabVisible_) {
        return;
    }
    tabVisible_ = value;
    if (pageControl_) {
        if (!value && pageControl_->activePage_ == this && !HasState(classes::csLoading)) {
            TTabSheet* next = pageControl_->FindNextPage(this, true, true);
            pageControl_->ChangeActivePage(next != this ? next : nullptr);
        }
        pageControl_->TabsChanged();
    }
}

void TTabSheet::SetImageIndex(int value)
{
    imageIndex_ = value;
    if (pageControl_) {
        pageControl_->TabsChanged();
    }
}

void TTabSheet::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_SHOWINGCHANGED:
        TWinControl::Dispatch(message);
        if (pageControl_ && pageControl_->changingPages_ > 0) {
            return;  // the control tells once the pages changed
        }
        if (Showing()) {
            DoShow();
        } else {
            DoHide();
        }
        return;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(message);
        if (pageControl_) {
            pageControl_->TabsChanged();
        }
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

void TTabSheet::DoShow()
{
    if (OnShow) {
        OnShow(this);
    }
}

void TTabSheet::DoHide()
{
    if (OnHide) {
        OnHide(this);
    }
}

// --- TPageControl ---

TPageControl::TPageControl(classes::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csDoubleClicks);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    imageLink_.OnChange = classes::TNotifyEvent::Of<&TPageControl::ImageListChange>(this);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : pages_) {
        page->pageControl_ = nullptr;
    }
    pages_.clear();
}

const classes::TClassInfo& TPageControl::StaticClass()
{
    static const classes::TClassInfo info("TPageControl", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TPageControl>(c)
            .Property("ActivePage", classes::ClassRefType<TTabSheet>(), &TPageControl::ActivePage, &TPageControl::SetActivePage)
            .Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack).Default(0)
            .Property("Images", classes::ClassRefType<TCustomImageList>(), &TPageControl::Images, &TPageControl::SetImages)
            .Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(0)
            .Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0)
            .Property("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop).Default(1)
            .Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0)
            .Property("OnChange", classes::NotifyEventType(), &TPageControl::OnChange)
            .Property("OnChanging", TabChangingEventType(), &TPageControl::OnChanging);
    });
    return info;
}

TTabSheet* TPageControl::Pages(int index) const
{
    rtl::CheckListIndex(index, PageCount());
    return pages_[std::size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    page->pageControl_ = this;
    if (!activePage_ && page->tabVisible_ && !HasState(classes::csLoading) && !page->HasState(classes::csLoading)) {
        ChangeActivePage(page);
    }
    TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    if (activePage_ == page) {
        TTabSheet* next = FindNextPage(page, true, true);
        ChangeActivePage(next != page ? next : nullptr);
    }
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
    TabsChanged();
}

void TPageControl::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (TTabSheet* page : pages_) {
        if (page->Owner() == root) {
            proc(page);
        }
    }
}

void TPageControl::Loaded()
{
    TCustomControl::Loaded();
    if (!activePage_) {
        ChangeActivePage(FindNextPage(nullptr, true, true));
    }
}

void TPageControl::Notification(classes::TComponent* component, classes::TOperation operation)
{
    // Before the base clears its references through SetImages, which would speak to the going list.
    if (operation == classes::TOperation::Remove && component == images_) {
        images_ = nullptr;
        TabsChanged();
    }
    TCustomControl::Notification(component, operation);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this) {
        return;
    }
    ChangeActivePage(page);
}

void TPageControl::ChangeActivePage(TTabSheet* page)
{
    if (page == activePage_) {
        return;
    }
    // The focus cannot stay on a page that hides.
    TCustomForm* form = GetParentForm(this);
    if (form && activePage_ && activePage_->ContainsControl(form->ActiveControl()) && CanFocus()) {
        form->SetActiveControl(this);
    }
    TTabSheet* old = activePage_;
    activePage_ = page;
    const bool oldShowing = old && old->Showing();
    // The pages change first and hear of it afterwards: a handler may free its page, and the control
    // is then the only one left to go on.
    ++changingPages_;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old && !old->HasState(classes::csDestroying)) {
        old->SetVisible(false);
    }
    --changingPages_;
    ScrollActiveIntoView();
    TabsChanged();
    const auto stays = [&](TTabSheet* sheet) {
        return sheet && std::find(pages_.begin(), pages_.end(), sheet) != pages_.end() && !sheet->HasState(classes::csDestroying);
    };
    if (stays(page) && page == activePage_ && page->Showing()) {
        page->DoShow();
    }
    if (stays(old) && old != activePage_ && oldShowing) {
        old->DoHide();
    }
}

void TPageControl::SetActivePageIndex(int value)
{
    SetActivePage(value >= 0 && value < PageCount() ? pages_[std::size_t(value)] : nullptr);
}

void TPageControl::SetTabIndex(int value)
{
    for (TTabSheet* page : pages_) {
        if (page->TabIndex() == value && value >= 0) {
            SetActivePage(page);
            return;
        }
    }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    if (pages_.empty()) {
        return nullptr;
    }
    const int count = PageCount();
    int start = current ? current->PageIndex() : -1;
    if (start < 0 || start >= count) {
        start = goForward ? count - 1 : 0;
    }
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[std::size_t(i)];
        if (!checkTabVisible || page->tabVisible_) {
            return page;
        }
    }
    return nullptr;
}

void TPageControl::UserSelects(TTabSheet* page)
{
    if (page && page != activePage_ && CanChange()) {
        ChangeActivePage(page);
        Change();
    }
}

void TPageControl::SelectNextPage(bool goForward)
{
    UserSelects(FindNextPage(activePage_, goForward, true));
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging) {
        OnChanging(this, allow);
    }
    return allow;
}

void TPageControl::Change()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TPageControl::SetTabHeight(int value)
{
    tabHeight_ = std::max(0, value);
    TabsChanged();
}

void TPageControl::SetTabWidth(int value)
{
    tabWidth_ = std::max(0, value);
    TabsChanged();
}

void TPageControl::SetMultiLine(bool value)
{
    multiLine_ = value;
    TabsChanged();
}

void TPageControl::SetImages(TCustomImageList* value)
{
    if (images_) {
        images_->UnRegisterChanges(&imageLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(&imageLink_);
        images_->FreeNotification(this);
    }
    TabsChanged();
}

void TPageControl::ImageListChange(classes::TObject*)
{
    TabsChanged();
}

// The strip's height may change, and the pages with it.
void TPageControl::TabsChanged()
{
    if (!HasState(classes::csLoading) && !HasState(classes::csDestroying)) {
        Realign();
        Invalidate();
    }
}

int TPageControl::TabRowHeight()
{
    if (tabHeight_ > 0) {
        return tabHeight_;
    }
    int height = int(detail::SingleLineExtent(Font(), "Ag").cy) + 5;
    if (images_) {
        height = std::max(height, images_->Height() + 4);
    }
    return height;
}

std::vector<TPageControl::Tab> TPageControl::LayoutTabs(int& stripHeight)
{
    const int rowHeight = TabRowHeight();
    const int width = std::max(1, Width() - 2 * kActiveGrowth);
    std::vector<Tab> tabs;
    std::vector<int> rowOf;
    int x = kActiveGrowth;
    int row = 0;
    for (TTabSheet* page : pages_) {
        if (!page->tabVisible_) {
            continue;
        }
        int tabWidth = tabWidth_;
        if (tabWidth <= 0) {
            tabWidth = int(detail::SingleLineExtent(Font(), page->Caption()).cx) + 2 * kTabPadding +
                       (images_ ? images_->Width() + 3 : 0);
        }
        if (multiLine_ && x > kActiveGrowth && x + tabWidth > width) {
            ++row;
            x = kActiveGrowth;
        }
        tabs.push_back({page, win::RECT{x, 0, x + tabWidth, rowHeight}});
        rowOf.push_back(row);
        x += tabWidth;
    }
    // One row longer than the control scrolls: the first tab shown starts the strip, arrows end it.
    scrolling_ = !multiLine_ && !tabs.empty() && x > Width() - kActiveGrowth;
    if (scrolling_) {
        firstTab_ = std::clamp(firstTab_, 0, int(tabs.size()) - 1);
        const int offset = tabs[std::size_t(firstTab_)].rect.left - kActiveGrowth;
        for (Tab& tab : tabs) {
            tab.rect.left -= offset;
            tab.rect.right -= offset;
        }
    } else {
        firstTab_ = 0;
    }
    const int rows = row + 1;
    // The active tab's row lies next to the page; the rows in front of it move up.
    int activeRow = rows - 1;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (tabs[i].page == activePage_) {
            activeRow = rowOf[i];
        }
    }
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        int place = rowOf[i] == activeRow ? rows - 1 : rowOf[i] > activeRow ? rowOf[i] - 1 : rowOf[i];
        tabs[i].rect.top = kStripTop + place * rowHeight;
        tabs[i].rect.bottom = tabs[i].rect.top + rowHeight;
    }
    stripHeight = tabs.empty() ? 0 : kStripTop + rows * rowHeight;
    return tabs;
}

win::RECT TPageControl::DisplayRect()
{
    int strip = 0;
    LayoutTabs(strip);
    return win::RECT{kPageMargin, strip + kPageMargin, std::max(kPageMargin, Width() - kPageMargin),
                     std::max(strip + kPageMargin, Height() - kPageMargin)};
}

void TPageControl::AdjustClientRect(win::RECT& rect)
{
    rect = DisplayRect();
}

win::RECT TPageControl::TabRect(int tabIndex)
{
    int strip = 0;
    const std::vector<Tab> tabs = LayoutTabs(strip);
    if (tabIndex < 0 || tabIndex >= int(tabs.size())) {
        return {};
    }
    win::RECT rect = tabs[std::size_t(tabIndex)].rect;
    if (tabs[std::size_t(tabIndex)].page == activePage_) {
        rect = {rect.left - kActiveGrowth, rect.top - kActiveGrowth, rect.right + kActiveGrowth, rect.bottom + 1};
    }
    return rect;
}

int TPageControl::TabsRight() const
{
    return scrolling_ ? Width() - 2 * kScrollButton : Width();
}

win::RECT TPageControl::ScrollButton(bool forward) const
{
    const int left = Width() - (forward ? 1 : 2) * kScrollButton;
    return {left, kStripTop, left + kScrollButton, kStripTop + kScrollButton};
}

void TPageControl::ScrollActiveIntoView()
{
    int strip = 0;
    std::vector<Tab> tabs = LayoutTabs(strip);
    const auto active = std::find_if(tabs.begin(), tabs.end(), [&](const Tab& tab) { return tab.page == activePage_; });
    if (!scrolling_ || active == tabs.end()) {
        return;
    }
    const int index = int(active - tabs.begin());
    if (index < firstTab_) {
        firstTab_ = index;
    }
    while (firstTab_ < index && LayoutTabs(strip)[std::size_t(index)].rect.right + kActiveGrowth > TabsRight()) {
        ++firstTab_;
    }
}

void TPageControl::ScrollTabs(bool forward)
{
    int strip = 0;
    const std::vector<Tab> tabs = LayoutTabs(strip);
    if (forward && !tabs.empty() && tabs.back().rect.right > TabsRight()) {
        ++firstTab_;
    } else if (!forward && firstTab_ > 0) {
        --firstTab_;
    }
    Invalidate();
}

int TPageControl::IndexOfTabAt(int x, int y)
{
    int strip = 0;
    const std::vector<Tab> tabs = LayoutTabs(strip);
    if (x >= TabsRight()) {
        return -1;
    }
    // The active tab lies over its neighbours.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            if ((tabs[i].page == activePage_) != (pass == 0)) {
                continue;
            }
            const win::RECT rect = TabRect(int(i));
            if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
                return int(i);
            }
        }
    }
    return -1;
}

void TPageControl::DrawTab(const Tab& tab, bool active)
{
    TCanvas* canvas = Canvas();
    win::RECT r = tab.rect;
    if (active) {
        r = {r.left - kActiveGrowth, r.top - kActiveGrowth, r.right + kActiveGrowth, r.bottom + 1};
    }
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(win::RECT{r.left, r.top, r.right, r.bottom});
    // Raised, with cut corners: light on the left and top, dark on the right.
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->MoveTo(r.left, r.bottom - (active ? 0 : 1));
    canvas->LineTo(r.left, r.top + 2);
    canvas->LineTo(r.left + 2, r.top);
    canvas->LineTo(r.right - 2, r.top);
    canvas->Pen()->SetColor(cl3DDkShadow);
    canvas->MoveTo(r.right - 1, r.top + 2);
    canvas->LineTo(r.right - 1, r.bottom - (active ? 0 : 1));
    canvas->SetPixels(r.right - 2, r.top + 1, cl3DDkShadow);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(r.right - 2, r.top + 2);
    canvas->LineTo(r.right - 2, r.bottom - (active ? 0 : 1));

    win::RECT content{r.left + 3, r.top + 2, r.right - 3, r.bottom - (active ? 2 : 1)};
    int textLeft = content.left;
    if (images_) {
        const int index = tab.page->ImageIndex();
        if (index >= 0 && index < images_->Count()) {
            images_->Draw(canvas, content.left + kTabPadding - 3, (content.top + content.bottom - images_->Height()) / 2, index,
                          Enabled());
        }
        textLeft += images_->Width() + 3;
    }
    canvas->Brush()->SetStyle(bsClear);
    const int hot = hotTrack_ ? hotTab_ : -1;
    canvas->Font()->SetColor(!Enabled() ? clGrayText : (hot >= 0 && hot == tab.page->TabIndex()) ? clHotLight : Font()->Color());
    win::RECT text{textLeft, content.top, content.right, content.bottom};
    const std::string caption = tab.page->Caption();
    win::DrawTextA(canvas->Handle(), caption.c_str(), int(caption.size()), &text,
                   win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
    canvas->Brush()->SetStyle(bsSolid);
    if (active && Focused()) {
        canvas->DrawFocusRect(win::RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
    }
}

void TPageControl::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    int strip = 0;
    const std::vector<Tab> tabs = LayoutTabs(strip);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(win::RECT{0, 0, Width(), std::max(strip, kStripTop)});
    win::RECT frame{0, strip, Width(), Height()};
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(frame);
    detail::Frame3D(*canvas, frame, clBtnHighlight, cl3DDkShadow, 1);
    detail::Frame3D(*canvas, frame, clBtnFace, clBtnShadow, 1);
    for (const Tab& tab : tabs) {
        if (tab.page != activePage_) {
            DrawTab(tab, false);
        }
    }
    for (const Tab& tab : tabs) {
        if (tab.page == activePage_) {
            DrawTab(tab, true);
        }
    }
    if (scrolling_) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(win::RECT{TabsRight(), 0, Width(), strip});
        for (const bool forward : {false, true}) {
            win::RECT button = ScrollButton(forward);
            const bool can = forward ? !tabs.empty() && tabs.back().rect.right > TabsRight() : firstTab_ > 0;
            win::DrawFrameControl(canvas->Handle(), &button, win::DFC_SCROLL,
                                  (forward ? win::DFCS_SCROLLRIGHT : win::DFCS_SCROLLLEFT) | (can ? 0 : win::DFCS_INACTIVE));
        }
    }
}

void TPageControl::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_LBUTTONDOWN: {
        TCustomControl::Dispatch(message);
        const win::POINT point{win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam)};
        for (const bool forward : {false, true}) {
            const win::RECT button = ScrollButton(forward);
            if (scrolling_ && point.x >= button.left && point.x < button.right && point.y >= button.top && point.y < button.bottom) {
                ScrollTabs(forward);
                return;
            }
        }
        const int index = IndexOfTabAt(win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam));
        if (index >= 0) {
            int strip = 0;
            UserSelects(LayoutTabs(strip)[std::size_t(index)].page);
            if (CanFocus()) {
                SetFocus();
            }
        }
        return;
    }
    case win::WM_MOUSEMOVE: {
        TCustomControl::Dispatch(message);
        const int hot = IndexOfTabAt(win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam));
        if (hotTrack_ && hot != hotTab_) {
            hotTab_ = hot;
            Invalidate();
        }
        hotTab_ = hot;
        return;
    }
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(message);
        if (hotTab_ >= 0) {
            hotTab_ = -1;
            if (hotTrack_) {
                Invalidate();
            }
        }
        return;
    case win::WM_GETDLGCODE:
        message.Result = win::DLGC_WANTARROWS;
        return;
    case win::WM_KEYDOWN:
        switch (message.WParam) {
        case win::VK_LEFT:
        case win::VK_UP:
        case win::VK_RIGHT:
        case win::VK_DOWN: {
            // The arrows stop at the ends; Ctrl+Tab goes round.
            const bool forward = message.WParam == win::VK_RIGHT || message.WParam == win::VK_DOWN;
            const int index = TabIndex() + (forward ? 1 : -1);
            for (TTabSheet* page : pages_) {
                if (index >= 0 && page->TabIndex() == index) {
                    UserSelects(page);
                    break;
                }
            }
            return;
        }
        default:
            break;
        }
        TCustomControl::Dispatch(message);
        return;
    case CM_DIALOGKEY:
        if (message.WParam == win::VK_TAB && win::GetKeyState(win::VK_CONTROL) < 0) {
            TCustomForm* form = GetParentForm(this);
            if (Focused() || (form && ContainsControl(form->ActiveControl()))) {
                SelectNextPage(win::GetKeyState(win::VK_SHIFT) >= 0);
                message.Result = 1;
                return;
            }
        }
        TCustomControl::Dispatch(message);
        return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        TabsChanged();
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

}  // namespace gui
