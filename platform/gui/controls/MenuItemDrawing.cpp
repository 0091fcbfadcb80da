// Owner-drawn menu items: the image column (the menu's image, the item's bitmap or the check mark), the
// caption and the shortcut text, in the look of the window system's own items.

#include "platform/gui/controls/Menus.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/text/DrawText.h"
#include "platform/win/Menu.h"

#include <algorithm>

namespace gui {

namespace {

// Between the caption and the shortcut text, and the column the submenu arrow takes at the right.
constexpr int ShortcutGap = 12;
int ArrowColumn()
{
    return win::GetSystemMetrics(win::SM_CXMENUCHECK) + 6;
}

win::SIZE ImageSize(const TMenuItem& item, TCustomImageList* images)
{
    const int check = win::GetSystemMetrics(win::SM_CXMENUCHECK);
    if (images) {
        return {std::max(check, images->Width()), images->Height()};
    }
    if (item.HasBitmap()) {
        const TBitmap& bitmap = *item.Bitmap();
        return {std::max(check, bitmap.Width()), bitmap.Height()};
    }
    return {check, check};
}

int ImageColumn(const TMenuItem& item, TCustomImageList* images)
{
    return ImageSize(item, images).cx + 6;
}

void DrawText(TCanvas* canvas, const std::string& text, win::RECT rect, win::UINT format, bool enabled, bool selected)
{
    win::HDC dc = canvas->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    if (!enabled) {
        if (!selected) {
            win::RECT shifted = rect;
            win::OffsetRect(&shifted, 1, 1);
            win::SetTextColor(dc, win::GetSysColor(win::COLOR_3DHILIGHT));
            win::DrawTextA(dc, text.c_str(), int(text.size()), &shifted, format);
        }
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
    } else {
        win::SetTextColor(dc, win::GetSysColor(selected ? win::COLOR_HIGHLIGHTTEXT : win::COLOR_MENUTEXT));
    }
    win::DrawTextA(dc, text.c_str(), int(text.size()), &rect, format);
}

}  // namespace

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (default_) {
        canvas->Font()->SetStyle(TFontStyles(canvas->Font()->Style() | (1u << fsBold)));
    }
    TMenu* menu = GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    const win::SIZE image = ImageSize(*this, images);
    height = std::max(canvas->TextHeight("Wg") + 4, image.cy + 4);
    width = ImageColumn(*this, images) + canvas->TextWidth(caption_) + ArrowColumn();
    if (shortCut_ != 0) {
        width += ShortcutGap + canvas->TextWidth(ShortCutToText(shortCut_));
    }
    if (OnMeasureItem) {
        OnMeasureItem(this, canvas, width, height);
    }
}

void TMenuItem::DrawItem(TCanvas* canvas, win::RECT rect, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    TMenu* menu = GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (default_) {
        canvas->Font()->SetStyle(TFontStyles(canvas->Font()->Style() | (1u << fsBold)));
    }
    canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas->FillRect(rect);
    const win::RECT column{rect.left, rect.top, rect.left + ImageColumn(*this, images), rect.bottom};
    const win::SIZE image = ImageSize(*this, images);
    const int x = column.left + (column.right - column.left - image.cx) / 2;
    const int y = column.top + (column.bottom - column.top - image.cy) / 2;
    bool drewImage = false;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(canvas, x, y, imageIndex_, enabled_);
        drewImage = true;
    } else if (bitmap_ && !bitmap_->Empty()) {
        canvas->Draw(x, y, bitmap_.get());
        drewImage = true;
    }
    win::HDC dc = canvas->Handle();
    if (checked_ && drewImage) {
        win::RECT frame = column;
        win::InflateRect(&frame, -1, -1);
        win::DrawEdge(dc, &frame, win::BDR_SUNKENOUTER, win::BF_RECT);
    } else if (checked_) {
        const int side = win::GetSystemMetrics(win::SM_CXMENUCHECK);
        const int left = column.left + (column.right - column.left - side) / 2;
        const int top = column.top + (column.bottom - column.top - side) / 2;
        const int colour = !enabled_ ? win::COLOR_GRAYTEXT : selected ? win::COLOR_HIGHLIGHTTEXT : win::COLOR_MENUTEXT;
        win::DrawMenuGlyph(dc, {left, top, left + side, top + side}, radioItem_ ? win::DFCS_MENUBULLET : win::DFCS_MENUCHECK,
                           win::GetSysColor(colour));
    }
    const win::RECT text{column.right, rect.top, rect.right - ArrowColumn(), rect.bottom};
    const win::UINT format = win::DT_SINGLELINE | win::DT_VCENTER;
    DrawText(canvas, caption_, text, format | win::DT_LEFT, enabled_, selected);
    if (shortCut_ != 0) {
        DrawText(canvas, ShortCutToText(shortCut_), text, format | win::DT_RIGHT | win::DT_NOPREFIX, enabled_, selected);
    }
}

}  // namespace gui
