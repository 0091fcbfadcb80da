#include "platform/gui/graphics/GraphicsObject.h"

#include "platform/gdi/GdiObjects.h"

namespace gui {

const classes::TClassInfo& TGraphicsObject::StaticClass()
{
    static const classes::TClassInfo info("TGraphicsObject", &TPersistent::StaticClass());
    return info;
}

TGraphicsObject::~TGraphicsObject()
{
    DropHandle();
}

void TGraphicsObject::Changed()
{
    if (OnChange) {
        OnChange(this);
    }
    DropHandle();
}

void TGraphicsObject::DropHandle()
{
    if (handle_) {
        win::DeleteObject(handle_);
        handle_ = nullptr;
    }
}

}  // namespace gui
