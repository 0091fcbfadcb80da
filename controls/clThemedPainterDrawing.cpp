// The themed painter's drawing: each operation draws the part of its theme class in the state its map
// gives, and falls back to Standard's drawing while that class cannot be opened.

#include "controls/clClasses.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/clPainterDrawing.h"
#include "controls/detail/clThemeParts.h"
#include "controls/uxOffice11Colors.h"
#include "controls/uxTheme.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gui/core/WinControl.h"
#include "platform/text/DrawText.h"

namespace controls {

namespace {

using namespace detail;

// Tab items, the small close button, the combo drop-down, navigation tabs, scroll thumbs and tracks.
int PlainState(TclButtonState state)
{
    return state == cxbsDefault ? 1 : state;
}
int HeaderState(TclButtonState state)
{
    return state == cxbsHot ? 2 : state == cxbsPressed ? 3 : 1;
}
// The explorer-bar map starts at normal; a default button is drawn as a normal one.
int ExplorerState(TclButtonState state)
{
    return state == cxbsHot ? 2 : state == cxbsPressed ? 3 : 1;
}
int ToolbarState(TclButtonState state)
{
    static constexpr int states[] = {2, 2, 5, 3, 4};
    return states[state];
}
// Unchecked 1 to 4, checked 5 to 8: normal, hot, pressed, disabled.
int CheckState(bool checked, TclButtonState state)
{
    return (checked ? 5 : 1) + (state == cxbsDefault ? 0 : state - 1);
}
// Up 1 to 4, down 5 to 8, left 9 to 12, right 13 to 16.
int ArrowState(TclArrowDirection direction, TclButtonState state)
{
    return int(direction) * 4 + PlainState(state);
}

void DrawPart(HTHEME theme, TclCanvas& canvas, int part, int state, const win::RECT& rect)
{
    uxUxDrawThemeBackground(theme, canvas.GetDCHandle(), part, state, rect);
}

bool IsEmpty(const win::RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

}  // namespace

void TclWinXPLookAndFeelPainter::PaintScrollArrowButton(TclCanvas& canvas, const win::RECT& rect,
                                                        TclButtonState state, TclArrowDirection direction,
                                                        bool framed) const
{
    if (HTHEME theme = AcquireThemeHandle(totScrollBar))
        return DrawPart(theme, canvas, 1, ArrowState(direction, state), rect);
    TclStandardLookAndFeelPainter::PaintScrollArrowButton(canvas, rect, state, direction, framed);
}

void TclWinXPLookAndFeelPainter::PaintArrowButtonFace(TclCanvas& canvas, const win::RECT& rect,
                                                      TclButtonState state) const
{
    if (HTHEME theme = AcquireThemeHandle(totButton))
        return DrawPart(theme, canvas, kButtonPush, PushButtonState(state), rect);
    TclStandardLookAndFeelPainter::PaintArrowButtonFace(canvas, rect, state);
}

void TclWinXPLookAndFeelPainter::PaintBorder(TclCanvas& canvas, const win::RECT& rect) const
{
    HTHEME theme = AcquireThemeHandle(totListView);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintBorder(canvas, rect);
    const win::HDC dc = canvas.GetDCHandle();
    const int saved = win::SaveDC(dc);
    const win::RECT inside = clRectExpand(rect, -1, -1);
    win::ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    uxUxDrawThemeBackground(theme, dc, 5, 1, rect);
    win::RestoreDC(dc, saved);
}

void TclWinXPLookAndFeelPainter::PaintButton(TclCanvas& canvas, const win::RECT& rect, std::string_view caption,
                                             TclButtonState state, bool framed, gui::TColor fillColor,
                                             gui::TColor textColor, bool multiLine) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintButton(canvas, rect, caption, state, framed, fillColor, textColor,
                                                          multiLine);
    DrawPart(theme, canvas, kButtonPush, PushButtonState(state), rect);
    if (!caption.empty())
        uxUxDrawThemeTextAnsi(theme, canvas.GetDCHandle(), kButtonPush, PushButtonState(state), caption, -1,
                              win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE, 0, rect);
}

void TclWinXPLookAndFeelPainter::PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                   gui::TColor color) const
{
    HTHEME theme = AcquireThemeHandle(totTreeView);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintExpandButton(canvas, rect, expanded, color);
    DrawPart(theme, canvas, 2, expanded ? 2 : 1, rect);
    canvas.ExcludeFromClip(rect);
}

