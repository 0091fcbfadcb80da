#pragma once
// The look-and-feel painters: stateless classes, each with one const instance that a class reference
// (TclCustomLookAndFeelPainterClass) points at, answering what a control asks of its look: metrics,
// flags, colours and drawing. The base class holds the defaults; Standard, Flat, UltraFlat, Office 2003
// and the themed painter change what their table rows say. The themed painter answers Standard's values
// while visual styles are not available (always, on this system).
//
// The base painter's drawing is in clPainterDrawing.cpp, the Standard, Flat and UltraFlat painters' in
// clClassicPainterDrawing.cpp, the Office 2003 painter's in clOffice11PainterDrawing.cpp; the themed
// painter reads its metrics from the theme classes and draws as the Standard painter so far.

#include "controls/clGraphics.h"
#include "controls/clPainterResources.h"
#include "controls/uxTheme.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Method.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

enum TclLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

// Button states.
using TclButtonState = std::uint8_t;
enum : TclButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
// Border and neighbour sides: clSideLeft .. clSideBottom (clGraphics.h).
using TclBorders = std::uint8_t;
using TclArrowDirection = std::uint8_t;
enum : TclArrowDirection { cladUp, cladDown, cladLeft, cladRight };
// Scroll bar parts: the first arrow button (up or left), the second, the thumb, the page areas on the
// first and the second arrow's side.
using TclScrollBarPart = std::uint8_t;
enum : TclScrollBarPart { clsbpNone, clsbpFirstButton, clsbpSecondButton, clsbpThumb, clsbpFirstPage, clsbpSecondPage };
using TclCheckBoxState = std::uint8_t;
enum : TclCheckBoxState { clcbsUnchecked, clcbsChecked, clcbsGrayed };
using TclEditorButtonKind = std::uint8_t;
enum : TclEditorButtonKind {
    clebkClose, clebkDown, clebkGlyph, clebkEllipsis, clebkSpinUp, clebkSpinDown, clebkSpinLeft, clebkSpinRight
};
using TclCaptionPosition = std::uint8_t;
enum : TclCaptionPosition { clcpTop, clcpBottom, clcpLeft, clcpRight };
// Row indicators; the top bit is ignored.
using TclIndicatorKind = std::uint8_t;
enum : TclIndicatorKind {
    clikNone, clikArrow, clikEdit, clikInsert, clikMultiDot, clikMultiArrow, clikFilter
};
using TclTrackBarThumbShape = std::uint8_t;
enum : TclTrackBarThumbShape { cltsPointed, cltsPlain, cltsBothPointed };
enum TclHorzAlignment : std::uint8_t { clhaLeft, clhaRight, clhaCenter };
enum TclVertAlignment : std::uint8_t { clvaTop, clvaBottom, clvaCenter };
// Paints a cell's background itself and answers True, or answers False to have the painter fill it.
using TclCustomDrawBackground = rtl::Method<bool(TclCanvas* canvas, const win::RECT& rect)>;
// What an arrow header is drawn with.
struct TclViewParams {
    gui::TBitmap* Bitmap = nullptr;
    gui::TColor Color = gui::clDefault;
    gui::TFont* Font = nullptr;
    gui::TColor TextColor = gui::clDefault;
};

// The canvas text flags of a cell's layout.
int clCellTextFlags(TclHorzAlignment horz, TclVertAlignment vert, bool multiLine, bool endEllipsis);

// Painter style codes: 0 flat, 1 standard, 2 ultra-flat, 3 themed, 4 Office 2003.
TclLookAndFeelKind clStyleToLookAndFeelKind(int style);

class TclCustomLookAndFeelPainter;
using TclCustomLookAndFeelPainterClass = const TclCustomLookAndFeelPainter*;

class TclCustomLookAndFeelPainter {
public:
    virtual ~TclCustomLookAndFeelPainter() = default;
    TclCustomLookAndFeelPainter(const TclCustomLookAndFeelPainter&) = delete;
    TclCustomLookAndFeelPainter& operator=(const TclCustomLookAndFeelPainter&) = delete;

    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    virtual const classes::TClassInfo& ClassType() const { return StaticClass(); }
    bool InheritsFrom(const classes::TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }

