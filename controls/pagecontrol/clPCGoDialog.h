#pragma once
// The go-to-tab menu of the tab control: a popup menu listing the selectable tabs (sorted by their
// captions without accelerator marks when asked), shown below the go-to-tab button; choosing an entry
// reports its tab's index.

#include "platform/gui/controls/Menus.h"
#include "platform/rtl/Method.h"

namespace pagecontrol {

class TclCustomTabControl;

class TclPCGoDialog : public gui::TPopupMenu {
public:
    explicit TclPCGoDialog(TclCustomTabControl* control);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    using gui::TPopupMenu::Popup;
    // Rebuilds the entries and runs the menu at the bottom-left corner of the go-to-tab button.
    void Popup(bool sorted);

    // Told the tab index of the chosen entry.
    rtl::Method<void(int tabIndex)> OnItemSelected;

private:
    void BuildItems(bool sorted);
    void ItemClicked(classes::TObject* sender);

    TclCustomTabControl* control_;
};

}  // namespace pagecontrol
