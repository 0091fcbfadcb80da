#include "controls/pagecontrol/clPCGoDialog.h"

#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCPainters.h"

#include "controls/clControls.h"
#include "platform/rtl/StringList.h"

#include <cstdint>

namespace pagecontrol {

TclPCGoDialog::TclPCGoDialog(TclCustomTabControl* control) : TPopupMenu(nullptr), control_(control) {}

const classes::TClassInfo& TclPCGoDialog::StaticClass()
{
    static const classes::TClassInfo info("TclPCGoDialog", &TPopupMenu::StaticClass());
    return info;
}

void TclPCGoDialog::BuildItems(bool sorted)
{
    // Each entry's sort key is its caption without accelerator marks; the object is its tab index.
    rtl::TStringList entries;
    TclVisibleTabList& visible = control_->VisibleTabs();
    for (int i = 0; i < visible.Count(); ++i) {
        TclTab* tab = visible.Tab(i);
        if (tab->IsSelectable()) {
            entries.AddObject(controls::clStripHotkeyPrefixes(tab->Caption()),
                              reinterpret_cast<void*>(std::intptr_t(tab->Index())));
        }
    }
    if (sorted) {
        entries.Sort();
    }
    Items()->Clear();
    for (int i = 0; i < entries.Count(); ++i) {
        const int tabIndex = int(reinterpret_cast<std::intptr_t>(entries.Objects(i)));
        auto* item = new gui::TMenuItem(this);
        item->SetCaption(control_->Tabs()->Tab(tabIndex)->Caption());
        item->SetTag(tabIndex);
        item->OnClick = classes::TNotifyEvent::Of<&TclPCGoDialog::ItemClicked>(this);
        Items()->Add(item);
    }
}

void TclPCGoDialog::Popup(bool sorted)
{
    BuildItems(sorted);
    const win::RECT button = control_->Painter()->GetGoDialogButtonBounds();
    const win::POINT corner = control_->ClientToScreen({button.left, button.bottom});
    Popup(corner.x, corner.y);
}

void TclPCGoDialog::ItemClicked(classes::TObject* sender)
{
    if (OnItemSelected) {
        OnItemSelected(int(static_cast<classes::TComponent*>(sender)->Tag()));
    }
}

}  // namespace pagecontrol