    // General.
    // Not transparent: the colour fills the rect; transparent: the bitmap is tiled over it, or nothing.
    virtual void FillBackground(TclCanvas& canvas, const win::RECT& rect, bool transparent, gui::TColor color,
                                gui::TBitmap* bitmap) const;
    // A small filled downward triangle centred in the rect.
    virtual void PaintDropDownGlyph(TclCanvas& canvas, const win::RECT& rect, gui::TColor color) const;
    // The background (the callback's, or the colour) and the text of a cell; the state and the plain
    // flag are for painters that use them.
    virtual void PaintCellContent(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                                  TclButtonState state, TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                  bool endEllipsis, std::string_view text, gui::TFont* font, gui::TColor textColor,
                                  gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground,
                                  bool plain) const;
    // The face of a previous or next navigation button with its arrow.
    virtual void PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect, const win::RECT& arrowRect,
                                         bool isNext, TclButtonState state) const;
    virtual void FooterCellContentRect(const win::RECT& bounds, win::RECT& rect) const;
    virtual void FooterCellTextRect(const win::RECT& bounds, win::RECT& rect) const;
    virtual int PainterStyle() const { return 1; }

    // Colours.
    virtual gui::TColor ContentBackColor() const { return gui::clWindow; }
    virtual gui::TColor EvenRowBackColor() const { return ContentBackColor(); }
    virtual gui::TColor OddRowBackColor() const { return ContentBackColor(); }
    virtual gui::TColor ContentFontColor() const { return gui::clWindowText; }
    virtual gui::TColor EditorBackColor(bool disabled) const;
    virtual gui::TColor EditorFontColor(bool disabled) const;
    virtual gui::TColor FilterPanelBackColor() const { return gui::clBtnShadow; }
    virtual gui::TColor FilterPanelFontColor() const { return gui::clBtnHighlight; }
    virtual gui::TColor FixedEdgeColor() const { return gui::clBtnText; }
    virtual gui::TColor FaceColorA() const { return gui::clBtnFace; }
    virtual gui::TColor FaceTextColorA() const { return gui::clBtnText; }
    virtual gui::TColor GridLineColor() const { return gui::clBtnShadow; }
    virtual gui::TColor ShadowColorA() const { return gui::clBtnShadow; }
    virtual gui::TColor GroupPanelFontColor() const { return gui::clBtnFace; }
    virtual gui::TColor GroupRowBackColor() const { return gui::clBtnFace; }
    virtual gui::TColor GroupRowFontColor() const { return gui::clBtnText; }
    virtual gui::TColor HeaderAreaColor() const { return gui::clBtnShadow; }
    virtual gui::TColor HeaderAreaFontColor() const { return gui::clBtnFace; }
    virtual gui::TColor HeaderBackColor() const { return gui::clBtnFace; }
    virtual gui::TColor HeaderFontColor() const { return gui::clBtnText; }
    virtual gui::TColor BlueColorA() const { return gui::clBlue; }
    virtual gui::TColor FaceColorB() const { return gui::clBtnFace; }
    virtual gui::TColor FaceTextColorB() const { return gui::clBtnText; }
    virtual gui::TColor BlueColorB() const { return gui::clBlue; }
    virtual gui::TColor FixedLineColor() const { return GridLineColor(); }
    virtual gui::TColor WindowBackColor() const { return gui::clBtnFace; }
    virtual gui::TColor CategoryRowBackColor() const { return HeaderBackColor(); }
    virtual gui::TColor CategoryRowFontColor() const { return gui::clDefault; }
    virtual gui::TColor VerticalGridLineColor() const { return gui::clBlack; }
    virtual gui::TColor BandBorderColor() const { return VerticalGridLineColor(); }
    virtual gui::TColor AltFaceColor() const { return gui::clBtnFace; }
    virtual gui::TColor AltSelectionColor() const { return gui::clHighlight; }
    virtual gui::TColor AltSelectionFontColor() const { return gui::clHighlightText; }
    virtual gui::TColor SchedulerContentColor() const { return gui::clWindow; }
    virtual gui::TColor SchedulerFontColor() const { return gui::clWindowText; }
    virtual gui::TColor ThinFrameColor() const { return gui::TColor(win::RGB(161, 157, 157)); }
    virtual gui::TColor SchedulerAltContentColor() const { return gui::clBtnFace; }
    virtual gui::TColor SchedulerNavigatorColor() const { return gui::clBtnFace; }
    virtual gui::TColor TintedContentColor() const { return gui::TColor(win::RGB(255, 255, 213)); }
    virtual gui::TColor SelectedEventFontColor() const { return SelectionFontColor(); }
    virtual gui::TColor EventFontColor() const { return gui::clWindowText; }
    virtual gui::TColor SelectionBackColor() const { return gui::clHighlight; }
    virtual gui::TColor SelectionFontColor() const { return gui::clHighlightText; }
    virtual gui::TColor CardSeparatorColor() const { return gui::clBtnFace; }
    virtual gui::TColor FaceColorC() const { return gui::clBtnFace; }
    virtual gui::TColor FaceTextColorC() const { return gui::clBtnText; }
    virtual gui::TColor FaceColorD() const { return gui::clBtnFace; }
    virtual gui::TColor WhiteColorA() const { return gui::clWhite; }
    virtual gui::TColor BlackColorA() const { return gui::clBlack; }
    virtual gui::TColor FaceColorE() const { return gui::clBtnFace; }
    virtual gui::TColor FaceTextColorD() const { return gui::clBtnText; }
    virtual gui::TColor WhiteColorB() const { return gui::clWhite; }
    virtual gui::TColor BlackColorB() const { return gui::clBlack; }
    virtual gui::TColor BlackColorC() const { return gui::clBlack; }
    virtual gui::TColor BlackColorD() const { return gui::clBlack; }
    virtual gui::TColor SilverColor() const { return gui::TColor(win::RGB(207, 207, 207)); }
    virtual gui::TColor WhiteColorC() const { return gui::clWhite; }
    virtual gui::TColor ShadowColorB() const { return gui::clBtnShadow; }
    virtual gui::TColor SkyBlueColor() const { return gui::TColor(win::RGB(166, 202, 240)); }
    virtual gui::TColor NavyColor() const { return gui::clNavy; }
    virtual gui::TColor ShadowColorC() const { return gui::clBtnShadow; }
    virtual gui::TColor ShadowColorD() const { return gui::clBtnShadow; }

    // Arrows.
    // A filled triangle pointing in the direction, fitted into the rect made square.
    virtual void PaintArrowGlyph(TclCanvas& canvas, const win::RECT& rect, TclArrowDirection direction,
                                 gui::TColor color) const;
    virtual void PaintScrollArrowButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                        TclArrowDirection direction, bool framed) const;
    virtual void PaintArrowButtonFace(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const;
    // Pressed shifts the arrow, disabled embosses it.
    virtual void PaintButtonArrow(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                  TclArrowDirection direction) const;

    // Borders.
    virtual int BorderWidth() const { return 0; }
    virtual void PaintBorder(TclCanvas&, const win::RECT&) const {}

    // Buttons.
    virtual void GroupedButtonRect(const win::RECT& rect, int count, int index, win::RECT& result) const;
    virtual int ButtonFrameWidth(TclButtonState state) const;
    virtual gui::TColor ButtonFaceColor(TclButtonState state) const;
    virtual void ButtonFocusFrameRect(TclCanvas& canvas, const win::RECT& rect, win::RECT& result) const;
    virtual void ButtonGroupMargins(int count, int index, win::RECT& margins) const;
    virtual int ButtonTextIndent() const { return 0; }
    virtual int ButtonPressedShift() const { return 0; }
    // Disabled: clBtnShadow; otherwise the default colour, clBtnText for clDefault.
    virtual gui::TColor ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const;
    virtual TclButtonState ButtonGlyphState(TclButtonState state) const { return state; }
    // A push button with a centred caption; clDefault colours are the painter's.
    virtual void PaintButton(TclCanvas& canvas, const win::RECT& rect, std::string_view caption, TclButtonState state,
                             bool framed = true, gui::TColor fillColor = gui::clDefault,
                             gui::TColor textColor = gui::clDefault, bool multiLine = false) const;
    virtual void PaintGroupButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state, int count, int index,
                                  gui::TColor frameColor) const;
    virtual void PaintButtonFrame(TclCanvas&, const win::RECT&, TclButtonState) const {}
    virtual void PaintButtonGroupFrame(TclCanvas&, const win::RECT&, bool, bool) const {}

    // Expand buttons.
    virtual void PaintExpandButton(TclCanvas&, const win::RECT&, bool, gui::TColor) const {}
    virtual bool ExpandButtonCoversBackground() const { return true; }
    // A framed button with a double chevron, up when expanded.
    virtual void PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                        TclButtonState state) const;
    // A plus/minus box in a one-pixel frame; clDefault leaves the inside as it is.
    virtual void PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                        gui::TColor frameColor, gui::TColor backColor = gui::clDefault) const;
    virtual int ExpandButtonExtent() const { return 0; }
    virtual int GroupExpandButtonExtent() const { return 15; }
    virtual bool HasHotButtons() const { return false; }
    virtual bool HitTestGroupExpandButton(const win::RECT& rect, win::POINT point) const;
    virtual int SmallExpandButtonExtent() const { return 9; }

    // Check boxes.
    virtual int CheckFrameWidth() const { return 2; }
    // clWindow for default, normal and hot; clBtnFace for pressed and disabled.
    virtual gui::TColor CheckBoxFillColor(TclButtonState state) const;
    virtual void CheckBoxExtent(win::SIZE& size) const;
    // The inside (while the brush is solid) and, when checked, a tick three pixels thick.
    virtual void PaintCheckMark(TclCanvas& canvas, const win::RECT& rect, TclButtonState state, bool checked,
                                gui::TColor color) const;
    virtual void PaintCheckBoxFrame(TclCanvas&, const win::RECT&, TclButtonState) const {}
    virtual void PaintCheckBoxOnOff(TclCanvas& canvas, const win::RECT& rect, TclButtonState state, bool checked) const;
    // Frame, then the mark (a tick when checked or grayed): clGrayText when disabled or grayed, else clBtnText.
    virtual void PaintCheckBox(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                               TclCheckBoxState value) const;
    // The radio-button image of the painter's kind at (x, y); a background colour other than clDefault is
    // filled behind it.
    virtual void PaintRadioButton(TclCanvas& canvas, int x, int y, TclButtonState state, bool checked,
                                  bool emphasised, gui::TColor backColor = gui::clDefault,
                                  bool emphasisedUnlessDisabled = false) const;
    virtual void RadioButtonExtent(win::SIZE& size) const;

    // Header cells and sections.
    // The frame on the borders, then the content inside HeaderContentRect; the last two flags are for
    // painters that use them.
    virtual void PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                                   TclBorders neighbours, TclBorders borders, TclButtonState state,
                                   TclHorzAlignment horz, TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                   std::string_view text, gui::TFont* font, gui::TColor textColor,
                                   gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground,
                                   bool lastItem, bool special) const;
    virtual void PaintHeaderCell(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                                 TclBorders neighbours, TclBorders borders, TclButtonState state,
                                 TclHorzAlignment horz, TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                 std::string_view text, gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                                 const TclCustomDrawBackground& onDrawBackground) const;
    virtual void PaintHeaderFrame(TclCanvas&, const win::RECT&, TclBorders, TclBorders) const {}
    // The pressed feedback of header sections.
    virtual void InvertHeaderArea(TclCanvas& canvas, const win::RECT& rect) const { canvas.InvertArea(rect); }
    virtual void PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect, const win::RECT& textRect,
                                    TclBorders neighbours, TclBorders borders, TclButtonState state,
                                    TclHorzAlignment horz, TclVertAlignment vert, bool multiLine, bool endEllipsis,
                                    std::string_view text, gui::TFont* font, gui::TColor textColor,
                                    gui::TColor backColor) const;
    virtual void PaintHeaderSectionFrame(TclCanvas&, const win::RECT&, TclBorders, TclButtonState) const {}
    virtual void PaintHeaderSectionFace(TclCanvas& canvas, const win::RECT& rect, const win::RECT& textRect,
                                        TclButtonState state, TclHorzAlignment horz, TclVertAlignment vert,
                                        bool multiLine, bool endEllipsis, std::string_view text, gui::TFont* font,
                                        gui::TColor textColor, gui::TColor backColor) const;
    // Disabled writes the caption embossed.
    virtual void PaintHeaderSectionCaption(TclCanvas& canvas, const win::RECT& textRect, TclButtonState state,
                                           TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                           bool endEllipsis, std::string_view text, gui::TFont* font,
                                           gui::TColor textColor) const;
    // The two ends, indent wide, in the background; the middle in the colour.
    virtual void PaintHeaderSplitLine(TclCanvas& canvas, const win::RECT& rect, int indent, gui::TColor color,
                                      const TclBackground& background) const;
    virtual void PaintSortMark(TclCanvas&, const win::RECT&, bool) const {}
    virtual TclBorders HeaderEdges(TclBorders neighbours) const;
    virtual int HeaderFrameWidth() const { return 0; }
    virtual void HeaderOuterRect(const win::RECT& rect, TclBorders neighbours, TclBorders borders,
                                 win::RECT& result) const;
    virtual void HeaderContentRect(const win::RECT& rect, TclBorders borders, win::RECT& result) const;
    virtual bool HeaderClassicFlag() const { return true; }
    virtual int HeaderHeightForFont(int fontHeight) const;
    virtual int HeaderSectionFrameWidth(TclButtonState state) const;
    virtual void HeaderSectionTextRect(const win::RECT& rect, TclButtonState state, win::RECT& result) const;
    virtual void HeaderSectionContentRect(const win::RECT& rect, TclButtonState state, win::RECT& result) const;
    virtual int HeaderWidthForText(TclCanvas& canvas, TclBorders borders, std::string_view text,
                                   gui::TFont* font) const;
    virtual bool HeaderExtendedFlag() const { return false; }
    virtual void SortMarkAreaExtent(win::POINT& extent) const;
    virtual void SortMarkExtent(win::POINT& extent) const;

    // Group panel.
    virtual void PaintGroupPanelBackground(TclCanvas& canvas, const win::RECT& rect, bool transparent,
                                           gui::TColor color, gui::TBitmap* bitmap) const
    {
        FillBackground(canvas, rect, transparent, color, bitmap);
    }

    // Footer and filter.
    virtual TclBorders FooterEdges() const { return clAllSides; }
    virtual int FooterFrameWidth() const { return 0; }
    virtual int FooterCellFrameWidth() const { return 0; }
    virtual int FooterCellSpacing() const { return 0; }
    virtual bool FooterCellsCoverBackground() const { return true; }
    virtual gui::TColor FooterLineColor() const { return gui::clBtnShadow; }
    virtual int FooterSeparatorWidth() const { return 1; }
    // The cell frame, then the content on FooterCellContentRect with the text in FooterCellTextRect.
    virtual void PaintFooterCell(TclCanvas& canvas, const win::RECT& rect, TclHorzAlignment horz,
                                 TclVertAlignment vert, bool multiLine, std::string_view text, gui::TFont* font,
                                 gui::TColor textColor, gui::TColor backColor,
                                 const TclCustomDrawBackground& onDrawBackground) const;
    virtual void PaintFooterFrame(TclCanvas&, const win::RECT&) const {}
    virtual void PaintFooterCellFrame(TclCanvas&, const win::RECT&) const {}
    virtual void PaintFooterPanelBackground(TclCanvas& canvas, const win::RECT& rect,
                                            const TclBackground& background) const;
    virtual void PaintFooterSeparator(TclCanvas& canvas, const win::RECT& rect) const
    {
        canvas.FillRectColor(rect, FooterLineColor());
    }
    virtual void PaintFilterActivateCheck(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                          bool checked) const
    {
        PaintCheckBoxOnOff(canvas, rect, state, checked);
    }
    // A framed button with a cross of two diagonals.
    virtual void PaintFilterDismissButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const;
    virtual void PaintFilterDropButton(TclCanvas&, const win::RECT&, TclButtonState, bool) const {}
    virtual void PaintFilterPanelBackground(TclCanvas& canvas, const win::RECT& rect, bool transparent,
                                            gui::TColor color, gui::TBitmap* bitmap) const
    {
        FillBackground(canvas, rect, transparent, color, bitmap);
    }
    virtual void FilterCheckExtent(win::POINT& extent) const { extent = win::POINT{13, 13}; }
    virtual void FilterDismissButtonExtent(win::POINT& extent) const { extent = win::POINT{16, 14}; }
    virtual void FilterDropButtonExtent(win::POINT& extent) const { extent = win::POINT{15, 0}; }

    // Windows, tabs and indicator.
    virtual void FillWindowClient(TclCanvas& canvas, const win::RECT& rect) const
    {
        canvas.FillRectColor(rect, gui::clBtnFace);
    }
    virtual bool PopupFrameKind() const { return true; }
    // Callers ask CanPaintTab first.
    virtual void PaintTabItem(TclCanvas&, const win::RECT&, TclBorders, std::string_view, TclButtonState, bool,
                              gui::TFont*, gui::TColor, gui::TColor, bool) const
    {
    }
    // border: the side drawn, 0 left, 1 top, 2 right, 3 bottom.
    virtual void PaintTabFrame(TclCanvas&, const win::RECT&, int, TclBorders, bool) const {}
    virtual void PaintTabStrip(TclCanvas&, const win::RECT&, TclBorders, bool) const {}
    virtual bool CanPaintTab(bool vertical) const;
    virtual bool HasHotTabs(bool vertical) const;
    virtual int TabFrameWidth(bool vertical) const;
    // Five short lines, every other one led by a dot.
    virtual void PaintIndicatorCustomizeMark(TclCanvas& canvas, const win::RECT& rect, gui::TColor color) const;
    // The indicator image of the kind, centred; kind 0 draws nothing.
    virtual void PaintIndicatorGlyph(TclCanvas& canvas, const win::RECT& rect, TclIndicatorKind kind) const;
    virtual void PaintIndicatorRowCell(TclCanvas& canvas, const win::RECT& rect, TclIndicatorKind kind,
                                       gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground) const;
    virtual void PaintIndicatorHeaderCell(TclCanvas& canvas, const win::RECT& rect, TclIndicatorKind kind,
                                          gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground) const;
    virtual bool AuxFlag() const { return true; }

    // Scroll bars and size grip.
    virtual int ScrollThumbMinExtent(bool vertical) const;
    virtual void PaintScrollBarPart(TclCanvas&, bool, const win::RECT&, TclScrollBarPart, TclButtonState) const {}
    virtual void SizeGripExtent(win::SIZE& size) const;
    // The colour, then the system's size grip.
    virtual void PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect, gui::TColor backColor) const;

    // Scheduler, navigator and progress elements.
    // Lays a navigation button out: without text the button is centred vertically with room for three
    // arrow heights and its margins; with text the arrow takes the top band and the text the rest, the
    // button growing when the larger text extent needs more room.
    virtual void CalcSchedulerNavButtonRects(bool isNext, bool noText, int textExtent1, int textExtent2,
                                             win::RECT& buttonRect, win::RECT& textRect, win::RECT& arrowRect) const;
    // A header cell with scroll arrows at its ends (arrows: 1 the first end, 2 the second, 3 both).
    virtual void PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text,
                                  TclBorders neighbours, const TclViewParams& params, int arrows, int arrowInset,
                                  const TclCustomDrawBackground& onDrawBackground) const;
    virtual void PaintAuxFrame(TclCanvas& canvas, const win::RECT& rect) const { PaintBorder(canvas, rect); }
    // A grey frame, the background inside unless transparent, and the progress in clNavy.
    virtual void PaintProgressGauge(TclCanvas& canvas, const win::RECT& rect, const win::RECT& progressRect,
                                    const TclBackground& background, bool transparent) const;
    // The button with its text written vertically into the text rect (none: the plain button).
    virtual void PaintSchedulerNavButtonWithText(TclCanvas& canvas, const win::RECT& rect, bool isNext,
                                                 TclButtonState state, std::string_view text,
                                                 const win::RECT& textRect, const win::RECT& arrowRect) const;
    // A chevron with a bar at its far end, pointing right for the next button.
    virtual void PaintSchedulerNavArrow(TclCanvas& canvas, const win::RECT& rect, bool isNext,
                                        gui::TColor color) const;
    // A framed button without caption.
    virtual void PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const
    {
        PaintButton(canvas, rect, "", state);
    }
    virtual void PaintSplitterFrame(TclCanvas&, const win::RECT&, const TclBackground&, bool) const {}
    virtual void EventProgressMargins(win::RECT& margins) const { margins = win::RECT{2, 2, 2, 2}; }
    virtual void SchedulerNavButtonMetrics(bool isNext, win::RECT& margins, win::SIZE& arrowSize) const;
    virtual int AuxFrameWidth() const { return 1; }
    // An analogue clock showing the time (a date-time value; its fraction is the time of day).
    virtual void PaintClockFace(TclCanvas& canvas, const win::RECT& rect, double time, gui::TColor backColor) const;

    // Editor buttons, containers and navigator glyphs.
    // Editors draw their buttons themselves unless a skin painter is in force.
    virtual void PaintEditorButton(TclCanvas&, const win::RECT&, TclEditorButtonKind, TclButtonState) const {}
    virtual int EditorButtonTextIndent() const { return 0; }
    virtual void EditorButtonExtent(win::SIZE& size) const { size = win::SIZE{0, 0}; }
    virtual gui::TColor EditorButtonFontColor() const { return gui::clDefault; }
    virtual gui::TColor ContainerFrameColor(bool highlighted) const;
    // The image at the rect's top-left corner, enabled or greyed; nothing without an image list.
    virtual void PaintNavigatorGlyph(TclCanvas& canvas, gui::TCustomImageList* images, int imageIndex, int buttonIndex,
                                     const win::RECT& glyphRect, bool enabled, bool customImages) const;
    virtual void NavigatorGlyphExtent(win::SIZE& size) const { size = win::SIZE{0, 0}; }

    // Progress bars, group boxes and panels.
    virtual void PaintProgressFrame(TclCanvas&, const win::RECT&, bool) const {}
    virtual void PaintProgressChunk(TclCanvas&, const win::RECT&, bool) const {}
    virtual void ProgressFrameMargins(bool vertical, win::RECT& margins) const;
    virtual gui::TColor AuxColorA() const { return gui::clDefault; }
    virtual void PaintGroupBoxClient(TclCanvas&, const win::RECT&, const win::RECT&) const {}
    virtual void PaintGroupBoxCaption(TclCanvas&, const win::RECT&, TclCaptionPosition) const {}
    virtual void PaintGroupBoxFrame(TclCanvas&, const win::RECT&, TclCaptionPosition) const {}
    virtual void GroupBoxMargins(bool forCaption, int captionPosition, win::RECT& margins) const;
    virtual gui::TColor GroupBoxCaptionFontColor(int captionPosition) const;
    virtual bool GroupBoxSeeThrough(bool forCaption, int captionPosition) const;
    virtual void PaintPanelBackground(TclCanvas& canvas, gui::TWinControl* control, const win::RECT& rect,
                                      gui::TColor color, gui::TColor color2 = gui::clDefault) const;
    virtual void PaintPanelFrame(TclCanvas&, const win::RECT&) const {}
    virtual void PaintPanelCaption(TclCanvas& canvas, const win::RECT& rect, TclCaptionPosition position) const
    {
        PaintGroupBoxCaption(canvas, rect, position);
    }
    virtual void PaintPanelContent(TclCanvas&, const win::RECT&, bool) const {}
    virtual void AuxMargins(win::RECT& margins) const { margins = win::RECT{0, 0, 0, 0}; }
    virtual gui::TColor AuxColorB() const { return gui::clDefault; }

    // Track bars and splitters.
    virtual void PaintTrackBarTrack(TclCanvas&, const win::RECT&, const win::RECT&, bool, bool, bool) const {}
    virtual void PaintTrackBarThumb(TclCanvas&, const win::RECT&, TclButtonState, bool, TclTrackBarThumbShape) const {}
    virtual void TrackBarThumbExtent(bool horizontal, win::SIZE& size) const;
    virtual gui::TColor AuxColorC() const { return gui::clDefault; }
    virtual int TrackBarTrackThickness() const { return 0; }
    // variant: the skin element's image index.
    virtual void PaintSplitterGrip(TclCanvas&, const win::RECT&, int, bool, bool) const {}
    virtual void SplitterGripExtent(bool horizontal, win::SIZE& size) const;

