#include "platform/gui/core/detail/Dispatching.h"

#include "platform/gui/core/WinControl.h"

#include <algorithm>
#include <vector>

namespace gui::detail {

namespace {

struct Active {
    TControl* control;  // null once the control was deleted
    bool hold;
};

struct Freed {
    TControl* control;
    bool held;  // freed under a hold: waits for the message loop
};

// The GUI thread's handlings and holds, innermost last, and the controls freed meanwhile.
struct Dispatching {
    std::vector<Active> active;
    std::vector<Freed> pending;
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

bool Covers(const Active& entry, const TControl* control) { return entry.control && Within(entry.control, control); }

bool Busy(const TControl* control)
{
    const auto& active = State().active;
    return std::any_of(active.begin(), active.end(), [&](const Active& a) { return Covers(a, control); });
}

bool Held(const TControl* control)
{
    const auto& active = State().active;
    return std::any_of(active.begin(), active.end(), [&](const Active& a) { return a.hold && Covers(a, control); });
}

void DeleteFreed(bool loopStep)
{
    auto& pending = State().pending;
    for (std::size_t i = 0; i < pending.size();) {
        const Freed freed = pending[i];
        if ((freed.held && !loopStep) || Busy(freed.control)) {
            ++i;
            continue;
        }
        pending.erase(pending.begin() + std::ptrdiff_t(i));
        freed.control->BeforeDestruction();
        delete freed.control;
        i = 0;  // the deletion may have taken others with it
    }
}

int Begin(TControl* control, bool hold)
{
    auto& active = State().active;
    active.push_back({control, hold});
    return int(active.size()) - 1;
}

void End(int index)
{
    State().active.resize(std::size_t(index));
    if (!State().pending.empty()) {
        DeleteFreed(false);
    }
}

}  // namespace

DispatchScope::DispatchScope(TControl* control) : index_(Begin(control, false)) {}

DispatchScope::~DispatchScope() { End(index_); }

bool DispatchScope::Alive() const
{
    return State().active[std::size_t(index_)].control != nullptr;
}

bool DeferFree(TControl* control)
{
    if (!Busy(control)) {
        return false;
    }
    const bool held = Held(control);
    auto& pending = State().pending;
    const auto it = std::find_if(pending.begin(), pending.end(), [&](const Freed& f) { return f.control == control; });
    if (it == pending.end()) {
        pending.push_back({control, held});
    } else {
        it->held = it->held || held;
    }
    return true;
}

void ForgetControl(TControl* control)
{
    Dispatching& state = State();
    for (Active& entry : state.active) {
        if (entry.control == control) {
            entry.control = nullptr;
        }
    }
    std::erase_if(state.pending, [&](const Freed& f) { return f.control == control; });
}

int BeginHold(TControl* control) { return Begin(control, true); }

void EndHold(int index) { End(index); }

void DeleteFreedBeforeNextMessage()
{
    if (!State().pending.empty()) {
        DeleteFreed(true);
    }
}

}  // namespace gui::detail
