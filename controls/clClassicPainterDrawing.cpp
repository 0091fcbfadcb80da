#include "controls/clClasses.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/clPainterDrawing.h"
#include "controls/clPainterResources.h"
#include "platform/gdi/FrameControls.h"

// The drawing of the three classic painters, which use system colours only: Standard (two-pixel 3D
// edges), Flat (one-pixel 3D edges) and UltraFlat (one-pixel frames in one colour, tinted hot and pressed
// fills). What a painter does not draw here it draws as the base painter does.

namespace controls {

namespace {

win::RECT Inset(const win::RECT& rect)
{
    return clRectExpand(rect, -1, -1);
}

void Frame(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, int sides = clAllSides)
{
    canvas.DrawFrameSides(rect, color, false, sides);
}

bool IsArrowButton(TclScrollBarPart part)
{
    return part == clsbpFirstButton || part == clsbpSecondButton;
}

bool IsPageArea(TclScrollBarPart part)
{
    return part == clsbpFirstPage || part == clsbpSecondPage;
}

// Nothing for an empty rect or a disabled thumb, whose place the page area behind it shows.
bool ScrollBarPartHidden(const win::RECT& rect, TclScrollBarPart part, TclButtonState state)
{
    return clRectHasNoArea(rect) || (part == clsbpThumb && state == cxbsDisabled);
}

// The page-area pattern as the brush, the rect filled with it, and the brush solid again.
void PaintScrollPageArea(TclCanvas& canvas, const win::RECT& rect, TclButtonState state)
{
    gui::TBrush* brush = canvas.GetCanvasBrush();
    brush->SetBitmap(clScrollPageBrushBitmap(state == cxbsPressed ? 1 : 0));
    canvas.Canvas()->FillRect(rect);
    brush->SetBitmap(nullptr);
    brush->SetStyle(gui::bsSolid);
}

// The header frame of the Standard and Flat painters: a raised inner edge whose corners beside a
// neighbour blend into the face, so that adjacent cells look like one bar.
void PaintRaisedHeaderFrame(TclCanvas& canvas, const win::RECT& r, TclBorders neighbours)
{
    canvas.Paint3DEdge(r, false, false);
    if (neighbours & clSideLeft) {
        canvas.SetPixelColor(r.left, r.top + 1, gui::clBtnFace);
        canvas.SetPixelColor(r.left, r.bottom - 2, gui::clBtnFace);
    }
    if (neighbours & clSideRight) {
        canvas.SetPixelColor(r.right - 1, r.top, gui::clBtnHighlight);
        canvas.SetPixelColor(r.right - 1, r.top + 1, gui::clBtnFace);
        canvas.SetPixelColor(r.right - 1, r.bottom - 2, gui::clBtnFace);
    }
}

void PaintRaisedFilterDropButton(const TclCustomLookAndFeelPainter& painter, TclCanvas& canvas,
                                 const win::RECT& source, TclButtonState state, bool active)
{
    if (state == cxbsPressed)
        canvas.Paint3DEdge(source, true, true);
    else
        canvas.Paint3DEdge(source, false, false);
    const win::RECT rect = Inset(source);
    canvas.FillRectColor(rect, gui::clBtnFace);
    painter.PaintDropDownGlyph(canvas, rect, active ? gui::clBlue : gui::clBtnText);
}

// One border strip of a tab (border 0 left, 1 top, 2 right, 3 bottom) with rounded outer corners.
void PaintRaisedTabFrame(TclCanvas& canvas, const win::RECT& source, int border, TclBorders borders, bool vertical)
{
    win::RECT r = source;
    if (!vertical) {
        if (border == 0 || border == 2) {
            if (borders & clSideTop)
                r.top += 2;
            if (borders & clSideBottom)
                --r.bottom;
        } else if (border == 1) {
            ++r.left;
            --r.right;
            canvas.SetPixelColor(r.left - 1, r.top + 1, gui::clBtnHighlight);
            canvas.SetPixelColor(r.right, r.top + 1, gui::clBtnHighlight);
        }
        canvas.FillRectColor(r, border == 2 ? gui::clBtnShadow : gui::clBtnHighlight);
        return;
    }
    if (border == 0) {
        r.top += borders & clSideTop ? 2 : 1;
        r.bottom -= borders & clSideBottom ? 2 : 1;
        canvas.SetPixelColor(r.left + 1, r.top - 1, gui::clBtnHighlight);
        canvas.SetPixelColor(r.left + 1, r.bottom, gui::clBtnHighlight);
    } else if ((border == 1 || border == 3) && (borders & clSideLeft)) {
        ++r.left;
    }
    canvas.FillRectColor(r, border == 3 ? gui::clBtnShadow : gui::clBtnHighlight);
}

// A splitter's two long lines (top and bottom of a horizontal bar, left and right of a vertical one);
// the rect then grows along the bar and shrinks across it.
win::RECT PaintSplitterLines(TclCanvas& canvas, const win::RECT& rect, bool horizontal, gui::TColor first,
                             gui::TColor second)
{
    canvas.DrawTwoToneFrame(rect, first, second, horizontal ? clSideTop | clSideBottom : clSideLeft | clSideRight);
    return horizontal ? clRectExpandSides(rect, 1, -1, 1, -1) : clRectExpandSides(rect, -1, 1, -1, 1);
}

void FillSplitterRest(TclCanvas& canvas, const win::RECT& rect, const TclBackground& background)
{
    canvas.FillWithFrame(rect, background, false, 0, gui::clDefault, 0);
}

void PaintSortMarkIn(const TclCustomLookAndFeelPainter& painter, TclCanvas& canvas, const win::RECT& rect,
                     bool ascending, gui::TColor first, gui::TColor second)
{
    win::POINT extent{};
    painter.SortMarkExtent(extent);
    PaintSortTriangle(canvas, rect, ascending, first, second, extent);
}

// The expand box's inside in the colour (clBtnFace for clDefault) with its cross; the box is then kept
// from later drawing.
void FillExpandBox(TclCanvas& canvas, const win::RECT& box, const win::RECT& inside, bool expanded,
                   gui::TColor color)
{
    canvas.FillRectColor(inside, color == gui::clDefault ? gui::clBtnFace : color);
    PaintExpandCross(canvas, inside, gui::clBtnText, expanded);
    canvas.ExcludeFromClip(box);
}

// Flat and UltraFlat scroll bars: the painter's own buttons, arrows on arrow buttons.
void PaintButtonScrollBarPart(const TclCustomLookAndFeelPainter& painter, TclCanvas& canvas, bool horizontal,
                              const win::RECT& rect, TclScrollBarPart part, TclButtonState state, int shrink)
{
    if (IsPageArea(part))
        return PaintScrollPageArea(canvas, rect, state);
    if (!IsArrowButton(part) && part != clsbpThumb)
        return;
    painter.PaintButton(canvas, rect, "", state);
    if (IsArrowButton(part))
        painter.PaintButtonArrow(canvas, clRectExpand(rect, -shrink, -shrink), state,
                                 ScrollArrowDirection(horizontal, part));
}

}  // namespace

// Standard

void TclStandardLookAndFeelPainter::PaintBorder(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, true, true);
    canvas.Paint3DEdge(Inset(rect), true, false);
}

