#include "platform/gui/detail/Dispatching.h"

#include "platform/gui/WinControl.h"

#include <algorithm>
#include <vector>

namespace gui::detail {

namespace {

// The GUI thread's handlings, innermost last (null where the control was deleted), and the controls
// freed meanwhile.
struct Dispatching {
    std::vector<TControl*> active;
    std::vector<TControl*> pending;
};

Dispatching& State()
{
    thread_local Dispatching state;
    return state;
}

// Whether inner is control, lies in it or belongs to it.
bool Within(const TControl* inner, const TControl* control)
{
    for (const TControl* c = inner; c; c = c->Parent()) {
        if (c == control) {
            return true;
        }
    }
    for (const classes::TComponent* c = inner; c; c = c->Owner()) {
        if (c == control) {
            return true;
        }
    }
    return false;
}

bool Busy(const TControl* control)
{
    const auto& active = State().active;
    return std::any_of(active.begin(), active.end(), [&](TControl* c) { return c && Within(c, control); });
}

void DeleteFreed()
{
    auto& pending = State().pending;
    for (std::size_t i = 0; i < pending.size();) {
        TControl* control = pending[i];
        if (Busy(control)) {
            ++i;
            continue;
        }
        pending.erase(pending.begin() + std::ptrdiff_t(i));
        control->BeforeDestruction();
        delete control;
        i = 0;  // the deletion may have taken others with it
    }
}

}  // namespace

DispatchScope::DispatchScope(TControl* control) : index_(int(State().active.size()))
{
    State().active.push_back(control);
}

DispatchScope::~DispatchScope()
{
    auto& active = State().active;
    active.resize(std::size_t(index_));
    if (!State().pending.empty()) {
        DeleteFreed();
    }
}

bool DispatchScope::Alive() const
{
    return State().active[std::size_t(index_)] != nullptr;
}

bool DeferFree(TControl* control)
{
    if (!Busy(control)) {
        return false;
    }
    auto& pending = State().pending;
    if (std::find(pending.begin(), pending.end(), control) == pending.end()) {
        pending.push_back(control);
    }
    return true;
}

void ForgetControl(TControl* control)
{
    Dispatching& state = State();
    std::replace(state.active.begin(), state.active.end(), control, static_cast<TControl*>(nullptr));
    std::erase(state.pending, control);
}

}  // namespace gui::detail
