// The layout pass of the tab control: normal sizes, one scrolled row or broken and balanced rows, the
// row arrangement around the page, the cross positions of the rows, and scrolling a tab into view.

#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCImageList.h"
#include "controls/pagecontrol/clPCPainters.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pagecontrol {

namespace {

struct LayoutFlag {
    bool& flag;
    explicit LayoutFlag(bool& f) : flag(f) { flag = true; }
    ~LayoutFlag() { flag = false; }
};

// A run of consecutive visible tabs forming one row.
struct RowRange {
    int first;
    int last;
};

}  // namespace

TclPCCaptionDirection TclCustomTabControl::CaptionDirection() const
{
    const bool vertical = IsRowVertical() != rotate_;
    if (!vertical) {
        return cdHorizontal;
    }
    return HasOption(pcoTopToBottomText) ? cdTopToBottom : cdBottomToTop;
}

bool TclCustomTabControl::IsDisplayOrderReversed() const
{
    const TclPCCaptionDirection direction = CaptionDirection();
    if (IsRowVertical()) {
        return direction == cdBottomToTop;
    }
    return rotate_ && direction == cdTopToBottom;
}

int TclCustomTabControl::TabExtent(const TclTab* tab) const
{
    return rotate_ ? tabs_->TabNormalHeight() : tab->NormalWidth();
}

int TclCustomTabControl::VisibleIndexOfTabIndex(int tabIndex) const
{
    if (tabIndex == -1) {
        return -1;
    }
    int index = 0;
    if (visibleTabs_.Find(tabIndex, index)) {
        return index;
    }
    return std::min(index, visibleTabs_.Count() - 1);
}

void TclCustomTabControl::UpdateCurrentVisibleIndex(bool repaint)
{
    const int value = VisibleIndexOfTabIndex(tabIndex_);
    if (value == currentVisibleIndex_) {
        return;
    }
    const int old = currentVisibleIndex_;
    currentVisibleIndex_ = value;
    if (!repaint) {
        return;
    }
    if (old >= 0 && old < visibleTabs_.Count()) {
        RepaintTab(old, clpcrCurrent);
    }
    if (value >= 0) {
        RepaintTab(value, clpcrCurrent);
    }
}

// ------------------------------------------------------------------------------------------------------------
// The pass

void TclCustomTabControl::Relayout()
{
    if (IsLoading() || inLayout_ || !painter_ || destroying_ || !tabs_) {
        return;
    }
    LayoutFlag guard(inLayout_);
    // The children's handlers run while the pass realigns them; one that frees this control must
    // leave it whole until the pass and the program code that started it are over.
    gui::TFreeHold hold(this);
    int remembered = currentVisibleIndex_;
    if (remembered >= visibleTabs_.Count()) {
        remembered = -1;
    }
    painter_->UpdateStyleMetrics();
    if (maxRotatedTabWidth_ > 0) {
        maxRotatedTabWidth_ = std::max(maxRotatedTabWidth_, painter_->GetTabMinWidth(-1));
    }
    DropRotatedCaptions();
    ResetLayoutState();
    const TclPCNavigatorButtons oldButtons = navigatorButtons_;
    if (visibleTabs_.Count() == 0) {
        navigatorButtons_ = 0;
        CalculateTabsArea(0);
    } else {
        CalculateNormalSizes();
        if (multiLine_) {
            PlaceMultipleRows();
        } else {
            PlaceSingleRow();
        }
    }
    const TclPCNavigatorButtons dropped = oldButtons & TclPCNavigatorButtons(~navigatorButtons_);
    hotButtons_ &= TclPCNavigatorButtons(~dropped);
    pressedButton_ &= TclPCNavigatorButtons(~dropped);

    for (int i = 0; i < visibleTabs_.Count(); ++i) {
        if (painter_->HasTabImage(i) && visibleTabs_.Tab(i)->IsDisplayed()) {
            painter_->RepaintTab(i, clpcrCaption);
        }
    }
    if (Images() && Images()->Count() > 0) {
        const TclPCCaptionDirection direction = CaptionDirection();
        imageList_->SetImageRotation(painter_->IsNativePainting() || direction == cdHorizontal ? 0 : int(direction));
    }
    Realign();
    Invalidate();
    currentVisibleIndex_ = remembered;
    UpdateCurrentVisibleIndex(true);
    UpdateNavigatorButtonStates();
    UpdateHotState();
}

