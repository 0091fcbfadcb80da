#pragma once
// Frames and edges in the classic look: DrawEdge, DrawFocusRect, FrameRect, FrameRgn, InvertRect and
// InvertRgn.
//
// DrawEdge draws an outer and an inner line per side, each with a top-left and a bottom-right colour:
// raised outer 3D light / 3D dark shadow, sunken outer 3D shadow / 3D highlight, raised inner 3D
// highlight / 3D shadow, sunken inner 3D dark shadow / 3D light. BF_SOFT swaps the top-left colours of
// the outer and inner lines; BF_FLAT draws the outer line in 3D shadow and the inner in 3D face;
// BF_MONO draws the outer line in the window frame colour and the inner in the window colour. The
// bottom and right lines run the full side and take the corners they share with the top and left
// lines. BF_MIDDLE fills the inside with 3D face (the window colour when flat or mono); BF_ADJUST
// leaves the rectangle as the inside.

#include "platform/wintypes/GdiTypes.h"

namespace win {

constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x0010;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

// FALSE for BF_DIAGONAL, which nothing here draws.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
// Inverts every other pixel of the rectangle's one-pixel frame (those whose device x + y is even), so
// that a second call restores the pixels.
BOOL DrawFocusRect(HDC dc, const RECT* rect);
// A one-pixel frame inside the rectangle in the brush.
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// The region's pixels within width pixels of its left or right edge or height pixels of its top or
// bottom edge, in the brush.
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
BOOL InvertRect(HDC dc, const RECT* rect);
BOOL InvertRgn(HDC dc, HRGN region);

}  // namespace win
