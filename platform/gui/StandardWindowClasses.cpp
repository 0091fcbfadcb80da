#include "platform/gui/StandardWindowClasses.h"

#include "platform/gui/detail/StandardClasses.h"
#include "platform/win/WindowClass.h"

namespace gui {

void RegisterStandardWindowClasses()
{
    detail::RegisterEditClass();
    detail::RegisterButtonClass();
    detail::RegisterStaticClass();
    detail::RegisterListBoxClass();
    detail::RegisterScrollBarClass();
}

void UnregisterStandardWindowClasses()
{
    for (const char* name : {"EDIT", "BUTTON", "STATIC", "LISTBOX", "SCROLLBAR"}) {
        win::UnregisterClass(name, nullptr);
    }
    detail::EditContextMenu() = nullptr;
}

void SetEditContextMenuHook(EditContextMenuHook hook)
{
    detail::EditContextMenu() = hook;
}

}  // namespace gui