void TclStandardLookAndFeelPainter::PaintButtonFrame(TclCanvas& canvas, const win::RECT& source,
                                                     TclButtonState state) const
{
    win::RECT rect = source;
    if (state == cxbsPressed) {
        Frame(canvas, rect, gui::clBlack);
        canvas.DrawTwoToneFrame(Inset(rect), gui::clBtnShadow, gui::clBtnShadow);
        return;
    }
    if (state == cxbsDefault) {
        Frame(canvas, rect, gui::clBlack);
        rect = Inset(rect);
    }
    canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::cl3DDkShadow);
    canvas.DrawTwoToneFrame(Inset(rect), gui::cl3DLight, gui::clBtnShadow);
}

void TclStandardLookAndFeelPainter::PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                           TclButtonState state) const
{
    TclFlatLookAndFeelPainter::Class()->PaintGroupExpandButton(canvas, rect, expanded, state);
}

void TclStandardLookAndFeelPainter::PaintExpandButton(TclCanvas& canvas, const win::RECT& box, bool expanded,
                                                      gui::TColor color) const
{
    canvas.Paint3DEdge(box, false, false, clSideLeft | clSideTop);
    canvas.Paint3DEdge(box, false, true, clSideRight | clSideBottom);
    win::RECT rect = Inset(box);
    canvas.Paint3DEdge(rect, false, false, clSideRight | clSideBottom);
    --rect.right;
    --rect.bottom;
    FillExpandBox(canvas, box, rect, expanded, color);
}

