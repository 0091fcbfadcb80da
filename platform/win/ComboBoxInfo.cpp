#include "platform/win/ComboBoxInfo.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

namespace win {

BOOL GetComboBoxInfo(HWND hwnd, COMBOBOXINFO* info)
{
    if (!info || info->cbSize != sizeof(COMBOBOXINFO) || !IsWindow(hwnd)) {
        return FALSE;
    }
    return SendMessage(hwnd, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) != 0 ? TRUE : FALSE;
}

}  // namespace win
