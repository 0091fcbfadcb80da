#include "platform/gui/controls/ExtCtrlTypes.h"

namespace gui {

const classes::TTypeInfo& PanelBevelType()
{
    static const classes::TTypeInfo type = classes::EnumType("TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return type;
}

const classes::TTypeInfo& BevelShapeType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
    return type;
}

const classes::TTypeInfo& BevelStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TBevelStyle", {"bsLowered", "bsRaised"});
    return type;
}

const classes::TTypeInfo& ShapeTypeType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});
    return type;
}

}  // namespace gui
