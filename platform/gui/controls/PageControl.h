#pragma once
// TPageControl: pages (TTabSheet) stacked in one frame, each chosen by its tab on a strip of classic raised
// tabs above it (several rows with MultiLine, the chosen tab's row next to the page; one row too long for
// the control scrolls by two arrows at its end and follows the active tab). Only the active
// page shows. A page with TabVisible false has no tab and is never reached by the user (a click, the
// arrow keys while the control has the focus, Ctrl+Tab and Ctrl+Shift+Tab anywhere in it). The user's
// changes ask OnChanging first and tell OnChange once ActivePage changed; ActivePage set by code asks
// nobody. A sheet tells OnShow and OnHide as it shows and hides.

#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ImageList.h"

#include <string>
#include <vector>

namespace gui {

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(classes::TComponent* owner);
    ~TTabSheet() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value);
    // Its place among all pages; EListError "List index out of bounds (%d)" beyond them.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Its place among the tabs shown, -1 without a tab.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    classes::TNotifyEvent OnShow;
    classes::TNotifyEvent OnHide;

    void SetParent(TWinControl* parent) override;
    void Dispatch(win::TMessage& message) override;

protected:
    virtual void DoShow();
    virtual void DoHide();

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = 0;
};

using TTabChangingEvent = rtl::Method<void(classes::TObject* sender, bool& allowChange)>;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(classes::TComponent* owner);
    ~TPageControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int PageCount() const { return int(pages_.size()); }
    // EListError "List index out of bounds (%d)" for a bad index.
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
    void SetActivePageIndex(int value);
    // The active page's place among the tabs shown (-1: none).
    int TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }
    void SetTabIndex(int value);
    // The next page with a tab after (before) current, wrapping; null when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // The user's way: asks OnChanging and tells OnChange.
    void SelectNextPage(bool goForward);
    // The tab at a client point (-1: none), as TabIndex counts.
    int IndexOfTabAt(int x, int y);
    win::RECT TabRect(int tabIndex);
    // Where the pages lie.
    win::RECT DisplayRect();

    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);

    classes::TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;
    void AdjustClientRect(win::RECT& rect) override;
    void Loaded() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    struct Tab {
        TTabSheet* page;
        win::RECT rect;
    };
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void ChangeActivePage(TTabSheet* page);
    void TabsChanged();
    void ImageListChange(classes::TObject* sender);
    // The tabs shown, laid out (the active one not yet enlarged), and the strip's height.
    std::vector<Tab> LayoutTabs(int& stripHeight);
    int TabRowHeight();
    void DrawTab(const Tab& tab, bool active);
    void UserSelects(TTabSheet* page);
    // Where the tabs end: before the scroll arrows while the strip scrolls.
    int TabsRight() const;
    win::RECT ScrollButton(bool forward) const;
    void ScrollTabs(bool forward);
    void ScrollActiveIntoView();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TCustomImageList* images_ = nullptr;
    TChangeLink imageLink_;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool hotTrack_ = false;
    bool multiLine_ = false;
    int hotTab_ = -1;
    int changingPages_ = 0;
    int firstTab_ = 0;        // the first tab shown while the strip scrolls
    bool scrolling_ = false;  // the last layout's
};

}  // namespace gui
