#include "platform/gui/controls/UpDown.h"

#include "platform/gdi/FrameControls.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"
#include "platform/win/Timers.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>
#include <string>

namespace gui {

namespace {

constexpr win::UINT_PTR kRepeatTimer = 1;
constexpr win::UINT kFirstRepeat = 400;
constexpr win::UINT kRepeat = 100;

const classes::TTypeInfo& AlignButtonType()
{
    static const classes::TTypeInfo type = classes::EnumType("TUDAlignButton", {"udLeft", "udRight"});
    return type;
}

const classes::TTypeInfo& OrientationType()
{
    static const classes::TTypeInfo type = classes::EnumType("TUDOrientation", {"udHorizontal", "udVertical"});
    return type;
}

const classes::TTypeInfo& ClickEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TUDBtnType)>("TUDClickEvent");
    return type;
}

const classes::TTypeInfo& ChangingEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, bool&)>("TUDChangingEvent");
    return type;
}

std::string WithThousands(int value)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(std::size_t(i), 1, rtl::DefaultFormatSettings().ThousandSeparator);
    }
    return value < 0 ? "-" + digits : digits;
}

}  // namespace

TUpDown::TUpDown(classes::TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 17, 25);
    SetTabStop(false);
}

TUpDown::~TUpDown()
{
    UnhookAssociate();
}

const classes::TClassInfo& TUpDown::StaticClass()
{
    static const classes::TClassInfo info("TUpDown", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TUpDown>(c)
            .Property("AlignButton", AlignButtonType(), &TUpDown::AlignButton, &TUpDown::SetAlignButton).Default(udRight)
            .Property("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys).Default(1)
            .Property("Associate", classes::ClassRefType<TWinControl>(), &TUpDown::Associate, &TUpDown::SetAssociate)
            .Property("Increment", &TUpDown::Increment, &TUpDown::SetIncrement).Default(1)
            .Property("Max", &TUpDown::Max, &TUpDown::SetMax).Default(100)
            .Property("Min", &TUpDown::Min, &TUpDown::SetMin).Default(0)
            .Property("Orientation", OrientationType(), &TUpDown::Orientation, &TUpDown::SetOrientation).Default(udVertical)
            .Property("Position", &TUpDown::Position, &TUpDown::SetPosition).Default(0)
            .Property("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands).Default(1)
            .Property("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap).Default(0)
            .Property("OnChanging", ChangingEventType(), &TUpDown::OnChanging)
            .Property("OnClick", ClickEventType(), &TUpDown::OnClick);
    });
    return info;
}

void TUpDown::SetAssociate(TWinControl* value)
{
    if (associate_) {
        UnhookAssociate();
        associate_->RemoveFreeNotification(this);
    }
    associate_ = value;
    if (value) {
        value->FreeNotification(this);
        HookAssociate();
        if (!HasState(classes::csLoading)) {
            PlaceBesideAssociate();
            ShowPosition();
        }
    }
}

void TUpDown::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == associate_) {
        associate_ = nullptr;
        associateProc_.Clear();
    }
}

void TUpDown::HookAssociate()
{
    associateProc_ = associate_->WindowProc;
    associate_->WindowProc = TWndMethod::Of<&TUpDown::AssociateWndProc>(this);
}

void TUpDown::UnhookAssociate()
{
    // Whoever hooked in front of us later keeps our method as its predecessor; taking ours out from under
    // it would break its chain, so only a chain that still starts here is restored.
    if (associate_ && associate_->WindowProc == TWndMethod::Of<&TUpDown::AssociateWndProc>(this)) {
        associate_->WindowProc = associateProc_;
    }
    associateProc_.Clear();
}

void TUpDown::AssociateWndProc(win::TMessage& message)
{
    if (message.Msg == win::WM_KEYDOWN && arrowKeys_ && Enabled()) {
        const bool vertical = orientation_ == udVertical;
        const auto key = win::UINT(message.WParam);
        if (key == (vertical ? win::VK_UP : win::VK_RIGHT) || key == (vertical ? win::VK_DOWN : win::VK_LEFT)) {
            Step(key == win::VK_UP || key == win::VK_RIGHT ? btNext : btPrev);
            message.Result = 0;
            return;
        }
    }
    associateProc_(message);
}

void TUpDown::Loaded()
{
    TCustomControl::Loaded();
    if (associate_) {
        ShowPosition();
    }
}

