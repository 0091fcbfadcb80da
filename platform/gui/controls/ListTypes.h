#pragma once
// What the list controls (list and combo boxes) share: the state of an owner-drawn item and the events
// that draw and measure one.

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Method.h"
#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

#include <cstdint>
#include <functional>

namespace rtl {
class TStrings;
}

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
// What a list control draws for an item without OnDrawItem: the rectangle filled with the canvas brush and
// the item's text (if items has it) at Left + 2.
void DrawItemText(TCanvas& canvas, const rtl::TStrings& items, int index, const win::RECT& rect);
// A WM_MEASUREITEM of a list control's item: its height is itemHeight or, in a variable-height style, what
// measure makes of it (not for item -1, a combo box's edit field, which keeps itemHeight); at least 1.
void MeasureListItem(win::MEASUREITEMSTRUCT& item, int itemHeight, bool variable,
                     const std::function<void(int index, int& height)>& measure);

const classes::TTypeInfo& OwnerDrawStateType();
const classes::TTypeInfo& ListBoxStyleType();
const classes::TTypeInfo& DrawItemEventType();
const classes::TTypeInfo& MeasureItemEventType();

}  // namespace gui