void TclStandardLookAndFeelPainter::PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect,
                                                       TclButtonState) const
{
    canvas.Paint3DEdge(rect, true, false);
    canvas.Paint3DEdge(Inset(rect), true, true);
}

void TclStandardLookAndFeelPainter::PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                                                     TclBorders) const
{
    PaintRaisedHeaderFrame(canvas, rect, neighbours);
}

void TclStandardLookAndFeelPainter::PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect,
                                                            TclBorders borders, TclButtonState state) const
{
    if (state == cxbsPressed)
        return canvas.DrawTwoToneFrame(rect, gui::clBtnShadow, gui::clBtnShadow, borders);
    canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::cl3DDkShadow, borders);
    canvas.DrawTwoToneFrame(Inset(rect), gui::cl3DLight, gui::clBtnShadow, borders);
}

void TclStandardLookAndFeelPainter::PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const
{
    PaintSortMarkIn(*this, canvas, rect, ascending, gui::clBtnHighlight, gui::clBtnShadow);
}

void TclStandardLookAndFeelPainter::PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, false, false);
}

void TclStandardLookAndFeelPainter::PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, true, true);
}

void TclStandardLookAndFeelPainter::PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect,
                                                          TclButtonState state, bool active) const
{
    PaintRaisedFilterDropButton(*this, canvas, rect, state, active);
}

void TclStandardLookAndFeelPainter::PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border,
                                                  TclBorders borders, bool vertical) const
{
    PaintRaisedTabFrame(canvas, rect, border, borders, vertical);
}

void TclStandardLookAndFeelPainter::PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                                  bool) const
{
    canvas.Paint3DEdge(rect, false, false, borders);
}

void TclStandardLookAndFeelPainter::PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect,
                                                       TclScrollBarPart part, TclButtonState state) const
{
    if (ScrollBarPartHidden(rect, part, state))
        return;
    if (state == cxbsHot)
        state = cxbsNormal;
    if (IsPageArea(part))
        return PaintScrollPageArea(canvas, rect, state);
    const bool pressedButton = IsArrowButton(part) && state == cxbsPressed;
    if (IsArrowButton(part)) {
        static constexpr win::UINT directions[] = {win::DFCS_SCROLLUP, win::DFCS_SCROLLDOWN, win::DFCS_SCROLLLEFT,
                                                   win::DFCS_SCROLLRIGHT};
        win::UINT flags = directions[ScrollArrowDirection(horizontal, part)];
        if (state == cxbsDisabled)
            flags |= win::DFCS_INACTIVE;
        if (pressedButton)
            flags |= win::DFCS_FLAT;
        win::RECT face = pressedButton ? clRectShift(rect, 1, 1) : rect;
        win::DrawFrameControl(canvas.GetDCHandle(), &face, win::DFC_SCROLL, flags);
    } else if (part != clsbpThumb) {
        return;
    }
    if (pressedButton) {
        canvas.DrawTwoToneFrame(rect, gui::clBtnShadow, gui::clBtnShadow);
        canvas.DrawTwoToneFrame(Inset(rect), gui::clBtnFace, gui::clBtnFace);
    } else {
        canvas.DrawTwoToneFrame(rect, gui::clBtnFace, gui::cl3DDkShadow);
        canvas.DrawTwoToneFrame(Inset(rect), gui::clBtnHighlight, gui::clBtnShadow);
    }
    if (part == clsbpThumb) {
        const int width = ButtonFrameWidth(cxbsNormal);
        canvas.FillRectColor(clRectExpand(rect, -width, -width), gui::clBtnFace);
    }
}