void TclWinXPLookAndFeelPainter::PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                        TclButtonState state) const
{
    if (HTHEME theme = AcquireThemeHandle(totExplorerBar))
        return DrawPart(theme, canvas, expanded ? 6 : 7, ExplorerState(state), rect);
    TclStandardLookAndFeelPainter::PaintGroupExpandButton(canvas, rect, expanded, state);
}

void TclWinXPLookAndFeelPainter::PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                                        gui::TColor frameColor, gui::TColor) const
{
    if (AcquireThemeHandle(totTreeView))
        return PaintExpandButton(canvas, rect, expanded, frameColor);
    TclStandardLookAndFeelPainter::PaintSmallExpandButton(canvas, rect, expanded, frameColor, gui::clDefault);
}

bool TclWinXPLookAndFeelPainter::HitTestGroupExpandButton(const win::RECT& rect, win::POINT point) const
{
    HTHEME theme = AcquireThemeHandle(totExplorerBar);
    win::HRGN region = nullptr;
    if (!theme || uxUxGetThemeBackgroundRegion(theme, nullptr, 7, 1, rect, region) != S_OK || !region)
        return TclStandardLookAndFeelPainter::HitTestGroupExpandButton(rect, point);
    const bool inside = win::PtInRegion(region, point.x, point.y) != win::FALSE;
    win::DeleteObject(region);
    return inside;
}

void TclWinXPLookAndFeelPainter::PaintCheckMark(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                bool checked, gui::TColor color) const
{
    if (HTHEME theme = AcquireThemeHandle(totButton))
        return DrawPart(theme, canvas, kButtonCheckBox, CheckState(checked, state), rect);
    TclStandardLookAndFeelPainter::PaintCheckMark(canvas, rect, state, checked, color);
}

void TclWinXPLookAndFeelPainter::PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect,
                                                    TclButtonState state) const
{
    if (!AcquireThemeHandle(totButton))
        TclStandardLookAndFeelPainter::PaintCheckBoxFrame(canvas, rect, state);
}

void TclWinXPLookAndFeelPainter::PaintRadioButton(TclCanvas& canvas, int x, int y, TclButtonState state, bool checked,
                                                  bool emphasised, gui::TColor backColor,
                                                  bool emphasisedUnlessDisabled) const
{
    // Like its extent, the radio falls back to Standard's image rather than drawing nothing.
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintRadioButton(canvas, x, y, state, checked, emphasised, backColor,
                                                               emphasisedUnlessDisabled);
    win::SIZE size{};
    uxUxGetThemePartSizeNoRect(theme, nullptr, kButtonRadio, CheckState(checked, state), kTrueSize, size);
    DrawPart(theme, canvas, kButtonRadio, CheckState(checked, state), win::RECT{x, y, x + size.cx, y + size.cy});
}

void TclWinXPLookAndFeelPainter::PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds,
                                                   const win::RECT& textRect, TclBorders neighbours,
                                                   TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                                                   TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                   std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                   gui::TColor backColor,
                                                   const TclCustomDrawBackground& onDrawBackground, bool lastItem,
                                                   bool special) const
{
    HTHEME theme = AcquireThemeHandle(totHeader);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintHeaderCellEx(canvas, bounds, textRect, neighbours, borders, state,
                                                                horz, vert, multiLine, endEllipsis, text, font,
                                                                textColor, backColor, onDrawBackground, lastItem,
                                                                special);
    const int headerState = HeaderState(state);
    const int scheme = DetectOffice2003Scheme();
    const int part = lastItem && headerState == 1 && (scheme == 1 || scheme == 2) ? 3 : 1;
    DrawPart(theme, canvas, part, headerState, bounds);
    const win::RECT rect = state == cxbsPressed ? clRectShift(textRect, 1, 1) : textRect;
    PaintThemedText(canvas, theme, backColor, textColor, font, text, false, endEllipsis, multiLine, vert, horz, rect,
                    rect, headerState, part);
}

