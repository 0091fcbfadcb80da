// Keys, mouse, wheel, hot state and navigator button states of the tab control.

#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/detail/AliveGuard.h"

#include "platform/win/HitTest.h"
#include "platform/win/Input.h"

#include <algorithm>

namespace pagecontrol {

using detail::AliveGuard;

namespace {

constexpr std::uint32_t repeatDelay = 300;
constexpr std::uint32_t repeatInterval = 150;

TclPCNavigatorButton ButtonOf(TclPCNavigatorButtons set)
{
    for (TclPCNavigatorButton button : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) {
        if (set & clPCButtonBit(button)) {
            return button;
        }
    }
    return nbTopLeft;
}

bool IsArrow(TclPCNavigatorButton button) { return button == nbTopLeft || button == nbBottomRight; }

}  // namespace

// ------------------------------------------------------------------------------------------------------------
// Keys

bool TclCustomTabControl::ProcessNavigationKey(win::WORD& key, gui::TShiftState shift)
{
    const int count = visibleTabs_.Count();
    const gui::TShiftState keys =
        shift & gui::TShiftState((1u << gui::ssShift) | (1u << gui::ssAlt) | (1u << gui::ssCtrl));
    const gui::TShiftState alt = gui::TShiftState(1u << gui::ssAlt);
    if (hideTabs_ || count == 0 || !painter_ || keys == alt || keys == gui::With(alt, gui::ssShift)) {
        return false;
    }
    const bool ctrl = gui::Has(shift, gui::ssCtrl);
    bool forward = true;
    bool wrap = false;
    bool fromEnd = false;
    switch (key) {
    case win::VK_TAB:
        if (!ctrl) {
            return false;
        }
        forward = !gui::Has(shift, gui::ssShift);
        wrap = true;
        break;
    case win::VK_LEFT:
    case win::VK_UP:
        forward = false;
        break;
    case win::VK_RIGHT:
    case win::VK_DOWN:
        break;
    case win::VK_HOME:
        fromEnd = true;
        break;
    case win::VK_END:
        fromEnd = true;
        forward = false;
        break;
    case win::VK_RETURN:
    case win::VK_SPACE:
        if (focusedTab_ == -1) {
            return false;
        }
        SetTabIndex(visibleTabs_.TabIndexAt(focusedTab_));
        return true;
    default:
        return false;
    }
    if (IsDisplayOrderReversed()) {
        forward = !forward;
    }
    int start = 0;
    if (fromEnd) {
        start = forward ? 0 : count - 1;
    } else {
        const int base = focusedTab_ != -1 ? focusedTab_ : currentVisibleIndex_;
        start = base != -1 ? base + (forward ? 1 : -1) : (forward ? 0 : count - 1);
    }
    const int found = NextSelectableTab(start, forward, wrap);
    if (found == -1) {
        return true;
    }
    const bool onlyFocus = painter_->ClassRef()->HasPressedTabState() && key != win::VK_TAB;
    MoveToTab(found, onlyFocus);
    return true;
}

int TclCustomTabControl::NextSelectableTab(int start, bool forward, bool wrap)
{
    const int count = visibleTabs_.Count();
    int index = start;
    for (int steps = 0; steps < count; ++steps) {
        if (wrap) {
            index = (index % count + count) % count;
        } else if (index < 0 || index >= count) {
            return -1;
        }
        if (IsTabSelectable(visibleTabs_.TabIndexAt(index))) {
            return index;
        }
        index += forward ? 1 : -1;
    }
    return -1;
}

void TclCustomTabControl::MoveToTab(int visibleIndex, bool onlyFocus)
{
    if (onlyFocus) {
        SetFocusedTab(visibleIndex);
    } else {
        SetTabIndex(visibleTabs_.TabIndexAt(visibleIndex));
    }
}

void TclCustomTabControl::SetFocusedTab(int visibleIndex)
{
    if (focusedTab_ == visibleIndex) {
        return;
    }
    const int old = focusedTab_;
    focusedTab_ = visibleIndex;
    if (old != -1) {
        RepaintTab(old, clpcrKeyboardFocus);
    }
    if (visibleIndex != -1) {
        RepaintTab(visibleIndex, clpcrKeyboardFocus);
        if (!multiLine_) {
            ScrollToTab(visibleIndex);
            RebuildLayout();
        }
    }
}

void TclCustomTabControl::KeyDown(win::WORD& key, gui::TShiftState shift)
{
    AliveGuard guard(this);
    if (ProcessNavigationKey(key, shift)) {
        if (guard.Alive()) {
            key = 0;
        }
        return;
    }
    TclControl::KeyDown(key, shift);
}

// ------------------------------------------------------------------------------------------------------------
// Mouse

bool TclCustomTabControl::MouseEventsAllowed() const { return !hideTabs_ || HasState(classes::csDesigning); }

void TclCustomTabControl::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    AliveGuard guard(this);
    TclControl::MouseDown(button, shift, x, y);
    const bool designing = HasState(classes::csDesigning);
    if (!guard.Alive() || !painter_ || (button != gui::mbLeft && !designing) || !MouseEventsAllowed()) {
        return;
    }
    UpdateHotStateAt({x, y});
    TclPCNavigatorButton hit = nbTopLeft;
    if (navigatorButtons_ && painter_->GetNavigatorButtonAt(x, y, hit) && (navigatorButtons_ & clPCButtonBit(hit))) {
        const TclPCNavigatorButtonState state = buttonStates_[hit];
        if (state == nbsPressed || state == nbsDisabled) {
            return;
        }
        hotButtons_ &= TclPCNavigatorButtons(~clPCButtonBit(hit));
        pressedButton_ = clPCButtonBit(hit);
        SetButtonState(hit, nbsPressed);
        if (IsArrow(hit)) {
            ScrollTabs(hit);
            if (pressedButton_ == clPCButtonBit(hit) && buttonStates_[hit] == nbsPressed) {
                StartRepeatTimer();
            }
        }
        return;
    }
    const int visibleIndex = VisibleIndexAt(x, y);
    if (visibleIndex == -1) {
        return;
    }
    if (!IsTabSelectable(visibleTabs_.TabIndexAt(visibleIndex)) && !designing) {
        return;
    }
    if (painter_->ClassRef()->HasPressedTabState()) {
        pressedTab_ = visibleIndex;
        RepaintTab(visibleIndex, clpcrPressed);
    } else {
        SelectTab(visibleIndex, gui::Has(shift, gui::ssCtrl));
    }
}