void TUpDown::SetPosition(int value)
{
    position_ = value;
    if (!HasState(classes::csLoading)) {
        ShowPosition();
    }
}

void TUpDown::SetOrientation(TUDOrientation value)
{
    if (value != orientation_) {
        orientation_ = value;
        Invalidate();
    }
}

void TUpDown::SetThousands(bool value)
{
    thousands_ = value;
    ShowPosition();
}

void TUpDown::SetAlignButton(TUDAlignButton value)
{
    alignButton_ = value;
    PlaceBesideAssociate();
}

void TUpDown::PlaceBesideAssociate()
{
    if (!associate_ || HasState(classes::csLoading)) {
        return;
    }
    const int left = alignButton_ == udRight ? associate_->Left() + associate_->Width() : associate_->Left() - Width();
    SetBounds(left, associate_->Top(), Width(), associate_->Height());
}

void TUpDown::ShowPosition()
{
    if (associate_) {
        associate_->SetText(thousands_ ? WithThousands(position_) : std::to_string(position_));
    }
}

void TUpDown::Step(TUDBtnType button)
{
    // The associate's text may have been typed over: that is where the step starts from.
    if (associate_) {
        std::string text = associate_->GetText();
        text.erase(std::remove(text.begin(), text.end(), rtl::DefaultFormatSettings().ThousandSeparator), text.end());
        try {
            position_ = std::stoi(text);
        } catch (const std::exception&) {
        }
    }
    int next = position_ + (button == btNext ? increment_ : -increment_);
    if (next > max_) {
        next = wrap_ ? min_ : max_;
    } else if (next < min_) {
        next = wrap_ ? max_ : min_;
    }
    bool allow = true;
    if (OnChanging) {
        OnChanging(this, allow);
    }
    if (!allow) {
        return;
    }
    position_ = next;
    ShowPosition();
    if (OnClick) {
        OnClick(this, button);
    }
}

void TUpDown::Paint()
{
    TCanvas& canvas = *Canvas();
    const bool vertical = orientation_ == udVertical;
    const win::UINT inactive = Enabled() ? 0 : win::DFCS_INACTIVE;
    win::RECT first = vertical ? win::RECT{0, 0, Width(), Height() / 2} : win::RECT{0, 0, Width() / 2, Height()};
    win::RECT second = vertical ? win::RECT{0, Height() / 2, Width(), Height()} : win::RECT{Width() / 2, 0, Width(), Height()};
    // Up (or right) is the next value; left on a horizontal pair is the previous one.
    win::DrawFrameControl(canvas.Handle(), &first, win::DFC_SCROLL,
                          (vertical ? win::DFCS_SCROLLUP : win::DFCS_SCROLLLEFT) | inactive |
                                  (pressed_ == (vertical ? btNext : btPrev) ? win::DFCS_PUSHED : 0));
    win::DrawFrameControl(canvas.Handle(), &second, win::DFC_SCROLL,
                          (vertical ? win::DFCS_SCROLLDOWN : win::DFCS_SCROLLRIGHT) | inactive |
                                  (pressed_ == (vertical ? btPrev : btNext) ? win::DFCS_PUSHED : 0));
}

void TUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) {
        return;
    }
    const bool firstHalf = orientation_ == udVertical ? y < Height() / 2 : x < Width() / 2;
    const TUDBtnType pressed = orientation_ == udVertical ? (firstHalf ? btNext : btPrev) : (firstHalf ? btPrev : btNext);
    pressed_ = pressed;
    Invalidate();
    Step(pressed);
    win::SetTimer(Handle(), kRepeatTimer, kFirstRepeat, nullptr);
}

void TUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (pressed_ >= 0) {
        pressed_ = -1;
        win::KillTimer(Handle(), kRepeatTimer);
        Invalidate();
    }
}

void TUpDown::Dispatch(win::TMessage& message)
{
    if (message.Msg == win::WM_TIMER && message.WParam == kRepeatTimer) {
        if (pressed_ < 0) {
            win::KillTimer(Handle(), kRepeatTimer);
        } else {
            win::SetTimer(Handle(), kRepeatTimer, kRepeat, nullptr);
            Step(TUDBtnType(pressed_));
        }
        return;
    }
    TCustomControl::Dispatch(message);
}

}  // namespace gui
