#include "platform/win/NonClient.h"

#include "platform/win/detail/NonClient.h"
#include "platform/wintypes/Messages.h"
#include "platform/gdi/SystemInfo.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {


bool HasCaption(DWORD style)
{
    return (style & WS_CAPTION) == WS_CAPTION;
}

// The width of the outer frame alone, without edges, caption or scroll bars.
int FrameWidth(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME) {
        return GetSystemMetrics(SM_CXFRAME);
    }
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        return GetSystemMetrics(SM_CXDLGFRAME);
    }
    return (style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

int EdgeWidth(DWORD exStyle)
{
    return ((exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0) +
           ((exStyle & WS_EX_STATICEDGE) ? GetSystemMetrics(SM_CXBORDER) : 0);
}

int CaptionHeight(DWORD style, DWORD exStyle)
{
    if (!HasCaption(style)) {
        return 0;
    }
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The caption buttons from the right: close, then maximize and minimize when the window has them.
LRESULT CaptionButtonAt(DWORD style, DWORD exStyle, const RECT& caption, POINT point)
{
    const int width = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CXSMSIZE : SM_CXSIZE);
    if (!(style & WS_SYSMENU)) {
        return HTCAPTION;
    }
    if (!(exStyle & WS_EX_TOOLWINDOW) && point.x < caption.left + width) {
        return HTSYSMENU;
    }
    int right = caption.right;
    if (point.x >= right - width) {
        return HTCLOSE;
    }
    right -= width + 2;
    if (!(exStyle & WS_EX_TOOLWINDOW) && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
        if (point.x >= right - width && point.x < right) {
            return HTMAXBUTTON;
        }
        if (point.x >= right - 2 * width && point.x < right - width) {
            return HTMINBUTTON;
        }
    }
    return HTCAPTION;
}

// The sizing edges and corners of a thick frame; corners reach a caption button's width along the edges.
LRESULT SizingBorderAt(const RECT& window, int frame, POINT point)
{
    const int corner = GetSystemMetrics(SM_CXSIZE) + frame;
    const bool left = point.x < window.left + frame;
    const bool right = point.x >= window.right - frame;
    const bool top = point.y < window.top + frame;
    const bool bottom = point.y >= window.bottom - frame;
    const bool nearLeft = point.x < window.left + corner;
    const bool nearRight = point.x >= window.right - corner;
    const bool nearTop = point.y < window.top + corner;
    const bool nearBottom = point.y >= window.bottom - corner;
    if ((top && nearLeft) || (left && nearTop)) {
        return HTTOPLEFT;
    }
    if ((top && nearRight) || (right && nearTop)) {
        return HTTOPRIGHT;
    }
    if ((bottom && nearLeft) || (left && nearBottom)) {
        return HTBOTTOMLEFT;
    }
    if ((bottom && nearRight) || (right && nearBottom)) {
        return HTBOTTOMRIGHT;
    }
    if (top) {
        return HTTOP;
    }
    if (bottom) {
        return HTBOTTOM;
    }
    return left ? HTLEFT : HTRIGHT;
}

}  // namespace

NonClientInsets detail::NonClientInsetsOf(DWORD style, DWORD exStyle)
{
    const int border = FrameWidth(style, exStyle) + EdgeWidth(exStyle);
    NonClientInsets insets{border, border + CaptionHeight(style, exStyle), border, border};
    if (style & WS_VSCROLL) {
        ((exStyle & WS_EX_LEFTSCROLLBAR) ? insets.left : insets.right) += GetSystemMetrics(SM_CXVSCROLL);
    }
    if (style & WS_HSCROLL) {
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    return insets;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const NonClientInsets insets = NonClientInsetsOf(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle);
    rect->left -= insets.left;
    rect->top -= insets.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu)
{
    return AdjustWindowRectEx(rect, style, menu, 0);
}

RECT detail::DefaultClientRect(DWORD style, DWORD exStyle, const RECT& windowRect)
{
    const NonClientInsets insets = NonClientInsetsOf(style, exStyle);
    RECT client{windowRect.left + insets.left, windowRect.top + insets.top, windowRect.right - insets.right,
                windowRect.bottom - insets.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

LRESULT DefaultHitTest(DWORD style, DWORD exStyle, const RECT& windowRect, const RECT& client, POINT point)
{
    if (!PtInRect(&windowRect, point)) {
        return HTNOWHERE;
    }
    if (PtInRect(&client, point)) {
        return HTCLIENT;
    }
    const int frame = FrameWidth(style, exStyle);
    const RECT inner{windowRect.left + frame, windowRect.top + frame, windowRect.right - frame,
                     windowRect.bottom - frame};
    if (!PtInRect(&inner, point)) {
        return (style & WS_THICKFRAME) ? SizingBorderAt(windowRect, frame, point) : HTBORDER;
    }
    const int captionHeight = CaptionHeight(style, exStyle);
    const int edge = EdgeWidth(exStyle);
    if (captionHeight > 0 && point.y < inner.top + captionHeight) {
        return CaptionButtonAt(style, exStyle, RECT{inner.left, inner.top, inner.right, inner.top + captionHeight},
                               point);
    }
    const int scrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int scrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    const bool leftBar = exStyle & WS_EX_LEFTSCROLLBAR;
    const bool inVertical = (style & WS_VSCROLL) && point.y < client.bottom &&
                            (leftBar ? point.x < client.left && point.x >= client.left - scrollWidth
                                     : point.x >= client.right && point.x < client.right + scrollWidth);
    const bool inHorizontal = (style & WS_HSCROLL) && point.y >= client.bottom &&
                              point.y < client.bottom + scrollHeight && point.x >= client.left &&
                              point.x < client.right;
    if (inVertical && point.y >= client.top) {
        return HTVSCROLL;
    }
    if (inHorizontal) {
        return HTHSCROLL;
    }
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL) && point.y >= client.bottom &&
        point.y < client.bottom + scrollHeight && point.x >= inner.left + edge && point.x < inner.right - edge) {
        return (style & WS_THICKFRAME) ? HTGROWBOX : HTNOWHERE;
    }
    return HTBORDER;
}

}  // namespace win