protected:
    TclCustomLookAndFeelPainter() = default;
};

class TclStandardLookAndFeelPainter : public TclCustomLookAndFeelPainter {
public:
    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    gui::TColor TintedContentColor() const override { return gui::clWindow; }
    int BorderWidth() const override { return 2; }
    int ButtonFrameWidth(TclButtonState state) const override { return state == cxbsDefault ? 3 : 2; }
    int ButtonTextIndent() const override { return 1; }
    int ButtonPressedShift() const override { return 1; }
    int ExpandButtonExtent() const override { return 12; }
    int HeaderFrameWidth() const override { return 1; }
    int HeaderSectionFrameWidth(TclButtonState state) const override { return state == cxbsPressed ? 1 : 2; }
    void SortMarkExtent(win::POINT& extent) const override { extent = win::POINT{8, 7}; }
    int FooterFrameWidth() const override { return 1; }
    int FooterCellFrameWidth() const override { return 1; }
    int FooterCellSpacing() const override { return 1; }
    int TabFrameWidth(bool) const override { return 1; }

    // Drawing: three-dimensional edges two pixels wide.
    void PaintBorder(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The base drawing with the Flat painter's frames.
    void PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                TclButtonState state) const override;
    void PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor color) const override;
    void PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                          TclBorders borders) const override;
    void PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                 TclButtonState state) const override;
    void PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const override;
    void PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                               bool active) const override;
    void PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border, TclBorders borders,
                       bool vertical) const override;
    void PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders, bool vertical) const override;
    // Arrow buttons are the system's scroll arrows; the hot state looks normal.
    void PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect, TclScrollBarPart part,
                            TclButtonState state) const override;
    // A black frame on the sides without a neighbour around a normal header cell.
    void PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text, TclBorders neighbours,
                          const TclViewParams& params, int arrows, int arrowInset,
                          const TclCustomDrawBackground& onDrawBackground) const override;
    void PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect, const TclBackground& background,
                            bool horizontal) const override;

