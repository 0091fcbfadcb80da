#include "controls/clPainterDrawing.h"

#include "controls/clClasses.h"
#include "controls/clRadioButtonImages.h"
#include "platform/gdi/FrameControls.h"
#include "platform/wintypes/Types.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// The base painter's drawing: what every painter inherits unless its own look changes it.

namespace controls {

namespace {

void FillRun(TclCanvas& canvas, int left, int right, int y, gui::TColor color)
{
    if (left < right)
        canvas.FillRectColor(win::RECT{left, y, right, y + 1}, color);
}

void FillColumn(TclCanvas& canvas, int x, int top, int bottom, gui::TColor color)
{
    if (top < bottom)
        canvas.FillRectColor(win::RECT{x, top, x + 1, bottom}, color);
}

int Centre(int a, int b)
{
    return (a + b) / 2;
}

}  // namespace

int clCellTextFlags(TclHorzAlignment horz, TclVertAlignment vert, bool multiLine, bool endEllipsis)
{
    static constexpr int horzFlags[] = {clTextLeft, clTextRight, clTextHCenter};
    static constexpr int vertFlags[] = {clTextTop, clTextBottom, clTextVCenter};
    int flags = horzFlags[horz] | vertFlags[vert];
    flags |= multiLine ? clTextWordBreak : clTextSingleLine;
    if (endEllipsis)
        flags |= clTextEndEllipsis;
    return flags;
}

// Shared routines

std::array<win::POINT, 3> ComputeArrowPolygon(const win::RECT& source, int size, bool proportional,
                                              TclArrowDirection direction)
{
    win::RECT rect = source;
    if (proportional) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (width > height) {
            rect.left += (width - height) / 2;
            rect.right = rect.left + height;
        } else {
            rect.top += (height - width) / 2;
            rect.bottom = rect.top + width;
        }
    }
    const bool vertical = direction == cladUp || direction == cladDown;
    if (size == 0)
        size = ((vertical ? rect.right - rect.left : rect.bottom - rect.top) - 1) / 4 + 1;
    const int base = 2 * size - 1;
    if (vertical) {
        const int x = (rect.left + rect.right - base) / 2;
        const int y = (rect.top + rect.bottom - size) / 2;
        const int apexY = direction == cladUp ? y : y + size - 1;
        const int baseY = direction == cladUp ? y + size - 1 : y;
        return {win::POINT{x + size - 1, apexY}, win::POINT{x, baseY}, win::POINT{x + base - 1, baseY}};
    }
    const int x = (rect.left + rect.right - size) / 2;
    const int y = (rect.top + rect.bottom - base) / 2;
    const int apexX = direction == cladLeft ? x : x + size - 1;
    const int baseX = direction == cladLeft ? x + size - 1 : x;
    return {win::POINT{apexX, y + size - 1}, win::POINT{baseX, y}, win::POINT{baseX, y + base - 1}};
}

void PaintArrowTriangle(TclCanvas& canvas, const std::array<win::POINT, 3>& points, TclArrowDirection direction,
                        gui::TColor color)
{
    const win::POINT apex = points[0];
    const bool vertical = direction == cladUp || direction == cladDown;
    const int depth = vertical ? std::abs(points[1].y - apex.y) + 1 : std::abs(points[1].x - apex.x) + 1;
    for (int k = 0; k < depth; ++k) {
        if (vertical) {
            const int y = direction == cladUp ? apex.y + k : apex.y - k;
            FillRun(canvas, apex.x - k, apex.x + k + 1, y, color);
        } else {
            const int x = direction == cladLeft ? apex.x + k : apex.x - k;
            FillColumn(canvas, x, apex.y - k, apex.y + k + 1, color);
        }
    }
}

void PaintExpandCross(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, bool expanded)
{
    const int cx = Centre(rect.left, rect.right);
    const int cy = Centre(rect.top, rect.bottom);
    const int a = (rect.right - rect.left - 4) / 2;
    canvas.FillRectColor(win::RECT{cx - a, cy, cx + a + 1, cy + 1}, color);
    if (!expanded)
        canvas.FillRectColor(win::RECT{cx, cy - a, cx + 1, cy + a + 1}, color);
}