void TclCustomTabControl::ResetLayoutState()
{
    startRowRect_ = {};
    endRowRect_ = {};
    const int count = visibleTabs_.Count();
    if (firstDisplayedTab_ == -1 && count > 0) {
        firstDisplayedTab_ = 0;
    }
    if (firstDisplayedTab_ >= count) {
        firstDisplayedTab_ = count - 1;
    }
    lastDisplayedTab_ = firstDisplayedTab_;
    for (int* index : {&hotTab_, &currentVisibleIndex_, &pressedTab_, &focusedTab_}) {
        if (*index >= count) {
            *index = -1;
        }
    }
    rowCount_ = 0;
    if (tabIndex_ >= tabs_->Count()) {
        tabIndex_ = tabs_->Count() - 1;
    }
    startRowCount_ = 0;
}

void TclCustomTabControl::CalculateNormalSizes()
{
    tabs_->SetTabNormalHeight(painter_->CalculateTabNormalHeight());
    for (int i = 0; i < tabs_->Count(); ++i) {
        TclTab* tab = tabs_->Tab(i);
        tab->normalWidth_ = tab->Visible() ? painter_->CalculateTabNormalWidth(tab) : 0;
    }
}

void TclCustomTabControl::CalculateTabsArea(TclPCNavigatorButtons buttons)
{
    tabsArea_ = {};
    painter_->CalculateTabsAreaBounds(buttons, tabsArea_);
}

TclPCNavigatorButtons TclCustomTabControl::ButtonsWhenAllFit() const
{
    TclPCNavigatorButtons buttons = 0;
    if (HasOption(pcoCloseButton) && !multiLine_) {
        buttons |= clPCButtonBit(nbClose);
    }
    if (HasOption(pcoGoDialog) && HasOption(pcoAlwaysShowGoDialogButton)) {
        buttons |= clPCButtonBit(nbGoDialog);
    }
    return buttons;
}

TclPCNavigatorButtons TclCustomTabControl::ButtonsWhenScrolling() const
{
    TclPCNavigatorButtons buttons = 0;
    if (!HasOption(pcoNoArrows)) {
        buttons |= clPCButtonBit(nbTopLeft) | clPCButtonBit(nbBottomRight);
    }
    if (HasOption(pcoGoDialog)) {
        buttons |= clPCButtonBit(nbGoDialog);
    }
    if (HasOption(pcoCloseButton) && !multiLine_) {
        buttons |= clPCButtonBit(nbClose);
    }
    return buttons;
}

// ------------------------------------------------------------------------------------------------------------
// One row

void TclCustomTabControl::PlaceSingleRow()
{
    const int count = visibleTabs_.Count();
    rowCount_ = 1;
    startRowCount_ = tabPosition_ == tpTop || tabPosition_ == tpLeft ? 1 : 0;
    const int previous = std::clamp(firstDisplayedTab_, 0, count - 1);

    firstDisplayedTab_ = 0;
    navigatorButtons_ = ButtonsWhenAllFit();
    CalculateTabsArea(navigatorButtons_);
    lastTabFits_ = false;
    if (tabsArea_.RowLength >= 1) {
        PlaceTabs(0, count - 1, true);
    }
    if (!lastTabFits_) {
        firstDisplayedTab_ = previous;
        navigatorButtons_ = ButtonsWhenScrolling();
        CalculateTabsArea(navigatorButtons_);
        if (tabsArea_.RowLength >= 1) {
            PlaceTabs(firstDisplayedTab_, count - 1, false);
            if (lastTabFits_) {
                // Fill the room left at the end with earlier tabs, never before the first one.
                while (firstDisplayedTab_ > 0) {
                    --firstDisplayedTab_;
                    PlaceTabs(firstDisplayedTab_, count - 1, false);
                    if (!lastTabFits_) {
                        ++firstDisplayedTab_;
                        PlaceTabs(firstDisplayedTab_, count - 1, false);
                        break;
                    }
                }
            }
        }
    }
    if (tabsArea_.RowLength < 1) {
        return;
    }
    for (int i = firstDisplayedTab_; i <= lastDisplayedTab_; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        tab->row_ = 0;
        tab->visibleRow_ = 0;
    }
    CalculateRowThickness();
    PositionRows();
}

