#include "report/detail/ReportTimer.h"

#include "platform/win/ObjectInstance.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

namespace report::detail {

namespace {

constexpr win::UINT_PTR kTimerId = 1;

}  // namespace

ReportTimer::ReportTimer(win::UINT interval, std::function<void()> onTimer)
    : interval_(interval), onTimer_(std::move(onTimer))
{
}

ReportTimer::~ReportTimer()
{
    if (window_)
        win::DeallocateHWnd(window_);
}

void ReportTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled) {
        win::KillTimer(window_, kTimerId);
        return;
    }
    if (!window_)
        window_ = win::AllocateHWnd([this](win::TMessage& message) {
            if (message.Msg == win::WM_TIMER)
                onTimer_();
            else
                message.Result = win::DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
        });
    win::SetTimer(window_, kTimerId, interval_, nullptr);
}

}  // namespace report::detail