void PaintDismissCross(TclCanvas& canvas, const win::RECT& rect, TclButtonState glyphState, gui::TColor color,
                       int side)
{
    if (side % 2 == 0)
        --side;
    int x = (rect.left + rect.right - side) / 2;
    int y = (rect.top + rect.bottom - side) / 2;
    if (glyphState == cxbsPressed) {
        ++x;
        ++y;
    }
    for (int i = 0; i < side; ++i) {
        FillRun(canvas, x + i, x + i + 2, y + i, color);
        FillRun(canvas, x + i, x + i + 2, y + side - 1 - i, color);
    }
}

void PaintGroupExpandChevrons(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, bool expanded)
{
    const int x = (rect.left + rect.right - 7) / 2;
    const int top = (rect.top + rect.bottom - 9) / 2;
    for (int chevron = 0; chevron < 2; ++chevron)
        for (int thickness = 0; thickness < 2; ++thickness)
            for (int i = 0; i < 4; ++i) {
                const int y = top + 4 * chevron + thickness + (expanded ? i : 3 - i);
                canvas.SetPixelColor(x + 3 - i, y, color);
                canvas.SetPixelColor(x + 3 + i, y, color);
            }
}

void PaintSortTriangle(TclCanvas& canvas, const win::RECT& rect, bool ascending, gui::TColor color1,
                       gui::TColor color2, win::POINT extent)
{
    const int w = extent.x;
    const int h = extent.y;
    const int d = (rect.left + rect.right) / 2 - (w % 2 == 0 ? 1 : 0);
    const int f = w / 2;
    const int g = w % 2 == 0 ? f - 1 : f;
    const int dir = ascending ? 1 : -1;
    const int e = ascending ? (rect.top + rect.bottom - h) / 2 : (rect.top + rect.bottom + h) / 2 - 1;
    gui::TPen* pen = canvas.GetCanvasPen();
    pen->SetColor(color1);
    canvas.MovePenTo(d + f, e + (h - 2) * dir);
    canvas.DrawLineTo(d + f - g, e);
    canvas.DrawLineTo(d + f, e + (h - 1) * dir);
    if (!ascending)
        pen->SetColor(color2);
    canvas.DrawLineTo(d - g, e + (h - 1) * dir);
    if (ascending)
        pen->SetColor(color2);
    canvas.DrawLineTo(d, e);
    canvas.DrawLineTo(d - g, e + (h - w % 2) * dir);
}

void PaintHeaderArrows(TclCanvas& canvas, const win::RECT& rect, gui::TColor color, int inset, int arrows)
{
    int d = (rect.bottom - rect.top) / 2;
    if (d % 2 == 0)
        ++d;
    const int cy = Centre(rect.top, rect.bottom);
    const int half = d / 2;
    // The flat side spans d rows about the middle; each column outwards loses a row at either end, so the
    // apex lies d div 2 columns beyond it, d div 2 + 1 columns in all.
    const int leftFlat = rect.left + inset - 1;
    const int rightFlat = rect.right - inset;
    for (int k = 0; k <= half; ++k) {
        if (arrows & 1)
            FillColumn(canvas, leftFlat - k, cy - half + k, cy + half - k + 1, color);
        if (arrows & 2)
            FillColumn(canvas, rightFlat + k, cy - half + k, cy + half - k + 1, color);
    }
}

void PaintCellText(TclCanvas& canvas, const win::RECT& textRect, TclHorzAlignment horz, TclVertAlignment vert,
                   bool multiLine, bool endEllipsis, std::string_view text, gui::TFont* font, gui::TColor textColor)
{
    if (text.empty())
        return;
    canvas.GetCanvasBrush()->SetStyle(gui::bsClear);
    if (font)
        canvas.GetCanvasFont()->Assign(font);
    canvas.GetCanvasFont()->SetColor(textColor);
    canvas.PaintText(text, textRect, clCellTextFlags(horz, vert, multiLine, endEllipsis));
    canvas.GetCanvasBrush()->SetStyle(gui::bsSolid);
}

void PaintArrowHeaderEnds(TclCanvas& canvas, const win::RECT& rect, int borderWidth, int inset, int arrows)
{
    win::RECT area = rect;
    area.top += borderWidth + 1;
    --area.bottom;
    PaintHeaderArrows(canvas, area, gui::clWindowText, inset, arrows);
}

TclArrowDirection ScrollArrowDirection(bool horizontal, TclScrollBarPart part)
{
    if (horizontal)
        return part == clsbpFirstButton ? cladLeft : cladRight;
    return part == clsbpFirstButton ? cladUp : cladDown;
}