void TclCustomTabControl::PlaceTabs(int first, int last, bool forced)
{
    const bool vertical = IsRowVertical();
    const win::RECT& bounds = tabsArea_.RowBounds;
    const int start = vertical ? bounds.top : bounds.left;
    const int end = start + tabsArea_.RowLength - 1;
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const int gap = rotate_ ? spacing.dh : spacing.dw;
    const bool reversed = IsDisplayOrderReversed();

    int position = reversed ? end : start;
    int farEdge = position;
    lastDisplayedTab_ = first;
    for (int i = first; i <= last; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        const int extent = TabExtent(tab);
        lastDisplayedTab_ = i;
        int along = 0;
        int next = 0;
        if (reversed) {
            farEdge = position - extent + 1;
            along = farEdge;
            next = farEdge - 1 - gap;
        } else {
            farEdge = position + extent - 1;
            along = position;
            next = farEdge + 1 + gap;
        }
        (vertical ? tab->normalTopLeft_.y : tab->normalTopLeft_.x) = along;
        if (!forced && i < last && (reversed ? next < start : next > end)) {
            break;
        }
        position = next;
    }
    lastTabFits_ = lastDisplayedTab_ == last && (reversed ? farEdge >= start : farEdge <= end);
}

void TclCustomTabControl::CalculateRowThickness()
{
    const int count = visibleTabs_.Count();
    if (count == 0) {
        tabRowThickness_ = 0;
        return;
    }
    if (!rotate_) {
        tabRowThickness_ = tabs_->TabNormalHeight();
        return;
    }
    int first = 0;
    int last = count - 1;
    if (!multiLine_ && !HasOption(pcoFixedTabWidthWhenRotated)) {
        first = firstDisplayedTab_;
        last = lastDisplayedTab_;
    }
    TclTab* widest = visibleTabs_.Tab(first);
    for (int i = first + 1; i <= last; ++i) {
        if (visibleTabs_.Tab(i)->NormalWidth() > widest->NormalWidth()) {
            widest = visibleTabs_.Tab(i);
        }
    }
    tabRowThickness_ = widest->NormalWidth();
    widestRotatedCaption_ = clPCGetTabTextSize(widest).cx;
    if (maxRotatedTabWidth_ > 0 && maxRotatedTabWidth_ >= painter_->GetTabMinWidth(-1)
        && maxRotatedTabWidth_ < tabRowThickness_) {
        tabRowThickness_ = maxRotatedTabWidth_;
    }
}

void TclCustomTabControl::PositionRows()
{
    const bool vertical = IsRowVertical();
    const int rows = rowCount_;
    const int n = startRowCount_;
    const int h = tabRowThickness_;
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const int s = rotate_ ? spacing.dw : spacing.dh;
    const win::RECT& rb = tabsArea_.RowBounds;
    const win::RECT& b = tabsArea_.Bounds;
    const int crossStart = vertical ? rb.left : rb.top;
    const int crossEnd = vertical ? rb.right : rb.bottom;
    const int boundsStart = vertical ? b.left : b.top;
    const int boundsEnd = vertical ? b.right : b.bottom;

    int first = 0;
    int last = 0;
    clPCGetVisibleTabRange(this, first, last);
    for (int i = first; i <= last; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        const int r = tab->visibleRow_;
        const int cross = r < n ? crossStart + r * (h + s) : crossEnd - (rows - r) * h - (rows - r - 1) * s;
        (vertical ? tab->normalTopLeft_.x : tab->normalTopLeft_.y) = cross;
        painter_->GetTabRectCorrection(i, tab->correction_);
    }

    auto makeRect = [&](int near, int far) {
        return vertical ? win::RECT{near, b.top, far, b.bottom} : win::RECT{b.left, near, b.right, far};
    };
    int startFar = std::min(crossStart + n * (h + s) - s + tabsArea_.StartRowsEdgeAdjustment, boundsEnd);
    int endNear = std::max(crossEnd - (rows - n) * (h + s) + s + tabsArea_.EndRowsEdgeAdjustment, boundsStart);
    if (n > 0 && n < rows) {
        if (tabPosition_ == tpTop || tabPosition_ == tpLeft) {
            if (endNear < startFar + s) {
                endNear = std::min(startFar + s, boundsEnd);
            }
        } else if (startFar > endNear - s) {
            startFar = std::max(endNear - s, boundsStart);
        }
    }
    startRowRect_ = n > 0 ? makeRect(boundsStart, startFar) : win::RECT{};
    endRowRect_ = n < rows ? makeRect(endNear, boundsEnd) : win::RECT{};
}