void TclCustomTabControl::MouseMove(gui::TShiftState shift, int x, int y)
{
    AliveGuard guard(this);
    TclControl::MouseMove(shift, x, y);
    if (!guard.Alive() || !painter_) {
        return;
    }
    if (pressedButton_) {
        TclPCNavigatorButton hit = nbTopLeft;
        if (!painter_->GetNavigatorButtonAt(x, y, hit) || clPCButtonBit(hit) != pressedButton_) {
            CancelButtonPress();
        }
    }
    if (pressedTab_ != -1 && VisibleIndexAt(x, y) != pressedTab_) {
        const int old = pressedTab_;
        pressedTab_ = -1;
        RepaintTab(old, clpcrPressed);
    }
    UpdateHotStateAt({x, y});
}

void TclCustomTabControl::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    AliveGuard guard(this);
    TclControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !painter_ || button != gui::mbLeft || !MouseEventsAllowed() || goDialogOpen_) {
        return;
    }
    const bool designing = HasState(classes::csDesigning);
    if (pressedButton_) {
        const TclPCNavigatorButton pressed = ButtonOf(pressedButton_);
        StopRepeatTimer();
        TclPCNavigatorButton hit = nbTopLeft;
        const bool onButton = painter_->GetNavigatorButtonAt(x, y, hit) && hit == pressed;
        if (onButton && buttonStates_[pressed] != nbsDisabled) {
            if (pressed == nbGoDialog && !designing) {
                goDialogOpen_ = true;
                ShowGoDialog();
                return;
            }
            if (pressed == nbClose && !designing) {
                pressedButton_ = 0;
                SetButtonState(pressed, nbsNormal);
                if (!DoCanClose() || !guard.Alive()) {
                    return;
                }
                CloseActiveTab();
                if (!guard.Alive()) {
                    return;
                }
            }
        }
        if (pressedButton_) {
            pressedButton_ = 0;
            if (buttonStates_[pressed] == nbsPressed) {
                SetButtonState(pressed, nbsNormal);
            }
        }
    } else if (pressedTab_ != -1 && painter_->ClassRef()->HasPressedTabState()) {
        const int visibleIndex = VisibleIndexAt(x, y);
        if (visibleIndex == pressedTab_) {
            pressedTab_ = -1;
            RepaintTab(visibleIndex, clpcrPressed);
            SelectTab(visibleIndex, gui::Has(shift, gui::ssCtrl));
            if (!guard.Alive()) {
                return;
            }
        }
    }
    UpdateHotStateAt({x, y});
}

