#include "platform/win/detail/Frame.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/DrawText.h"
#include "platform/win/Icon.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/NonClient.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <string>

namespace win {

using namespace detail;

namespace {

// What drawing the frame needs of the window, read at once under the lock.
struct FrameState {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT window{};  // window coordinates: 0, 0 at the top left
    RECT client{};  // likewise
    std::string text;
    HICON icon = nullptr;
    bool active = false;
    bool closable = true;  // a class with CS_NOCLOSE shows its close button greyed
};

bool HasDefaultFrame(const Window& window)
{
    return CaptionHeightOf(window.style, window.exStyle) > 0 || FrameWidthOf(window.style, window.exStyle) > 0 ||
           (window.exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) || (window.style & (WS_VSCROLL | WS_HSCROLL));
}

bool ReadFrameState(HWND hwnd, FrameState& state)
{
    auto lock = LockSystem();
    const Window* window = FindWindowRecord(hwnd);
    if (!window || !HasDefaultFrame(*window)) {
        return false;
    }
    state.style = window->style;
    state.exStyle = window->exStyle;
    state.window = RECT{0, 0, window->windowRect.right - window->windowRect.left,
                        window->windowRect.bottom - window->windowRect.top};
    state.client = window->clientRect;
    OffsetRect(&state.client, -window->windowRect.left, -window->windowRect.top);
    state.text = window->text;
    state.icon = CaptionIconOf(*window);
    state.active = window->frameActive;
    state.closable = !(window->windowClass && (window->windowClass->style & CS_NOCLOSE));
    return true;
}

// One-pixel rings inward from rect, shrinking it past them.
void FillRings(HDC dc, RECT& rect, int count, int colour)
{
    for (int i = 0; i < count; ++i) {
        FrameRect(dc, &rect, GetSysColorBrush(colour));
        InflateRect(&rect, -1, -1);
    }
}

// The outer frame: a thin line in the window-frame colour, or a raised edge followed, for a sizing frame,
// by the border colour and then 3D face up to the frame's width. Leaves rect inside the frame.
void DrawBorder(HDC dc, RECT& rect, const FrameState& state)
{
    const int width = FrameWidthOf(state.style, state.exStyle);
    const bool thin = !(state.style & (WS_THICKFRAME | WS_DLGFRAME)) && !(state.exStyle & WS_EX_DLGMODALFRAME);
    if (width == 0 || thin) {
        FillRings(dc, rect, width, COLOR_WINDOWFRAME);
        return;
    }
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const int inside = width - GetSystemMetrics(SM_CXEDGE);
    if (state.style & WS_THICKFRAME) {
        FillRings(dc, rect, inside - 1, state.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
        FillRings(dc, rect, 1, COLOR_3DFACE);
    } else {
        FillRings(dc, rect, inside, COLOR_3DFACE);
    }
}

// The client edge and the static edge, between the caption and the client area with its scroll bars.
void DrawEdges(HDC dc, RECT rect, const FrameState& state)
{
    rect.top += CaptionHeightOf(state.style, state.exStyle);
    if (state.exStyle & WS_EX_CLIENTEDGE) {
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    if (state.exStyle & WS_EX_STATICEDGE) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    }
}

// A bar as the scroll-bar controls draw theirs: arrows at the ends, the track in the scroll-bar colour and
// the thumb as a push button, none when there is nothing to scroll.
void DrawScrollBar(HDC dc, const SCROLLBARINFO& info, bool vertical, POINT windowOrigin)
{
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -windowOrigin.x, -windowOrigin.y);
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    const int arrow = std::min(info.dxyLineButton, length / 2);
    const bool thumb = !(info.rgstate[3] & STATE_SYSTEM_INVISIBLE) && !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) &&
                       info.xyThumbBottom > info.xyThumbTop && info.xyThumbBottom <= length - arrow;
    DrawScrollBarLook(dc, ScrollBarLook{bar, vertical, arrow, info.xyThumbTop, thumb ? info.xyThumbBottom : 0,
                                        (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) ? DFCS_INACTIVE : 0u,
                                        (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) ? DFCS_INACTIVE : 0u,
                                        GetSysColorBrush(COLOR_SCROLLBAR)});
}

// Both bars, and the square where they meet in 3D face.
void DrawScrollBars(HDC dc, HWND hwnd)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    const POINT origin{window.left, window.top};
    SCROLLBARINFO vertical;
    SCROLLBARINFO horizontal;
    const bool hasVertical = GetScrollBarInfo(hwnd, OBJID_VSCROLL, &vertical) &&
                             !(vertical.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    const bool hasHorizontal = GetScrollBarInfo(hwnd, OBJID_HSCROLL, &horizontal) &&
                               !(horizontal.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    if (hasVertical) {
        DrawScrollBar(dc, vertical, true, origin);
    }
    if (hasHorizontal) {
        DrawScrollBar(dc, horizontal, false, origin);
    }
    if (hasVertical && hasHorizontal) {
        RECT corner{vertical.rcScrollBar.left, horizontal.rcScrollBar.top, vertical.rcScrollBar.right,
                    horizontal.rcScrollBar.bottom};
        OffsetRect(&corner, -origin.x, -origin.y);
        FillRect(dc, &corner, GetSysColorBrush(COLOR_3DFACE));
    }
}

void DrawTitle(HDC dc, RECT rect, const FrameState& state)
{
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const LOGFONT& face = (state.exStyle & WS_EX_TOOLWINDOW) ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
    const HFONT font = CreateFontIndirect(&face);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour =
        SetTextColor(dc, GetSysColor(state.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawTextA(dc, state.text.c_str(), static_cast<int>(state.text.size()), &rect,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

// The caption's colour, shading towards its gradient colour at the right when gradient captions are on.
void FillBar(HDC dc, const RECT& bar, bool active)
{
    const COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL gradient = FALSE;
    SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    if (!gradient) {
        FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        return;
    }
    const COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    auto vertex = [](LONG x, LONG y, COLORREF colour) {
        TRIVERTEX v;
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
        v.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
        v.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
        return v;
    };
    const TRIVERTEX vertices[2] = {vertex(bar.left, bar.top, from), vertex(bar.right, bar.bottom, to)};
    const GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
}

void DrawCaption(HDC dc, const FrameState& state)
{
    const CaptionLayout layout = CaptionLayoutOf(state.style, state.exStyle, state.window, state.icon != nullptr);
    if (IsRectEmpty(&layout.bar)) {
        return;
    }
    FillBar(dc, layout.bar, state.active);
    const RECT line{layout.bar.left, layout.bar.bottom, layout.bar.right, layout.bar.bottom + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
    if (!IsRectEmpty(&layout.icon)) {
        DrawIconEx(dc, layout.icon.left, layout.icon.top, state.icon, layout.icon.right - layout.icon.left,
                   layout.icon.bottom - layout.icon.top, 0, nullptr, DI_NORMAL);
    }
    DrawTitle(dc, layout.title, state);
    for (const CaptionButton& button : layout.buttons) {
        RECT rect = button.rect;
        const bool enabled = button.enabled && (button.hit != HTCLOSE || state.closable);
        DrawFrameControl(dc, &rect, DFC_CAPTION, button.part | (enabled ? 0 : DFCS_INACTIVE));
    }
}

}  // namespace

HICON detail::CaptionIconOf(const Window& window)
{
    for (HICON icon : {window.smallIcon, window.bigIcon}) {
        if (icon) {
            return icon;
        }
    }
    if (!window.windowClass) {
        return nullptr;
    }
    return window.windowClass->iconSmall ? window.windowClass->iconSmall : window.windowClass->icon;
}

void detail::DrawDefaultFrame(HWND hwnd, HRGN region)
{
    FrameState state;
    if (!ReadFrameState(hwnd, state)) {
        return;
    }
    const HDC dc = GetDCEx(hwnd, region, DCX_WINDOW | DCX_INTERSECTRGN);
    if (!dc) {
        return;
    }
    // The client area is the window's own, wherever its WM_NCCALCSIZE put it.
    const NonClientInsets insets = NonClientInsetsOf(state.style, state.exStyle);
    const RECT held{insets.left, insets.top, state.window.right - insets.right, state.window.bottom - insets.bottom};
    ExcludeClipRect(dc, held.left, held.top, held.right, held.bottom);
    ExcludeClipRect(dc, state.client.left, state.client.top, state.client.right, state.client.bottom);
    RECT rect = state.window;
    DrawBorder(dc, rect, state);
    DrawEdges(dc, rect, state);
    DrawCaption(dc, state);
    DrawScrollBars(dc, hwnd);
    ReleaseDC(hwnd, dc);
}

void detail::ActivateFrame(HWND hwnd, bool active)
{
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return;
        }
        window->frameActive = active;
    }
    DrawDefaultFrame(hwnd, nullptr);
}

}  // namespace win