protected:
    TclStandardLookAndFeelPainter() = default;
};

class TclFlatLookAndFeelPainter : public TclCustomLookAndFeelPainter {
public:
    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int PainterStyle() const override { return 0; }
    int BorderWidth() const override { return 1; }
    int ButtonFrameWidth(TclButtonState state) const override { return state == cxbsDefault ? 2 : 1; }
    int ButtonTextIndent() const override { return 1; }
    int ButtonPressedShift() const override { return 1; }
    int ExpandButtonExtent() const override { return 11; }
    int HeaderFrameWidth() const override { return 1; }
    void SortMarkExtent(win::POINT& extent) const override { extent = win::POINT{8, 7}; }
    int FooterFrameWidth() const override { return 1; }
    int FooterCellFrameWidth() const override { return 1; }
    int FooterCellSpacing() const override { return 1; }
    int TabFrameWidth(bool) const override { return 1; }

    // Drawing: three-dimensional edges one pixel wide.
    void PaintBorder(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor color) const override;
    void PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                          TclBorders borders) const override;
    void PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                 TclButtonState state) const override;
    void PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const override;
    void PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                               bool active) const override;
    void PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border, TclBorders borders,
                       bool vertical) const override;
    void PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders, bool vertical) const override;
    // Arrow buttons and thumb are the painter's own buttons; the hot state looks normal.
    void PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect, TclScrollBarPart part,
                            TclButtonState state) const override;
    void PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect, const TclBackground& background,
                            bool horizontal) const override;

