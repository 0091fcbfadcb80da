#pragma once
// The texts of the standard dialog windows: 83 entries, numbered from 1. The first 15 are the message
// captions and buttons (the resource strings of MessageDialogs.h), the others resource strings of their
// own, so a translation of either reaches every dialog window. An entry's identifier is its text without
// the "&".

#include "platform/classes/ResourceStrings.h"

#include <string>

namespace gui {

enum TDialogText {
    dtWarning = 1,
    dtError = 2,
    dtInformation = 3,
    dtConfirm = 4,
    dtYes = 5,
    dtNo = 6,
    dtOk = 7,
    dtCancel = 8,
    dtAbort = 9,
    dtRetry = 10,
    dtIgnore = 11,
    dtAll = 12,
    dtNoToAll = 13,
    dtYesToAll = 14,
    dtHelp = 15,
    dtOpen = 16,
    dtLookIn = 17,
    dtFileName = 18,
    dtFilesOfType = 19,
    dtReadOnly = 20,
    dtSave = 21,
    dtDrives = 22,
    dtSaveIn = 23,
    dtSaveAsType = 24,
    dtBasicColors = 25,
    dtCustomColors = 26,
    dtDefineCustomColors = 27,
    dtColor = 28,
    dtSolid = 29,
    dtHue = 30,
    dtSat = 31,
    dtLum = 32,
    dtRed = 33,
    dtGreen = 34,
    dtBlue = 35,
    dtAddToCustomColors = 36,
    dtFont = 37,
    dtFontStyle = 38,
    dtSize = 39,
    dtFontColor = 40,
    dtApply = 41,
    dtEffects = 42,
    dtStrikeout = 43,
    dtUnderline = 44,
    dtSample = 45,
    dtScript = 46,
    dtPrinter = 47,
    dtName = 48,
    dtProperties = 49,
    dtStatus = 50,
    dtType = 51,
    dtWhere = 52,
    dtComment = 53,
    dtPaper = 54,
    dtSource = 55,
    dtOrientation = 56,
    dtPortrait = 57,
    dtLandscape = 58,
    dtPrintToFile = 59,
    dtPrint = 60,
    dtPages = 61,
    dtSelection = 62,
    dtFrom = 63,
    dtTo = 64,
    dtCopies = 65,
    dtNumberOfCopies = 66,
    dtCollate = 67,
    dtFindWhat = 68,
    dtMatchWholeWordsOnly = 69,
    dtMatchCase = 70,
    dtDirection = 71,
    dtUp = 72,
    dtDown = 73,
    dtFindNext = 74,
    dtReplace = 75,
    dtReplaceAll = 76,
    dtReplaceWith = 77,
    dtPicture = 78,
    dtPreview = 79,
    dtNewFolder = 80,
    dtFolder = 81,
    dtNone = 82,
    dtClose = 83,
};
constexpr int kDialogTextCount = 83;

// The entry's record and its current text.
const classes::TResStringRec& DialogTextRec(TDialogText entry);
std::string DialogText(TDialogText entry);

}  // namespace gui
