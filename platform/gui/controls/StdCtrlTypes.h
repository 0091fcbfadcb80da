#pragma once
// The value types the standard controls publish: text alignment and layout, border and scroll-bar
// styles, character case and input-method modes, the states of a check box, and the glyph buttons' layouts,
// styles and kinds.

#include "platform/classes/TypeInfo.h"

namespace gui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// A check box's caption side: taLeftJustify or taRightJustify.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
// A control's border: bsNone or bsSingle of TFormBorderStyle.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                imSHanguel, imHanguel };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The image of a glyph a button shows.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

const classes::TTypeInfo& AlignmentType();
const classes::TTypeInfo& LeftRightType();
const classes::TTypeInfo& TextLayoutType();
const classes::TTypeInfo& BorderStyleType();
const classes::TTypeInfo& ScrollStyleType();
const classes::TTypeInfo& EditCharCaseType();
const classes::TTypeInfo& ImeModeType();
const classes::TTypeInfo& CheckBoxStateType();
const classes::TTypeInfo& ButtonLayoutType();
const classes::TTypeInfo& ButtonStyleType();
const classes::TTypeInfo& BitBtnKindType();

}  // namespace gui