// General

void TclCustomLookAndFeelPainter::PaintDropDownGlyph(TclCanvas& canvas, const win::RECT& rect,
                                                     gui::TColor color) const
{
    int w = (rect.right - rect.left) / 2;
    if (w % 2 == 0)
        ++w;
    const int h = w / 2 + 1;
    const int x = (rect.left + rect.right - w) / 2;
    const int y = win::MulDiv(rect.top + rect.bottom - h, 1, 2);
    for (int k = 0; k < h; ++k)
        FillRun(canvas, x + k, x + w - k, y + k, color);
}

void TclCustomLookAndFeelPainter::PaintCellContent(TclCanvas& canvas, const win::RECT& bounds,
                                                   const win::RECT& textRect, TclButtonState, TclHorzAlignment horz,
                                                   TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                   std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                   gui::TColor backColor,
                                                   const TclCustomDrawBackground& onDrawBackground, bool) const
{
    if (!onDrawBackground || !onDrawBackground(&canvas, bounds)) {
        canvas.ApplyBrushColor(backColor);
        canvas.FillAreaTiled(bounds, nullptr);
    }
    PaintCellText(canvas, textRect, horz, vert, multiLine, endEllipsis, text, font, textColor);
}

void TclCustomLookAndFeelPainter::PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& source,
                                                          const win::RECT& arrowRect, bool isNext,
                                                          TclButtonState state) const
{
    canvas.FillRectColor(source, gui::clBtnFace);
    const int sides = isNext ? clSideLeft | clSideTop | clSideBottom : clSideTop | clSideRight | clSideBottom;
    canvas.DrawFrameSides(source, gui::clBtnShadow, false, sides);
    win::RECT rect = source;
    ++rect.top;
    --rect.bottom;
    if (isNext)
        ++rect.left;
    else
        --rect.right;
    if (state == cxbsPressed)
        canvas.DrawTwoToneFrame(rect, gui::clBtnShadow, gui::clBtnHighlight, sides);
    else
        canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::clBtnFace, sides);
    PaintSchedulerNavArrow(canvas, arrowRect, isNext, ButtonGlyphColor(state, gui::clDefault));
}

// Arrows

void TclCustomLookAndFeelPainter::PaintArrowGlyph(TclCanvas& canvas, const win::RECT& rect,
                                                  TclArrowDirection direction, gui::TColor color) const
{
    PaintArrowTriangle(canvas, ComputeArrowPolygon(rect, 0, true, direction), direction, color);
}

void TclCustomLookAndFeelPainter::PaintScrollArrowButton(TclCanvas& canvas, const win::RECT& rect,
                                                         TclButtonState state, TclArrowDirection direction,
                                                         bool framed) const
{
    if (framed)
        PaintArrowButtonFace(canvas, rect, state);
    else
        canvas.FillRectColor(rect, ButtonFaceColor(state));
    PaintArrowTriangle(canvas, ComputeArrowPolygon(rect, 0, false, direction), direction,
                       ButtonGlyphColor(state, gui::clDefault));
}

void TclCustomLookAndFeelPainter::PaintArrowButtonFace(TclCanvas& canvas, const win::RECT& rect,
                                                       TclButtonState state) const
{
    canvas.FillRectColor(rect, ButtonFaceColor(state));
    PaintButtonFrame(canvas, rect, state);
}

void TclCustomLookAndFeelPainter::PaintButtonArrow(TclCanvas& canvas, const win::RECT& source, TclButtonState state,
                                                   TclArrowDirection direction) const
{
    win::RECT rect = source;
    if (state == cxbsPressed)
        rect = clRectShift(rect, ButtonPressedShift(), ButtonPressedShift());
    std::array<win::POINT, 3> points = ComputeArrowPolygon(rect, 0, true, direction);
    if (state != cxbsDisabled)
        return PaintArrowTriangle(canvas, points, direction, ButtonGlyphColor(state, gui::clDefault));
    std::array<win::POINT, 3> shifted = points;
    for (win::POINT& p : shifted)
        p = win::POINT{p.x + 1, p.y + 1};
    PaintArrowTriangle(canvas, shifted, direction, gui::clBtnHighlight);
    PaintArrowTriangle(canvas, points, direction, gui::clBtnShadow);
}

// Buttons