void TclWinXPLookAndFeelPainter::PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect,
                                                    const win::RECT& textRect, TclBorders neighbours,
                                                    TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                                                    TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                                    std::string_view text, gui::TFont* font, gui::TColor textColor,
                                                    gui::TColor backColor) const
{
    if (!AcquireThemeHandle(totHeader))
        return TclStandardLookAndFeelPainter::PaintHeaderSection(canvas, rect, textRect, neighbours, borders, state,
                                                                 horz, vert, multiLine, endEllipsis, text, font,
                                                                 textColor, backColor);
    canvas.FillRectColor(rect, gui::clBtnFace);
    PaintHeaderCellEx(canvas, rect, textRect, neighbours, borders, state, horz, vert, multiLine, endEllipsis, text,
                      font, textColor, backColor, TclCustomDrawBackground{}, false, false);
}

void TclWinXPLookAndFeelPainter::PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const
{
    TclUltraFlatLookAndFeelPainter::Class()->PaintSortMark(canvas, rect, ascending);
}

void TclWinXPLookAndFeelPainter::PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const
{
    HTHEME theme = AcquireThemeHandle(totEdit);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintFooterFrame(canvas, rect);
    uxUxDrawThemeEdge(theme, canvas.GetDCHandle(), 0, 0, rect, win::BDR_RAISEDINNER, win::BF_RECT, nullptr);
}

void TclWinXPLookAndFeelPainter::PaintFooterCell(TclCanvas& canvas, const win::RECT& rect, TclHorzAlignment horz,
                                                 TclVertAlignment vert, bool multiLine, std::string_view text,
                                                 gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                                                 const TclCustomDrawBackground& onDrawBackground) const
{
    HTHEME theme = AcquireThemeHandle(totTrackBar);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintFooterCell(canvas, rect, horz, vert, multiLine, text, font,
                                                              textColor, backColor, onDrawBackground);
    DrawPart(theme, canvas, 1, 1, rect);
    win::RECT textRect{};
    FooterCellTextRect(rect, textRect);
    PaintThemedText(canvas, theme, backColor, textColor, font, text, false, false, multiLine, vert, horz, textRect,
                    textRect, 1, 1);
}

void TclWinXPLookAndFeelPainter::PaintFilterDismissButton(TclCanvas& canvas, const win::RECT& rect,
                                                          TclButtonState state) const
{
    if (HTHEME theme = AcquireThemeHandle(totWindow))
        return DrawPart(theme, canvas, 19, PlainState(state), rect);
    TclStandardLookAndFeelPainter::PaintFilterDismissButton(canvas, rect, state);
}

void TclWinXPLookAndFeelPainter::PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                                       bool active) const
{
    if (HTHEME theme = AcquireThemeHandle(totComboBox))
        return DrawPart(theme, canvas, 1, PlainState(state), rect);
    TclStandardLookAndFeelPainter::PaintFilterDropButton(canvas, rect, state, active);
}

namespace {

// The part drawn on a bitmap of the rect's size turned a quarter, then turned back into place.
void DrawPartTurned(HTHEME theme, TclCanvas& canvas, int part, int state, const win::RECT& rect, int turn,
                    int turnBack, bool copyFirst)
{
    const int width = clRectGetWidth(rect);
    const int height = clRectGetHeight(rect);
    if (width <= 0 || height <= 0)
        return;
    gui::TBitmap bitmap;
    bitmap.SetPixelFormat(gui::pf32bit);
    bitmap.SetSize(width, height);
    if (copyFirst)
        win::BitBlt(bitmap.Canvas()->Handle(), 0, 0, width, height, canvas.GetDCHandle(), rect.left, rect.top,
                    win::SRCCOPY);
    TclCanvas::RotateFlipBitmap(&bitmap, turn, false);
    uxUxDrawThemeBackground(theme, bitmap.Canvas()->Handle(), part, state,
                            win::RECT{0, 0, bitmap.Width(), bitmap.Height()});
    TclCanvas::RotateFlipBitmap(&bitmap, turnBack, false);
    win::BitBlt(canvas.GetDCHandle(), rect.left, rect.top, width, height, bitmap.Canvas()->Handle(), 0, 0,
                win::SRCCOPY);
}

}  // namespace

