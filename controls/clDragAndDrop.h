#pragma once
// The library's own drag-and-drop inside a control (an object that follows the mouse while the control
// holds the capture), and the pieces of the framework's drag a control of the library uses: its drag
// object (a copy cursor while Ctrl is held; it frees itself at the end), its drag image list, and the
// drag object passing over one of the library's controls, whose image is hidden while that control paints.

#include "controls/clGraphics.h"

#include "platform/gui/core/Drag.h"
#include "platform/gui/graphics/ImageList.h"

namespace controls {

class TclControl;

// Screen cursor id of a copying drag.
constexpr gui::TCursor crclDragCopy = 2100;

class TclDragAndDropObject : public classes::TObject {
public:
    explicit TclDragAndDropObject(TclControl* control);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Run when the dirty flag changes.
    virtual void DirtyFlipped() {}
    // crNoDrop when not accepted, crDrag when accepted.
    virtual gui::TCursor CursorFor(bool accepted);
    virtual bool StartsAtOnce() { return false; }
    virtual void AfterFinish(bool) {}
    virtual void Opened() { DirtyFlipped(); }
    // Clears the dirty flag and shows the cursor for accepted.
    virtual void Track(win::POINT point, bool& accepted);
    virtual void BeforeFinish(bool) { SetDirty(true); }

    TclControl* Control() const { return control_; }
    TclCanvas* Canvas() const;
    win::POINT CurrentPoint() const { return current_; }
    win::POINT PreviousPoint() const { return previous_; }
    bool Dirty() const { return dirty_; }
    void SetDirty(bool value);
    // The current point becomes the previous one.
    void SetCurrentPoint(win::POINT point);
    // Both points at the cursor (client coordinates), then Opened.
    void Init();
    void DoTrack(win::POINT point, bool& accepted);
    void DoFinish(bool accepted);

private:
    TclControl* control_;
    win::POINT current_{};
    win::POINT previous_{};
    bool dirty_ = false;
};

// Makes a drag-and-drop object of a class for a control.
using TclDragAndDropObjectFactory = TclDragAndDropObject* (*)(TclControl* control);

// The framework's drag object of a library control.
class TclDragControlObject : public gui::TDragControlObject {
public:
    using TDragControlObject::TDragControlObject;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The copy cursor over an accepting target while the control asks for a copy.
    gui::TCursor GetDragCursor(bool accepted, int x, int y) override;
    // Frees itself.
    void Finished(classes::TObject* target, int x, int y, bool accepted) override;
};

class TclDragImageList : public gui::TDragImageList {
public:
    using TDragImageList::TDragImageList;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

// The framework's drag object over one of the library's controls, or null (also once that drag ended).
gui::TDragObject* clCurrentDragObject();
void clSetCurrentDragObject(gui::TDragObject* object);

}  // namespace controls
