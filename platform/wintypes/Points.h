#pragma once
// Points packed in message parameters, and rectangles containing points: what the window procedures of
// the standard window classes and of the class library's controls read from their mouse messages.

#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

namespace win {

inline POINT PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

inline bool PointIn(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// Mouse messages with a client point (the wheel's point is a screen point).
inline bool IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL;
}

}  // namespace win