void TclStandardLookAndFeelPainter::PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text,
                                                     TclBorders neighbours, const TclViewParams& params, int arrows,
                                                     int arrowInset,
                                                     const TclCustomDrawBackground& onDrawBackground) const
{
    TclBorders sides = clAllSides;
    if (neighbours & clSideLeft)
        sides &= ~clSideLeft;
    if (neighbours & clSideRight)
        sides &= ~clSideRight;
    Frame(canvas, rect, gui::clBlack, sides);
    win::RECT content{};
    HeaderContentRect(rect, sides, content);
    PaintHeaderCellEx(canvas, content, content, neighbours, clAllSides, cxbsNormal, clhaCenter, clvaCenter, false,
                      false, text, params.Font, params.TextColor, params.Color, onDrawBackground, false, false);
    PaintArrowHeaderEnds(canvas, rect, BorderWidth(), arrowInset, arrows);
}

void TclStandardLookAndFeelPainter::PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect,
                                                       const TclBackground& background, bool horizontal) const
{
    win::RECT rest = PaintSplitterLines(canvas, rect, horizontal, gui::clBtnFace, gui::cl3DDkShadow);
    rest = PaintSplitterLines(canvas, rest, horizontal, gui::clBtnHighlight, gui::clBtnShadow);
    FillSplitterRest(canvas, rest, background);
}

// Flat

void TclFlatLookAndFeelPainter::PaintBorder(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, true, true);
}

void TclFlatLookAndFeelPainter::PaintButtonFrame(TclCanvas& canvas, const win::RECT& source,
                                                 TclButtonState state) const
{
    if (state == cxbsPressed)
        return canvas.DrawTwoToneFrame(source, gui::clBtnShadow, gui::clBtnHighlight);
    win::RECT rect = source;
    if (state == cxbsDefault) {
        Frame(canvas, rect, gui::clBlack);
        rect = Inset(rect);
    }
    canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::clBtnShadow);
}

void TclFlatLookAndFeelPainter::PaintExpandButton(TclCanvas& canvas, const win::RECT& box, bool expanded,
                                                  gui::TColor color) const
{
    PaintButton(canvas, box, "", cxbsNormal, true, color == gui::clDefault ? gui::clBtnFace : color);
    const win::RECT rect = Inset(box);
    PaintExpandCross(canvas, rect, gui::clBtnText, expanded);
    canvas.ExcludeFromClip(box);
}

void TclFlatLookAndFeelPainter::PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect,
                                                   TclButtonState state) const
{
    canvas.Paint3DEdge(rect, true, true);
    Frame(canvas, Inset(rect), CheckBoxFillColor(state));
}

void TclFlatLookAndFeelPainter::PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                                                 TclBorders) const
{
    PaintRaisedHeaderFrame(canvas, rect, neighbours);
}

void TclFlatLookAndFeelPainter::PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                                        TclButtonState state) const
{
    if (state == cxbsPressed)
        canvas.DrawTwoToneFrame(rect, gui::clBtnShadow, gui::clBtnHighlight, borders);
    else
        canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::clBtnShadow, borders);
}

void TclFlatLookAndFeelPainter::PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const
{
    PaintSortMarkIn(*this, canvas, rect, ascending, gui::clBtnHighlight, gui::clBtnShadow);
}

void TclFlatLookAndFeelPainter::PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, false, false);
}

void TclFlatLookAndFeelPainter::PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.Paint3DEdge(rect, true, true);
}

void TclFlatLookAndFeelPainter::PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                      bool active) const
{
    PaintRaisedFilterDropButton(*this, canvas, rect, state, active);
}

void TclFlatLookAndFeelPainter::PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border,
                                              TclBorders borders, bool vertical) const
{
    PaintRaisedTabFrame(canvas, rect, border, borders, vertical);
}

void TclFlatLookAndFeelPainter::PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                              bool) const
{
    canvas.Paint3DEdge(rect, false, false, borders);
}

void TclFlatLookAndFeelPainter::PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect,
                                                   TclScrollBarPart part, TclButtonState state) const
{
    if (ScrollBarPartHidden(rect, part, state))
        return;
    if (state == cxbsHot)
        state = cxbsNormal;
    PaintButtonScrollBarPart(*this, canvas, horizontal, rect, part, state, ButtonFrameWidth(cxbsNormal));
}

void TclFlatLookAndFeelPainter::PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect,
                                                   const TclBackground& background, bool horizontal) const
{
    FillSplitterRest(canvas, PaintSplitterLines(canvas, rect, horizontal, gui::clBtnHighlight, gui::clBtnShadow),
                     background);
}

