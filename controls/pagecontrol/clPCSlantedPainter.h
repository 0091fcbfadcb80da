#pragma once
// The Slanted tab style: tabs whose sides slant (or have cut corners) and overlap their neighbours, a
// gradient body, a highlight band along the outer edge of the current and the hot tab, one base line
// under each row and flat navigator buttons. The program's page controls all use it. The OneNote style
// (clPCOneNotePainter.h) derives from it.
//
// Outlines are built for a tab on top of the page, in the tab's full rectangle, and turned to the side
// of the tab's row with the painter's point rotation.

#include "controls/pagecontrol/clPCStandardPainter.h"

#include <memory>

namespace pagecontrol {

class TclPCSlantedPainterClassInfo : public TclPCStandardPainterClassInfo {
public:
    using TclPCStandardPainterClassInfo::TclPCStandardPainterClassInfo;

    TclPCStyleID GetStyleID() const override { return 9; }
    std::string GetStyleName() const override { return "Slanted"; }
    int GetMinTabHeight() const override { return 0; }
    std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const override;
};

// A closed outline for top tabs: segment i runs from point i to point i + 1 (the last back to the
// first) and draws side or corner kinds[i].
struct TclPCTabFigure {
    TPoints Points;
    TLinePositions Kinds;
};

class TclPCSlantedPainter : public TclPCStandardPainter {
public:
    using TclPCStandardPainter::TclPCStandardPainter;

    // The horizontal extent of a slanted or cut side, refreshed before every layout.
    int SlantCut() const { return slantCut_; }

    // --- new operations, in slot order ---
    virtual bool UseHotGradientForActiveTab() { return false; }
    virtual void FillTabBody(int visibleIndex, const win::RECT& rect);
    virtual void PaintActiveTabBase(int visibleIndex);
    virtual void GetTabGradientColors(int visibleIndex, gui::TColor bodyColor, gui::TColor& color1,
                                      gui::TColor& color2);
    virtual int GetMinTabDecorationWidth();
    virtual gui::TColor GetTabBorderColor() { return gui::clBtnShadow; }
    virtual TclTabSlantPositions GetSlantPositions();
    virtual win::SIZE GetTabImageSizeWithBorder();
    virtual int CalculateSlantCut();
    // The outer region holds the outline's pixels, the inner one only what lies inside them.
    virtual std::unique_ptr<controls::TclRegion> GetTabShapeRegion(int visibleIndex, bool inner);
    virtual void DrawTabOutline(int visibleIndex);
    virtual void PaintTabHighlightBand(int visibleIndex);

    // --- overrides ---
    int CalculateTabNormalWidth(TclTab* tab) override;
    void GetTabImageAreaMargins(int visibleIndex, win::RECT& margins) override;
    void GetTabTextAreaMargins(int visibleIndex, win::RECT& margins) override;
    void GetTabContentMargins(int visibleIndex, TclPCDistance& margins) override;
    void GetTruncatedTabContentMargins(int visibleIndex, TclPCDistance& margins) override;
    void GetPageClientMargins(win::RECT& margins) override;
    int GetFrameBorderWidth() override { return 1; }
    int GetImageTextDistance(int) override { return 3; }
    int GetTabMinWidth(int visibleIndex) override { return GetTabDecorationWidth(visibleIndex); }
    bool UsePageColorForTab() override { return true; }
    bool UseActiveTabMetrics(int) override { return false; }
    gui::TColor GetTabBodyColor(int visibleIndex) override;
    std::unique_ptr<controls::TclRegion> GetTabClipRegion(int visibleIndex) override;
    void GetTabsSpacing(TclPCDistance& spacing) override;
    void UpdateStyleMetrics() override { slantCut_ = CalculateSlantCut(); }
    void InvalidateTab(int visibleIndex) override;
    bool IsTabHitAt(int visibleIndex, int x, int y) override;
    void PaintFrameBorder() override;
    void PaintTabs() override;
    void FillTabTextBitmap(gui::TBitmap* bitmap, const win::RECT& rect, int visibleIndex) override;

    void GetNavigatorButtonGlyphInfo(TclPCNavigatorButton button, TclPCNavigatorButtonGlyphInfo& info) override;
    int GetNavigatorButtonsDistance(TclPCNavigatorButton button, TclPCNavigatorButton next) override;
    int GetNavigatorButtonsTabsGap() override { return 1; }
    int GetNavigatorButtonsSideIndent() override { return 1; }
    int GetNavigatorButtonsEndIndent() override { return 0; }
    gui::TColor GetNavigatorButtonFaceColor(TclPCNavigatorButtonState state) override;
    gui::TColor GetNavigatorButtonGlyphColor(TclPCNavigatorButtonState state) override;
    int GetNavigatorButtonHeight() override { return 17; }
    int GetNavigatorButtonWidth(TclPCNavigatorButton button) override;
    void DrawNavigatorButtonBorder(win::RECT& rect, TclPCNavigatorButtonState state) override;
    int GetTabDecorationWidth(int visibleIndex) override;
    void GetTabsRegionExtension(win::RECT& extension) override;
    int CalculateTabContentHeight() override;
    void PaintTabShape(int visibleIndex) override;

protected:
    // The outline of a tab for top tabs (L, B the left and bottom of its full rectangle, W and H its
    // extents along and across the row).
    virtual TclPCTabFigure BuildTabOutline(int visibleIndex);
    // The outline's two ends carried one pixel on towards the page: the bottom of an outline is not
    // drawn, so what lies inside it reaches down to the page.
    static TclPCTabFigure ExtendedToFrame(TclPCTabFigure figure);
    // The figure turned to the side of the tab's row and made a region; bottom and right rows run the
    // other way round, so their points are reversed and the kinds mirrored.
    std::unique_ptr<controls::TclRegion> FigureRegion(int visibleIndex, const TclPCTabFigure& figure,
                                                      bool inner) const;
    // A top-tab point of the tab turned to its row side.
    win::POINT MapPoint(int visibleIndex, win::POINT point) const;
    void DrawMappedPolyline(int visibleIndex, std::vector<win::POINT> points, gui::TColor color);
    // The tab's full rectangle in top-tab terms: L, B, W (along) and H (across).
    struct TabFrame {
        int L;
        int B;
        int W;
        int H;
        int T() const { return B - H; }
    };
    TabFrame FrameOf(int visibleIndex) const;
    // The two fill colours of a tab whose body is a gradient, and its direction; false for a solid body.
    bool BodyGradient(int visibleIndex, gui::TColor& color1, gui::TColor& color2, bool& horizontal);
    // The one-pixel strip beside the visible rectangle on the page side.
    win::RECT FrameSideStrip(int visibleIndex) const;
    void DrawRowBaseLine(int row);

private:
    int slantCut_ = 0;
};

TclPCCustomPainterClass clPCSlantedPainterClass();

}  // namespace pagecontrol