// ------------------------------------------------------------------------------------------------------------
// Several rows

void TclCustomTabControl::PlaceMultipleRows()
{
    navigatorButtons_ = 0;
    CalculateTabsArea(0);
    if (tabsArea_.RowLength < 1) {
        return;
    }
    BreakRows();
    if (rowCount_ == 1) {
        PlaceSingleRow();
        return;
    }
    const int count = visibleTabs_.Count();
    int rowStart = 0;
    for (int i = 1; i <= count; ++i) {
        if (i == count || visibleTabs_.Tab(i)->row_ != visibleTabs_.Tab(rowStart)->row_) {
            if (!rotate_ && !raggedRight_) {
                StretchRow(rowStart, i - 1);
            }
            PlaceTabs(rowStart, i - 1, false);
            rowStart = i;
        }
    }
    CalculateRowThickness();
    ArrangeRows();
    PositionRows();
}

void TclCustomTabControl::BreakRows()
{
    const int count = visibleTabs_.Count();
    const int length = tabsArea_.RowLength;
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const int gap = rotate_ ? spacing.dh : spacing.dw;
    auto spansRows = [this](int first, int last) {
        return first < last && visibleTabs_.Tab(first)->row_ != visibleTabs_.Tab(last)->row_;
    };

    int rows = 1;
    std::int64_t used = 0;
    bool rowEmpty = true;
    int runStart = 0;
    for (int i = 0; i < count; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        const int extent = TabExtent(tab);
        if (extent < length) {
            if (!rowEmpty && used + extent > length) {
                ++rows;
                used = std::int64_t(extent) + gap;
            } else {
                used += std::int64_t(extent) + gap;
            }
            rowEmpty = false;
            tab->row_ = rows - 1;
            continue;
        }
        if (!rowEmpty) {
            ++rows;
        }
        if (spansRows(runStart, i - 1)) {
            BalanceRun(runStart, i - 1);
        }
        if (!rotate_ && painter_->GetTabMinWidth(i) < length) {
            tab->normalWidth_ = length;
        }
        tab->row_ = rows - 1;
        if (i != count - 1) {
            ++rows;
        }
        used = 0;
        rowEmpty = true;
        runStart = i + 1;
    }
    if (spansRows(runStart, count - 1)) {
        BalanceRun(runStart, count - 1);
    }
    rowCount_ = rows;
}

