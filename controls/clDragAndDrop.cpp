#include "controls/clDragAndDrop.h"

#include "controls/clControls.h"

#include "platform/gui/core/Screen.h"

namespace controls {

namespace {

gui::TDragObject*& CurrentDragObject()
{
    static gui::TDragObject* object = nullptr;
    return object;
}

}  // namespace

TclDragAndDropObject::TclDragAndDropObject(TclControl* control) : control_(control) {}

const classes::TClassInfo& TclDragAndDropObject::StaticClass()
{
    static const classes::TClassInfo info("TclDragAndDropObject", &TObject::StaticClass(), [](classes::TClassInfo&) {});
    return info;
}

gui::TCursor TclDragAndDropObject::CursorFor(bool accepted) { return accepted ? gui::crDrag : gui::crNoDrop; }

void TclDragAndDropObject::Track(win::POINT, bool& accepted)
{
    SetDirty(false);
    gui::Screen()->SetCursor(CursorFor(accepted));
}

TclCanvas* TclDragAndDropObject::Canvas() const { return control_->ClCanvas(); }

void TclDragAndDropObject::SetDirty(bool value)
{
    if (value != dirty_) {
        dirty_ = value;
        DirtyFlipped();
    }
}

void TclDragAndDropObject::SetCurrentPoint(win::POINT point)
{
    previous_ = current_;
    current_ = point;
}

void TclDragAndDropObject::Init()
{
    current_ = control_->ScreenToClient(clGetCursorScreenPos());
    previous_ = current_;
    Opened();
}

void TclDragAndDropObject::DoTrack(win::POINT point, bool& accepted)
{
    SetCurrentPoint(point);
    Track(point, accepted);
}

void TclDragAndDropObject::DoFinish(bool accepted)
{
    BeforeFinish(accepted);
    AfterFinish(accepted);
}

const classes::TClassInfo& TclDragControlObject::StaticClass()
{
    static const classes::TClassInfo info("TclDragControlObject", &TDragControlObject::StaticClass(),
                                          [](classes::TClassInfo&) {});
    return info;
}

gui::TCursor TclDragControlObject::GetDragCursor(bool accepted, int x, int y)
{
    auto* control = dynamic_cast<TclControl*>(Control());
    if (accepted && control && control->DragCopyRequested()) {
        return crclDragCopy;
    }
    return TDragControlObject::GetDragCursor(accepted, x, y);
}

void TclDragControlObject::Finished(classes::TObject* target, int x, int y, bool accepted)
{
    TDragControlObject::Finished(target, x, y, accepted);
    if (clCurrentDragObject() == this) {
        clSetCurrentDragObject(nullptr);
    }
    delete this;
}

const classes::TClassInfo& TclDragImageList::StaticClass()
{
    static const classes::TClassInfo info("TclDragImageList", &TDragImageList::StaticClass(), [](classes::TClassInfo&) {});
    return info;
}

gui::TDragObject* clCurrentDragObject()
{
    // A drag that ended meanwhile is forgotten.
    gui::TDragObject*& object = CurrentDragObject();
    if (object && object != gui::DragObject()) {
        object = nullptr;
    }
    return object;
}

void clSetCurrentDragObject(gui::TDragObject* object) { CurrentDragObject() = object; }

}  // namespace controls