void TclCustomLookAndFeelPainter::PaintButton(TclCanvas& canvas, const win::RECT& source, std::string_view caption,
                                              TclButtonState state, bool framed, gui::TColor fillColor,
                                              gui::TColor textColor, bool multiLine) const
{
    win::RECT rect = source;
    if (framed) {
        PaintButtonFrame(canvas, rect, state);
        const int width = ButtonFrameWidth(state);
        rect = clRectExpand(rect, -width, -width);
    }
    canvas.FillRectColor(rect, fillColor == gui::clDefault ? ButtonFaceColor(state) : fillColor);
    if (textColor == gui::clDefault)
        textColor = ButtonGlyphColor(state, gui::clDefault);
    canvas.GetCanvasBrush()->SetStyle(gui::bsClear);
    if ((rect.bottom - rect.top) % 2 != 0)
        --rect.bottom;
    if (rect.bottom - rect.top < 18)
        --rect.top;
    if (state == cxbsPressed)
        rect = clRectShift(rect, ButtonPressedShift(), ButtonPressedShift());
    if (!caption.empty()) {
        canvas.GetCanvasFont()->SetColor(textColor);
        const int flags = clTextHCenter | clTextVCenter | clTextShowPrefix |
                          (multiLine ? clTextWordBreak : clTextSingleLine);
        canvas.PaintText(caption, rect, flags, state != cxbsDisabled);
    }
    canvas.GetCanvasBrush()->SetStyle(gui::bsSolid);
}

void TclCustomLookAndFeelPainter::PaintGroupButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                   int, int, gui::TColor) const
{
    PaintButton(canvas, rect, "", state);
}

// Expand buttons

void TclCustomLookAndFeelPainter::PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                         TclButtonState state) const
{
    PaintButton(canvas, rect, "", state);
    PaintGroupExpandChevrons(canvas, rect, ButtonGlyphColor(state, gui::clDefault), expanded);
}

void TclCustomLookAndFeelPainter::PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                         gui::TColor frameColor, gui::TColor backColor) const
{
    canvas.DrawFrameSides(rect, frameColor);
    if (backColor != gui::clDefault)
        canvas.FillRectColor(clRectExpand(rect, -1, -1), backColor);
    PaintExpandCross(canvas, rect, gui::clBtnText, expanded);
}

// Check boxes

void TclCustomLookAndFeelPainter::PaintCheckMark(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                 bool checked, gui::TColor color) const
{
    if (canvas.GetCanvasBrush()->Style() == gui::bsSolid)
        canvas.FillRectColor(rect, CheckBoxFillColor(state));
    if (!checked)
        return;
    canvas.GetCanvasPen()->SetColor(color);
    const int w = rect.right - rect.left - 2;
    const int h = rect.bottom - rect.top - 4;
    const int mx = (rect.left + rect.right) / 2 - 1;
    for (int k = 0; k < 3; ++k) {
        const int y = (rect.top + rect.bottom + h) / 2 - 2 + k;
        canvas.DrawPolyline({win::POINT{mx + 1 - w / 2, y - h / 2}, win::POINT{mx, y}, win::POINT{mx + w / 2 + 2, y - h}});
    }
}

void TclCustomLookAndFeelPainter::PaintCheckBoxOnOff(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                     bool checked) const
{
    PaintCheckBox(canvas, rect, state, checked ? clcbsChecked : clcbsUnchecked);
}

void TclCustomLookAndFeelPainter::PaintCheckBox(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                TclCheckBoxState value) const
{
    PaintCheckBoxFrame(canvas, rect, state);
    const int width = CheckFrameWidth();
    const gui::TColor color = state == cxbsDisabled || value == clcbsGrayed ? gui::clGrayText : gui::clBtnText;
    // A grayed box shows its tick in grey: the grey colour would otherwise have nothing to draw.
    PaintCheckMark(canvas, clRectExpand(rect, -width, -width), state, value != clcbsUnchecked, color);
}

void TclCustomLookAndFeelPainter::PaintRadioButton(TclCanvas& canvas, int x, int y, TclButtonState state,
                                                   bool checked, bool emphasised, gui::TColor backColor,
                                                   bool emphasisedUnlessDisabled) const
{
    if (const TclRadioButtonImageList* images = clRadioButtonImages())
        images->PaintImage(canvas, x, y, clStyleToLookAndFeelKind(PainterStyle()), state, checked, emphasised,
                           emphasisedUnlessDisabled, backColor);
}

