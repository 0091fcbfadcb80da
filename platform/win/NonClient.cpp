#include "platform/win/NonClient.h"

#include "platform/win/detail/NonClient.h"
#include "platform/wintypes/Messages.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemInfo.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

int EdgeWidth(DWORD exStyle)
{
    return ((exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0) +
           ((exStyle & WS_EX_STATICEDGE) ? GetSystemMetrics(SM_CXBORDER) : 0);
}

LRESULT CaptionPartAt(const CaptionLayout& layout, POINT point)
{
    for (const CaptionButton& button : layout.buttons) {
        if (PtInRect(&button.rect, point)) {
            return button.hit;
        }
    }
    return PtInRect(&layout.icon, point) ? HTSYSMENU : HTCAPTION;
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

int detail::FrameWidthOf(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME) {
        return GetSystemMetrics(SM_CXFRAME);
    }
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        return GetSystemMetrics(SM_CXDLGFRAME);
    }
    return (style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

int detail::CaptionHeightOf(DWORD style, DWORD exStyle)
{
    if ((style & WS_CAPTION) != WS_CAPTION) {
        return 0;
    }
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The buttons sit two pixels below the bar's top, a caption-button metric wide less two and high less
// four, from two pixels inside the bar's right end: close, a gap of two, then maximize and minimize side
// by side (both when either box is asked for, the other greyed) or else help. Tool windows have only close.
CaptionLayout detail::CaptionLayoutOf(DWORD style, DWORD exStyle, const RECT& windowRect, bool icon)
{
    CaptionLayout layout;
    const int height = CaptionHeightOf(style, exStyle);
    if (height == 0) {
        return layout;
    }
    const int frame = FrameWidthOf(style, exStyle);
    const RECT bar{windowRect.left + frame, windowRect.top + frame, windowRect.right - frame,
                   windowRect.top + frame + height - 1};
    layout.bar = bar;
    const bool tool = exStyle & WS_EX_TOOLWINDOW;
    const int width = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    const int buttonHeight = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
    int right = bar.right - 2;
    auto add = [&](LRESULT hit, UINT part, bool enabled) {
        layout.buttons.push_back(CaptionButton{hit, part, enabled, RECT{right - width, bar.top + 2, right,
                                                                         bar.top + 2 + buttonHeight}});
        right -= width;
    };
    if (style & WS_SYSMENU) {
        add(HTCLOSE, DFCS_CAPTIONCLOSE, true);
        right -= 2;
        if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
            add(HTMAXBUTTON, (style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, style & WS_MAXIMIZEBOX);
            add(HTMINBUTTON, (style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, style & WS_MINIMIZEBOX);
        } else if (!tool && (exStyle & WS_EX_CONTEXTHELP)) {
            add(HTHELP, DFCS_CAPTIONHELP, true);
        }
    }
    int titleLeft = bar.left + 2;
    // Dialog frames and tool windows show no icon, as the classic look has it.
    if (icon && (style & WS_SYSMENU) && !tool && !(exStyle & WS_EX_DLGMODALFRAME)) {
        const int iconWidth = GetSystemMetrics(SM_CXSMICON);
        const int iconHeight = GetSystemMetrics(SM_CYSMICON);
        const int top = bar.top + (bar.bottom - bar.top - iconHeight) / 2;
        layout.icon = RECT{bar.left + 2, top, bar.left + 2 + iconWidth, top + iconHeight};
        titleLeft = layout.icon.right + 2;
    }
    const int titleRight = (layout.buttons.empty() ? bar.right : layout.buttons.back().rect.left) - 2;
    layout.title = RECT{titleLeft, bar.top, std::max(titleLeft, titleRight), bar.bottom};
    return layout;
}

NonClientInsets detail::NonClientInsetsOf(DWORD style, DWORD exStyle)
{
    const int border = FrameWidthOf(style, exStyle) + EdgeWidth(exStyle);
    NonClientInsets insets{border, border + CaptionHeightOf(style, exStyle), border, border};
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

LRESULT DefaultHitTest(DWORD style, DWORD exStyle, const RECT& windowRect, const RECT& client, POINT point, bool icon)
{
    if (!PtInRect(&windowRect, point)) {
        return HTNOWHERE;
    }
    if (PtInRect(&client, point)) {
        return HTCLIENT;
    }
    const int frame = FrameWidthOf(style, exStyle);
    const RECT inner{windowRect.left + frame, windowRect.top + frame, windowRect.right - frame,
                     windowRect.bottom - frame};
    if (!PtInRect(&inner, point)) {
        return (style & WS_THICKFRAME) ? SizingBorderAt(windowRect, frame, point) : HTBORDER;
    }
    const int captionHeight = CaptionHeightOf(style, exStyle);
    const int edge = EdgeWidth(exStyle);
    if (captionHeight > 0 && point.y < inner.top + captionHeight) {
        return CaptionPartAt(CaptionLayoutOf(style, exStyle, windowRect, icon), point);
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
