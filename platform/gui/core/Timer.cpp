#include "platform/gui/core/Timer.h"

#include "platform/gui/core/Application.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"

namespace gui {

namespace {

constexpr win::UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(classes::TComponent* owner) : TComponent(owner)
{
    window_ = win::AllocateHWnd([this](win::TMessage& message) {
        if (message.Msg == win::WM_TIMER) {
            try {
                Timer();
            } catch (...) {
                if (!Application()) {
                    throw;
                }
                Application()->HandleException(this);
            }
            return;
        }
        message.Result = win::DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
    });
}

TTimer::~TTimer()
{
    enabled_ = false;
    UpdateTimer();
    win::DeallocateHWnd(window_);
}

const classes::TClassInfo& TTimer::StaticClass()
{
    static const classes::TClassInfo info("TTimer", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TTimer>(c)
            .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(1)
            .Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000)
            .Property("OnTimer", classes::NotifyEventType(), &TTimer::OnTimer, &TTimer::SetOnTimer);
    });
    return info;
}

void TTimer::UpdateTimer()
{
    if (running_) {
        win::KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (interval_ != 0 && enabled_ && OnTimer && !HasState(classes::csLoading)) {
        if (!win::SetTimer(window_, kTimerId, interval_, nullptr)) {
            throw rtl::EOutOfResources("Not enough timers available");
        }
        running_ = true;
    }
}

void TTimer::SetEnabled(bool value)
{
    if (value != enabled_) {
        enabled_ = value;
        UpdateTimer();
    }
}

void TTimer::SetInterval(std::uint32_t value)
{
    if (value != interval_) {
        interval_ = value;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(classes::TNotifyEvent value)
{
    OnTimer = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer()
{
    if (OnTimer) {
        OnTimer(this);
    }
}

}  // namespace gui