protected:
    TclFlatLookAndFeelPainter() = default;
};

class TclUltraFlatLookAndFeelPainter : public TclCustomLookAndFeelPainter {
public:
    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int PainterStyle() const override { return 2; }
    int BorderWidth() const override { return 1; }
    int ButtonFrameWidth(TclButtonState state) const override { return state == cxbsDefault ? 2 : 1; }
    void ButtonFocusFrameRect(TclCanvas& canvas, const win::RECT& rect, win::RECT& result) const override;
    int ButtonTextIndent() const override { return 2; }
    int ExpandButtonExtent() const override { return 11; }
    bool HasHotButtons() const override { return true; }
    // A cell draws no left line beside a left neighbour and no top line below a top neighbour.
    TclBorders HeaderEdges(TclBorders neighbours) const override;
    int HeaderFrameWidth() const override { return 1; }
    void SortMarkExtent(win::POINT& extent) const override { extent = win::POINT{7, 8}; }
    TclBorders FooterEdges() const override { return clSideRight | clSideBottom; }
    int FooterFrameWidth() const override { return 1; }
    int FooterCellFrameWidth() const override { return 1; }
    int FooterCellSpacing() const override { return 2; }
    void FilterDismissButtonExtent(win::POINT& extent) const override { extent = win::POINT{16, 15}; }
    int TabFrameWidth(bool) const override { return 1; }

