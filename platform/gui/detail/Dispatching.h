#pragma once
// Controls handling a message, innermost last, so that a control freed by its own event handler lives
// until the handling is over, and code after a handler knows whether its control is still there.

namespace gui {
class TControl;
}

namespace gui::detail {

// Marks control as handling a message for the scope's lifetime.
class DispatchScope {
public:
    explicit DispatchScope(TControl* control);
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

    // False once the control was deleted during the scope.
    bool Alive() const;

private:
    int index_;
};

// Whether control must wait for a handling to end before it is deleted; if so it is deleted then.
bool DeferFree(TControl* control);
// The control is being deleted: scopes see it gone, and it is no longer waiting.
void ForgetControl(TControl* control);

}  // namespace gui::detail
