#pragma once
// The scroll bars of a window (WS_HSCROLL / WS_VSCROLL): range, page, position and enabled arrows,
// shown and hidden as the range asks for them. A click on a bar (WM_NCLBUTTONDOWN at HTHSCROLL or
// HTVSCROLL) sends the window WM_HSCROLL / WM_VSCROLL with the SB_ code of the part clicked, then
// SB_ENDSCROLL. Scroll-bar controls (SB_CTL) belong to the controls, not here.

#include "platform/wintypes/Types.h"

namespace win {

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Object ids of GetScrollBarInfo.
constexpr LONG OBJID_HSCROLL = -6;
constexpr LONG OBJID_VSCROLL = -5;

// States of the parts of a bar (and of other controls' parts).
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;

// A window's bar: its rectangle on the screen, the arrow buttons' length, the thumb's ends measured from
// the bar's top (left) edge, and the states of the bar (0), the up or left arrow (1), the page above the
// thumb (2), the thumb (3), the page below it (4) and the down or right arrow (5).
struct SCROLLBARINFO {
    DWORD cbSize = sizeof(SCROLLBARINFO);
    RECT rcScrollBar{};
    int dxyLineButton = 0;
    int xyThumbTop = 0;
    int xyThumbBottom = 0;
    int reserved = 0;
    DWORD rgstate[6] = {};
};

// The page is kept within the range and the position within min .. max - page + 1. A range that leaves
// nothing to scroll hides the bar (disables it with SIF_DISABLENOSCROLL); a range that does shows it.
// Answers the new position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
// Answers the position before.
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// OBJID_HSCROLL or OBJID_VSCROLL; a bar the window does not show is STATE_SYSTEM_INVISIBLE. FALSE for
// another object or when info's size is not that of the structure.
BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info);

// A scroll bar in the classic look, as window bars and scroll-bar controls draw theirs.
struct ScrollBarLook {
    RECT bar;          // the whole bar, arrows included, in the device context's coordinates
    bool vertical;
    int arrow;         // the length of each arrow button
    int thumbStart;    // the thumb along the bar from its start; none when thumbEnd <= thumbStart
    int thumbEnd;
    UINT firstArrow;   // extra DrawFrameControl states of the up/left and down/right arrows (DFCS_INACTIVE,
    UINT lastArrow;    // DFCS_PUSHED ...)
    HBRUSH track;
};
// The track filled with its brush, the arrow buttons at the ends and the thumb as a push button.
void DrawScrollBarLook(HDC dc, const ScrollBarLook& look);
// A stretch of the bar from..to along it, across its whole width.
RECT ScrollBarSpan(const ScrollBarLook& look, int from, int to);

}  // namespace win
