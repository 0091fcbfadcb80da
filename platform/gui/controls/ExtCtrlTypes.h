#pragma once
// The value types of the panels, bevels, shapes and pictures: a panel's bevels, a bevel's shape and
// style, and a shape's figure.

#include "platform/classes/TypeInfo.h"

namespace gui {

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

const classes::TTypeInfo& PanelBevelType();
const classes::TTypeInfo& BevelShapeType();
const classes::TTypeInfo& BevelStyleType();
const classes::TTypeInfo& ShapeTypeType();

}  // namespace gui