void TclCustomLookAndFeelPainter::RadioButtonExtent(win::SIZE& size) const
{
    size = win::SIZE{0, 0};
    if (const TclRadioButtonImageList* images = clRadioButtonImages())
        images->ImageSize(size);
}

// Headers

void TclCustomLookAndFeelPainter::PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds,
                                                    const win::RECT& textRect, TclBorders neighbours,
                                                    TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                                                    TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                    std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                    gui::TColor backColor,
                                                    const TclCustomDrawBackground& onDrawBackground, bool, bool) const
{
    PaintHeaderFrame(canvas, bounds, neighbours, borders);
    win::RECT content{};
    HeaderContentRect(bounds, borders, content);
    PaintCellContent(canvas, content, textRect, state, horz, vert, multiLine, endEllipsis, text, font, textColor,
                     backColor, onDrawBackground, false);
}

void TclCustomLookAndFeelPainter::PaintHeaderCell(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                                                  TclBorders neighbours, TclBorders borders, TclButtonState state,
                                                  TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                                  bool endEllipsis, std::string_view text, gui::TFont* font,
                                                  gui::TColor textColor, gui::TColor backColor,
                                                  const TclCustomDrawBackground& onDrawBackground) const
{
    PaintHeaderCellEx(canvas, bounds, textRect, neighbours, borders, state, horz, vert, multiLine, endEllipsis, text,
                      font, textColor, backColor, onDrawBackground, false, false);
}

void TclCustomLookAndFeelPainter::PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect,
                                                     const win::RECT& textRect, TclBorders, TclBorders borders,
                                                     TclButtonState state, TclHorzAlignment horz,
                                                     TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                     std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                     gui::TColor backColor) const
{
    PaintHeaderSectionFrame(canvas, rect, borders, state);
    win::RECT content{};
    HeaderSectionContentRect(rect, state, content);
    PaintHeaderSectionFace(canvas, content, textRect, state, horz, vert, multiLine, endEllipsis, text, font, textColor,
                           backColor);
}

void TclCustomLookAndFeelPainter::PaintHeaderSectionFace(TclCanvas& canvas, const win::RECT& rect,
                                                         const win::RECT& textRect, TclButtonState state,
                                                         TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                                         bool endEllipsis, std::string_view text, gui::TFont* font,
                                                         gui::TColor textColor, gui::TColor backColor) const
{
    canvas.FillRectColor(rect, backColor);
    win::RECT captionRect{};
    HeaderSectionTextRect(textRect, state, captionRect);
    PaintHeaderSectionCaption(canvas, captionRect, state, horz, vert, multiLine, endEllipsis, text, font, textColor);
}

void TclCustomLookAndFeelPainter::PaintHeaderSectionCaption(TclCanvas& canvas, const win::RECT& textRect,
                                                            TclButtonState state, TclHorzAlignment horz,
                                                            TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                            std::string_view text, gui::TFont* font,
                                                            gui::TColor textColor) const
{
    canvas.GetCanvasBrush()->SetStyle(gui::bsClear);
    if (font)
        canvas.GetCanvasFont()->Assign(font);
    const int flags = clCellTextFlags(horz, vert, multiLine, endEllipsis);
    if (state == cxbsDisabled) {
        canvas.GetCanvasFont()->SetColor(gui::clBtnHighlight);
        canvas.PaintText(text, clRectShift(textRect, 1, 1), flags);
        canvas.GetCanvasFont()->SetColor(gui::clBtnShadow);
    } else {
        canvas.GetCanvasFont()->SetColor(textColor);
    }
    canvas.PaintText(text, textRect, flags);
    canvas.GetCanvasBrush()->SetStyle(gui::bsSolid);
}

void TclCustomLookAndFeelPainter::PaintHeaderSplitLine(TclCanvas& canvas, const win::RECT& rect, int indent,
                                                       gui::TColor color, const TclBackground& background) const
{
    canvas.FillWithFrame(win::RECT{rect.left, rect.top, rect.left + indent, rect.bottom}, background, false, 0,
                         gui::clDefault, 0);
    canvas.FillWithFrame(win::RECT{rect.right - indent, rect.top, rect.right, rect.bottom}, background, false, 0,
                         gui::clDefault, 0);
    canvas.FillRectColor(win::RECT{rect.left + indent, rect.top, rect.right - indent, rect.bottom}, color);
}

// Footer and filter

