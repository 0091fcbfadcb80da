#include "platform/gui/controls/detail/ScreenText.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/graphics/Font.h"
#include "platform/text/DrawText.h"
#include "platform/win/Paint.h"

namespace gui::detail {

win::SIZE SingleLineExtent(TFont* font, const std::string& text)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, font->Handle());
    win::RECT rect{0, 0, 0, 0};
    win::DrawTextA(dc, text.c_str(), int(text.size()), &rect, win::DT_CALCRECT | win::DT_SINGLELINE);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace gui::detail
