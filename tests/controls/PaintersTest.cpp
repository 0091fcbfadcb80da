// The painter interface's own answers: the metrics and flags of every painter side by side, header and
// footer geometry, the base colours and the base painter's background fill.

#include "controls/clLookAndFeelPainters.h"

#include "controls/uxOffice11Colors.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <string>

namespace {

using namespace controls;
using testsupport::Surface;

class PaintersTest : public controlstest::ControlsTest {};

struct Metrics {
    const char* name;
    TclCustomLookAndFeelPainterClass painter;
    int style;
    int borderWidth;
    int buttonFrameDefault;
    int buttonFrameOther;
    int buttonTextIndent;
    int buttonPressedShift;
    int focusInset;
    bool expandCoversBackground;
    int expandExtent;
    int groupExpandExtent;
    bool hotButtons;
    int smallExpandExtent;
    int checkFrameWidth;
    bool leftDroppedBesideNeighbour;
    int headerFrameWidth;
    bool headerClassic;
    int sectionFrameNormal;
    int sectionFramePressed;
    bool headerExtended;
    win::POINT sortMark;
    int footerEdges;
    int footerFrameWidth;
    int footerCellFrameWidth;
    int footerCellSpacing;
    bool footerCellsCover;
    win::POINT filterDismiss;
    bool canPaintTab;
    int tabFrameWidth;
    int eventProgressMargin;
};

TEST_F(PaintersTest, MetricsAndFlagsByPainter)
{
    // The themed painter answers Standard's values where visual styles are not available.
    const Metrics rows[] = {
        {"base", TclCustomLookAndFeelPainter::Class(), 1, 0, 0, 0, 0, 0, 4, true, 0, 15, false, 9, 2, false, 0, true,
         1, 1, false, {0, 0}, 15, 0, 0, 0, true, {16, 14}, false, 0, 2},
        {"Standard", TclStandardLookAndFeelPainter::Class(), 1, 2, 3, 2, 1, 1, 4, true, 12, 15, false, 9, 2, false, 1,
         true, 2, 1, false, {8, 7}, 15, 1, 1, 1, true, {16, 14}, false, 1, 2},
        {"Flat", TclFlatLookAndFeelPainter::Class(), 0, 1, 2, 1, 1, 1, 4, true, 11, 15, false, 9, 2, false, 1, true, 1,
         1, false, {8, 7}, 15, 1, 1, 1, true, {16, 14}, false, 1, 2},
        {"UltraFlat", TclUltraFlatLookAndFeelPainter::Class(), 2, 1, 2, 1, 2, 0, 3, true, 11, 15, true, 9, 2, true, 1,
         true, 1, 1, false, {7, 8}, 12, 1, 1, 2, true, {16, 15}, false, 1, 2},
        {"Office 2003", TclOffice11LookAndFeelPainter::Class(), 4, 1, 2, 1, 2, 0, 3, false, 11, 15, true, 11, 2, false,
         1, true, 1, 1, true, {7, 8}, 12, 1, 1, 2, true, {16, 15}, false, 1, 2},
        {"themed", TclWinXPLookAndFeelPainter::Class(), 3, 2, 3, 2, 2, 0, 4, false, 12, 15, true, 9, 2, false, 1, true,
         2, 1, true, {7, 8}, 15, 1, 1, 1, false, {16, 14}, false, 1, 3},
    };
    Surface surface(40, 40, 0);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    TclCanvas canvas(&frame);
    for (const Metrics& m : rows) {
        SCOPED_TRACE(m.name);
        const TclCustomLookAndFeelPainter& p = *m.painter;
        EXPECT_EQ(p.PainterStyle(), m.style);
        EXPECT_EQ(p.BorderWidth(), m.borderWidth);
        EXPECT_EQ(p.ButtonFrameWidth(cxbsDefault), m.buttonFrameDefault);
        EXPECT_EQ(p.ButtonFrameWidth(cxbsHot), m.buttonFrameOther);
        EXPECT_EQ(p.ButtonTextIndent(), m.buttonTextIndent);
        EXPECT_EQ(p.ButtonPressedShift(), m.buttonPressedShift);
        win::RECT focus{};
        p.ButtonFocusFrameRect(canvas, win::RECT{0, 0, 30, 20}, focus);
        EXPECT_EQ(focus.left, m.focusInset);
        EXPECT_EQ(focus.bottom, 20 - m.focusInset);
        EXPECT_EQ(p.ExpandButtonCoversBackground(), m.expandCoversBackground);
        EXPECT_EQ(p.ExpandButtonExtent(), m.expandExtent);
        EXPECT_EQ(p.GroupExpandButtonExtent(), m.groupExpandExtent);
        EXPECT_EQ(p.HasHotButtons(), m.hotButtons);
        EXPECT_EQ(p.SmallExpandButtonExtent(), m.smallExpandExtent);
        EXPECT_EQ(p.CheckFrameWidth(), m.checkFrameWidth);
        win::SIZE check{};
        p.CheckBoxExtent(check);
        EXPECT_EQ(check.cx, 13);
        EXPECT_EQ(check.cy, 13);
        EXPECT_EQ(p.HeaderEdges(clSideLeft | clSideTop),
                  m.leftDroppedBesideNeighbour ? clSideRight | clSideBottom : clAllSides);
        EXPECT_EQ(p.HeaderEdges(0), clAllSides);
        EXPECT_EQ(p.HeaderFrameWidth(), m.headerFrameWidth);
        EXPECT_EQ(p.HeaderClassicFlag(), m.headerClassic);
        EXPECT_EQ(p.HeaderSectionFrameWidth(cxbsNormal), m.sectionFrameNormal);
        EXPECT_EQ(p.HeaderSectionFrameWidth(cxbsPressed), m.sectionFramePressed);
        EXPECT_EQ(p.HeaderExtendedFlag(), m.headerExtended);
        win::POINT mark{};
        p.SortMarkExtent(mark);
        EXPECT_EQ(mark.x, m.sortMark.x);
        EXPECT_EQ(mark.y, m.sortMark.y);
        EXPECT_EQ(p.FooterEdges(), m.footerEdges);
        EXPECT_EQ(p.FooterFrameWidth(), m.footerFrameWidth);
        EXPECT_EQ(p.FooterCellFrameWidth(), m.footerCellFrameWidth);
        EXPECT_EQ(p.FooterCellSpacing(), m.footerCellSpacing);
        EXPECT_EQ(p.FooterCellsCoverBackground(), m.footerCellsCover);
        win::POINT extent{};
        p.FilterCheckExtent(extent);
        EXPECT_EQ(extent.x, 13);
        EXPECT_EQ(extent.y, 13);
        p.FilterDismissButtonExtent(extent);
        EXPECT_EQ(extent.x, m.filterDismiss.x);
        EXPECT_EQ(extent.y, m.filterDismiss.y);
        EXPECT_EQ(p.CanPaintTab(false), m.canPaintTab);
        EXPECT_EQ(p.HasHotTabs(false), m.canPaintTab);
        EXPECT_EQ(p.TabFrameWidth(false), m.tabFrameWidth);
        EXPECT_EQ(p.ScrollThumbMinExtent(true), 8);
        win::SIZE grip{};
        p.SizeGripExtent(grip);
        EXPECT_EQ(grip.cx, win::GetSystemMetrics(win::SM_CXVSCROLL));
        EXPECT_EQ(grip.cy, win::GetSystemMetrics(win::SM_CYHSCROLL));
        win::RECT margins{};
        p.EventProgressMargins(margins);
        EXPECT_EQ(margins.left, m.eventProgressMargin);
        EXPECT_EQ(margins.bottom, m.eventProgressMargin);
        EXPECT_EQ(p.EditorButtonTextIndent(), 0);
        EXPECT_EQ(p.FooterSeparatorWidth(), 1);
        EXPECT_EQ(p.AuxFrameWidth(), 1);
        EXPECT_TRUE(p.AuxFlag());
        EXPECT_TRUE(p.PopupFrameKind());
    }
    frame.SetHandle(nullptr);
}

TEST_F(PaintersTest, HeaderAndFooterGeometry)
{
    const TclCustomLookAndFeelPainter& standard = *TclStandardLookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& base = *TclCustomLookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& ultraFlat = *TclUltraFlatLookAndFeelPainter::Class();
    EXPECT_EQ(standard.HeaderHeightForFont(13), 19);
    EXPECT_EQ(base.HeaderHeightForFont(13), 17);

    Surface surface(10, 10, 0);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    TclCanvas canvas(&frame);
    gui::TFont font;
    const int textWidth = canvas.MeasureTextWidth("Savings");
    EXPECT_EQ(standard.HeaderWidthForText(canvas, clSideLeft | clSideRight, "Savings", &font), textWidth + 4);
    EXPECT_EQ(standard.HeaderWidthForText(canvas, clSideLeft, "Savings", &font), textWidth + 5);
    frame.SetHandle(nullptr);

    // A cell beside a left neighbour reaches under the neighbour's line.
    win::RECT outer{};
    ultraFlat.HeaderOuterRect(win::RECT{10, 10, 50, 30}, clSideLeft, clAllSides, outer);
    EXPECT_EQ(outer.left, 9);
    EXPECT_EQ(outer.top, 10);
    win::RECT content{};
    standard.HeaderContentRect(win::RECT{10, 10, 50, 30}, clSideLeft | clSideBottom, content);
    EXPECT_EQ(content.left, 11);
    EXPECT_EQ(content.right, 50);
    EXPECT_EQ(content.bottom, 29);
    win::RECT text{};
    ultraFlat.FooterCellTextRect(win::RECT{0, 0, 20, 20}, text);
    EXPECT_EQ(text.left, 3);
    EXPECT_EQ(text.right, 17);
}

TEST_F(PaintersTest, StylesKindsAndBaseColours)
{
    EXPECT_EQ(clStyleToLookAndFeelKind(0), lfFlat);
    EXPECT_EQ(clStyleToLookAndFeelKind(1), lfStandard);
    EXPECT_EQ(clStyleToLookAndFeelKind(2), lfUltraFlat);
    EXPECT_EQ(clStyleToLookAndFeelKind(3), lfStandard);
    EXPECT_EQ(clStyleToLookAndFeelKind(4), lfOffice11);

    const TclCustomLookAndFeelPainter& base = *TclCustomLookAndFeelPainter::Class();
    EXPECT_EQ(base.ButtonGlyphColor(cxbsDisabled, gui::clRed), gui::clBtnShadow);
    EXPECT_EQ(base.ButtonGlyphColor(cxbsDisabled, gui::clDefault), gui::clBtnShadow);
    EXPECT_EQ(base.ButtonGlyphColor(cxbsHot, gui::clDefault), gui::clBtnText);
    EXPECT_EQ(base.ButtonGlyphColor(cxbsNormal, gui::clRed), gui::clRed);
    const gui::TColor fills[] = {gui::clWindow, gui::clWindow, gui::clWindow, gui::clBtnFace, gui::clBtnFace};
    for (int state = cxbsDefault; state <= cxbsDisabled; ++state)
        EXPECT_EQ(base.CheckBoxFillColor(TclButtonState(state)), fills[state]);
    EXPECT_EQ(base.TintedContentColor(), gui::TColor(win::RGB(255, 255, 213)));
    EXPECT_EQ(TclStandardLookAndFeelPainter::Class()->TintedContentColor(), gui::clWindow);
    EXPECT_EQ(TclWinXPLookAndFeelPainter::Class()->TintedContentColor(), gui::TColor(win::RGB(255, 255, 213)));
    EXPECT_EQ(base.FixedLineColor(), gui::clBtnShadow);
    EXPECT_EQ(base.SelectedEventFontColor(), gui::clHighlightText);

    // The class tree.
    EXPECT_TRUE(TclOffice11LookAndFeelPainter::Class()->InheritsFrom(TclUltraFlatLookAndFeelPainter::StaticClass()));
    EXPECT_TRUE(TclWinXPLookAndFeelPainter::Class()->InheritsFrom(TclStandardLookAndFeelPainter::StaticClass()));
    EXPECT_FALSE(TclFlatLookAndFeelPainter::Class()->InheritsFrom(TclStandardLookAndFeelPainter::StaticClass()));
    EXPECT_EQ(TclStandardLookAndFeelPainter::Class(), TclStandardLookAndFeelPainter::Class());
}

TEST_F(PaintersTest, FillBackgroundTransparentWithoutBitmapChangesNothing)
{
    const win::COLORREF ground = win::RGB(10, 20, 30);
    Surface surface(12, 12, ground);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    TclCanvas canvas(&frame);
    const TclCustomLookAndFeelPainter& base = *TclCustomLookAndFeelPainter::Class();
    base.FillBackground(canvas, win::RECT{0, 0, 12, 12}, true, gui::clRed, nullptr);
    EXPECT_EQ(surface.Painted(ground), 0);

    // Not transparent: the colour, whatever bitmap is given.
    gui::TBitmap bitmap;
    bitmap.SetSize(4, 4);
    base.FillBackground(canvas, win::RECT{0, 0, 6, 6}, false, gui::clRed, &bitmap);
    EXPECT_EQ(win::GetPixel(surface.DC(), 5, 5), win::RGB(255, 0, 0));
    EXPECT_EQ(win::GetPixel(surface.DC(), 6, 6), ground);
    // Transparent with a bitmap: tiled.
    base.FillBackground(canvas, win::RECT{6, 6, 12, 12}, true, gui::clRed, &bitmap);
    EXPECT_EQ(win::GetPixel(surface.DC(), 8, 8), win::RGB(255, 255, 255));
    frame.SetHandle(nullptr);
}

}  // namespace

