#pragma once
// The drawing routines the look-and-feel painters share: arrow triangles, the plus and minus of expand
// boxes, the cross of a filter's dismiss button, the chevrons of a group expand button. Shapes are
// filled row by row, so every painter draws exactly the same pixels. Centres are (a + b) div 2.

#include "controls/clGraphics.h"
#include "controls/clLookAndFeelPainters.h"

#include <array>

namespace controls {

// The triangle of an arrow glyph: proportional first makes the rect square around its centre; size 0
// derives the depth from the rect ((extent - 1) div 4 + 1, extent the width for up and down arrows, the
// height for left and right). The triangle is size deep and 2 x size - 1 wide, centred; the apex first.
std::array<win::POINT, 3> ComputeArrowPolygon(const win::RECT& rect, int size, bool proportional,
                                              TclArrowDirection direction);
// Fills the triangle ComputeArrowPolygon gives.
void PaintArrowTriangle(TclCanvas& canvas, const std::array<win::POINT, 3>& points, TclArrowDirection direction,
                        gui::TColor color);
// The bars of an expand box: half length (width - 4) div 2 around the centre; the vertical bar only
// when not expanded.
void PaintExpandCross(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, bool expanded);
// Two diagonals of a square of the side (made odd) centred in the rect (moved by (1, 1) for a pressed
// glyph), each two pixels wide.
void PaintDismissCross(TclCanvas& canvas, const win::RECT& rect, TclButtonState glyphState, gui::TColor color,
                       int side);
// Two chevrons 7 pixels wide and two thick, four rows apart, centred; up when expanded.
void PaintGroupExpandChevrons(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, bool expanded);
// The outline of a sort mark of the extent (w, h): the right edge and (ascending) the base in the first
// colour, the left edge and (descending) the base in the second.
void PaintSortTriangle(TclCanvas& canvas, const win::RECT& rect, bool ascending, gui::TColor color1,
                       gui::TColor color2, win::POINT extent);
// Filled triangles at the ends of the rect (arrows: 1 the left end, 2 the right end, 3 both), their flat
// side inset - 1 pixels inside the end, pointing outwards.
void PaintHeaderArrows(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, int inset, int arrows);
// A cell's text over what lies behind it, in the font (when given) and the colour; nothing when empty.
void PaintCellText(TclCanvas& canvas, const win::RECT& textRect, TclHorzAlignment horz, TclVertAlignment vert,
                   bool multiLine, bool endEllipsis, std::string_view text, gui::TFont* font, gui::TColor textColor);
// The arrows of an arrow header in clWindowText: PaintHeaderArrows on the rect below the border, less a
// pixel at top and bottom.
void PaintArrowHeaderEnds(TclCanvas& canvas, const win::RECT& rect, int borderWidth, int inset, int arrows);
// Vertical bar: part 1 up, part 2 down; horizontal: left and right.
TclArrowDirection ScrollArrowDirection(bool horizontal, TclScrollBarPart part);

}  // namespace controls
