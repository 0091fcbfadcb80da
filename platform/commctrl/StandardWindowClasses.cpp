#include "platform/commctrl/StandardWindowClasses.h"

#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/win/WindowClass.h"

namespace win {

void RegisterStandardWindowClasses()
{
    detail::RegisterEditClass();
    detail::RegisterButtonClass();
    detail::RegisterStaticClass();
    detail::RegisterListBoxClass();
    detail::RegisterComboBoxClass();
    detail::RegisterScrollBarClass();
    detail::RegisterTreeViewClass();
}

void detail::RegisterStandardClass(const char* name, win::WNDPROC proc, win::UINT style, win::HCURSOR cursor)
{
    win::WNDCLASS cls{};
    cls.style = style;
    cls.lpfnWndProc = proc;
    cls.cbWndExtra = sizeof(void*);
    cls.hCursor = cursor;
    cls.lpszClassName = name;
    win::RegisterClass(&cls);
}

void UnregisterStandardWindowClasses()
{
    for (const char* name : {"EDIT", "BUTTON", "STATIC", "LISTBOX", "SCROLLBAR", "SysTreeView32", "COMBOBOX", "ComboLBox"}) {
        win::UnregisterClass(name, nullptr);
    }
    detail::EditContextMenu() = nullptr;
    detail::EditClipboardHook() = {};
}

void SetEditContextMenuHook(EditContextMenuHook hook)
{
    detail::EditContextMenu() = hook;
}

void SetEditClipboard(EditClipboard clipboard)
{
    detail::EditClipboardHook() = clipboard;
}

}  // namespace win
