#pragma once
// A window timer for a report: while enabled, calls its function every interval, from the thread's
// message loop, on the installed clock. Its hidden window is made when the timer is first enabled and
// kept until the timer goes, so that the function may disable the timer while it runs.

#include "platform/wintypes/Types.h"

#include <functional>

namespace report::detail {

class ReportTimer {
public:
    ReportTimer(win::UINT interval, std::function<void()> onTimer);
    ~ReportTimer();
    ReportTimer(const ReportTimer&) = delete;
    ReportTimer& operator=(const ReportTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

private:
    win::UINT interval_;
    std::function<void()> onTimer_;
    win::HWND window_ = nullptr;
    bool enabled_ = false;
};

}  // namespace report::detail
