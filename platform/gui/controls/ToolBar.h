#pragma once
// TToolBar: a bar (aligned to the top by default) that lays out its buttons (TToolButton) and any other
// control put on it left to right in the order they came, in rows when Wrapable (or after a button with
// Wrap), all buttons of one size: ButtonWidth x ButtonHeight, larger to fit captions with ShowCaptions
// (below the picture, or beside it with List). Pictures come from Images, DisabledImages for disabled
// buttons (else Images greyed) and HotImages under the mouse. Flat buttons show a raised edge only under
// the mouse and a sunken one while down. EdgeBorders draw etched lines on the bar's sides.
//
// TToolButton: Style tbsButton, tbsCheck (Down toggles; Grouped neighbours are exclusive, AllowAllUp
// lets the down one come up), tbsDropDown (an arrow part that drops DropdownMenu below the button),
// tbsSeparator and tbsDivider (gaps, the divider with an etched line). A button of another style with a
// DropdownMenu drops it on a click instead of clicking. Action (or MenuItem) gives caption, hint,
// picture, enabled state and Down (the action's Checked), and follows later changes. A MenuItem with
// sub-items (of a popup menu) drops them below the button as DropdownMenu does.

#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/GraphicControl.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ImageList.h"

#include <cstdint>
#include <vector>

namespace gui {

class TMenuItem;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = std::uint8_t;  // bit 1 << TEdgeBorder

const classes::TTypeInfo& ToolButtonStyleType();
const classes::TTypeInfo& EdgeBordersType();

class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(classes::TComponent* owner);
    ~TToolButton() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value) { grouped_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    // A component with the popup interface (PopupMenu.h), or null (what has no such interface).
    classes::TComponent* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(classes::TComponent* value);
    // The button shows the item's caption, hint, picture, enabled and visible state and check mark
    // (as Down); a click clicks the item, or drops its sub-items down.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // Its place among the bar's buttons (-1: on no bar).
    int Index() const;
    // Drops the menu below the button; false without one.
    bool CheckMenuDropdown();

    void Click() override;
    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void ActionChange(TBasicAction* sender, bool checkDefaults) override;

private:
    friend class TToolBar;
    TToolBar* Bar() const;
    void ActionChanged(classes::TObject* sender);
    void MenuItemChanged(classes::TObject* sender);
    bool HasMenu() const;
    // The grouped check buttons next to this one, this one among them.
    std::vector<TToolButton*> Group();
    void DrawArrowPart(const win::RECT& rect);

    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool wrap_ = false;
    classes::TComponent* dropdownMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
    bool pressed_ = false;        // the left button went down on the button part
    bool pressedInside_ = false;  // and the mouse is over it now
    bool hot_ = false;
    bool menuShowing_ = false;
};

class TToolBar : public TCustomControl {
public:
    explicit TToolBar(classes::TComponent* owner);
    ~TToolBar() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int ButtonCount() const { return int(buttons_.size()); }
    // EListError "List index out of bounds (%d)" for a bad index.
    TToolButton* Buttons(int index) const;

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value) { SetImageList(images_, value); }
    TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TCustomImageList* value) { SetImageList(disabledImages_, value); }
    TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* value) { SetImageList(hotImages_, value); }
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    // AutoSize (the control's own): the height fits the rows.
    void SetAutoSize(bool value) override;
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool value);
    bool List() const { return list_; }
    void SetList(bool value);
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    void Dispatch(win::TMessage& message) override;

protected:
    void AlignControls(TControl* control, win::RECT& rect) override;
    // The rows decide the height (in AlignControls), never the children's extent.
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Paint() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void Loaded() override;

private:
    friend class TToolButton;
    void SetImageList(TCustomImageList*& slot, TCustomImageList* value);
    void ImageListChange(classes::TObject* sender);
    void Relayout();
    // The size every button takes (separators and dividers keep their own width).
    win::SIZE ButtonSize();
    win::RECT EdgeInsets() const;

    std::vector<TControl*> items_;  // buttons and other controls, in the bar's order
    std::vector<TToolButton*> buttons_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* disabledImages_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    TChangeLink imageLink_;
    TChangeLink disabledLink_;
    TChangeLink hotLink_;
    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool wrapable_ = true;
    bool list_ = false;
    TEdgeBorders edgeBorders_ = 1u << ebTop;
    int indent_ = 0;
    bool transparent_ = false;
    bool laying_ = false;
};

}  // namespace gui
