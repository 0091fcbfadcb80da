#pragma once
// What the list controls (list and combo boxes) share: the state of an owner-drawn item and the events
// that draw and measure one.

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Method.h"
#include "platform/wintypes/Types.h"

#include <cstdint>

namespace gui {

class TWinControl;

enum TOwnerDrawStateKind { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = std::uint8_t;  // bit 1 << TOwnerDrawStateKind
// The owner-draw state of a WM_DRAWITEM's itemState (ODS_ bits).
TOwnerDrawState OwnerDrawState(win::UINT itemState);

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TDrawItemEvent = rtl::Method<void(TWinControl* control, int index, const win::RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = rtl::Method<void(TWinControl* control, int index, int& height)>;

const classes::TTypeInfo& OwnerDrawStateType();
const classes::TTypeInfo& ListBoxStyleType();
const classes::TTypeInfo& DrawItemEventType();
const classes::TTypeInfo& MeasureItemEventType();

}  // namespace gui
