#include "controls/clClasses.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/clPainterDrawing.h"
#include "controls/uxOffice11Colors.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/WinControl.h"

// The Office 2003 painter's drawing: soft header gradients, scheme colours on buttons and frames, and a
// bitmap expand glyph. Scroll bars and navigator buttons are the themed painter's, which draws as the
// Standard painter while no theme is open.

namespace controls {

namespace {

void FillGradient(TclCanvas& canvas, const win::RECT& rect, gui::TColor top, gui::TColor bottom)
{
    uxFillRectGradient(canvas.GetDCHandle(), rect, top, bottom, false);
}

gui::TColor PixelAt(TclCanvas& canvas, int x, int y)
{
    return gui::TColor(win::GetPixel(canvas.GetDCHandle(), x, y));
}

}  // namespace

void TclOffice11LookAndFeelPainter::PaintCellContent(TclCanvas& canvas, const win::RECT& bounds,
                                                     const win::RECT& textRect, TclButtonState state,
                                                     TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                                     bool endEllipsis, std::string_view text, gui::TFont* font,
                                                     gui::TColor textColor, gui::TColor,
                                                     const TclCustomDrawBackground& onDrawBackground,
                                                     bool plain) const
{
    const bool hot = state == cxbsHot;
    if (!onDrawBackground || !onDrawBackground(&canvas, bounds)) {
        const gui::TColor top = hot ? uxOffice11Face22Color() : HeaderFaceColor();
        const gui::TColor bottom = hot ? uxOffice11Face22Color() : HeaderDarkColor();
        if (plain) {
            canvas.FillRectColor(bounds, top);
        } else {
            canvas.FillRectColor(win::RECT{bounds.left, bounds.top, bounds.right, bounds.bottom - 3}, top);
            FillGradient(canvas, win::RECT{bounds.left, bounds.bottom - 4, bounds.right, bounds.bottom}, top, bottom);
        }
    }
    PaintCellText(canvas, textRect, horz, vert, multiLine, endEllipsis, text, font, textColor);
    if (hot)
        FillGradient(canvas, win::RECT{bounds.left - 1, bounds.bottom - 2, bounds.right, bounds.bottom + 1},
                     uxOffice11HotColor(), uxOffice11HotEndColor());
}

void TclOffice11LookAndFeelPainter::PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect,
                                                            const win::RECT& arrowRect, bool isNext,
                                                            TclButtonState state) const
{
    const gui::TColor fill = state == cxbsHot       ? uxOffice11HotColor()
                             : state == cxbsPressed ? uxOffice11PressedColor()
                                                    : uxOffice11FaceColor();
    canvas.FillRectColor(rect, fill);
    const int sides = isNext ? clSideLeft | clSideTop | clSideBottom : clSideTop | clSideRight | clSideBottom;
    canvas.DrawFrameSides(rect, uxOffice11FrameColor(), false, sides);
    PaintSchedulerNavArrow(canvas, arrowRect, isNext, ButtonGlyphColor(state, gui::clDefault));
}

void TclOffice11LookAndFeelPainter::PaintBorder(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.DrawFrameSides(rect, uxOffice11BorderColor());
}

void TclOffice11LookAndFeelPainter::PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect,
                                                     TclButtonState state) const
{
    switch (state) {
    case cxbsDefault: return TclUltraFlatLookAndFeelPainter::PaintButtonFrame(canvas, rect, state);
    case cxbsNormal: return canvas.DrawFrameSides(rect, gui::clBtnText);
    case cxbsDisabled: return canvas.DrawFrameSides(rect, uxOffice11DisabledTextColor());
    default: return canvas.DrawFrameSides(rect, uxOffice11SelectedBorderColor());
    }
}

void TclOffice11LookAndFeelPainter::PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                      gui::TColor) const
{
    gui::TBitmap* glyph = uxOffice11ExpandButtonBitmap(expanded);
    if (!glyph)
        return;
    // The glyph's corners are rounded: blend them into what lies behind the box.
    gui::TCanvas* pixels = glyph->Canvas();
    const gui::TColor topLeft = PixelAt(canvas, rect.left, rect.top);
    const gui::TColor bottomRight = PixelAt(canvas, rect.right - 1, rect.bottom - 1);
    const gui::TColor first = uxOffice11MixColors(uxOffice11ExpandButtonColor1, topLeft, 25);
    const gui::TColor second = uxOffice11MixColors(uxOffice11ExpandButtonColor2, bottomRight, 25);
    pixels->SetPixels(0, 0, first);
    pixels->SetPixels(10, 10, second);
    pixels->SetPixels(0, 10, second);
    pixels->SetPixels(10, 0, second);
    canvas.DrawGraphic(rect.left, rect.top, glyph);
}

void TclOffice11LookAndFeelPainter::PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                           gui::TColor, gui::TColor) const
{
    PaintExpandButton(canvas, rect, expanded, gui::clDefault);
}

void TclOffice11LookAndFeelPainter::PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds,
                                                      const win::RECT& textRect, TclBorders neighbours,
                                                      TclBorders borders, TclButtonState state,
                                                      TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                                      bool endEllipsis, std::string_view text, gui::TFont* font,
                                                      gui::TColor textColor, gui::TColor backColor,
                                                      const TclCustomDrawBackground&, bool lastItem, bool) const
{
    TclUltraFlatLookAndFeelPainter::PaintHeaderCellEx(canvas, bounds, textRect, neighbours, borders, state, horz,
                                                      vert, multiLine, endEllipsis, text, font, textColor, backColor,
                                                      TclCustomDrawBackground(), lastItem, false);
}

