#include "platform/commctrl/detail/WindowFont.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Paint.h"

#include <algorithm>

namespace win::detail {

int FontHeight(win::HWND hwnd, win::HFONT font)
{
    win::HDC dc = win::GetDC(hwnd);
    const win::HGDIOBJ old = win::SelectObject(dc, font ? font : win::GetStockObject(win::SYSTEM_FONT));
    win::TEXTMETRIC metrics{};
    win::GetTextMetricsA(dc, &metrics);
    win::SelectObject(dc, old);
    win::ReleaseDC(hwnd, dc);
    return std::max<int>(1, metrics.tmHeight);
}

}  // namespace win::detail
