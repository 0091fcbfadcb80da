#pragma once
// DrawState: an icon or a bitmap drawn as it is, or in one of the looks of an unavailable or a
// monochrome item.
//
// The looks work on the image's silhouette: an icon drawn on a white monochrome bitmap (so its white
// pixels fall away with its transparent ones), or a bitmap's pixels that are not white (a monochrome
// bitmap: its 0 bits). DSS_DISABLED embosses it: the silhouette in the 3D highlight colour one pixel
// right and down, then in the 3D shadow colour in place; DSS_MONO paints it in the brush (the text
// colour's brush when none is given). The pixels outside the silhouette are left as they are.

#include "platform/wintypes/GdiTypes.h"

namespace win {

constexpr UINT DST_COMPLEX = 0x0000;
constexpr UINT DST_TEXT = 0x0001;
constexpr UINT DST_PREFIXTEXT = 0x0002;
constexpr UINT DST_ICON = 0x0003;
constexpr UINT DST_BITMAP = 0x0004;
constexpr UINT DSS_NORMAL = 0x0000;
constexpr UINT DSS_UNION = 0x0010;
constexpr UINT DSS_DISABLED = 0x0020;
constexpr UINT DSS_MONO = 0x0080;
constexpr UINT DSS_RIGHT = 0x8000;

using DRAWSTATEPROC = BOOL (*)(HDC dc, LPARAM data, WPARAM wData, int cx, int cy);

// DST_ICON (data an HICON) and DST_BITMAP (data an HBITMAP) with DSS_NORMAL, DSS_DISABLED and DSS_MONO;
// cx and cy 0 take the image's own size. FALSE with ERROR_INVALID_PARAMETER for the other kinds and
// states, which nothing here draws.
BOOL DrawState(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags);

// The ternary raster operation that paints the pattern where a monochrome source, mapped through a text
// colour of white and a background of black, is white, and leaves the destination elsewhere.
constexpr DWORD ROP_DSPDxax = 0x00E20746;

}  // namespace win