void TclCustomTabControl::BalanceRun(int firstTab, int lastTab)
{
    if (rotate_ && raggedRight_) {
        return;
    }
    const std::int64_t length = tabsArea_.RowLength;
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const std::int64_t gap = rotate_ ? spacing.dh : spacing.dw;

    std::vector<std::int64_t> extents;
    for (int i = firstTab; i <= lastTab; ++i) {
        extents.push_back(TabExtent(visibleTabs_.Tab(i)));
    }
    std::vector<std::int64_t> prefix(extents.size() + 1, 0);
    for (std::size_t i = 0; i < extents.size(); ++i) {
        prefix[i + 1] = prefix[i] + extents[i];
    }
    auto width = [&](const RowRange& r) {
        return prefix[std::size_t(r.last - firstTab + 1)] - prefix[std::size_t(r.first - firstTab)]
               + gap * (r.last - r.first);
    };
    auto deviation = [&](const RowRange& r) {
        const std::int64_t d = length - width(r);
        return d * d;
    };
    auto total = [&](const std::vector<RowRange>& rows) {
        std::int64_t sum = 0;
        for (const RowRange& r : rows) {
            sum += deviation(r);
        }
        return sum;
    };
    // A move that the receiving row accepts: it lowers its own deviation and still fits.
    auto accepted = [&](const RowRange& before, const RowRange& after) {
        return deviation(after) < deviation(before) && width(after) <= length;
    };

    std::vector<RowRange> rows;
    const int baseRow = visibleTabs_.Tab(firstTab)->row_;
    for (int i = firstTab; i <= lastTab; ++i) {
        const int row = visibleTabs_.Tab(i)->row_;
        if (rows.empty() || visibleTabs_.Tab(rows.back().last)->row_ != row) {
            rows.push_back({i, i});
        } else {
            rows.back().last = i;
        }
    }

    for (;;) {
        bool improved = false;
        const std::int64_t startTotal = total(rows);
        std::vector<RowRange> copy = rows;
        for (std::size_t r = copy.size() - 1; r >= 1 && !improved; --r) {
            while (copy[r - 1].last > copy[r - 1].first) {
                const RowRange current{copy[r].first - 1, copy[r].last};
                const RowRange previous{copy[r - 1].first, copy[r - 1].last - 1};
                const std::int64_t before = total(copy);
                const std::int64_t after =
                    before - deviation(copy[r]) - deviation(copy[r - 1]) + deviation(current) + deviation(previous);
                if (!accepted(copy[r], current) || after > before) {
                    break;
                }
                copy[r] = current;
                copy[r - 1] = previous;
            }
            if (total(copy) < startTotal) {
                rows = copy;
                improved = true;
            }
        }
        for (std::size_t r = 0; !improved && r + 1 < rows.size(); ++r) {
            if (rows[r + 1].last == rows[r + 1].first) {
                continue;
            }
            std::vector<RowRange> trial = rows;
            trial[r].last += 1;
            trial[r + 1].first += 1;
            if (accepted(rows[r], trial[r]) && total(trial) < startTotal) {
                rows = trial;
                improved = true;
            }
        }
        for (std::size_t r = 1; !improved && r < rows.size(); ++r) {
            if (rows[r - 1].last == rows[r - 1].first) {
                continue;
            }
            std::vector<RowRange> trial = rows;
            trial[r].first -= 1;
            trial[r - 1].last -= 1;
            if (accepted(rows[r], trial[r]) && total(trial) < startTotal) {
                rows = trial;
                improved = true;
            }
        }
        if (!improved) {
            break;
        }
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        for (int i = rows[k].first; i <= rows[k].last; ++i) {
            visibleTabs_.Tab(i)->row_ = baseRow + int(k);
        }
    }
}

void TclCustomTabControl::StretchRow(int firstTab, int lastTab)
{
    const std::int64_t length = tabsArea_.RowLength;
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const std::int64_t gap = spacing.dw;
    std::int64_t sum = 0;
    for (int i = firstTab; i <= lastTab; ++i) {
        sum += visibleTabs_.Tab(i)->NormalWidth();
    }
    const std::int64_t extra = length - (sum + gap * (lastTab - firstTab));
    if (sum <= 0 || extra <= 0) {
        return;
    }
    std::int64_t placed = 0;
    for (int i = firstTab; i < lastTab; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        tab->normalWidth_ = int(tab->NormalWidth() + tab->NormalWidth() * extra / sum);
        placed += tab->normalWidth_;
    }
    visibleTabs_.Tab(lastTab)->normalWidth_ = int(length - gap * (lastTab - firstTab) - placed);
}

