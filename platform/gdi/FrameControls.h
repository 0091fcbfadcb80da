#pragma once
// DrawFrameControl in the classic look: push buttons, check boxes and radio buttons, scroll-bar arrows,
// the combo-box button and the size grip, caption buttons and menu glyphs, in the system colours.
//
// Sizes: w and h are the rectangle's width and height, n = min(w, h). A glyph "centred" in a box sits at
// left + (w - glyph width) / 2, top + (h - glyph height) / 2, rounded down. Glyph patterns are scaled
// to their size by taking, for each pixel, the pattern pixel under it (source = pixel * pattern size /
// size, rounded down).
//
// Button frames (push buttons, scroll arrows, the combo-box button, caption buttons), as DrawEdge draws
// them, with the inside filled with 3D face:
// - normal: EDGE_RAISED, with BF_SOFT for push and caption buttons (outer line 3D highlight / 3D dark
//   shadow, inner 3D light / 3D shadow), without it for scroll arrows (outer 3D light / 3D dark shadow,
//   inner 3D highlight / 3D shadow);
// - pushed (DFCS_PUSHED; for a push button DFCS_CHECKED too): push and caption buttons EDGE_SUNKEN with
//   BF_SOFT (outer 3D dark shadow / 3D highlight, inner 3D shadow / 3D light); a scroll arrow a single
//   one-pixel frame in 3D shadow. A checked push button, not pushed nor flat, has its inside dithered:
//   3D highlight where the logical x + y is odd, 3D face elsewhere, as a brush aligned to the origin;
// - DFCS_FLAT: a single one-pixel frame in 3D shadow, DFCS_MONO in the window-frame colour.
// Their glyphs are drawn in button text and move by (1, 1) when pushed; DFCS_INACTIVE draws them
// embossed: first one pixel right and down in 3D highlight, then in place in grey text.
//
// Glyphs:
// - scroll arrows: a triangle of a = max(1, (n - 4) / 3) rows, the tip row one pixel and each row two
//   more, so the base is 2a - 1 across; its bounding box is centred; the tip points the arrow's way.
//   DFCS_SCROLLCOMBOBOX is the down arrow.
// - caption buttons: 9 x 9 patterns (close: a cross of two-pixel strokes; minimise: a 6 x 2 bar at the
//   bottom; maximise: a window with a two-row title; restore: two overlapping windows; help: a question
//   mark) scaled to c = max(1, n * 9 / 14) and centred, so that a 14-pixel-high button shows them at 9.
// - size grip (DFCS_SCROLLSIZEGRIP): the rectangle is filled with 3D face; in the n x n square at its
//   bottom-right corner (bottom-left for DFCS_SCROLLSIZEGRIPRIGHT), a pixel at distance k = dx + dy from
//   the corner pixel, 1 <= k <= 11, lies on one of three diagonal lines: 3D shadow when k % 4 is 1 or 2,
//   3D highlight when it is 3.
//
// Check boxes (DFCS_BUTTONCHECK, DFCS_BUTTON3STATE) are an n x n square centred in the rectangle: a
// sunken two-pixel edge (EDGE_SUNKEN; flat: one pixel in 3D shadow; mono: one pixel in the window-frame
// colour), inside it the background (the window colour; 3D face when pushed or inactive; a checked
// three-state box dithered as a checked push button). DFCS_CHECKED adds the classic 7 x 7 check mark
// scaled to n - 6 at the square's (3, 3), in window text (grey text when inactive or three-state).
//
// Radio buttons: a circle of diameter r = n rounded down to even, centred, from the classic 12 x 12
// pattern (scaled to r): an outer ring in 3D shadow on its upper-left half and 3D highlight on its
// lower-right half, an inner ring in 3D dark shadow and 3D light, the body in the window colour (3D
// face when pushed or inactive) and, when checked, a 4 x 4 dot at the middle in window text (grey text
// when inactive). Flat and mono draw the outer ring whole in 3D shadow or the window-frame colour and
// the inner ring in the body colour. Pixels outside the circle are left as they are, except:
// DFCS_BUTTONRADIOIMAGE makes every other pixel of the rectangle black, and DFCS_BUTTONRADIOMASK draws
// only the mask: the circle (its rings and body) black, the rest of the rectangle white.
//
// Menu glyphs are black on a rectangle filled white, for use as masks: 7 x 7 patterns scaled to
// c = max(1, n * 7 / 13), centred: a right-pointing arrow 4 wide (DFCS_MENUARROWRIGHT points left),
// the check mark, a round bullet 5 across.
//
// DFCS_HOT, DFCS_TRANSPARENT and DFCS_ADJUSTRECT have no effect.

#include "platform/wintypes/GdiTypes.h"

namespace win {

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;

constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
constexpr UINT DFCS_CAPTIONMIN = 0x0001;
constexpr UINT DFCS_CAPTIONMAX = 0x0002;
constexpr UINT DFCS_CAPTIONRESTORE = 0x0003;
constexpr UINT DFCS_CAPTIONHELP = 0x0004;

constexpr UINT DFCS_MENUARROW = 0x0000;
constexpr UINT DFCS_MENUCHECK = 0x0001;
constexpr UINT DFCS_MENUBULLET = 0x0002;
constexpr UINT DFCS_MENUARROWRIGHT = 0x0004;

constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
constexpr UINT DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;

constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;

constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_TRANSPARENT = 0x0800;
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;

// FALSE with ERROR_INVALID_PARAMETER for a null rectangle or a kind or part not listed above, FALSE for
// an invalid device context; TRUE without drawing for an empty rectangle.
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);

}  // namespace win
