#pragma once
// Points packed in message parameters, and rectangles containing points.

#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

namespace gui::detail {

inline win::POINT PointOf(win::LPARAM lParam)
{
    return {win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
}

inline bool PointIn(const win::RECT& rect, win::POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// Mouse messages with a client point (the wheel's point is a screen point).
inline bool IsClientMouseMessage(win::UINT message)
{
    return message >= win::WM_MOUSEFIRST && message <= win::WM_MOUSELAST && message != win::WM_MOUSEWHEEL;
}

}  // namespace gui::detail
