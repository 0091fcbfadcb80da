#include "platform/gui/dialogs/DialogTexts.h"

#include "platform/gui/dialogs/MessageDialogs.h"

#include <array>

namespace gui {

namespace {

const std::array<const classes::TResStringRec*, 15> kBasicTexts{
    &SMsgDlgWarning,
    &SMsgDlgError,
    &SMsgDlgInformation,
    &SMsgDlgConfirm,
    &SMsgDlgYes,
    &SMsgDlgNo,
    &SMsgDlgOK,
    &SMsgDlgCancel,
    &SMsgDlgAbort,
    &SMsgDlgRetry,
    &SMsgDlgIgnore,
    &SMsgDlgAll,
    &SMsgDlgNoToAll,
    &SMsgDlgYesToAll,
    &SMsgDlgHelp,
};

constexpr classes::TResStringRec kDialogTexts[kDialogTextCount - 15] = {
    {"SDlgOpen", "&Open"},
    {"SDlgLookIn", "Look &in:"},
    {"SDlgFileName", "File &name:"},
    {"SDlgFilesOfType", "Files of &type:"},
    {"SDlgReadOnly", "&Read-only"},
    {"SDlgSave", "&Save"},
    {"SDlgDrives", "&Drives:"},
    {"SDlgSaveIn", "Save &in:"},
    {"SDlgSaveAsType", "Save as &type:"},
    {"SDlgBasicColors", "&Basic colors:"},
    {"SDlgCustomColors", "&Custom colors:"},
    {"SDlgDefineCustomColors", "&Define Custom Colors >>"},
    {"SDlgColor", "Color"},
    {"SDlgSolid", "|S&olid"},
    {"SDlgHue", "Hu&e:"},
    {"SDlgSat", "&Sat:"},
    {"SDlgLum", "&Lum:"},
    {"SDlgRed", "&Red:"},
    {"SDlgGreen", "&Green:"},
    {"SDlgBlue", "Bl&ue:"},
    {"SDlgAddToCustomColors", "&Add to Custom Colors"},
    {"SDlgFont", "&Font:"},
    {"SDlgFontStyle", "Font st&yle:"},
    {"SDlgSize", "Si&ze:"},
    {"SDlgColor2", "&Color:"},
    {"SDlgApply", "&Apply"},
    {"SDlgEffects", "Effects"},
    {"SDlgStrikeout", "Stri&keout"},
    {"SDlgUnderline", "&Underline"},
    {"SDlgSample", "Sample"},
    {"SDlgScript", "Sc&ript:"},
    {"SDlgPrinter", "Printer"},
    {"SDlgName", "&Name:"},
    {"SDlgProperties", "&Properties"},
    {"SDlgStatus", "Status:"},
    {"SDlgType", "Type:"},
    {"SDlgWhere", "Where:"},
    {"SDlgComment", "Comment:"},
    {"SDlgPaper", "Paper"},
    {"SDlgSource", "&Source:"},
    {"SDlgOrientation", "Orientation"},
    {"SDlgPortrait", "P&ortrait"},
    {"SDlgLandscape", "L&andscape"},
    {"SDlgPrintToFile", "Print to f&ile"},
    {"SDlgPrint", "Print"},
    {"SDlgPages", "Pa&ges"},
    {"SDlgSelection", "&Selection"},
    {"SDlgFrom", "&from:"},
    {"SDlgTo", "&to:"},
    {"SDlgCopies", "Copies"},
    {"SDlgNumberOfCopies", "Number of &copies:"},
    {"SDlgCollate", "C&ollate"},
    {"SDlgFindWhat", "Fi&nd what:"},
    {"SDlgMatchWholeWordsOnly", "Match &whole words only"},
    {"SDlgMatchCase", "Match &case"},
    {"SDlgDirection", "Direction"},
    {"SDlgUp", "&Up"},
    {"SDlgDown", "&Down"},
    {"SDlgFindNext", "&Find Next"},
    {"SDlgReplace", "&Replace"},
    {"SDlgReplaceAll", "Replace &All"},
    {"SDlgReplaceWith", "Re&place with:"},
    {"SDlgPicture", "Picture:"},
    {"SDlgPreview", "Preview"},
    {"SDlgNewFolder", "New Folder"},
    {"SDlgFolder", "Folder:"},
    {"SDlgNone", "(None)"},
    {"SDlgClose", "Close"},
};

}  // namespace

const classes::TResStringRec& DialogTextRec(TDialogText entry)
{
    return entry <= 15 ? *kBasicTexts[entry - 1] : kDialogTexts[entry - 16];
}

std::string DialogText(TDialogText entry)
{
    return classes::LoadResString(DialogTextRec(entry));
}

}  // namespace gui