void TclCustomLookAndFeelPainter::PaintFooterCell(TclCanvas& canvas, const win::RECT& rect, TclHorzAlignment horz,
                                                  TclVertAlignment vert, bool multiLine, std::string_view text,
                                                  gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                                                  const TclCustomDrawBackground& onDrawBackground) const
{
    PaintFooterCellFrame(canvas, rect);
    win::RECT content{};
    FooterCellContentRect(rect, content);
    win::RECT textRect{};
    FooterCellTextRect(rect, textRect);
    PaintCellContent(canvas, content, textRect, 0, horz, vert, multiLine, false, text, font, textColor, backColor,
                     onDrawBackground, true);
}

void TclCustomLookAndFeelPainter::PaintFooterPanelBackground(TclCanvas& canvas, const win::RECT& rect,
                                                             const TclBackground& background) const
{
    if (!clRectHasNoArea(rect))
        canvas.FillWithFrame(rect, background, false, 0, gui::clDefault, 0);
}

void TclCustomLookAndFeelPainter::PaintFilterDismissButton(TclCanvas& canvas, const win::RECT& source,
                                                           TclButtonState state) const
{
    PaintButtonFrame(canvas, source, state);
    const int width = ButtonFrameWidth(cxbsNormal);
    const win::RECT rect = clRectExpand(source, -width, -width);
    canvas.FillRectColor(rect, ButtonFaceColor(state));
    win::POINT extent{};
    FilterDismissButtonExtent(extent);
    PaintDismissCross(canvas, rect, ButtonGlyphState(state), ButtonGlyphColor(state, gui::clDefault), extent.x / 2);
}

// Indicator

void TclCustomLookAndFeelPainter::PaintIndicatorCustomizeMark(TclCanvas& canvas, const win::RECT& rect,
                                                              gui::TColor color) const
{
    const int length = rect.right - rect.left - 6;
    for (int i = 0; i < 5; ++i) {
        const int y = (rect.top + rect.bottom - 9) / 2 + 2 * i;
        FillRun(canvas, rect.left + 5, rect.left + 3 + length, y, color);
        if (i % 2 == 0)
            canvas.SetPixelColor(rect.left + 3, y, color);
    }
}

void TclCustomLookAndFeelPainter::PaintIndicatorGlyph(TclCanvas& canvas, const win::RECT& rect,
                                                      TclIndicatorKind kind) const
{
    const int index = kind % 128 - 1;
    gui::TCustomImageList* images = clIndicatorImages();
    if (index < 0 || !clImageListHasIndex(images, index))
        return;
    images->Draw(canvas.Canvas(), (rect.left + rect.right - images->Width()) / 2,
                 (rect.top + rect.bottom - images->Height()) / 2, index, true);
}

void TclCustomLookAndFeelPainter::PaintIndicatorRowCell(TclCanvas& canvas, const win::RECT& rect,
                                                        TclIndicatorKind kind, gui::TColor backColor,
                                                        const TclCustomDrawBackground& onDrawBackground) const
{
    const TclBorders neighbours = clSideTop | clSideBottom;
    PaintHeaderCellEx(canvas, rect, rect, neighbours, HeaderEdges(neighbours), cxbsNormal, clhaCenter, clvaCenter,
                      false, false, "", nullptr, gui::clNone, backColor, onDrawBackground, false, false);
    PaintIndicatorGlyph(canvas, rect, kind);
}

void TclCustomLookAndFeelPainter::PaintIndicatorHeaderCell(TclCanvas& canvas, const win::RECT& rect,
                                                           TclIndicatorKind kind, gui::TColor backColor,
                                                           const TclCustomDrawBackground& onDrawBackground) const
{
    PaintHeaderCell(canvas, rect, rect, 0, clAllSides, cxbsNormal, clhaCenter, clvaCenter, false, false, "", nullptr,
                    gui::clNone, backColor, onDrawBackground);
    PaintIndicatorGlyph(canvas, rect, kind);
}

// Size grip, progress, navigator, panels

void TclCustomLookAndFeelPainter::PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect,
                                                   gui::TColor backColor) const
{
    canvas.FillRectColor(rect, backColor);
    win::RECT grip = rect;
    win::DrawFrameControl(canvas.GetDCHandle(), &grip, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);
}

