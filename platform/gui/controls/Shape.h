#pragma once
// TShape: a rectangle, square, rounded rectangle or square, ellipse or circle drawn on its parent with its
// Pen and Brush (a clear brush draws the outline only). The square and circle take the shorter side and
// are centred; the outline lies inside the bounds whatever the pen's width.

#include "platform/gui/controls/ExtCtrlTypes.h"
#include "platform/gui/core/GraphicControl.h"
#include "platform/gui/graphics/Brush.h"
#include "platform/gui/graphics/Pen.h"

#include <memory>

namespace gui {

class TShape : public TGraphicControl {
public:
    explicit TShape(classes::TComponent* owner);
    ~TShape() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* value) { pen_->Assign(value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* value) { brush_->Assign(value); }
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);

protected:
    void Paint() override;

private:
    void StyleChanged(classes::TObject* sender);

    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TShapeType shape_ = stRectangle;
};

}  // namespace gui
