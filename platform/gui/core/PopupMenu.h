#pragma once
// What a control asks of its popup menu: any component that implements IPopupMenu (the library's popup
// menus, or another library's) can be a control's PopupMenu.

#include "platform/classes/Interfaces.h"
#include "platform/gui/core/ControlTypes.h"

namespace gui {

class IPopupMenu : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x5E3A27C1, 0x7B0D, 0x4C62, {0x9A, 0x41, 0x0D, 0x63, 0xB2, 0x18, 0xE4, 0x07}};

    // Pops up on a right click (or the menu key) by itself.
    virtual bool AutoPopup() const = 0;
    // The control the menu pops up for.
    virtual void SetPopupComponent(classes::TComponent* component) = 0;
    // Shows the menu at a screen point.
    virtual void Popup(int x, int y) = 0;
    // Runs the item of this shortcut (virtual key and shift state); false when the menu has none.
    virtual bool IsShortCut(win::WORD key, TShiftState shift) = 0;

protected:
    ~IPopupMenu() = default;
};

}  // namespace gui