void TclCustomLookAndFeelPainter::PaintProgressGauge(TclCanvas& canvas, const win::RECT& rect,
                                                     const win::RECT& progressRect, const TclBackground& background,
                                                     bool transparent) const
{
    const gui::TColor frame = gui::TColor(win::RGB(128, 128, 128));
    if (transparent)
        canvas.DrawFrameSides(rect, frame);
    else
        canvas.FillWithFrame(rect, background, false, 1, frame);
    canvas.FillRectColor(progressRect, gui::clNavy);
}

void TclCustomLookAndFeelPainter::CalcSchedulerNavButtonRects(bool isNext, bool noText, int textExtent1,
                                                              int textExtent2, win::RECT& buttonRect,
                                                              win::RECT& textRect, win::RECT& arrowRect) const
{
    win::RECT margins{};
    win::SIZE arrow{};
    SchedulerNavButtonMetrics(isNext, margins, arrow);
    if (noText) {
        textRect = win::RECT{0, 0, 0, 0};
        buttonRect = clRectPlaceCenteredWH(buttonRect, clRectGetWidth(buttonRect),
                                           margins.top + margins.bottom + 3 * arrow.cy);
        arrowRect = clRectPlaceCentered(buttonRect, arrow);
        return;
    }
    const win::RECT inner = clRectInnerArea(buttonRect, margins);
    arrowRect = clRectPlaceCentered(win::RECT{inner.left, inner.top, inner.right, inner.top + 3 * arrow.cy}, arrow);
    textRect = win::RECT{inner.left, inner.top + 3 * arrow.cy + 5, inner.right, inner.bottom - 2 * arrow.cy};
    const int d = std::max(textExtent1, textExtent2) - clRectGetHeight(textRect);
    if (d > 0) {
        arrowRect = clRectShift(arrowRect, 0, -d);
        textRect = win::RECT{textRect.left, textRect.top - d, textRect.right, textRect.bottom + d};
        buttonRect = win::RECT{buttonRect.left, buttonRect.top - d, buttonRect.right, buttonRect.bottom + d};
    }
}

void TclCustomLookAndFeelPainter::PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text,
                                                   TclBorders neighbours, const TclViewParams& params, int arrows,
                                                   int arrowInset, const TclCustomDrawBackground& onDrawBackground) const
{
    PaintHeaderCellEx(canvas, rect, rect, neighbours, HeaderEdges(neighbours), cxbsNormal, clhaCenter, clvaCenter,
                      false, false, text, params.Font, params.TextColor, params.Color, onDrawBackground, false, false);
    PaintArrowHeaderEnds(canvas, rect, BorderWidth(), arrowInset, arrows);
}

void TclCustomLookAndFeelPainter::PaintSchedulerNavButtonWithText(TclCanvas& canvas, const win::RECT& rect,
                                                                  bool isNext, TclButtonState state,
                                                                  std::string_view text, const win::RECT& textRect,
                                                                  const win::RECT& arrowRect) const
{
    if (clRectHasNoArea(textRect))
        return PaintSchedulerNavButton(canvas, rect, arrowRect, isNext, state);
    // Drawn on a bitmap turned a quarter, so that the caption reads upwards once it is turned back.
    const int width = clRectGetWidth(rect);
    const int height = clRectGetHeight(rect);
    gui::TBitmap bitmap;
    bitmap.SetSize(width, height);
    bitmap.Canvas()->CopyRect(win::RECT{0, 0, width, height}, canvas.Canvas(), rect);
    {
        TclCanvas work(bitmap.Canvas());
        PaintSchedulerNavButton(work, win::RECT{0, 0, width, height},
                                clRectShift(arrowRect, -rect.left, -rect.top), isNext, state);
    }
    TclCanvas::RotateFlipBitmap(&bitmap, 1, false);
    // A quarter turn counter-clockwise takes (x, y) to (y, width - 1 - x).
    const win::RECT local = clRectShift(textRect, -rect.left, -rect.top);
    const win::RECT turned{local.top, width - local.right, local.bottom, width - local.left};
    {
        TclCanvas work(bitmap.Canvas());
        work.SetCanvasFont(canvas.GetCanvasFont());
        work.GetCanvasFont()->SetColor(ButtonGlyphColor(state, gui::clDefault));
        work.GetCanvasBrush()->SetStyle(gui::bsClear);
        work.PaintText(text, turned, clTextHCenter | clTextVCenter | clTextSingleLine);
    }
    TclCanvas::RotateFlipBitmap(&bitmap, 2, false);
    canvas.CopyRectFrom(rect, bitmap.Canvas(), win::RECT{0, 0, width, height});
}