    gui::TColor ThinFrameColor() const override { return gui::clBtnShadow; }
    // Hot and pressed: the tinted fills of clHotTintColor and clPressedTintColor; else clBtnFace.
    gui::TColor ButtonFaceColor(TclButtonState state) const override;
    // One pixel between buttons, two at the group's outer ends and above and below.
    void ButtonGroupMargins(int count, int index, win::RECT& margins) const override;
    // Pressed: clHighlightText; else the base rule.
    gui::TColor ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const override;
    TclButtonState ButtonGlyphState(TclButtonState) const override { return cxbsNormal; }

    // Drawing: single-colour frames one pixel wide.
    void PaintBorder(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintGroupButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state, int count, int index,
                          gui::TColor frameColor) const override;
    void PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintButtonGroupFrame(TclCanvas& canvas, const win::RECT& rect, bool selected, bool hot) const override;
    void PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor color) const override;
    void PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The content over the whole cell, then the frame one pixel inside it.
    void PaintHeaderCell(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                         TclBorders neighbours, TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                         TclVertAlignment vert, bool multiLine, bool endEllipsis, std::string_view text,
                         gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                         const TclCustomDrawBackground& onDrawBackground) const override;
    // Left and top lines only on those borders; right and bottom lines always.
    void PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                          TclBorders borders) const override;
    void PaintHeaderSectionFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders borders,
                                 TclButtonState state) const override;
    // Hot, pressed and disabled faces take ButtonFaceColor of the state.
    void PaintHeaderSectionFace(TclCanvas& canvas, const win::RECT& rect, const win::RECT& textRect,
                                TclButtonState state, TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                                bool endEllipsis, std::string_view text, gui::TFont* font, gui::TColor textColor,
                                gui::TColor backColor) const override;
    void PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const override;
    void PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFooterCellFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                               bool active) const override;
    void PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border, TclBorders borders,
                       bool vertical) const override;
    void PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders, bool vertical) const override;
    // Buttons in the state, hot included.
    void PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect, TclScrollBarPart part,
                            TclButtonState state) const override;
    void PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect, const win::RECT& arrowRect, bool isNext,
                                 TclButtonState state) const override;
    // Framed only while hot or pressed.
    void PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect, const TclBackground& background,
                            bool horizontal) const override;

    // The frame of a framed flat element in a state: clBtnShadow when normal, else clHighlight.
    virtual gui::TColor ButtonStateFrameColor(TclButtonState state) const;
    // The lines of tab frames and navigation buttons, and the frame of a hot element.
    virtual gui::TColor LightLineColor() const { return gui::clBtnShadow; }
    virtual gui::TColor DarkLineColor() const { return gui::clBtnText; }
    virtual gui::TColor HighlightBorderColor() const { return gui::clHighlight; }

protected:
    TclUltraFlatLookAndFeelPainter() = default;
};

class TclOffice11LookAndFeelPainter : public TclUltraFlatLookAndFeelPainter {
public:
    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int PainterStyle() const override { return 4; }
    bool ExpandButtonCoversBackground() const override { return false; }
    int SmallExpandButtonExtent() const override { return ExpandButtonExtent(); }
    TclBorders HeaderEdges(TclBorders neighbours) const override
    {
        return TclCustomLookAndFeelPainter::HeaderEdges(neighbours);
    }
    bool HeaderExtendedFlag() const override { return true; }

    // Colours from the Office 2003 set.
    gui::TColor FilterPanelBackColor() const override;
    gui::TColor FilterPanelFontColor() const override;
    gui::TColor FaceColorA() const override;
    gui::TColor FaceTextColorA() const override { return HeaderFontColor(); }
    gui::TColor ShadowColorA() const override;
    gui::TColor GroupPanelFontColor() const override;
    gui::TColor GroupRowBackColor() const override;
    gui::TColor HeaderAreaColor() const override { return ShadowColorA(); }
    gui::TColor HeaderBackColor() const override { return HeaderFaceColor(); }
    gui::TColor AltFaceColor() const override;
    gui::TColor AltSelectionColor() const override;
    gui::TColor AltSelectionFontColor() const override { return gui::clWindowText; }
    gui::TColor ThinFrameColor() const override;
    gui::TColor SchedulerAltContentColor() const override;
    gui::TColor FaceColorC() const override;
    gui::TColor FaceColorD() const override { return FaceColorC(); }
    gui::TColor FaceColorE() const override;
    gui::TColor WhiteColorB() const override { return SchedulerAltContentColor(); }
    gui::TColor FooterLineColor() const override { return HeaderLineColor(); }
    // Hot, pressed and disabled: ButtonFaceColor of the state; else clWindow.
    gui::TColor CheckBoxFillColor(TclButtonState state) const override;

    // Hot and pressed: the Office 2003 hot and pressed colours; disabled clBtnFace; else the face colour.
    gui::TColor ButtonFaceColor(TclButtonState state) const override;
    // The Office 2003 text colours; pressed glyphs are clHighlightText unless a visual-styles scheme is
    // in use. The default colour is not used.
    gui::TColor ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const override;