void TclCustomTabControl::SelectTab(int visibleIndex, bool ctrl)
{
    TclTab* tab = visibleTabs_.Tab(visibleIndex);
    if (multiSelect_ && painter_->ClassRef()->AllowsMultiSelect() && ctrl) {
        if (tab->IsCurrent()) {
            SetTabIndex(-1);
        } else {
            tab->SetSelected(!tab->Selected());
        }
        return;
    }
    AliveGuard guard(this);
    SetTabIndex(tab->Index());
    if (guard.Alive() && HasState(classes::csDesigning)) {
        NotifyDesignerModified();
    }
}

bool TclCustomTabControl::DoMouseWheel(gui::TShiftState shift, int wheelDelta, win::POINT mousePos)
{
    if (!multiLine_ && !hideTabs_ && rowCount_ > 0 && visibleTabs_.Count() > 0 && painter_) {
        const win::POINT p = ScreenToClient(mousePos);
        const win::RECT& row = startRowCount_ > 0 ? startRowRect_ : endRowRect_;
        const bool within = IsRowVertical() ? p.x >= row.left && p.x < row.right : p.y >= row.top && p.y < row.bottom;
        if (within) {
            ScrollTabs(wheelDelta < 0 ? nbBottomRight : nbTopLeft);
            return true;
        }
    }
    return TclControl::DoMouseWheel(shift, wheelDelta, mousePos);
}

// ------------------------------------------------------------------------------------------------------------
// Scrolling by the arrows

bool TclCustomTabControl::ArrowPointsToStart(TclPCNavigatorButton arrow) const
{
    return (arrow == nbTopLeft) != IsDisplayOrderReversed();
}

bool TclCustomTabControl::IsArrowDisabled(TclPCNavigatorButton arrow) const
{
    const int count = visibleTabs_.Count();
    if (count == 0) {
        return true;
    }
    if (ArrowPointsToStart(arrow)) {
        return firstDisplayedTab_ <= 0;
    }
    return lastDisplayedTab_ >= count - 1 && (lastTabFits_ || firstDisplayedTab_ == lastDisplayedTab_);
}

void TclCustomTabControl::ScrollTabs(TclPCNavigatorButton arrow)
{
    if (multiLine_ || IsArrowDisabled(arrow)) {
        return;
    }
    firstDisplayedTab_ += ArrowPointsToStart(arrow) ? -1 : 1;
    RebuildLayout();
}

void TclCustomTabControl::StartRepeatTimer()
{
    if (!repeatTimer_) {
        repeatTimer_ = std::make_unique<controls::TclTimer>(nullptr);
        repeatTimer_->SetEnabled(false);
        repeatTimer_->SetOnTimer(classes::TNotifyEvent::Of<&TclCustomTabControl::RepeatTimerFired>(this));
    }
    repeatTimer_->SetInterval(repeatDelay);
    repeatTimer_->SetEnabled(true);
}

void TclCustomTabControl::StopRepeatTimer()
{
    if (repeatTimer_) {
        repeatTimer_->SetEnabled(false);
    }
}

void TclCustomTabControl::RepeatTimerFired(classes::TObject*)
{
    const TclPCNavigatorButton arrow = ButtonOf(pressedButton_);
    if (!pressedButton_ || !IsArrow(arrow) || buttonStates_[arrow] != nbsPressed) {
        StopRepeatTimer();
        return;
    }
    if (repeatTimer_->Interval() != repeatInterval) {
        repeatTimer_->SetInterval(repeatInterval);
    }
    ScrollTabs(arrow);
    if (IsArrowDisabled(arrow)) {
        StopRepeatTimer();
    }
}

void TclCustomTabControl::CancelButtonPress()
{
    StopRepeatTimer();
    const TclPCNavigatorButton pressed = ButtonOf(pressedButton_);
    pressedButton_ = 0;
    if (buttonStates_[pressed] == nbsPressed) {
        SetButtonState(pressed, nbsNormal);
    }
}

// ------------------------------------------------------------------------------------------------------------
// Navigator button states and hot state

