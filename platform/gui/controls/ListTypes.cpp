#include "platform/gui/controls/ListTypes.h"

#include "platform/gdi/Edges.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace gui {

TOwnerDrawState OwnerDrawState(win::UINT itemState)
{
    TOwnerDrawState state = 0;
    const std::pair<win::UINT, TOwnerDrawStateKind> bits[] = {
            {win::ODS_SELECTED, odSelected}, {win::ODS_GRAYED, odGrayed},   {win::ODS_DISABLED, odDisabled},
            {win::ODS_CHECKED, odChecked},   {win::ODS_FOCUS, odFocused},   {win::ODS_DEFAULT, odDefault},
            {win::ODS_COMBOBOXEDIT, odComboBoxEdit}};
    for (const auto& [bit, kind] : bits) {
        if (itemState & bit) {
            state = TOwnerDrawState(state | (1u << kind));
        }
    }
    return state;
}

void DrawListItem(TCanvas& canvas, const TWinControl& control, const win::DRAWITEMSTRUCT& item,
                  const std::function<void(int index, const win::RECT& rect, TOwnerDrawState state)>& draw)
{
    canvas.SetHandle(item.hDC);
    canvas.SetFont(control.Font());
    canvas.SetBrush(control.Brush());
    const int index = int(item.itemID);
    if (index >= 0 && (item.itemState & win::ODS_SELECTED)) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    }
    if (index >= 0) {
        draw(index, item.rcItem, OwnerDrawState(item.itemState));
    } else {
        canvas.FillRect(item.rcItem);
    }
    if (item.itemState & win::ODS_FOCUS) {
        win::DrawFocusRect(item.hDC, &item.rcItem);
    }
    canvas.SetHandle(nullptr);
}

void DrawItemText(TCanvas& canvas, const rtl::TStrings& items, int index, const win::RECT& rect)
{
    canvas.FillRect(rect);
    if (index >= 0 && index < items.Count()) {
        canvas.TextOut(rect.left + 2, rect.top, items.Strings(index));
    }
}

void MeasureListItem(win::MEASUREITEMSTRUCT& item, int itemHeight, bool variable,
                     const std::function<void(int index, int& height)>& measure)
{
    int height = itemHeight;
    if (variable && int(item.itemID) >= 0) {
        measure(int(item.itemID), height);
    }
    item.itemHeight = win::UINT(std::max(1, height));
}

const classes::TTypeInfo& OwnerDrawStateType()
{
    static const classes::TTypeInfo element = classes::EnumType(
            "TOwnerDrawStateKind", {"odSelected", "odGrayed", "odDisabled", "odChecked", "odFocused", "odDefault", "odComboBoxEdit"});
    static const classes::TTypeInfo type = classes::SetType("TOwnerDrawState", element);
    return type;
}

const classes::TTypeInfo& ListBoxStyleType()
{
    static const classes::TTypeInfo type =
            classes::EnumType("TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
    return type;
}

const classes::TTypeInfo& DrawItemEventType()
{
    static const classes::TTypeInfo type =
            classes::MethodType<void(TWinControl*, int, const win::RECT&, TOwnerDrawState)>("TDrawItemEvent");
    return type;
}

const classes::TTypeInfo& MeasureItemEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(TWinControl*, int, int&)>("TMeasureItemEvent");
    return type;
}

}  // namespace gui