void TclWinXPLookAndFeelPainter::PaintTabItem(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                              std::string_view text, TclButtonState state, bool vertical,
                                              gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                                              bool showPrefix) const
{
    HTHEME theme = AcquireThemeHandle(totTab);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintTabItem(canvas, rect, borders, text, state, vertical, font,
                                                           textColor, backColor, showPrefix);
    const bool selected = state == cxbsPressed;
    win::RECT part = rect;
    if (!vertical) {
        part.left -= (borders & clSideLeft) ? 0 : 2;
        part.right += (borders & clSideRight) ? 0 : 2;
    } else {
        part.top -= (borders & clSideTop) ? 0 : 2;
        part.bottom += (borders & clSideBottom) ? 0 : 2;
    }
    // The selected tab reaches one pixel into the page; the others stop one short of it.
    win::RECT clip = rect;
    (vertical ? clip.right : clip.bottom) += selected ? 1 : -1;
    canvas.PushClipRegion();
    canvas.ClipToRect(clip);
    if (!vertical)
        DrawPart(theme, canvas, 1, PlainState(state), part);
    else
        DrawPartTurned(theme, canvas, 1, PlainState(state), part, 2, 1, false);
    canvas.PopClipRegion();
    win::RECT textRect = rect;
    if (selected)
        textRect = vertical ? clRectShift(textRect, -2, 0) : clRectShift(textRect, 0, -2);
    PaintThemedText(canvas, theme, backColor, textColor, font, text, showPrefix, false, false, clvaCenter, clhaCenter,
                    textRect, textRect, PlainState(state), 1);
}

void TclWinXPLookAndFeelPainter::PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border,
                                               TclBorders borders, bool vertical) const
{
    if (!AcquireThemeHandle(totTab))
        TclStandardLookAndFeelPainter::PaintTabFrame(canvas, rect, border, borders, vertical);
}

void TclWinXPLookAndFeelPainter::PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                               bool vertical) const
{
    HTHEME theme = AcquireThemeHandle(totTab);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintTabStrip(canvas, rect, borders, vertical);
    const win::RECT content = ContentOf100(theme, 9, 1);
    win::RECT pane = rect;
    if (!vertical) {
        pane.left -= content.left;
        pane.right += 100 - content.right;
        // The tabs lie on the side of the strip's drawn border; the pane runs on away from them.
        if (borders & clSideTop)
            pane.bottom += 10;
        else
            pane.top -= 10;
    } else {
        pane.top -= content.top;
        pane.bottom += 100 - content.bottom;
        if (borders & clSideLeft)
            pane.right += 10;
        else
            pane.left -= 10;
    }
    canvas.PushClipRegion();
    canvas.ClipToRect(rect);
    DrawPart(theme, canvas, 9, 1, pane);
    canvas.PopClipRegion();
}

void TclWinXPLookAndFeelPainter::PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect,
                                                         const win::RECT& arrowRect, bool isNext,
                                                         TclButtonState state) const
{
    HTHEME theme = AcquireThemeHandle(totTab);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintSchedulerNavButton(canvas, rect, arrowRect, isNext, state);
    DrawPartTurned(theme, canvas, 1, PlainState(state), rect, isNext ? 2 : 1, isNext ? 1 : 2, true);
    PaintSchedulerNavArrow(canvas, arrowRect, isNext, ButtonGlyphColor(state, gui::clDefault));
}

