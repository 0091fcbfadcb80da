#pragma once
// Controls handling a message, innermost last, so that a control freed by its own event handler lives
// until the handling is over, and code after a handler knows whether its control is still there.
// Holds (TFreeHold) mark a control whose handlers run outside the handling of its messages; a control freed
// under a hold waits for the message loop, since the code that reached the handler may be program code that
// goes on using the control after the nearest handling around it is over.

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

// Marks control as held until EndHold(index); answers the index.
int BeginHold(TControl* control);
void EndHold(int index);
// The message loop is about to take the next message: deletes the freed controls nothing handles or holds.
void DeleteFreedBeforeNextMessage();

}  // namespace gui::detail
