#include "platform/gui/controls/StdCtrlTypes.h"

namespace gui {

const classes::TTypeInfo& AlignmentType()
{
    static const classes::TTypeInfo type = classes::EnumType("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return type;
}

const classes::TTypeInfo& LeftRightType()
{
    static const classes::TTypeInfo type = classes::EnumType("TLeftRight", {"taLeftJustify", "taRightJustify"});
    return type;
}

const classes::TTypeInfo& TextLayoutType()
{
    static const classes::TTypeInfo type = classes::EnumType("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return type;
}

const classes::TTypeInfo& BorderStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TBorderStyle", {"bsNone", "bsSingle"});
    return type;
}

const classes::TTypeInfo& ScrollStyleType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return type;
}

const classes::TTypeInfo& EditCharCaseType()
{
    static const classes::TTypeInfo type = classes::EnumType("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    return type;
}

const classes::TTypeInfo& ImeModeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TImeMode", {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                                       "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"});
    return type;
}

const classes::TTypeInfo& CheckBoxStateType()
{
    static const classes::TTypeInfo type = classes::EnumType("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    return type;
}

const classes::TTypeInfo& ButtonLayoutType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
    return type;
}

const classes::TTypeInfo& ButtonStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"});
    return type;
}

const classes::TTypeInfo& BitBtnKindType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                          "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
    return type;
}

}  // namespace gui