void TclWinXPLookAndFeelPainter::PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect,
                                                    const TclBackground& background, bool horizontal) const
{
    if (!AcquireThemeHandle(totComboBox) || !AcquireThemeHandle(totListView))
        return TclStandardLookAndFeelPainter::PaintSplitterFrame(canvas, rect, background, horizontal);
    const int sides = horizontal ? clSideTop | clSideBottom : clSideLeft | clSideRight;
    canvas.FillWithFrame(rect, background, false, 1, ThinFrameColor(), sides);
}

void TclWinXPLookAndFeelPainter::PaintIndicatorRowCell(TclCanvas& canvas, const win::RECT& rect,
                                                       TclIndicatorKind kind, gui::TColor backColor,
                                                       const TclCustomDrawBackground& onDrawBackground) const
{
    TclFlatLookAndFeelPainter::Class()->PaintIndicatorRowCell(canvas, rect, kind, backColor, onDrawBackground);
}

void TclWinXPLookAndFeelPainter::PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect,
                                                    TclScrollBarPart part, TclButtonState state) const
{
    HTHEME theme = AcquireThemeHandle(totScrollBar);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintScrollBarPart(canvas, horizontal, rect, part, state);
    if (IsEmpty(rect))
        return;
    switch (part) {
    case clsbpFirstButton:
    case clsbpSecondButton:
        return PaintScrollArrowButton(canvas, rect, state, ScrollArrowDirection(horizontal, part), true);
    case clsbpThumb:
        DrawPart(theme, canvas, horizontal ? 2 : 3, PlainState(state), rect);
        return DrawPart(theme, canvas, horizontal ? 8 : 9, 0, rect);
    case clsbpFirstPage:
    case clsbpSecondPage: {
        const int track = part == clsbpFirstPage ? 4 : 5;
        return DrawPart(theme, canvas, horizontal ? track : track + 2, PlainState(state), rect);
    }
    default: return;
    }
}

void TclWinXPLookAndFeelPainter::PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect,
                                                  gui::TColor backColor) const
{
    HTHEME theme = AcquireThemeHandle(totScrollBar);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintSizeGripBox(canvas, rect, backColor);
    canvas.FillRectColor(rect, backColor);
    DrawPart(theme, canvas, 10, 1, rect);
}

void TclWinXPLookAndFeelPainter::PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text,
                                                  TclBorders neighbours, const TclViewParams& params, int arrows,
                                                  int arrowInset,
                                                  const TclCustomDrawBackground& onDrawBackground) const
{
    PaintHeaderCellEx(canvas, rect, rect, neighbours, clAllSides, cxbsNormal, clhaCenter, clvaCenter, false, false,
                      text, params.Font, params.TextColor, params.Color, onDrawBackground,
                      (neighbours & clSideRight) == 0, false);
    PaintHeaderArrows(canvas, rect, gui::clWindowText, arrowInset, arrows);
}

void TclWinXPLookAndFeelPainter::PaintProgressGauge(TclCanvas& canvas, const win::RECT& rect,
                                                    const win::RECT& progressRect, const TclBackground& background,
                                                    bool transparent) const
{
    HTHEME theme = AcquireThemeHandle(totProgress);
    if (!theme)
        return TclStandardLookAndFeelPainter::PaintProgressGauge(canvas, rect, progressRect, background, transparent);
    DrawPart(theme, canvas, 1, 1, rect);
    DrawPart(theme, canvas, 3, 1, progressRect);
}

void TclWinXPLookAndFeelPainter::PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect,
                                                          TclButtonState state) const
{
    if (HTHEME theme = AcquireThemeHandle(totToolBar))
        return DrawPart(theme, canvas, 1, ToolbarState(state), rect);
    TclStandardLookAndFeelPainter::PaintNavigatorToolButton(canvas, rect, state);
}

void TclWinXPLookAndFeelPainter::PaintPanelBackground(TclCanvas& canvas, gui::TWinControl* control,
                                                      const win::RECT& rect, gui::TColor color, gui::TColor) const
{
    if (color == gui::clDefault)
        clPaintParentBackground(control, canvas, rect);
    else
        canvas.FillRectColor(rect, color);
}

}  // namespace controls
