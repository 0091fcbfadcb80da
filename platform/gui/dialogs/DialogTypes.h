#pragma once
// The value types of the dialog components: their option sets (bit 1 << element) and enumerations.

#include "platform/classes/TypeInfo.h"

#include <cstdint>

namespace gui {

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
    ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = std::uint32_t;
enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = std::uint32_t;
enum TFontDialogOption {
    fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, fdNoOEMFonts,
    fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize,
    fdScalableOnly, fdApplyButton
};
using TFontDialogOptions = std::uint32_t;
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = std::uint32_t;
enum TFileEditStyle { fsEdit, fsComboBox };
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
enum TPrintRange { prAllPages, prSelection, prPageNums };

template <class E>
constexpr bool Has(std::uint32_t set, E element)
{
    return (set >> unsigned(element)) & 1u;
}

const classes::TTypeInfo& OpenOptionsType();
const classes::TTypeInfo& ColorDialogOptionsType();
const classes::TTypeInfo& FontDialogOptionsType();
const classes::TTypeInfo& PrintDialogOptionsType();
const classes::TTypeInfo& FileEditStyleType();
const classes::TTypeInfo& FontDialogDeviceType();
const classes::TTypeInfo& PrintRangeType();

}  // namespace gui
