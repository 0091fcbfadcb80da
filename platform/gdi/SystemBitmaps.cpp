#include "platform/gdi/SystemBitmaps.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"

namespace win {

namespace {

constexpr int CheckBoxCell = 13;

HBITMAP CheckBoxes()
{
    HBITMAP bitmap = CreateBitmap(4 * CheckBoxCell, 3 * CheckBoxCell, 1, 32, nullptr);
    HDC dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, 4 * CheckBoxCell, 3 * CheckBoxCell};
    FillRect(dc, &all, GetSysColorBrush(COLOR_3DFACE));
    const UINT kinds[] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
    const UINT states[] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_CHECKED | DFCS_PUSHED};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            RECT cell{column * CheckBoxCell, row * CheckBoxCell, (column + 1) * CheckBoxCell,
                      (row + 1) * CheckBoxCell};
            DrawFrameControl(dc, &cell, DFC_BUTTON, kinds[row] | states[column]);
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE instance, const char* name)
{
    if (!instance && IS_INTRESOURCE(name) && LOWORD(reinterpret_cast<std::uintptr_t>(name)) == OBM_CHECKBOXES) {
        return CheckBoxes();
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

}  // namespace win