    // Drawing.
    // A face of the header colours running into the dark one over the last four rows (plain: one
    // colour), the hot face lighter with a hot bar below it.
    void PaintCellContent(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                          TclButtonState state, TclHorzAlignment horz, TclVertAlignment vert, bool multiLine,
                          bool endEllipsis, std::string_view text, gui::TFont* font, gui::TColor textColor,
                          gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground,
                          bool plain) const override;
    void PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect, const win::RECT& arrowRect, bool isNext,
                                 TclButtonState state) const override;
    void PaintBorder(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintButtonFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The eleven-pixel glyph bitmap, its corners blended into what lies behind.
    void PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor color) const override;
    void PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor frameColor,
                                gui::TColor backColor = gui::clDefault) const override;
    // The base cell without the custom-draw callback and the special flag.
    void PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                           TclBorders neighbours, TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                           TclVertAlignment vert, bool multiLine, bool endEllipsis, std::string_view text,
                           gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                           const TclCustomDrawBackground& onDrawBackground, bool lastItem,
                           bool special) const override;
    // Lines that run into the face at the top and beside neighbours.
    void PaintHeaderFrame(TclCanvas& canvas, const win::RECT& rect, TclBorders neighbours,
                          TclBorders borders) const override;
    // A header cell, inverted while pressed.
    void PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect, const win::RECT& textRect,
                            TclBorders neighbours, TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                            TclVertAlignment vert, bool multiLine, bool endEllipsis, std::string_view text,
                            gui::TFont* font, gui::TColor textColor, gui::TColor backColor) const override;
    void PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const override;
    // The themed painter's scroll bar (Standard's while no theme is open).
    void PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect, TclScrollBarPart part,
                            TclButtonState state) const override;
    void PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect, gui::TColor backColor) const override;
    // The view's background and centred text, arrows on the whole rect.
    void PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text, TclBorders neighbours,
                          const TclViewParams& params, int arrows, int arrowInset,
                          const TclCustomDrawBackground& onDrawBackground) const override;
    void PaintAuxFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    // The themed painter's.
    void PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // clDefault: the parent's background; one colour: a fill; two: a vertical gradient between them.
    void PaintPanelBackground(TclCanvas& canvas, gui::TWinControl* control, const win::RECT& rect, gui::TColor color,
                              gui::TColor color2 = gui::clDefault) const override;
    // Normal: HeaderLineColor; other states: the selected border colour.
    gui::TColor ButtonStateFrameColor(TclButtonState state) const override;
    gui::TColor LightLineColor() const override { return HeaderLineColor(); }
    gui::TColor HighlightBorderColor() const override;

    // The header's gradient end, bottom and right line, left line and face.
    virtual gui::TColor HeaderDarkColor() const;
    virtual gui::TColor HeaderLineColor() const;
    virtual gui::TColor HeaderLightLineColor() const;
    // Half way between the Office 2003 faces of 22 % and 96 %.
    virtual gui::TColor HeaderFaceColor() const;

protected:
    TclOffice11LookAndFeelPainter() = default;
};

// The native painter; each answer that depends on a theme class is Standard's while that class cannot be
// opened.
class TclWinXPLookAndFeelPainter : public TclStandardLookAndFeelPainter {
public:
    static TclCustomLookAndFeelPainterClass Class();
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int PainterStyle() const override { return 3; }
    // The ComboBox border colour.
    gui::TColor ThinFrameColor() const override;
    gui::TColor TintedContentColor() const override { return gui::TColor(win::RGB(255, 255, 213)); }
    // 1 with a ListView theme.
    int BorderWidth() const override;
    // Grown by a pixel on every side when the push button is partly transparent.
    void GroupedButtonRect(const win::RECT& rect, int count, int index, win::RECT& result) const override;
    // The left inset of the push button's content in a 100 x 100 rect.
    int ButtonFrameWidth(TclButtonState state) const override;
    gui::TColor ButtonFaceColor(TclButtonState state) const override;
    void ButtonFocusFrameRect(TclCanvas& canvas, const win::RECT& rect, win::RECT& result) const override;
    void ButtonGroupMargins(int count, int index, win::RECT& margins) const override;
    int ButtonTextIndent() const override { return 2; }
    int ButtonPressedShift() const override { return 0; }
    gui::TColor ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const override;
    bool ExpandButtonCoversBackground() const override { return false; }
    // The TreeView glyph's width, the ExplorerBar expand button's width.
    int ExpandButtonExtent() const override;
    int GroupExpandButtonExtent() const override;
    bool HasHotButtons() const override { return true; }
    int SmallExpandButtonExtent() const override;
    // 0 and the check-box part's size with a Button theme.
    int CheckFrameWidth() const override;
    void CheckBoxExtent(win::SIZE& size) const override;
    void RadioButtonExtent(win::SIZE& size) const override;
    void InvertHeaderArea(TclCanvas&, const win::RECT&) const override {}
    // UltraFlat's, theme or not.
    void PaintSortMark(TclCanvas& canvas, const win::RECT& rect, bool ascending) const override;
    // (left + top) div 2 of the header item's content in a 100 x 100 rect.
    int HeaderFrameWidth() const override;
    int HeaderSectionFrameWidth(TclButtonState state) const override;
    void HeaderSectionContentRect(const win::RECT& rect, TclButtonState state, win::RECT& result) const override;
    bool HeaderExtendedFlag() const override { return true; }
    void SortMarkExtent(win::POINT& extent) const override { extent = win::POINT{7, 8}; }
    // The left inset of the TrackBar track's content in a 100 x 100 rect.
    int FooterCellFrameWidth() const override;
    bool FooterCellsCoverBackground() const override { return false; }
    void FilterCheckExtent(win::POINT& extent) const override;
    // The Window small close button's size plus 4 each way.
    void FilterDismissButtonExtent(win::POINT& extent) const override;
    bool CanPaintTab(bool vertical) const override;
    bool HasHotTabs(bool vertical) const override { return CanPaintTab(vertical); }
    // From the gripper of the bar's orientation: the larger of its least size and its size + 4, at least 8.
    int ScrollThumbMinExtent(bool vertical) const override;
    void EventProgressMargins(win::RECT& margins) const override { margins = win::RECT{3, 3, 3, 3}; }