void TclCustomTabControl::ArrangeRows()
{
    const int rows = rowCount_;
    const int count = visibleTabs_.Count();
    if (rows == 0 || count == 0) {
        return;
    }
    bool reversed = false;
    if (IsRowVertical()) {
        const bool topToBottom = CaptionDirection() == cdTopToBottom && !rotate_;
        reversed = topToBottom != (tabPosition_ == tpRight);
    } else {
        reversed = rotate_ && !HasOption(pcoTopToBottomText);
        if (tabPosition_ == tpBottom) {
            reversed = !reversed;
        }
    }
    for (int i = 0; i < count; ++i) {
        TclTab* tab = visibleTabs_.Tab(i);
        tab->visibleRow_ = reversed ? rows - tab->row_ - 1 : tab->row_;
    }
    int startRows = rows;
    if (currentVisibleIndex_ != -1) {
        const int currentRow = visibleTabs_.Tab(currentVisibleIndex_)->visibleRow_;
        if (scrollOpposite_) {
            startRows = currentRow + 1;
        } else if (painter_->ClassRef()->MovesActiveRowToFrame()) {
            for (int i = 0; i < count; ++i) {
                TclTab* tab = visibleTabs_.Tab(i);
                tab->visibleRow_ = (tab->visibleRow_ + rows - currentRow - 1) % rows;
            }
        }
    }
    if (tabPosition_ == tpBottom || tabPosition_ == tpRight) {
        for (int i = 0; i < count; ++i) {
            TclTab* tab = visibleTabs_.Tab(i);
            tab->visibleRow_ = rows - tab->visibleRow_ - 1;
        }
        startRows = rows - startRows;
    }
    startRowCount_ = startRows;
}

void TclCustomTabControl::RearrangeRowsForCurrent()
{
    if (!painter_ || rowCount_ == 0 || IsLoading()) {
        return;
    }
    ArrangeRows();
    PositionRows();
}

// ------------------------------------------------------------------------------------------------------------
// Scrolling

void TclCustomTabControl::ScrollToTab(int visibleIndex)
{
    if (visibleIndex < 0 || visibleIndex >= visibleTabs_.Count() || !painter_) {
        return;
    }
    if (visibleIndex < firstDisplayedTab_ || firstDisplayedTab_ < 0) {
        firstDisplayedTab_ = visibleIndex;
        return;
    }
    if (visibleIndex < lastDisplayedTab_) {
        return;
    }
    if (visibleIndex == lastDisplayedTab_) {
        const bool vertical = IsRowVertical();
        const win::RECT rect = visibleTabs_.Tab(visibleIndex)->NormalRect();
        const int start = vertical ? tabsArea_.RowBounds.top : tabsArea_.RowBounds.left;
        const int end = start + tabsArea_.RowLength;
        const bool fits = vertical ? rect.top >= start && rect.bottom <= end : rect.left >= start && rect.right <= end;
        if (fits) {
            return;
        }
    }
    CalculateTabsArea(navigatorButtons_);
    if (tabsArea_.RowLength < 1) {
        firstDisplayedTab_ = visibleIndex;
        return;
    }
    TclPCDistance spacing;
    painter_->GetTabsSpacing(spacing);
    const std::int64_t gap = rotate_ ? spacing.dh : spacing.dw;
    firstDisplayedTab_ = visibleIndex;
    std::int64_t used = TabExtent(visibleTabs_.Tab(visibleIndex));
    while (firstDisplayedTab_ > 0) {
        const std::int64_t candidate = used + gap + TabExtent(visibleTabs_.Tab(firstDisplayedTab_ - 1));
        if (candidate > tabsArea_.RowLength) {
            break;
        }
        used = candidate;
        --firstDisplayedTab_;
    }
}

int TclCustomTabControl::VisibleIndexAt(int x, int y)
{
    if (!painter_ || hideTabs_) {
        return -1;
    }
    int first = 0;
    int last = 0;
    clPCGetVisibleTabRange(this, first, last);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const win::RECT rect = visibleTabs_.Tab(i)->VisibleRect();
        if (controls::clRectContainsXY(rect, x, y) && painter_->IsTabHitAt(i, x, y)) {
            return i;
        }
    }
    return -1;
}

}  // namespace pagecontrol
