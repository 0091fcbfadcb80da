#pragma once
// The base of fonts, pens and brushes: a description that makes a GDI object on demand (its Handle) and
// tells its owner when it changes. The owner (a canvas) hears OnChange while the old object still
// exists, so it can take the object out of its device context before the object is deleted.

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"

namespace gui {

class TGraphicsObject : public classes::TPersistent {
public:
    TGraphicsObject() = default;
    ~TGraphicsObject() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Whether a handle has been made (or given) and not yet dropped.
    bool HandleAllocated() const { return handle_ != nullptr; }

    classes::TNotifyEvent OnChange;

protected:
    // After the description changed: OnChange, then the handle of the old description goes.
    virtual void Changed();
    // Deletes the handle (when there is one) and forgets it.
    void DropHandle();

    mutable void* handle_ = nullptr;
};

}  // namespace gui
