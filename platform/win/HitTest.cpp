#include "platform/win/HitTest.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/detail/HitTest.h"
#include "platform/win/detail/WindowTable.h"

#include <vector>

namespace win {

using namespace detail;

namespace {


std::vector<HWND> Children(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window ? window->children : std::vector<HWND>();
}

// The search below parent: a hit, nothing (the point is over none of the children), or a disabled child
// that hands the point to parent itself.
struct Search {
    MouseHit hit;
    bool toParent = false;
};

Search SearchChildren(HWND parent, POINT point)
{
    for (HWND child : Children(parent)) {
        bool disabled;
        bool topLevel;
        bool inClient;
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(child);
            if (!window || !(window->style & WS_VISIBLE) || !WindowContainsPoint(child, point)) {
                continue;
            }
            disabled = window->style & WS_DISABLED;
            topLevel = IsRootWindow(window->parent);
            const POINT origin = ClientOriginOnScreen(*window);
            const RECT client = Moved(window->clientRect, origin.x - window->clientRect.left,
                                      origin.y - window->clientRect.top);
            inClient = PtInRect(&client, point);
        }
        if (disabled) {
            if (topLevel) {
                return Search{MouseHit{child, HTERROR}, false};
            }
            return Search{MouseHit{}, true};
        }
        if (inClient) {
            const Search inner = SearchChildren(child, point);
            if (inner.hit.hwnd) {
                return inner;
            }
        }
        const LRESULT code = SendMessage(child, WM_NCHITTEST, 0,
                                         MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
        if (code != HTTRANSPARENT && IsWindow(child)) {
            return Search{MouseHit{child, code}, false};
        }
    }
    return Search{};
}

}  // namespace

bool detail::WindowContainsPoint(HWND hwnd, POINT point)
{
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return false;
    }
    const RECT rect = WindowRectOnScreen(*window);
    return PtInRect(&rect, point) &&
           (!window->windowRegion || window->windowRegion->Contains(POINT{point.x - rect.left, point.y - rect.top}));
}

MouseHit detail::HitTestScreenPoint(POINT point)
{
    return SearchChildren(GetDesktopWindow(), point).hit;
}

HWND WindowFromPoint(POINT point)
{
    return HitTestScreenPoint(point).hwnd;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(parent);
    if (!window) {
        return nullptr;
    }
    const POINT origin = ClientOriginOnScreen(*window);
    const POINT screen{point.x + origin.x, point.y + origin.y};
    const RECT client{0, 0, window->clientRect.right - window->clientRect.left,
                      window->clientRect.bottom - window->clientRect.top};
    if (!IsRootWindow(parent) && !PtInRect(&client, point) && !WindowContainsPoint(parent, screen)) {
        return nullptr;
    }
    for (HWND childHandle : window->children) {
        Window* child = FindWindowRecord(childHandle);
        if (!child || !WindowContainsPoint(childHandle, screen)) {
            continue;
        }
        if (((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE)) ||
            ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED)) ||
            ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT))) {
            continue;
        }
        return childHandle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point)
{
    return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

}  // namespace win