namespace {

TEST_F(PaintersTest, ColoursTheFlatPaintersAdd)
{
    const TclUltraFlatLookAndFeelPainter& flat =
        static_cast<const TclUltraFlatLookAndFeelPainter&>(*TclUltraFlatLookAndFeelPainter::Class());
    EXPECT_EQ(flat.ButtonStateFrameColor(cxbsNormal), gui::clBtnShadow);
    EXPECT_EQ(flat.ButtonStateFrameColor(cxbsHot), gui::clHighlight);
    EXPECT_EQ(flat.ButtonStateFrameColor(cxbsDisabled), gui::clHighlight);
    EXPECT_EQ(flat.LightLineColor(), gui::clBtnShadow);
    EXPECT_EQ(flat.DarkLineColor(), gui::clBtnText);
    EXPECT_EQ(flat.HighlightBorderColor(), gui::clHighlight);

    // Office 2003 under the classic scheme: entries 2 (246, 245, 243), 3 (214, 210, 202), 12 (167, 167, 167).
    const TclOffice11LookAndFeelPainter& office =
        static_cast<const TclOffice11LookAndFeelPainter&>(*TclOffice11LookAndFeelPainter::Class());
    EXPECT_EQ(win::COLORREF(office.HeaderDarkColor()), win::RGB(214, 210, 202));
    EXPECT_EQ(win::COLORREF(office.HeaderLineColor()), win::RGB(167, 167, 167));
    EXPECT_EQ(office.HeaderLightLineColor(), gui::clWhite);
    // Each half taken with MulDiv, halves rounded up: 245 / 2 gives 123.
    EXPECT_EQ(win::COLORREF(office.HeaderFaceColor()), win::RGB(123 + 107, 123 + 105, 122 + 101));
    EXPECT_EQ(office.ButtonStateFrameColor(cxbsNormal), office.HeaderLineColor());
    EXPECT_EQ(office.ButtonStateFrameColor(cxbsPressed), uxOffice11SelectedBorderColor());
    EXPECT_EQ(office.LightLineColor(), office.HeaderLineColor());
    EXPECT_EQ(office.DarkLineColor(), gui::clBtnText);
    EXPECT_EQ(office.HighlightBorderColor(), uxOffice11SelectedBorderColor());
}

}  // namespace