void TclCustomTabControl::SetButtonState(TclPCNavigatorButton button, TclPCNavigatorButtonState state)
{
    const TclPCNavigatorButtonState old = buttonStates_[button];
    if (old == state) {
        return;
    }
    buttonStates_[button] = state;
    if (painter_) {
        painter_->InvalidateNavigatorButton(button, old);
    }
}

void TclCustomTabControl::UpdateNavigatorButtonStates()
{
    bool becameDisabled = false;
    for (TclPCNavigatorButton button : {nbTopLeft, nbBottomRight, nbClose}) {
        if (!(navigatorButtons_ & clPCButtonBit(button))) {
            buttonStates_[button] = nbsNormal;
            continue;
        }
        const bool disabled = button == nbClose ? tabIndex_ == -1 : IsArrowDisabled(button);
        if (disabled) {
            if (buttonStates_[button] != nbsDisabled) {
                SetButtonState(button, nbsDisabled);
                becameDisabled = true;
            }
        } else if (buttonStates_[button] == nbsDisabled) {
            SetButtonState(button, nbsNormal);
        }
    }
    if (!becameDisabled) {
        return;
    }
    for (TclPCNavigatorButton button : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) {
        if ((hotButtons_ | pressedButton_) & clPCButtonBit(button)) {
            if (buttonStates_[button] == nbsHotTrack || buttonStates_[button] == nbsPressed) {
                SetButtonState(button, nbsNormal);
            }
        }
    }
    hotButtons_ = 0;
    pressedButton_ = 0;
    StopRepeatTimer();
}

void TclCustomTabControl::UpdateHotState()
{
    if (!HandleAllocated()) {
        return;
    }
    UpdateHotStateAt(ScreenToClient(controls::clGetCursorScreenPos()));
}

void TclCustomTabControl::UpdateHotStateAt(win::POINT point)
{
    if (IsLoading() || destroying_ || IsDestroying() || HasState(classes::csDesigning) || !HandleAllocated()
        || goDialogOpen_ || !painter_) {
        return;
    }
    const bool tracking = (hotTrack_ || painter_->IsHotTrackAlwaysEnabled()) && Enabled();
    const bool leftDown = win::GetKeyState(win::VK_LBUTTON) < 0;
    const win::RECT client{0, 0, Width(), Height()};
    TclPCNavigatorButtons hotButtons = 0;
    int hotTab = -1;
    if (controls::clRectContainsPoint(client, point) && win::WindowFromPoint(ClientToScreen(point)) == Handle()) {
        TclPCNavigatorButton hit = nbTopLeft;
        if (navigatorButtons_ && painter_->GetNavigatorButtonAt(point.x, point.y, hit)
            && (navigatorButtons_ & clPCButtonBit(hit))) {
            const TclPCNavigatorButtonState state = buttonStates_[hit];
            if (state != nbsPressed && state != nbsDisabled && !leftDown) {
                hotButtons = clPCButtonBit(hit);
            }
        } else if (tracking) {
            const int visibleIndex = VisibleIndexAt(point.x, point.y);
            if (visibleIndex != -1 && visibleTabs_.Tab(visibleIndex)->Enabled()
                && !(leftDown && painter_->ClassRef()->HasPressedTabState())) {
                hotTab = visibleIndex;
            }
        }
    }
    SetHotButtons(hotButtons);
    SetHotTab(hotTab);
}

void TclCustomTabControl::SetHotButtons(TclPCNavigatorButtons buttons)
{
    for (TclPCNavigatorButton button : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) {
        const TclPCNavigatorButtons bit = clPCButtonBit(button);
        if ((hotButtons_ & bit) && !(buttons & bit) && buttonStates_[button] == nbsHotTrack) {
            SetButtonState(button, nbsNormal);
        }
        if (buttons & bit) {
            SetButtonState(button, nbsHotTrack);
        }
    }
    hotButtons_ = buttons;
}

void TclCustomTabControl::SetHotTab(int visibleIndex)
{
    if (hotTab_ == visibleIndex) {
        return;
    }
    const int old = hotTab_;
    hotTab_ = visibleIndex;
    if (old != -1) {
        RepaintTab(old, clpcrHot);
    }
    if (visibleIndex != -1) {
        RepaintTab(visibleIndex, clpcrHot);
    }
}

}  // namespace pagecontrol