// UltraFlat

gui::TColor TclUltraFlatLookAndFeelPainter::ButtonFaceColor(TclButtonState state) const
{
    switch (state) {
    case cxbsHot: return clHotTintColor();
    case cxbsPressed: return clPressedTintColor();
    default: return gui::clBtnFace;
    }
}

void TclUltraFlatLookAndFeelPainter::ButtonGroupMargins(int count, int index, win::RECT& margins) const
{
    margins = win::RECT{1, 2, 1, 2};
    if (index == 0)
        margins.left = 2;
    if (index > 0 && index == count - 1)
        margins.right = 2;
}

gui::TColor TclUltraFlatLookAndFeelPainter::ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const
{
    if (state == cxbsPressed)
        return gui::clHighlightText;
    return TclCustomLookAndFeelPainter::ButtonGlyphColor(state, defaultColor);
}

void TclUltraFlatLookAndFeelPainter::PaintBorder(TclCanvas& canvas, const win::RECT& rect) const
{
    Frame(canvas, rect, gui::clBtnShadow);
}

void TclUltraFlatLookAndFeelPainter::PaintGroupButton(TclCanvas& canvas, const win::RECT& source,
                                                      TclButtonState state, int count, int index,
                                                      gui::TColor frameColor) const
{
    const bool first = index == 0;
    const bool last = index == count - 1;
    win::RECT rect = clRectExpandSides(source, first ? -1 : 0, -1, last ? -1 : 0, -1);
    if (state == cxbsNormal || state == cxbsDisabled) {
        Frame(canvas, rect, frameColor);
        rect = Inset(rect);
    } else {
        if (!first) {
            Frame(canvas, rect, HighlightBorderColor(), clSideLeft);
            ++rect.left;
        }
        if (!last) {
            Frame(canvas, rect, HighlightBorderColor(), clSideRight);
            --rect.right;
        }
    }
    canvas.FillRectColor(rect, ButtonFaceColor(state));
}

void TclUltraFlatLookAndFeelPainter::PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect,
                                                      TclButtonState state) const
{
    switch (state) {
    case cxbsDefault:
        Frame(canvas, rect, gui::clWindowFrame);
        Frame(canvas, Inset(rect), gui::clWindowFrame);
        return;
    case cxbsNormal: return Frame(canvas, rect, gui::clBtnText);
    case cxbsDisabled: return Frame(canvas, rect, gui::clBtnShadow);
    default: return Frame(canvas, rect, gui::clHighlight);
    }
}

void TclUltraFlatLookAndFeelPainter::PaintButtonGroupFrame(TclCanvas& canvas, const win::RECT& rect, bool selected,
                                                           bool hot) const
{
    Frame(canvas, rect, selected ? gui::clBtnText : hot ? HighlightBorderColor() : gui::clBtnShadow);
}

void TclUltraFlatLookAndFeelPainter::PaintExpandButton(TclCanvas& canvas, const win::RECT& box, bool expanded,
                                                       gui::TColor color) const
{
    Frame(canvas, box, gui::clBtnShadow);
    FillExpandBox(canvas, box, Inset(box), expanded, color);
}

void TclUltraFlatLookAndFeelPainter::PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect,
                                                        TclButtonState state) const
{
    Frame(canvas, rect, gui::clBtnText);
    Frame(canvas, Inset(rect), CheckBoxFillColor(state));
}

void TclUltraFlatLookAndFeelPainter::PaintHeaderCell(TclCanvas& canvas, const win::RECT& bounds,
                                                     const win::RECT& textRect, TclBorders neighbours,
                                                     TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                                                     TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                     std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                     gui::TColor backColor,
                                                     const TclCustomDrawBackground& onDrawBackground) const
{
    PaintCellContent(canvas, bounds, Inset(textRect), state, horz, vert, multiLine, endEllipsis, text, font,
                     textColor, backColor, onDrawBackground, false);
    PaintHeaderFrame(canvas, Inset(bounds), neighbours, borders);
}

