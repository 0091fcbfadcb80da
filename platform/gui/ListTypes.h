#pragma once
// What the list controls (list and combo boxes) share: the state of an owner-drawn item and the events
// that draw and measure one.

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Method.h"
#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

#include <cstdint>
#include <functional>

namespace gui {

class TCanvas;
class TWinControl;

enum TOwnerDrawStateKind { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = std::uint8_t;  // bit 1 << TOwnerDrawStateKind
// The owner-draw state of a WM_DRAWITEM's itemState (ODS_ bits).
TOwnerDrawState OwnerDrawState(win::UINT itemState);

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TDrawItemEvent = rtl::Method<void(TWinControl* control, int index, const win::RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = rtl::Method<void(TWinControl* control, int index, int& height)>;

// A WM_DRAWITEM of a list control's item: lends canvas the item's device context with the control's font
// and brush (the highlight colours for a selected item), has draw paint the item (the rectangle of no item
// is filled), adds the focus rectangle, and takes the context back.
void DrawListItem(TCanvas& canvas, const TWinControl& control, const win::DRAWITEMSTRUCT& item,
                  const std::function<void(int index, const win::RECT& rect, TOwnerDrawState state)>& draw);

const classes::TTypeInfo& OwnerDrawStateType();
const classes::TTypeInfo& ListBoxStyleType();
const classes::TTypeInfo& DrawItemEventType();
const classes::TTypeInfo& MeasureItemEventType();

}  // namespace gui