    // Drawing through the theme parts; each falls back to Standard's drawing (which is the base's where
    // Standard has none of its own) while its theme class cannot be opened.
    void PaintScrollArrowButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                                TclArrowDirection direction, bool framed) const override;
    void PaintArrowButtonFace(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The ListView part over the rect's one-pixel rim.
    void PaintBorder(TclCanvas& canvas, const win::RECT& rect) const override;
    // The push button with its caption in the theme's text colour, centred on one line.
    void PaintButton(TclCanvas& canvas, const win::RECT& rect, std::string_view caption, TclButtonState state,
                     bool framed = true, gui::TColor fillColor = gui::clDefault, gui::TColor textColor = gui::clDefault,
                     bool multiLine = false) const override;
    // The TreeView glyph; the rect is then kept out of the clip region.
    void PaintExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor color) const override;
    void PaintGroupExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded,
                                TclButtonState state) const override;
    void PaintSmallExpandButton(TclCanvas& canvas, const win::RECT& rect, bool expanded, gui::TColor frameColor,
                                gui::TColor backColor = gui::clDefault) const override;
    bool HitTestGroupExpandButton(const win::RECT& rect, win::POINT point) const override;
    void PaintCheckMark(TclCanvas& canvas, const win::RECT& rect, TclButtonState state, bool checked,
                        gui::TColor color) const override;
    // The check-box part includes its frame.
    void PaintCheckBoxFrame(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The radio part at its true size; the background colour and the emphasis are the theme's business.
    // Without a Button theme, Standard's radio image.
    void PaintRadioButton(TclCanvas& canvas, int x, int y, TclButtonState state, bool checked, bool emphasised,
                          gui::TColor backColor = gui::clDefault, bool emphasisedUnlessDisabled = false) const override;
    // The Header item part, or its right-item part for the last item of a normal header under the blue and
    // olive colour schemes; the text one pixel lower and right when pressed.
    void PaintHeaderCellEx(TclCanvas& canvas, const win::RECT& bounds, const win::RECT& textRect,
                           TclBorders neighbours, TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                           TclVertAlignment vert, bool multiLine, bool endEllipsis, std::string_view text,
                           gui::TFont* font, gui::TColor textColor, gui::TColor backColor,
                           const TclCustomDrawBackground& onDrawBackground, bool lastItem,
                           bool special) const override;
    void PaintHeaderSection(TclCanvas& canvas, const win::RECT& rect, const win::RECT& textRect,
                            TclBorders neighbours, TclBorders borders, TclButtonState state, TclHorzAlignment horz,
                            TclVertAlignment vert, bool multiLine, bool endEllipsis, std::string_view text,
                            gui::TFont* font, gui::TColor textColor, gui::TColor backColor) const override;
    // A raised inner edge of the Edit theme on every side.
    void PaintFooterFrame(TclCanvas& canvas, const win::RECT& rect) const override;
    void PaintFooterCell(TclCanvas& canvas, const win::RECT& rect, TclHorzAlignment horz, TclVertAlignment vert,
                         bool multiLine, std::string_view text, gui::TFont* font, gui::TColor textColor,
                         gui::TColor backColor, const TclCustomDrawBackground& onDrawBackground) const override;
    void PaintFilterDismissButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    // The active flag does not show.
    void PaintFilterDropButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state,
                               bool active) const override;
    // The Tab item part, grown by 2 at the ends that are not borders; vertical tabs are drawn turned a quarter
    // on a bitmap and turned into place. The caption moves 2 pixels towards the tab's outside when selected.
    void PaintTabItem(TclCanvas& canvas, const win::RECT& rect, TclBorders borders, std::string_view text,
                      TclButtonState state, bool vertical, gui::TFont* font, gui::TColor textColor,
                      gui::TColor backColor, bool showPrefix) const override;
    void PaintTabFrame(TclCanvas& canvas, const win::RECT& rect, int border, TclBorders borders,
                       bool vertical) const override;
    // The Tab pane part, reaching past the strip along it and 10 pixels away from the tabs, clipped to it.
    void PaintTabStrip(TclCanvas& canvas, const win::RECT& rect, TclBorders borders, bool vertical) const override;
    // The Tab item part turned to face the way the button points, then the arrow.
    void PaintSchedulerNavButton(TclCanvas& canvas, const win::RECT& rect, const win::RECT& arrowRect, bool isNext,
                                 TclButtonState state) const override;
    // The two long lines in the ComboBox border colour, the rest filled with the background.
    void PaintSplitterFrame(TclCanvas& canvas, const win::RECT& rect, const TclBackground& background,
                            bool horizontal) const override;
    void PaintIndicatorRowCell(TclCanvas& canvas, const win::RECT& rect, TclIndicatorKind kind, gui::TColor backColor,
                               const TclCustomDrawBackground& onDrawBackground) const override;
    // Arrow buttons framed; the thumb with its gripper over it (in the disabled state too); page areas as tracks.
    void PaintScrollBarPart(TclCanvas& canvas, bool horizontal, const win::RECT& rect, TclScrollBarPart part,
                            TclButtonState state) const override;
    void PaintSizeGripBox(TclCanvas& canvas, const win::RECT& rect, gui::TColor backColor) const override;
    // The header cell (the last item when nothing lies to the right) with centred text, then the arrows.
    void PaintArrowHeader(TclCanvas& canvas, const win::RECT& rect, std::string_view text, TclBorders neighbours,
                          const TclViewParams& params, int arrows, int arrowInset,
                          const TclCustomDrawBackground& onDrawBackground) const override;
    void PaintProgressGauge(TclCanvas& canvas, const win::RECT& rect, const win::RECT& progressRect,
                            const TclBackground& background, bool transparent) const override;
    void PaintNavigatorToolButton(TclCanvas& canvas, const win::RECT& rect, TclButtonState state) const override;
    void PaintPanelBackground(TclCanvas& canvas, gui::TWinControl* control, const win::RECT& rect, gui::TColor color,
                              gui::TColor color2 = gui::clDefault) const override;

    // The text of a themed part in the theme's own colour; multi-line text is first fitted to its rect.
    virtual void PaintThemedText(TclCanvas& canvas, HTHEME theme, gui::TColor backColor, gui::TColor textColor,
                                 gui::TFont* font, std::string_view text, bool showPrefix, bool endEllipsis,
                                 bool multiLine, TclVertAlignment vert, TclHorzAlignment horz,
                                 const win::RECT& textRect, const win::RECT& clipRect, int state, int part) const;

protected:
    TclWinXPLookAndFeelPainter() = default;
};

}  // namespace controls
