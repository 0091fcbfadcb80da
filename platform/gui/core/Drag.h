#pragma once
// Dragging controls with the mouse. A drag holds the mouse on a hidden capture window until a button is
// released (a drop on the control below, when it accepts), Esc is pressed or the capture is lost (no
// target). On the way the control under the mouse gets CM_DRAG (enter, move, leave, drop), which asks it
// through OnDragOver whether it accepts: the cursor shows DragCursor (crDrag) over one that does and
// crNoDrop elsewhere. A dock drag (DragKind dkDock) looks for a dock site instead and docks the control
// there, or floats it where it was dropped.

#include "platform/classes/Persistent.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/wintypes/Types.h"

namespace gui {

class TControl;
class TDragImageList;
class TWinControl;

class TDragObject : public classes::TObject {
public:
    TDragObject() = default;
    ~TDragObject() override = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The cursor over target (accepted or not).
    virtual TCursor GetDragCursor(bool accepted, int x, int y);
    virtual TDragImageList* GetDragImages() { return nullptr; }
    virtual void HideDragImage();
    virtual void ShowDragImage();
    // The drag ended, on target (null: nowhere) at x, y of its client area.
    virtual void Finished(TObject*, int, int, bool) {}

    // Where the mouse is (screen coordinates) and the control under it.
    win::POINT DragPos() const { return dragPos_; }
    TControl* DragTarget() const { return dragTarget_; }
    win::POINT DragTargetPos() const { return dragTargetPos_; }
    bool Cancelling() const { return cancelling_; }
    bool Dropped() const { return dropped_; }

protected:
    friend class DragState;
    win::POINT dragPos_;
    TControl* dragTarget_ = nullptr;
    win::POINT dragTargetPos_;
    bool cancelling_ = false;
    bool dropped_ = false;
};

// The drag of a control: the control is the source its targets see.
class TBaseDragControlObject : public TDragObject {
public:
    explicit TBaseDragControlObject(TControl* control) : control_(control) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TControl* Control() const { return control_; }
    void Finished(TObject* target, int x, int y, bool accepted) override;

protected:
    // The source's end of the drag: OnEndDrag (or OnEndDock).
    virtual void EndDrag(TObject* target, int x, int y);

private:
    TControl* control_;
};

class TDragControlObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TCursor GetDragCursor(bool accepted, int x, int y) override;
    TDragImageList* GetDragImages() override;
};

// A dock drag: where the control would go (DockRect, screen coordinates), and how.
class TDragDockObject : public TBaseDragControlObject {
public:
    explicit TDragDockObject(TControl* control);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    win::RECT DockRect() const { return dockRect_; }
    void SetDockRect(const win::RECT& rect) { dockRect_ = rect; }
    TAlign DropAlign() const { return dropAlign_; }
    void SetDropAlign(TAlign value) { dropAlign_ = value; }
    TControl* DropOnControl() const { return dropOnControl_; }
    void SetDropOnControl(TControl* value) { dropOnControl_ = value; }
    // Dropped outside any dock site: the control floats.
    bool Floating() const { return floating_; }
    void SetFloating(bool value) { floating_ = value; }
    TWinControl* Target() const { return target_; }
    void SetTarget(TWinControl* value) { target_ = value; }

protected:
    void EndDrag(TObject* target, int x, int y) override;

private:
    win::RECT dockRect_;
    TAlign dropAlign_ = alNone;
    TControl* dropOnControl_ = nullptr;
    bool floating_ = true;
    TWinControl* target_ = nullptr;
};

// Starts dragging control (TControl::BeginDrag): at once, or when the mouse moved threshold pixels.
void DragInitControl(TControl* control, bool immediate, int threshold);
// Ends the drag in progress: dropped where the mouse is, or cancelled.
void DragDone(bool drop);
// Also refuses a drag whose DoStartDrag is still running: it does not start and gives no OnEndDrag.
void CancelDrag();
// The drag in progress, its control, and whether it has started moving; null / false when none.
TDragObject* DragObject();
TControl* DragControl();
bool DragActive();
// The control is going away: a drag of it or to it ends, without touching it.
void DragForgetControl(TControl* control);
// The hidden windows of drags that ended go (the library's end).
void FreeFinishedDrags();

}  // namespace gui
