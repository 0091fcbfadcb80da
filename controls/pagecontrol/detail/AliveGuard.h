#pragma once
// A weak link held over a call that may free the object (an event handler): Alive() tells whether the
// object still exists afterwards.

#include "controls/clClasses.h"

namespace pagecontrol::detail {

class AliveGuard {
public:
    explicit AliveGuard(classes::TObject* object) : link_(controls::clCreateObjectLink(object)) {}
    ~AliveGuard() { controls::clReleaseObjectLink(link_); }
    AliveGuard(const AliveGuard&) = delete;
    AliveGuard& operator=(const AliveGuard&) = delete;

    bool Alive() const { return link_->Ref != nullptr; }

private:
    controls::TclObjectLink* link_;
};

}  // namespace pagecontrol::detail