void TclUltraFlatLookAndFeelPainter::PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders,
                                                      TclBorders borders) const
{
    Frame(canvas, rect, gui::clBtnText, (borders & (clSideLeft | clSideTop)) | clSideRight | clSideBottom);
}

void TclUltraFlatLookAndFeelPainter::PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect,
                                                             TclBorders borders, TclButtonState state) const
{
    Frame(canvas, rect, state == cxbsDisabled ? gui::clBtnShadow : gui::clBlack, borders);
}

void TclUltraFlatLookAndFeelPainter::PaintHeaderSectionFace(TclCanvas& canvas, const win::RECT& rect,
                                                            const win::RECT& textRect, TclButtonState state,
                                                            TclHorzAlignment horz, TclVertAlignment vert,
                                                            bool multiLine, bool endEllipsis, std::string_view text,
                                                            gui::TFont* font, gui::TColor textColor,
                                                            gui::TColor backColor) const
{
    if (state == cxbsHot || state == cxbsPressed || state == cxbsDisabled)
        backColor = ButtonFaceColor(state);
    TclCustomLookAndFeelPainter::PaintHeaderSectionFace(canvas, rect, textRect, state, horz, vert, multiLine,
                                                        endEllipsis, text, font, textColor, backColor);
}

void TclUltraFlatLookAndFeelPainter::PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const
{
    PaintSortMarkIn(*this, canvas, rect, ascending, gui::clBtnShadow, gui::clBtnShadow);
}

void TclUltraFlatLookAndFeelPainter::PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    Frame(canvas, rect, FooterLineColor(), clSideRight | clSideBottom);
}

void TclUltraFlatLookAndFeelPainter::PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    Frame(canvas, rect, FooterLineColor());
}

void TclUltraFlatLookAndFeelPainter::PaintFilterDropButton(TclCanvas& canvas, const win::RECT& source,
                                                           TclButtonState state, bool active) const
{
    Frame(canvas, source, ButtonStateFrameColor(state));
    const win::RECT rect = Inset(source);
    canvas.FillRectColor(rect, ButtonFaceColor(state));
    PaintDropDownGlyph(canvas, rect, active ? gui::clBlue : ButtonGlyphColor(state, gui::clDefault));
}

void TclUltraFlatLookAndFeelPainter::PaintTabFrame(TclCanvas& canvas, const win::RECT& source, int border,
                                                   TclBorders, bool vertical) const
{
    win::RECT rect = source;
    const bool dark = vertical ? border == 3 : border == 2;
    if (!vertical && border == 2)
        rect.bottom -= TabFrameWidth(vertical);
    canvas.FillRectColor(rect, dark ? DarkLineColor() : LightLineColor());
}

void TclUltraFlatLookAndFeelPainter::PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                                   bool vertical) const
{
    canvas.DrawTwoToneFrame(rect, LightLineColor(), LightLineColor(), borders, TabFrameWidth(vertical));
}

void TclUltraFlatLookAndFeelPainter::PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect,
                                                        TclScrollBarPart part, TclButtonState state) const
{
    if (!ScrollBarPartHidden(rect, part, state))
        PaintButtonScrollBarPart(*this, canvas, horizontal, rect, part, state, 0);
}

void TclUltraFlatLookAndFeelPainter::PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect,
                                                             const win::RECT& arrowRect, bool isNext,
                                                             TclButtonState state) const
{
    canvas.FillRectColor(rect, gui::clBtnFace);
    const int sides = isNext ? clSideLeft | clSideTop | clSideBottom : clSideTop | clSideRight | clSideBottom;
    Frame(canvas, rect, state == cxbsHot ? LightLineColor() : DarkLineColor(), sides);
    PaintSchedulerNavArrow(canvas, arrowRect, isNext, ButtonGlyphColor(state, gui::clDefault));
}

void TclUltraFlatLookAndFeelPainter::PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect,
                                                              TclButtonState state) const
{
    PaintButton(canvas, rect, "", state, state == cxbsHot || state == cxbsPressed);
}

void TclUltraFlatLookAndFeelPainter::PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect,
                                                        const TclBackground& background, bool horizontal) const
{
    FillSplitterRest(canvas, PaintSplitterLines(canvas, rect, horizontal, ThinFrameColor(), ThinFrameColor()),
                     background);
}

}  // namespace controls
