#pragma once
// The Office 2003 look's colours: the scheme in use (blue, olive or silver visual styles, or none, when
// the set is blended from the system colours), a set of 51 colours with brushes and three small bitmaps
// shared by reference count, and the gradient, frame, grip and arrow drawing of the Office 2003 painters.

#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/wintypes/GdiTypes.h"

namespace controls {

// 0 none, 1 "NORMALCOLOR", 2 "HOMESTEAD", 3 "METALLIC".
int DetectOffice2003Scheme();
int uxOffice11CurrentScheme();
bool uxIsLunaColorSchemeActive();

bool uxBlackHighContrastActive();
bool uxWhiteHighContrastActive();
bool uxColoredHighContrastActive();

// The first user computes the set and makes brushes and bitmaps; the last release frees them.
void uxOffice11ColorsAddRef();
void uxOffice11ColorsRelease();
// Recomputes the set (and, while it is in use, its brushes and bitmaps).
void uxOffice11ColorsRefresh();

constexpr int uxOffice11ColorCount = 51;
// Entry n of the set, as an RGB value.
gui::TColor uxOffice11Color(int entry);
// The percentage of two-phase gradients.
int uxOffice11GradientPercent();
// The solid brush of an entry that has one (10, 11, 12, 13, 23, 30, 31, 32, 37, 38, 39, 40, 44) while the
// set is in use; null otherwise.
win::HBRUSH uxOffice11Brush(int entry);
// The sub-menu expand bitmap recoloured with entries 2 and 3, and the expand buttons; null when the set
// is not in use or the resource is missing.
gui::TBitmap* uxOffice11SubMenuExpandBitmap();
gui::TBitmap* uxOffice11ExpandButtonBitmap(bool expanded);
// The two fixed colours the expand buttons are drawn with.
constexpr gui::TColor uxOffice11ExpandButtonColor1 = gui::TColor(win::RGB(158, 174, 191));
constexpr gui::TColor uxOffice11ExpandButtonColor2 = gui::TColor(win::RGB(46, 70, 95));

// The named entries.
inline gui::TColor uxOffice11FaceColor() { return uxOffice11Color(0); }
inline gui::TColor uxOffice11Face20Color() { return uxOffice11Color(1); }
inline gui::TColor uxOffice11Face22Color() { return uxOffice11Color(2); }
inline gui::TColor uxOffice11Face96Color() { return uxOffice11Color(3); }
inline gui::TColor uxOffice11Shadow70Color() { return uxOffice11Color(12); }
inline gui::TColor uxOffice11WhiteColor() { return uxOffice11Color(13); }
inline gui::TColor uxOffice11ShadowColor() { return uxOffice11Color(16); }
inline gui::TColor uxOffice11HighlightColor() { return uxOffice11Color(20); }
inline gui::TColor uxOffice11SelectedBorderColor() { return uxOffice11Color(32); }
inline gui::TColor uxOffice11HotColor() { return uxOffice11Color(33); }
inline gui::TColor uxOffice11HotEndColor() { return uxOffice11Color(34); }
inline gui::TColor uxOffice11PressedColor() { return uxOffice11Color(35); }
inline gui::TColor uxOffice11TextColor() { return uxOffice11Color(41); }
inline gui::TColor uxOffice11DisabledTextColor() { return uxOffice11Color(42); }
inline gui::TColor uxOffice11GridLineColor() { return uxOffice11Color(44); }
inline gui::TColor uxOffice11BorderColor() { return uxOffice11Color(46); }
inline gui::TColor uxOffice11GroupRowColor() { return uxOffice11Color(47); }
inline gui::TColor uxOffice11SelectionColor() { return uxOffice11Color(48); }
inline gui::TColor uxOffice11FrameColor() { return uxOffice11Color(49); }
inline gui::TColor uxOffice11AltFaceColor() { return uxOffice11Color(50); }

// Per channel c1 * p / 100 + c2 * (100 - p) / 100, capped at 255, as the screen can show it.
gui::TColor uxOffice11MixColors(gui::TColor color1, gui::TColor color2, int percent);
gui::TColor uxOffice11ScaleColor(gui::TColor color, int percent);
// The system colours mixed (signed percentages); the highlight colour when the button face is black or white.
gui::TColor uxOffice11SystemBlendColor(int facePercent, int highlightPercent, int windowPercent);

// Colour 1 at the left (top) to colour 2 at the right (bottom): GradientFill when it is bound, else up to
// 256 solid bands.
void uxFillRectGradient(win::HDC dc, const win::RECT& rect, gui::TColor color1, gui::TColor color2, bool horizontal);
// The colour of the banded gradient at a coordinate.
gui::TColor uxGradientColorAt(const win::RECT& rect, int coordinate, gui::TColor color1, gui::TColor color2,
                              bool horizontal);
// Colour 1 to a middle colour (the gradient percentage / 200 of the way) over the first half, on to
// colour 2 over the second, one solid line per pixel.
void uxFillRectTwoPhaseGradient(win::HDC dc, const win::RECT& rect, gui::TColor color1, gui::TColor color2,
                                bool horizontal);
void uxFillRectSolid(win::HDC dc, const win::RECT& rect, gui::TColor color);
void uxFrameRectSolid(win::HDC dc, const win::RECT& rect, gui::TColor color);
// Frames with the brush of entry 32, or the highlight-text colour under a black or coloured high contrast.
void uxOffice11FrameRect(win::HDC dc, const win::RECT& rect);
// A run of dots, downwards when vertical; null brushes take those of entries 11 (light) and 10 (dark).
void uxOffice11DrawGripDots(win::HDC dc, const win::RECT& rect, bool vertical, win::HBRUSH light = nullptr,
                            win::HBRUSH dark = nullptr);
// Three runs of 3, 2 and 1 dots in the bottom-right corner; clNone keeps a default brush.
void uxOffice11DrawSizeGrip(win::HDC dc, const win::RECT& rect, gui::TColor dark = gui::clNone,
                            gui::TColor light = gui::clNone);
// A down or right arrow sized from the rect.
void uxOffice11DrawFittedArrow(win::HDC dc, const win::RECT& rect, bool down, bool enabled, bool selected);
void uxOffice11DrawArrowOfSize(win::HDC dc, const win::RECT& rect, bool down, int size, bool selected, bool enabled);

// Recolours a sub-menu expand picture: the top-left pixel is the background; every other pixel that is
// not black takes a mix of entries 2 and 3 by its red channel.
void uxOffice11RecolorSubMenuExpand(gui::TBitmap* bitmap);

namespace detail {
void InitializeOffice11Colors();
void FinalizeOffice11Colors();
}  // namespace detail

}  // namespace controls