void TclOffice11LookAndFeelPainter::PaintHeaderFrame(TclCanvas& canvas, const win::RECT& r, TclBorders neighbours,
                                                     TclBorders borders) const
{
    const gui::TColor face = HeaderFaceColor();
    const gui::TColor dark = HeaderDarkColor();
    const gui::TColor line = HeaderLineColor();
    const gui::TColor light = HeaderLightLineColor();
    const auto column = [&](int x, int top, int bottom, gui::TColor color) {
        if (top < bottom)
            canvas.FillRectColor(win::RECT{x, top, x + 1, bottom}, color);
    };
    if (borders & clSideTop)
        canvas.FillRectColor(win::RECT{r.left, r.top, r.right, r.top + 1}, face);
    if (borders & clSideBottom)
        canvas.FillRectColor(win::RECT{r.left, r.bottom - 1, r.right, r.bottom}, line);
    if (borders & clSideLeft) {
        canvas.SetPixelColor(r.left, r.top + 1, face);
        if (neighbours & clSideLeft) {
            canvas.SetPixelColor(r.left, r.top + 2, face);
            canvas.SetPixelColor(r.left, r.bottom - 3, uxOffice11MixColors(face, dark, 25));
            canvas.SetPixelColor(r.left, r.bottom - 2, dark);
            column(r.left, r.top + 2, r.bottom - 3, light);
        } else {
            canvas.SetPixelColor(r.left, r.bottom - 2, dark);
            column(r.left, r.top + 1, r.bottom - 2, light);
        }
    }
    if (borders & clSideRight) {
        const int x = r.right - 1;
        if (neighbours & clSideRight) {
            canvas.SetPixelColor(x, r.top + 1, face);
            canvas.SetPixelColor(x, r.top + 2, face);
            canvas.SetPixelColor(x, r.bottom - 3, uxOffice11MixColors(face, dark, 25));
            canvas.SetPixelColor(x, r.bottom - 2, dark);
            column(x, r.top + 2, r.bottom - 3, line);
        } else {
            canvas.SetPixelColor(x, r.top, uxOffice11MixColors(face, line, 50));
            canvas.SetPixelColor(x, r.bottom - 2, uxOffice11MixColors(dark, line, 50));
            column(x, r.top + 1, r.bottom - 2, line);
        }
    }
}

void TclOffice11LookAndFeelPainter::PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect,
                                                       const win::RECT& textRect, TclBorders neighbours,
                                                       TclBorders borders, TclButtonState state,
                                                       TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                                       bool endEllipsis, std::string_view text, gui::TFont* font,
                                                       gui::TColor textColor, gui::TColor backColor) const
{
    PaintHeaderCellEx(canvas, rect, textRect, neighbours, borders, state, horz, vert, multiLine, endEllipsis, text,
                      font, textColor, backColor, TclCustomDrawBackground(), false, false);
    if (state == cxbsPressed)
        InvertHeaderArea(canvas, rect);
}

void TclOffice11LookAndFeelPainter::PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const
{
    win::POINT extent{};
    SortMarkExtent(extent);
    PaintSortTriangle(canvas, rect, ascending, HeaderLightLineColor(), HeaderLineColor(), extent);
}

void TclOffice11LookAndFeelPainter::PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect,
                                                       TclScrollBarPart part, TclButtonState state) const
{
    TclWinXPLookAndFeelPainter::Class()->PaintScrollBarPart(canvas, horizontal, rect, part, state);
}

void TclOffice11LookAndFeelPainter::PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect,
                                                     gui::TColor backColor) const
{
    canvas.FillRectColor(rect, backColor);
    uxOffice11DrawSizeGrip(canvas.GetDCHandle(), rect);
}

void TclOffice11LookAndFeelPainter::PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text,
                                                     TclBorders, const TclViewParams& params, int arrows,
                                                     int arrowInset,
                                                     const TclCustomDrawBackground& onDrawBackground) const
{
    const win::RECT inner = clRectExpand(rect, -1, -1);
    if (!onDrawBackground || !onDrawBackground(&canvas, inner))
        canvas.FillWithFrame(inner, TclBackground{params.Bitmap, params.Color}, false, 0, gui::clDefault, 0);
    PaintCellText(canvas, rect, clhaCenter, clvaCenter, false, false, text, params.Font, params.TextColor);
    PaintHeaderArrows(canvas, rect, gui::clWindowText, arrowInset, arrows);
}

void TclOffice11LookAndFeelPainter::PaintAuxFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    canvas.DrawFrameSides(rect, ThinFrameColor());
}

void TclOffice11LookAndFeelPainter::PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect,
                                                             TclButtonState state) const
{
    TclWinXPLookAndFeelPainter::Class()->PaintNavigatorToolButton(canvas, rect, state);
}

void TclOffice11LookAndFeelPainter::PaintPanelBackground(TclCanvas& canvas, gui::TWinControl* control,
                                                         const win::RECT& rect, gui::TColor color,
                                                         gui::TColor color2) const
{
    if (color == gui::clDefault)
        clPaintParentBackground(control, canvas, rect);
    else if (color2 == gui::clDefault)
        canvas.FillRectColor(rect, color);
    else
        FillGradient(canvas, rect, color, color2);
}

}  // namespace controls
