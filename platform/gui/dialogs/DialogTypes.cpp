#include "platform/gui/dialogs/DialogTypes.h"

namespace gui {

const classes::TTypeInfo& OpenOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TOpenOption",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"});
    static const classes::TTypeInfo type = classes::SetType("TOpenOptions", element);
    return type;
}

const classes::TTypeInfo& ColorDialogOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TColorDialogOption", {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"});
    static const classes::TTypeInfo type = classes::SetType("TColorDialogOptions", element);
    return type;
}

const classes::TTypeInfo& FontDialogOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TFontDialogOption",
        {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly", "fdForceFontExist", "fdNoFaceSel",
         "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel", "fdNoVectorFonts", "fdShowHelp",
         "fdWysiwyg", "fdLimitSize", "fdScalableOnly", "fdApplyButton"});
    static const classes::TTypeInfo type = classes::SetType("TFontDialogOptions", element);
    return type;
}

const classes::TTypeInfo& PrintDialogOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TPrintDialogOption",
        {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp", "poDisablePrintToFile"});
    static const classes::TTypeInfo type = classes::SetType("TPrintDialogOptions", element);
    return type;
}

const classes::TTypeInfo& FileEditStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TFileEditStyle", {"fsEdit", "fsComboBox"});
    return type;
}

const classes::TTypeInfo& FontDialogDeviceType()
{
    static const classes::TTypeInfo type = classes::EnumType("TFontDialogDevice", {"fdScreen", "fdPrinter", "fdBoth"});
    return type;
}

const classes::TTypeInfo& PrintRangeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TPrintRange", {"prAllPages", "prSelection", "prPageNums"});
    return type;
}

}  // namespace gui
