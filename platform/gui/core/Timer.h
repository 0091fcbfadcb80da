#pragma once
// TTimer: calls OnTimer every Interval milliseconds on the GUI thread, through a hidden window's timer.
// It runs only while Enabled, with an OnTimer handler and an Interval above 0.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/wintypes/Types.h"

#include <cstdint>

namespace gui {

class TTimer : public classes::TComponent {
public:
    explicit TTimer(classes::TComponent* owner);
    ~TTimer() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t value);
    classes::TNotifyEvent OnTimer;
    void SetOnTimer(classes::TNotifyEvent value);

protected:
    // OnTimer; an exception goes to the application's handler.
    virtual void Timer();
    void Loaded() override;

private:
    void UpdateTimer();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    win::HWND window_ = nullptr;
    bool running_ = false;
};

}  // namespace gui
