#pragma once
// The value types the standard controls publish: text alignment and layout, border and scroll-bar
// styles, character case and input-method modes, and the states of a check box.

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

const classes::TTypeInfo& AlignmentType();
const classes::TTypeInfo& LeftRightType();
const classes::TTypeInfo& TextLayoutType();
const classes::TTypeInfo& BorderStyleType();
const classes::TTypeInfo& ScrollStyleType();
const classes::TTypeInfo& EditCharCaseType();
const classes::TTypeInfo& ImeModeType();
const classes::TTypeInfo& CheckBoxStateType();

}  // namespace gui
