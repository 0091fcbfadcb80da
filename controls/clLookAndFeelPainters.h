#pragma once
// The look-and-feel painters: stateless classes, each with one const instance that a class reference
// (TclCustomLookAndFeelPainterClass) points at, answering what a control asks of its look: metrics,
// flags, colours and drawing. The base class holds the defaults; Standard, Flat, UltraFlat, Office 2003
// and the themed painter change what their table rows say. The themed painter answers Standard's values
// while visual styles are not available (always, on this system).
//
// Built here: every answer the painter interface states itself (metrics and flags, rect and size
// queries, header and footer geometry, the base colours, the button glyph and check-box fill colours,
// FillBackground). The figure drawing of the base painter and the concrete painters' drawing and colour
// overrides come with the painters.

#include "controls/clGraphics.h"
#include "controls/clPainterResources.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/gui/Colors.h"
#include "platform/gui/Font.h"

#include <cstdint>
#include <string_view>

namespace controls {

enum TclLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

// Button states.
using TclButtonState = std::uint8_t;
enum : TclButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
// Border and neighbour sides: clSideLeft .. clSideBottom (clGraphics.h).
using TclBorders = std::uint8_t;

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

    // Borders.
    virtual int BorderWidth() const { return 0; }

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

    // Expand buttons.
    virtual bool ExpandButtonCoversBackground() const { return true; }
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

    // Header cells and sections.
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

    // Footer and filter.
    virtual TclBorders FooterEdges() const { return clAllSides; }
    virtual int FooterFrameWidth() const { return 0; }
    virtual int FooterCellFrameWidth() const { return 0; }
    virtual int FooterCellSpacing() const { return 0; }
    virtual bool FooterCellsCoverBackground() const { return true; }
    virtual gui::TColor FooterLineColor() const { return gui::clBtnShadow; }
    virtual int FooterSeparatorWidth() const { return 1; }
    virtual void FilterCheckExtent(win::POINT& extent) const { extent = win::POINT{13, 13}; }
    virtual void FilterDismissButtonExtent(win::POINT& extent) const { extent = win::POINT{16, 14}; }
    virtual void FilterDropButtonExtent(win::POINT& extent) const { extent = win::POINT{15, 0}; }

    // Windows, tabs and indicator.
    virtual bool PopupFrameKind() const { return true; }
    virtual bool CanPaintTab(bool vertical) const;
    virtual bool HasHotTabs(bool vertical) const;
    virtual int TabFrameWidth(bool vertical) const;
    virtual bool AuxFlag() const { return true; }

    // Scroll bars and size grip.
    virtual int ScrollThumbMinExtent(bool vertical) const;
    virtual void SizeGripExtent(win::SIZE& size) const;

    // Scheduler, navigator and progress elements.
    virtual void EventProgressMargins(win::RECT& margins) const { margins = win::RECT{2, 2, 2, 2}; }
    virtual void SchedulerNavButtonMetrics(bool isNext, win::RECT& margins, win::SIZE& arrowSize) const;
    virtual int AuxFrameWidth() const { return 1; }

    // Editor buttons, containers and navigator glyphs.
    virtual int EditorButtonTextIndent() const { return 0; }
    virtual void EditorButtonExtent(win::SIZE& size) const { size = win::SIZE{0, 0}; }
    virtual gui::TColor EditorButtonFontColor() const { return gui::clDefault; }
    virtual gui::TColor ContainerFrameColor(bool highlighted) const;
    virtual void NavigatorGlyphExtent(win::SIZE& size) const { size = win::SIZE{0, 0}; }

    // Progress bars, group boxes and panels.
    virtual void ProgressFrameMargins(bool vertical, win::RECT& margins) const;
    virtual gui::TColor AuxColorA() const { return gui::clDefault; }
    virtual void GroupBoxMargins(bool forCaption, int captionPosition, win::RECT& margins) const;
    virtual gui::TColor GroupBoxCaptionFontColor(int captionPosition) const;
    virtual bool GroupBoxSeeThrough(bool forCaption, int captionPosition) const;
    virtual void AuxMargins(win::RECT& margins) const { margins = win::RECT{0, 0, 0, 0}; }
    virtual gui::TColor AuxColorB() const { return gui::clDefault; }

    // Track bars and splitters.
    virtual void TrackBarThumbExtent(bool horizontal, win::SIZE& size) const;
    virtual gui::TColor AuxColorC() const { return gui::clDefault; }
    virtual int TrackBarTrackThickness() const { return 0; }
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
    gui::TColor TintedContentColor() const override { return gui::TColor(win::RGB(255, 255, 213)); }
    int ButtonTextIndent() const override { return 2; }
    int ButtonPressedShift() const override { return 0; }
    bool ExpandButtonCoversBackground() const override { return false; }
    bool HasHotButtons() const override { return true; }
    bool HeaderExtendedFlag() const override { return true; }
    void SortMarkExtent(win::POINT& extent) const override { extent = win::POINT{7, 8}; }
    bool FooterCellsCoverBackground() const override { return false; }
    void EventProgressMargins(win::RECT& margins) const override { margins = win::RECT{3, 3, 3, 3}; }

protected:
    TclWinXPLookAndFeelPainter() = default;
};

}  // namespace controls