void TclCustomLookAndFeelPainter::PaintSchedulerNavArrow(TclCanvas& canvas, const win::RECT& rect, bool isNext,
                                                         gui::TColor color) const
{
    const int steps = (clRectGetHeight(rect) + 1) / 2;
    for (int i = 0; i < steps; ++i) {
        const int left = isNext ? rect.left + i : rect.right - 2 - i;
        FillRun(canvas, left, left + 2, rect.top + i, color);
        FillRun(canvas, left, left + 2, rect.bottom - 1 - i, color);
    }
    FillColumn(canvas, isNext ? rect.right - 1 : rect.left, rect.top, rect.bottom, color);
}

void TclCustomLookAndFeelPainter::PaintClockFace(TclCanvas& canvas, const win::RECT& rect, double time,
                                                 gui::TColor backColor) const
{
    constexpr double pi = std::numbers::pi;
    const double cx = Centre(rect.left, rect.right);
    const double cy = Centre(rect.top, rect.bottom);
    const double rx = clRectGetWidth(rect) / 2.0 - 2;
    const double ry = clRectGetHeight(rect) / 2.0 - 2;
    const gui::TColor teal = gui::TColor(win::RGB(0, 128, 128));
    canvas.PushClipRegion();
    for (int i = 0; i < 60; i += 5) {
        const double angle = i * 2 * pi / 60;
        const int x = int(std::lround(cx + rx * std::cos(angle)));
        const int y = int(std::lround(cy + ry * std::sin(angle)));
        canvas.SetPixelColor(x, y, teal);
        canvas.SetPixelColor(x - 1, y, gui::TColor(win::RGB(0, 255, 255)));
        canvas.SetPixelColor(x, y - 1, gui::TColor(win::RGB(0, 255, 255)));
        canvas.SetPixelColor(x + 1, y, gui::clBtnText);
        canvas.SetPixelColor(x, y + 1, gui::clBtnText);
        canvas.ExcludeFromClip(win::RECT{x - 1, y - 1, x + 2, y + 2});
    }
    canvas.FillRectColor(rect, backColor);

    const double fraction = time - std::floor(time);
    const long seconds = std::lround(fraction * 86400) % 86400;
    const long hour = seconds / 3600;
    const long minute = seconds / 60 % 60;
    const long second = seconds % 60;
    const auto at = [&](double angle, double reach, double sideways) {
        return win::POINT{int(std::lround(cx + rx * reach * std::cos(angle) - sideways * std::sin(angle))),
                          int(std::lround(cy + ry * reach * std::sin(angle) + sideways * std::cos(angle)))};
    };
    const auto hand = [&](double angle, double reach, double back, double halfWidth) {
        const win::POINT tip = at(angle, reach, 0);
        canvas.ApplyBrushColor(teal);
        canvas.GetCanvasPen()->SetColor(teal);
        canvas.DrawPolygon({tip, at(angle, 0, halfWidth), at(angle, -back, 0), at(angle, 0, -halfWidth)});
        canvas.SetPixelColor(tip.x, tip.y, teal);
    };
    hand(double((hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * pi / 43200, 0.75, 0.15, 4.5);
    hand(double(minute * 60 + second - 900) * 2 * pi / 3600, 0.85, 0.2, 3.5);
    const win::POINT tip = at(double(second - 15) * 2 * pi / 60, 0.9, 0);
    canvas.GetCanvasPen()->SetColor(gui::clRed);
    canvas.MovePenTo(int(cx), int(cy));
    canvas.DrawLineTo(tip.x, tip.y);
    canvas.PopClipRegion();
}

void TclCustomLookAndFeelPainter::PaintNavigatorGlyph(TclCanvas& canvas, gui::TCustomImageList* images,
                                                      int imageIndex, int, const win::RECT& glyphRect, bool enabled,
                                                      bool) const
{
    if (images)
        images->Draw(canvas.Canvas(), glyphRect.left, glyphRect.top, imageIndex, enabled);
}

void TclCustomLookAndFeelPainter::PaintPanelBackground(TclCanvas& canvas, gui::TWinControl*, const win::RECT& rect,
                                                       gui::TColor, gui::TColor) const
{
    PaintGroupBoxClient(canvas, rect, rect);
}

}  // namespace controls
